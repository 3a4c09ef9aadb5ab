#pragma once
#include "codes/CodeTableReader.h"

#include <QDialog>

class App;
class DataGrid;
class QComboBox;
class QLabel;
class QPushButton;

// The code viewer: every code and code name of one code table, read only. One table per
// opening; the list locks after the first choice.
class Form11a : public QDialog {
    Q_OBJECT
public:
    explicit Form11a(App& app);

private slots:
    // Fills the table list from the code-table register; called by the constructor.
    void Form_Load();
    // Entry j of the table list (slot j of the register) chosen.
    void Combo1_Click(int index);
    void Command1_Click();  // 戻る
    void Command2_Click();  // ヘルプ

public:
    // The chosen register slot (0..7), -1 before a choice.
    int chosenSlot() const { return slot_; }

    CodeTableReader Data1;

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* Combo1 = nullptr;
    DataGrid* DBGrid1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    App& app_;
    int slot_ = -1;
};
