#pragma once
#include "lists/ListDialog.h"

class QFrame;
class QPlainTextEdit;

// The in-list find dialog (検索条件): the person chooses where to look (the first column,
// or the second and later columns) and, for the first column, whether the whole text or
// its beginning must match; the dialog asks for the text and moves the list's selection to
// the first matching row from the top, scrolled into view. The list window then shows that
// row as a click would, and the dialog closes. Without a match the dialog says so and stays
// open with its choices. The twins of the list windows give their name, caption and the
// status text written after a find (none for some).
class FindDialog : public ListDialog {
    Q_OBJECT
public:
    // Where the text is looked for.
    enum Place { FirstColumn = 0, LaterColumns = 1 };
    // How the first column must match.
    enum Match { WholeText = 0, LeadingText = 1 };

    // What the record lists show in status panel 1 after a find.
    static QString foundStatus();

private slots:
    void Form_Load();
    // 0 = the first column (then the match kind is chosen), 1 = the later columns.
    void Option1_Click(int i);
    // 0 = whole text equal, 1 = begins with the text; searches the first column.
    void Option2_Click(int i);

public:
    QGroupBox* Frame1 = nullptr;          // "検索するリスト項目"
    std::vector<QRadioButton*> Option1;
    QGroupBox* Frame2 = nullptr;          // "検索で一致する条件"
    std::vector<QRadioButton*> Option2;
    QLabel* Label2 = nullptr;             // "１番目の項目検索のみ"
    QFrame* Line1 = nullptr;
    QPlainTextEdit* Text1 = nullptr;      // what the choices do

protected:
    // statusText: written to status panel 1 of the list window after a find; empty for none.
    FindDialog(App& app, ListDialogTarget& target, const QString& objectName, const QString& windowName,
               const QString& statusText);

private:
    // Asks for the text and looks for it; nothing happens when the person cancels.
    void askAndSearch();
    void search();

    QString statusText_;
    QString searchText_;
    int searchPlace_ = FirstColumn;
    int matchKind_ = WholeText;
};
