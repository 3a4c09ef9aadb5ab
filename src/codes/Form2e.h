#pragma once
#include "common/SettingsWatch.h"

#include <QDialog>

class App;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Code table files: creates a code table in the first free register slot, or deletes one
// and turns the fields that used it back into plain text fields.
class Form2e : public QDialog {
    Q_OBJECT
public:
    explicit Form2e(App& app);

private slots:
    void Form_Load();
    // Code length chosen.
    void Combo1_Click();
    // Code table chosen for deletion.
    void Combo2_Click();
    // 作成
    void Command1_Click();
    void Command2_Click();
    // 削除
    void Command3_Click();
    void Command4_Click();

public:
    // Register slot (0..7) the next code table goes to, -1 when all eight are in use.
    int freeSlot() const { return freeSlot_; }
    int deleteSlot() const { return deleteSlot_; }
    // The CREATE TABLE statement sent by the last 作成 (empty until then).
    QString lastStatement;

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QComboBox* Combo1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

    void refuse(const QString& text, const QString& title = QStringLiteral("ERROR"));
    void fillDeleteList();

    App& app_;
    int freeSlot_ = -1;
    int codeLength_ = 0;
    QString codeLengthText_;
    int deleteSlot_ = -1;
    // What is stored now, the choices made kept where they still fit; no message.
    void showStored();
    // Shows the settings again whenever they are stored or read again while the window is open.
    SettingsWatch watch_;
};
