#pragma once
#include "platform/ui/Ui.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class App;
class ListDialogTarget;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// What the sort order and in-list find dialogs have in common: the list window they act
// on, the caption, the heading Label1, the help button Command1 (and F1), the option groups
// they are built from, and their OK messages, which name no title of their own.
class ListDialog : public QDialog {
    Q_OBJECT
public:
    // The title the dialogs give their messages: none, so the message box shows the default
    // title of the program's message boxes.
    static QString messageTitle();

private slots:
    void Command1_Click();  // help

protected:
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

    // windowName: the caption after "<title> Tanzo - ".
    ListDialog(App& app, ListDialogTarget& target, const QString& objectName, const QString& windowName,
               const QString& heading);

    // The caption: the trimmed system title, " Tanzo - " and the window's name.
    void setCaption();
    // An OK message with the default title.
    void tell(const QString& text, Ui::Icon icon);

    // A frame with one option per caption, named name_0, name_1 …; a click on element i
    // runs clicked(i), also when the element is already chosen.
    QGroupBox* optionGroup(const char* frameName, const QString& frameCaption, const char* optionName,
                           const QStringList& captions, std::vector<QRadioButton*>& options,
                           std::function<void(int)> clicked, int left, int top, int width);
    // Unchooses every option of the group.
    static void clearOptions(const std::vector<QRadioButton*>& options);

    App& app_;
    ListDialogTarget& target_;

private:
    QString windowName_;
};
