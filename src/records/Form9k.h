#pragma once
#include "core/SearchConditions.h"

#include <QDialog>
#include <optional>

class App;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The condition of the all-files search: one text and whether case, width and kana count.
// Until a search text is accepted the search counts as cancelled, also when the window is
// closed from its frame.
class Form9k : public QDialog {
    Q_OBJECT
public:
    explicit Form9k(App& app);
    // The accepted text and case mode; nothing while none was accepted.
    const std::optional<SearchConditions>& conditions() const { return conditions_; }
    // What is chosen so far: the case box counts as soon as it is clicked.
    const SearchConditions& chosen() const { return chosen_; }

private slots:
    void Form_Load();
    void Check1_Click(int value);
    void Command1_Click();  // 検索
    void Command2_Click();  // help


private:
    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    App& app_;
    SearchConditions chosen_;
    std::optional<SearchConditions> conditions_;
};
