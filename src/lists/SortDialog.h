#pragma once
#include "lists/ListDialog.h"

class QPlainTextEdit;
class ReportListView;

// The sort order dialog (ソート条件): the person chooses ascending or descending order for
// the column-click sort of the list window that opened it. A list already sorted by a
// column is sorted again in the new order at once. The twins of the list windows give
// only their name and caption.
class SortDialog : public ListDialog {
    Q_OBJECT
public:
    // The column-click sort of a list window: by the clicked column's shown text, in the
    // order last chosen here (ascending until then).
    static void sortByColumn(ReportListView& list, int column);

private slots:
    void Form_Load();
    // 0 = ascending, 1 = descending.
    void Option1_Click(int i);

public:
    QGroupBox* Frame1 = nullptr;          // "ソート順序"
    std::vector<QRadioButton*> Option1;   // ascending, descending
    QPlainTextEdit* Text2 = nullptr;      // how to sort
    QPlainTextEdit* Text1 = nullptr;      // what the orders do

protected:
    SortDialog(App& app, ListDialogTarget& target, const QString& objectName, const QString& windowName);
};
