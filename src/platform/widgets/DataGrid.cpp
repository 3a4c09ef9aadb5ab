#include "platform/widgets/DataGrid.h"

#include <QHeaderView>

DataGrid::DataGrid(QWidget* parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row != m_lastRow) {
            m_lastRow = row;
            emit currentRowChanged(row);
        }
    });
}

void DataGrid::setColumns(const QStringList& captions)
{
    setColumnCount(int(captions.size()));
    setHorizontalHeaderLabels(captions);
}

void DataGrid::setRows(const QVector<QStringList>& rows)
{
    {
        const QSignalBlocker quiet(this);
        clearContents();
        setRowCount(int(rows.size()));
        for (int r = 0; r < int(rows.size()); ++r) {
            const QStringList& cells = rows[r];
            for (int c = 0; c < int(cells.size()) && c < columnCount(); ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                setItem(r, c, item);
            }
        }
        if (!rows.isEmpty() && columnCount() > 0)
            setCurrentCell(0, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        else
            setCurrentCell(-1, -1);
    }
    m_lastRow = rows.isEmpty() || columnCount() == 0 ? -1 : 0;
    emit currentRowChanged(m_lastRow);
}

QString DataGrid::text(int row, int col) const
{
    const QTableWidgetItem* i = item(row, col);
    return i ? i->text() : QString();
}

int DataGrid::currentRow() const
{
    return rowCount() == 0 ? -1 : QTableWidget::currentRow();
}

void DataGrid::setCurrentRow(int row)
{
    if (row < 0 || row >= rowCount() || columnCount() == 0)
        return;
    setCurrentCell(row, std::max(0, currentColumn()),
                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(model()->index(row, 0));
}
