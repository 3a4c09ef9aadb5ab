#pragma once
#include "common/SettingsWatch.h"

#include <QDialog>

class App;
class QComboBox;
class QLabel;
class QPushButton;

// File settings: for one named category and one file kind (main or sub), set the file up
// (the field definition window), empty it of its records, or delete it.
class Form2c : public QDialog {
    Q_OBJECT
public:
    explicit Form2c(App& app);

private slots:
    // Caption, the named categories in Combo1 and the file kinds in Combo2.
    void Form_Load();
    // データ削除: deletes every record of the chosen file; a main file takes its sub
    // records with it and restarts its registration numbers.
    void Command1_Click();
    // ファイル設定: opens the field definition window for a file that does not exist yet.
    void Command2_Click();
    void Command3_Click();
    // ファイル削除: drops the chosen file (a main file takes its sub file with it) and
    // forgets its definition.
    void Command4_Click();
    void Command5_Click();

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;

    // Takes the category and file kind from the boxes into the cache; the index of the
    // category, or -1 (after telling the person) when no category is named.
    int chooseCategory();
    // The chosen category after the person agreed to "<name>・<kind>" + question; -1 otherwise.
    int chooseAndConfirm(const QString& question);
    bool subKindChosen() const;
    bool confirm(const QString& question);
    void notice(const QString& text);
    void finished(const QString& text);

    App& app_;
    // What is stored now, the choices made kept where they still fit; no message.
    void showStored();
    // Shows the settings again whenever they are stored or read again while the window is open.
    SettingsWatch watch_;
};
