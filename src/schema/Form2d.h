#pragma once
#include "core/FieldDefinition.h"

#include "common/SettingsWatch.h"

#include <QDialog>
#include <optional>
#include <vector>

class App;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Field definition: the fields of one file (the main or the sub file of the category the
// file settings window chose) and the creation of its table.
class Form2d : public QDialog {
    Q_OBJECT
public:
    // The main file (sub false) or the sub file of category 0..5.
    Form2d(App& app, int category, bool sub);

private slots:
    void Form_Load();
    // The field count chosen: rows 1..n shown, the window and the create button follow.
    void Combo1_Click();
    // "コード使用" ticked or unticked on a row (1..8).
    void Check1_Click(int row);
    // A code table picked for the row ticked last.
    void Combo3_Click();
    // 作成: checks the names and types, creates the table and records the definition.
    void Command1_Click();
    void Command2_Click();

public:
    // The CREATE TABLE statement for the fields 1..n as they stand in the boxes.
    QString BuildStatement() const;
    // The fields 1..n as they stand in the boxes, trimmed.
    std::vector<FieldDefinition> definedFields() const;
    // The statement sent by the last 作成 (empty until then).
    QString lastStatement;

    int fieldCount() const { return n_; }
    // The category (0..5) and the table to create.
    int category() const { return category_; }
    QString tableName() const { return tableName_; }

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
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo3 = nullptr;
    std::vector<QLineEdit*> Text1;
    std::vector<QComboBox*> Combo2;
    std::vector<QCheckBox*> Check1;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;

    void createRow(int row);
    // Tab runs row by row: the field count, each row's name, type and code box (the code
    // table list right after the box that showed it), then the buttons.
    void orderTabs();
    bool isMainFile() const;
    // Why the type box of a row cannot be used, or nothing.
    std::optional<QString> typeProblem(int row) const;
    void refuse(const QString& text);

    App& app_;
    int category_ = -1;
    bool sub_ = false;
    QString tableName_;
    qint16 n_ = 1;
    int codeRow_ = 0;  // the row whose "コード使用" was ticked last
    // What is stored now, the choices made kept where they still fit; no message.
    void showStored();
    // Shows the settings again whenever they are stored or read again while the window is open.
    SettingsWatch watch_;
};
