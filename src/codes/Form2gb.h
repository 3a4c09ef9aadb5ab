#pragma once
#include "common/SettingsWatch.h"

#include <QDialog>
#include <vector>

class App;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Code-table usage registration, second step: one row per text field of the file that
// Form2ga chose (the main or the sub file of a category), showing the code table the field is
// linked to and how the table is offered on entry. 登録 stores the links as the fields' type
// words: "TEXT", "TEXT" + k + "D" (ダイレクト) or "TEXT" + k + "C" (右クリック).
class Form2gb : public QDialog {
    Q_OBJECT
public:
    // The text fields of the main file (sub false) or the sub file of category 0..5.
    Form2gb(App& app, int category, bool sub);

private slots:
    // Caption, placement, and the rows of the file's text fields; called by the constructor.
    void Form_Load();
    // "登録・変更" ticked or unticked on a row (1..8).
    void Check1_Click(int row);
    // A code table picked for the row ticked last.
    void Combo1_Click();
    // A mode picked for the row ticked last.
    void Combo2_Click();
    // 登録: stores every row's link in its field's type word, and closes.
    void Command1_Click();
    // 戻る: closes; the picks are dropped.
    void Command2_Click();

public:
    // The category (0..5, -1 when no category bears the name) and the number of rows R.
    int category() const { return category_; }
    int rowCount() const { return rows_; }
    // The row ticked last (0 before any).
    int lastRow() const { return lastRow_; }
    // The field (0..7) of the file that row r (1..R) shows, or -1.
    int fieldOfRow(int row) const;

    // Rows 1..8; element 0 is unused.

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
    QLineEdit* Text4 = nullptr;
    QLineEdit* Text5 = nullptr;
    std::vector<QLineEdit*> Text1;
    std::vector<QLineEdit*> Text2;
    std::vector<QLineEdit*> Text3;
    std::vector<QCheckBox*> Check1;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void createRow(int row);
    void orderTabs();
    void clearRow(int row);
    void showRows(int shown);
    // Height, buttons and visible rows for R rows.
    void layoutFor(int rows);
    bool isMainFile() const;
    // The type word a row stands for; the field's own word when the row names no known table.
    QString typeWordOf(int row, const QString& current) const;

    App& app_;
    int category_ = -1;
    bool sub_ = false;
    int rows_ = 0;
    int lastRow_ = 0;
    // The field each row shows, by position in the file (element 0 unused).
    std::vector<int> rowField_;
    // What is stored now, the choices made kept where they still fit; no message.
    void showStored();
    // Shows the settings again whenever they are stored or read again while the window is open.
    SettingsWatch watch_;
};
