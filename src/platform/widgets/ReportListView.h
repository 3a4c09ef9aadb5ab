#pragma once
// Report-style list: columns with widths in twips and alignment, items with sub-items,
// one selected row (full-row, no editing), sorting by a column's values and
// finding an item by its text. Rows and columns are counted from 0; column 0 is the
// item text, columns 1.. its sub-items.
//
// Filling many rows: call beginBulk(), add the rows, then endBulk(); the view is told of
// the new rows once. Every method that acts on the view (selection, scrolling, sorting)
// brings the view up to date first, so a forgotten endBulk() costs speed, not correctness.
//
// Sorting compares by the column's kind of value (numbers and amounts by value, dates by
// date, text by Japanese collation, empty cells first; see ColumnSort.h), is stable, and keeps the selected row selected. While sorting is on, a change of key or order
// sorts again at once; rows added later stay where they were added until setSorted(true)
// is called again.

#include <QStringList>
#include <QTableView>
#include <vector>

#include "platform/widgets/ReportListModel.h"

class ReportListView : public QTableView {
    Q_OBJECT
public:
    enum class FindMode { WholeText, LeadingText };

    explicit ReportListView(QWidget* parent = nullptr);

    // Columns
    void clearColumns();
    int addColumn(const QString& caption, int widthTwips, bool rightAligned = false);
    // Replaces every column at once (the header measures its captions once, not once a column).
    void setColumns(std::vector<ReportListModel::Column> columns);
    int columnCount() const;
    QString columnCaption(int col) const;
    int columnWidthTwips(int col) const;
    void setColumnWidthTwips(int col, int widthTwips);
    // Column 0 never shows right-aligned, so this is false for it.
    bool columnRightAligned(int col) const;
    // A column of numbers, amounts or dates (never free text); off until set.
    void setValueColumn(int col, bool values);
    bool isValueColumn(int col) const;
    void setHeadersVisible(bool visible);
    bool headersVisible() const;
    void setGridLines(bool on);

    // Items
    void clearItems();
    int addItem(const QString& text);
    // Appends whole rows (cell 0 = item text, then the sub-items); returns the first new row.
    int addRows(std::vector<QStringList> rows);
    // The same for rows already packed (PackedRow), as a reading fills its list.
    int addPackedRows(std::vector<QByteArray> rows);
    void setSubItem(int row, int col, const QString& text);
    int rowCount() const;
    QString text(int row, int col = 0) const;
    // What a cell stands for: its text, or the amount in full where the text shows it in
    // whole yen.
    QString value(int row, int col) const;
    void beginBulk();
    void endBulk();

    // Selection
    int selectedIndex() const;       // -1 when no row is selected
    void setSelectedIndex(int row);  // -1 clears; does not emit itemClicked
    void ensureVisible(int row);

    // Sorting by a column (see ColumnSort.h)
    void setSortKey(int col);
    int sortKey() const { return m_sortKey; }
    void setSortOrder(Qt::SortOrder order);
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setSorted(bool on);
    bool isSorted() const { return m_sorted; }

    // First row, from the top, whose item text equals (WholeText) or begins with
    // (LeadingText) the text; with subItems, the first row one of whose sub-items equals
    // the text (mode is then ignored). Letter case is not distinguished. -1 when none.
    int findItem(const QString& text, FindMode mode = FindMode::WholeText,
                 bool subItems = false) const;

    ReportListModel* listModel() const { return m_model; }

signals:
    // The user clicked a row or moved the selection with the keyboard.
    void itemClicked(int row);
    void columnClicked(int col);
    // Focus went to another control (not to a pop-up menu, the menu bar or another window).
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applySort();
    void onSectionResized(int col, int oldSize, int newSize);

    ReportListModel* m_model;
    int m_sortKey = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_sorted = false;
    bool m_settingWidth = false;
};
