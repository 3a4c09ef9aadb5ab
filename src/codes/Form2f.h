#pragma once
#include "codes/CodeTableReader.h"

#include "common/SettingsWatch.h"

#include <QDialog>

class App;
class DataGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Code registration: the codes of one code table in a grid, with adding a code, renaming a
// code and deleting a code. A code itself is never changed: it is deleted and added again.
class Form2f : public QDialog {
    Q_OBJECT
public:
    enum class State { Waiting, Browsing, Adding, Changing, Deleting };

    explicit Form2f(App& app);

private slots:
    // Fills the table list from the code-table register; called by the constructor.
    void Form_Load();

    // Entry j of the table list (slot j of the register) chosen.
    void Combo1_Click(int index);
    void Command1_Click();  // 新規作成
    void Command2_Click();  // 変　更
    void Command3_Click();  // 削　除
    void Command4_Click();  // carries out the started action
    void Command5_Click();  // 戻る
    void Command6_Click();  // ヘルプ

public:
    State state() const { return state_; }
    // The chosen register slot (0..7), -1 while waiting.
    int chosenSlot() const { return slot_; }
    int codeLength() const { return codeLength_; }

    CodeTableReader Data1;

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Combo1 = nullptr;
    DataGrid* DBGrid1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Text3 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;

    void buildWindow();
    // Starts an action: Command1..Command3 give way to Command4 with the caption.
    void beginAction(State action, const QString& caption);
    // Back to browsing after an action, whatever its outcome: the grid reads the table again
    // and the text boxes follow its current row; the row with selectCode is made current.
    void returnToBrowsing(const QString& selectCode = QString());
    void refreshGrid();
    // Shows the grid's current row in Text1/Text2 while they are bound.
    void showCurrentRow();
    void setTextsBound(bool bound);
    void refuse(const QString& message);
    // Checks the trimmed name; false (after the message) when it is refused.
    bool nameAccepted(const QString& name);

    bool addCode();
    bool changeName();
    bool deleteCode();

    App& app_;
    State state_ = State::Waiting;
    int slot_ = -1;
    int codeLength_ = 0;
    // The name of the code being changed or deleted as the grid showed it when the action began.
    QString shownName_;
    QString codeLengthText_;
    bool textsBound_ = false;
    // What is stored now, the choices made kept where they still fit; no message.
    void showStored();
    // Shows the settings again whenever they are stored or read again while the window is open.
    SettingsWatch watch_;
};
