#pragma once
// The rows behind a ReportListView: column headers (caption, width in twips, alignment)
// and rows of texts, cell 0 the item text and cells 1.. its sub-items. Each row is kept packed
// in one block (its cells in UTF-8, each after its length), so a list of many rows takes
// little more memory than its texts; a cell becomes a string again when it is asked for.
//
// Rows can be added in bulk: between beginBulk() and endBulk() new rows are stored but
// the views learn of them only once, at endBulk() (or at flush()), so filling a list of
// 100 000 rows costs one insert notification instead of 100 000.

#include <QAbstractTableModel>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class ReportListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        int widthTwips = 0;
        bool rightAligned = false;
        bool values = false;  // numbers, amounts or dates, never free text
    };

    explicit ReportListModel(QObject* parent = nullptr);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Columns
    void clearColumns();
    int addColumn(const QString& caption, int widthTwips, bool rightAligned);
    // Replaces every column at once: the views are told of them in one step.
    void setColumns(std::vector<Column> columns);
    const Column& column(int i) const { return m_columns[size_t(i)]; }
    void setColumnWidthTwips(int i, int widthTwips);
    void setValueColumn(int i, bool values);
    int columns() const { return int(m_columns.size()); }

    // Rows (every row stored, including those the views have not been told of yet)
    int itemCount() const { return int(m_rows.size()); }
    void clearItems();
    int addItem(const QString& text);
    // Appends whole rows (cell 0 = item text); returns the index of the first new row.
    int addRows(std::vector<QStringList>&& rows);
    // Appends rows already packed (PackedRow); returns the index of the first new row.
    int addPackedRows(std::vector<QByteArray>&& rows);
    void setCell(int row, int col, const QString& text);
    // The text a cell shows.
    QString cell(int row, int col) const;
    // What the cell stands for: its text, or the value in full where the text shows it
    // rounded (an amount held to 1/10 000 yen shows whole yen; see PackedRow).
    QString value(int row, int col) const;
    QStringList rowCells(int row) const;

    void beginBulk();
    void endBulk();
    bool inBulk() const { return m_bulk; }
    // Tells the views of every row added since the last notification.
    void flush();

    // Stable sort of all rows by one column, compared by the column's kind of value
    // (see ColumnSort.h).
    // Selection and current index follow their rows.
    void sortRows(int col, Qt::SortOrder order);

private:
    std::vector<Column> m_columns;
    std::vector<QByteArray> m_rows;  // packed rows
    int m_shownRows = 0;        // rows the views know of
    bool m_bulk = false;
    bool m_shownDirty = false;  // cells of shown rows changed during bulk
};
