#include "platform/widgets/ReportListModel.h"

#include "platform/widgets/ColumnSort.h"

#include <algorithm>
#include <numeric>

ReportListModel::ReportListModel(QObject* parent) : QAbstractTableModel(parent) {}

int ReportListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shownRows;
}

int ReportListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ReportListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_shownRows || index.column() >= columns())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        // The first column is always left-aligned, whatever its header says.
        if (index.column() > 0 && m_columns[size_t(index.column())].rightAligned)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ReportListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns())
        return QAbstractTableModel::headerData(section, orientation, role);
    const Column& c = m_columns[size_t(section)];
    if (role == Qt::DisplayRole)
        return c.caption;
    if (role == Qt::TextAlignmentRole)
        return int((section > 0 && c.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ReportListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ReportListModel::clearColumns()
{
    if (m_columns.empty())
        return;
    beginRemoveColumns(QModelIndex(), 0, columns() - 1);
    m_columns.clear();
    endRemoveColumns();
}

int ReportListModel::addColumn(const QString& caption, int widthTwips, bool rightAligned)
{
    const int i = columns();
    beginInsertColumns(QModelIndex(), i, i);
    m_columns.push_back(Column{caption, widthTwips, rightAligned});
    endInsertColumns();
    return i;
}

void ReportListModel::setColumnWidthTwips(int i, int widthTwips)
{
    if (i >= 0 && i < columns())
        m_columns[size_t(i)].widthTwips = widthTwips;
}

void ReportListModel::clearItems()
{
    beginResetModel();
    m_rows.clear();
    m_shownRows = 0;
    m_shownDirty = false;
    endResetModel();
}

int ReportListModel::addItem(const QString& text)
{
    const int row = itemCount();
    QStringList cells;
    cells.reserve(std::max(1, columns()));
    cells.append(text);
    if (m_bulk) {
        m_rows.push_back(std::move(cells));
        return row;
    }
    flush();
    beginInsertRows(QModelIndex(), row, row);
    m_rows.push_back(std::move(cells));
    m_shownRows = itemCount();
    endInsertRows();
    return row;
}

int ReportListModel::addRows(std::vector<QStringList>&& rows)
{
    const int first = itemCount();
    if (rows.empty())
        return first;
    m_rows.reserve(m_rows.size() + rows.size());
    for (QStringList& r : rows) {
        if (r.isEmpty())
            r.append(QString());
        m_rows.push_back(std::move(r));
    }
    rows.clear();
    if (!m_bulk)
        flush();
    return first;
}

void ReportListModel::setCell(int row, int col, const QString& text)
{
    if (row < 0 || row >= itemCount() || col < 0)
        return;
    QStringList& cells = m_rows[size_t(row)];
    if (col >= cells.size())
        cells.resize(col + 1);
    cells[col] = text;
    if (row >= m_shownRows || col >= columns())
        return;
    if (m_bulk) {
        m_shownDirty = true;
        return;
    }
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

QString ReportListModel::cell(int row, int col) const
{
    if (row < 0 || row >= itemCount() || col < 0)
        return {};
    const QStringList& cells = m_rows[size_t(row)];
    return col < cells.size() ? cells[col] : QString();
}

void ReportListModel::beginBulk()
{
    m_bulk = true;
}

void ReportListModel::endBulk()
{
    m_bulk = false;
    flush();
}

void ReportListModel::flush()
{
    if (itemCount() > m_shownRows) {
        beginInsertRows(QModelIndex(), m_shownRows, itemCount() - 1);
        m_shownRows = itemCount();
        endInsertRows();
    }
    if (m_shownDirty) {
        m_shownDirty = false;
        if (m_shownRows > 0 && columns() > 0)
            emit dataChanged(index(0, 0), index(m_shownRows - 1, columns() - 1), {Qt::DisplayRole});
    }
}

void ReportListModel::sortRows(int col, Qt::SortOrder order)
{
    flush();
    const int n = itemCount();
    if (n < 2 || col < 0)
        return;

    const std::vector<int> perm = column_sort::order(m_rows, col, order);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<QStringList> sorted;
    sorted.reserve(size_t(n));
    std::vector<int> newPos(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        sorted.push_back(std::move(m_rows[size_t(perm[size_t(i)])]));
        newPos[size_t(perm[size_t(i)])] = i;
    }
    m_rows = std::move(sorted);

    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& i : from)
        to.append(index(newPos[size_t(i.row())], i.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
