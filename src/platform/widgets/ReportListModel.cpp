#include "platform/widgets/ReportListModel.h"

#include "platform/widgets/ColumnSort.h"
#include "platform/widgets/PackedRow.h"

#include <algorithm>
#include <iterator>
#include <cstring>
#include <numeric>

namespace {

QByteArray pack(const QStringList& cells)
{
    PackedRow out;
    for (const QString& c : cells)
        out.append(c);
    if (cells.isEmpty())
        out.append(QString());
    return out.take();
}

// Calls take(index, bytes, length) for each cell until it returns false.
template <class Take>
void walkCells(const QByteArray& row, Take take)
{
    const char* p = row.constData();
    const char* end = p + row.size();
    for (int i = 0; p < end; ++i) {
        quint32 n = 0;
        int shift = 0;
        while (p < end) {
            const auto b = static_cast<unsigned char>(*p++);
            n |= quint32(b & 0x7f) << shift;
            shift += 7;
            if (!(b & 0x80))
                break;
        }
        const qsizetype len = std::min<qsizetype>(qsizetype(n), end - p);
        if (!take(i, p, len))
            return;
        p += len;
    }
}

// The bytes of a cell's shown text (up to the value mark) or of the value it stands for.
qsizetype shownLength(const char* p, qsizetype n)
{
    const void* mark = std::memchr(p, PackedRow::kValueMark, size_t(n));
    return mark ? static_cast<const char*>(mark) - p : n;
}

QStringList unpack(const QByteArray& row)
{
    QStringList cells;
    walkCells(row, [&](int, const char* p, qsizetype n) {
        cells.append(QString::fromUtf8(p, shownLength(p, n)));
        return true;
    });
    return cells;
}

// The cells as they are packed, a cell's value kept with its text.
QList<QByteArray> rawCells(const QByteArray& row)
{
    QList<QByteArray> cells;
    walkCells(row, [&](int, const char* p, qsizetype n) {
        cells.append(QByteArray(p, n));
        return true;
    });
    return cells;
}

}  // namespace

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

void ReportListModel::setColumns(std::vector<Column> columns)
{
    clearColumns();
    if (columns.empty())
        return;
    beginInsertColumns(QModelIndex(), 0, int(columns.size()) - 1);
    m_columns = std::move(columns);
    endInsertColumns();
}

void ReportListModel::setColumnWidthTwips(int i, int widthTwips)
{
    if (i >= 0 && i < columns())
        m_columns[size_t(i)].widthTwips = widthTwips;
}

void ReportListModel::setValueColumn(int i, bool values)
{
    if (i >= 0 && i < columns())
        m_columns[size_t(i)].values = values;
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
    QByteArray cells = pack({text});
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
    for (const QStringList& r : rows)
        m_rows.push_back(pack(r));
    rows.clear();
    if (!m_bulk)
        flush();
    return first;
}

int ReportListModel::addPackedRows(std::vector<QByteArray>&& rows)
{
    const int first = itemCount();
    if (rows.empty())
        return first;
    // Grown as a vector grows, so a reading that adds its rows a batch at a time moves the
    // rows already held only now and then.
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    rows.clear();
    if (!m_bulk)
        flush();
    return first;
}

void ReportListModel::setCell(int row, int col, const QString& text)
{
    if (row < 0 || row >= itemCount() || col < 0)
        return;
    QList<QByteArray> cells = rawCells(m_rows[size_t(row)]);
    if (col >= cells.size())
        cells.resize(col + 1);
    cells[col] = text.toUtf8();
    PackedRow packed;
    for (const QByteArray& c : cells)
        packed.appendUtf8(c);
    m_rows[size_t(row)] = packed.take();
    if (row >= m_shownRows || col >= columns())
        return;
    if (m_bulk) {
        m_shownDirty = true;
        return;
    }
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

namespace {
// Column col of a packed row made a string by text(p, n), or an empty string past its end.
template <class Text>
QString cellOf(const QByteArray& row, int col, Text text)
{
    QString out;
    walkCells(row, [&](int i, const char* p, qsizetype n) {
        if (i < col)
            return true;
        out = text(p, n);
        return false;
    });
    return out;
}
}  // namespace

QString ReportListModel::cell(int row, int col) const
{
    if (row < 0 || row >= itemCount() || col < 0)
        return {};
    return cellOf(m_rows[size_t(row)], col, [](const char* p, qsizetype n) { return QString::fromUtf8(p, shownLength(p, n)); });
}

QString ReportListModel::value(int row, int col) const
{
    if (row < 0 || row >= itemCount() || col < 0)
        return {};
    return cellOf(m_rows[size_t(row)], col, [](const char* p, qsizetype n) {
        const qsizetype shown = shownLength(p, n);
        return shown < n ? QString::fromUtf8(p + shown + 1, n - shown - 1) : QString::fromUtf8(p, n);
    });
}

QStringList ReportListModel::rowCells(int row) const
{
    return unpack(m_rows[size_t(row)]);
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

    // The column's cells as one-cell rows, so each row is unpacked only for its key.
    std::vector<QStringList> keys(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r)
        keys[size_t(r)] = QStringList{cell(r, col)};
    const std::vector<int> perm = column_sort::order(keys, 0, order);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<QByteArray> sorted;
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
