#pragma once
#include "core/FieldDefinition.h"
#include "platform/db/Value.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class App;
class Database;
class FieldBox;
class MaskedEdit;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class RecordStore;
namespace fieldrule {
struct Checked;
}

// What the record editors are opened for.
enum class EditorMode { New, Change, Delete };

// The shared body of the main and sub record editors (Form7, Form8): one row of controls per
// field, their setup by type, the checks before a row is written, the write of the fields by
// type, the code pick lists, the code-table pop-up and the edit menu. The two windows differ
// only in the file they edit, its key columns and the counter a new row takes its number from.
class RecordEditor : public QMainWindow {
    Q_OBJECT
public:
    ~RecordEditor() override;

private slots:
    // Handlers.
    void Command1_Click();
    void Command2_Click();
    void Combo1_Click(int k);
    void Label4_MouseDown(int k, Qt::MouseButton button, const QPoint& globalPos = QPoint());
    void mcd1_Click(int i);
    void MaskEdBox1_ValidationError(int k, const QString& invalidText);
    void me11_Click();
    void me12_Click();
    void me13_Click();
    void mf15_Click();
    void mh1_Click();

public:
    // Shared procedures.
    static int LenMbcs(const QString& s);
    // Fill the current field's pick list with "code  name" items, or with the code names.
    void SubCode(const QString& table);
    void SubCodeb(const QString& table);
    // Captions and enables the code-table pop-up entries from the code table register.
    void MenuCode();

    EditorMode mode() const { return mode_; }
    // Set when the editor closes after a change or a delete, or when new mode is ended: the
    // list behind the editor reads its rows again.
    bool listRepaintRequested() const { return repaintRequested_; }
    // The own number of the row stored last (a main row's registration number, a sub row's
    // sub number): the list shows that row when it reads its rows again.
    std::optional<qint64> storedNumber() const { return storedNumber_; }
    // The field the checks, the code lookup and the pick lists work on.
    int currentField = 0;

signals:
    void repaintListRequested();

protected:
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* Text2 = nullptr;
    std::vector<QLabel*> Label1;
    std::vector<QLabel*> Label4;
    std::vector<MaskedEdit*> MaskEdBox1;
    std::vector<QComboBox*> Combo1;
    std::vector<QCheckBox*> Check1;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QMenu* mf1 = nullptr;
    QAction* mf15 = nullptr;
    QMenu* me1 = nullptr;
    QAction* me11 = nullptr;
    QAction* me12 = nullptr;
    QAction* me13 = nullptr;
    QAction* mh1 = nullptr;
    QMenu* CDTBL = nullptr;
    QAction* mcd0 = nullptr;
    std::vector<QAction*> mcd1;

    // category: the category 0..5 whose file is edited; windowName: the caption after the
    // title; codeCaption: design caption of the pop-up entries ("code" or "Cord", numbered 1..8).
    RecordEditor(App& app, int category, const QString& objectName, const QString& windowName, const QString& codeCaption);

    // Prepares the window for a mode over the fields of the edited file, as the list does
    // before showing it.
    void prepareFields(EditorMode mode, const QString& heading, const std::array<FieldDefinition, 8>& fields,
                       int count, const QString& table, const QStringList& values);

    // The store calls of the edited file: a new row (without texts only its number is used
    // up), a change and a delete of the shown key. A new or changed row's own number is returned.
    virtual qint64 storeNew(RecordStore& store, const std::optional<QStringList>& texts) = 0;
    virtual qint64 storeChange(RecordStore& store, const QStringList& texts) = 0;
    virtual void storeRemove(RecordStore& store) = 0;
    // Shows the number the next new row will take.
    virtual void showNextNumber() = 0;

    // The stores behind the OK button; false when nothing was stored (an engine error or the
    // type message was shown) and the editor stays open with what was typed.
    bool addRecord();
    bool updateRecord();
    bool deleteRecord();

    // A key box as a whole number (0 when it holds none).
    static qint64 keyOf(const QLineEdit* box);
    QLineEdit* keyBox(QWidget* parent, const char* name, int left);
    QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top, int width);

    QLabel* keepHeading = nullptr;  // "データを残す"
    QWidget* client = nullptr;
    App& app;
    const int category;  // the category whose file is edited
    // What the changed or deleted row held when the editor opened, read then: a row another
    // desk has changed since is not written over.
    std::optional<std::vector<Value>> shown;
    // Reads the row to change or delete as stored now and keeps it. When it differs from what
    // the list showed, says so and shows the stored values. False, after the message, when
    // the row is gone or cannot be read: the editor is not to open then.
    bool showStoredRow(const std::function<std::optional<std::vector<Value>>(RecordStore&)>& read);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFields();
    void buildMenus(const QString& codeCaption);
    void fillLists(int k);
    // Checks every field by the field rules, the lookup of its code included; false (after
    // its message) at the first field refused before its texts are taken.
    bool checkFields();
    // The length of the codes of field k's table.
    int codeLength(int k) const;
    // The texts of the fields to store by type; nothing when the type message abandoned them
    // (the refused box then has the focus).
    std::optional<QStringList> fieldTexts();
    // "<field name>が相違しています。[ <text> ]"
    void typeMessage(int k, const QString& shown);
    void focusRefused(int k);
    // In change mode, the stored amount of field k to the last unit when its box still holds
    // what the editor showed.
    std::optional<QString> unchangedAmount(int k) const;
    void errorMessage(const QString& text);
    void finish();
    void copySelections(bool cut);
    // A code table's list for the boxes: read when the editor opens, then kept for the entries
    // that follow until the settings are read again or a code check finds the table changed.
    QStringList readCodes(const QString& table, bool withNames);
    // Forgets a kept list that no longer shows the code as stored (name: what the table holds).
    void noteStoredCode(const QString& table, const QString& code, const std::optional<QString>& name);

    EditorMode mode_ = EditorMode::New;
    std::vector<FieldBox> boxes_;
    // What the last checks found for each field: a type fault, or the text to store.
    std::vector<fieldrule::Checked> checked_;
    int count_ = 0;
    std::array<FieldDefinition, 8> fields_{};
    QStringList values_;  // the values the editor was opened with
    QString table_;
    bool repaintRequested_ = false;
    std::optional<qint64> storedNumber_;
    QStringList openedTexts_;  // the boxes' texts as the change began
    // A code table's rows (code, name) as last read, with the settings version of that moment.
    struct KeptCodes {
        qint64 version = 0;
        std::vector<std::pair<QString, QString>> rows;
    };
    std::map<QString, KeptCodes> keptCodes_;
};
