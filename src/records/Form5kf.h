#pragma once
#include "core/SearchConditions.h"

#include <QDialog>
#include <optional>
#include <vector>

class App;
class MaskedEdit;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Search and open: the person picks one field of the category's main file and a value (and
// for amounts and dates a comparison). An accepted search gives its conditions to the window
// that opened the dialog; the comparison chosen is offered first at the next opening.
class Form5kf : public QDialog {
    Q_OBJECT
public:
    // The dialog on the main fields of category 0..5; the comparison of last is chosen first.
    Form5kf(App& app, int category, const SearchConditions& last);
    // Shows the dialog over the category and keeps what was chosen as the App's last search.
    // Returns the accepted conditions, or nothing when it was left without a search.
    static std::optional<SearchConditions> ask(App& app, int category);

private slots:
    void Form_Load();
    void Option1_Click(int k);
    void Option2_Click(int i);
    void Check1_Click(int value);
    void Command1_Click();
    void Command2_Click();

public:
    // The accepted search; nothing when the dialog closed without one.
    const std::optional<SearchConditions>& conditions() const { return conditions_; }
    // What is chosen so far (field, type, comparison, case mode and the value last accepted).
    const SearchConditions& chosen() const { return chosen_; }

private:
    QLabel* Label1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::vector<QRadioButton*> Option1;
    QGroupBox* Frame2 = nullptr;
    std::vector<QRadioButton*> Option2;
    QLabel* Label2 = nullptr;
    MaskedEdit* MaskEdBox1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void refuse(const QString& message);

    App& app_;
    int category_ = 0;
    SearchConditions chosen_;
    bool fieldChosen_ = false;
    std::optional<SearchConditions> conditions_;
};
