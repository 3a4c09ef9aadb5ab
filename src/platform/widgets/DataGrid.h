#pragma once
// Read-only grid that shows every row of a small table. The caller fills it (column
// captions, then the rows as texts); the grid never touches the database. One current
// row, chosen by click or keyboard or by setCurrentRow().

#include <QStringList>
#include <QTableWidget>
#include <QVector>

class DataGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void setColumns(const QStringList& captions);
    // Replaces all rows; the first row becomes current (-1 when there is none), and
    // currentRowChanged is emitted even when the number stays the same, since the row's
    // content may differ.
    void setRows(const QVector<QStringList>& rows);
    QString text(int row, int col) const;

    // -1 when the grid has no rows
    int currentRow() const;
    // Makes the row current and scrolls it into view; out of range is ignored.
    void setCurrentRow(int row);

signals:
    void currentRowChanged(int row);

private:
    int m_lastRow = -1;
};
