#include "common/RecordReader.h"

#include "core/App.h"
#include "core/ColumnNameCheck.h"
#include "core/ProgressText.h"
#include "core/FieldDisplay.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/PackedRow.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"

#include <QLabel>
#include <algorithm>

QString RecordReader::startText(bool cells) { return ProgressText::start(ProgressText::readingWord(), cells); }

QString RecordReader::progressText(int remaining)
{
    return ProgressText::bar(ProgressText::readingWord(), remaining);
}

bool RecordReader::keyEquals(const Value& v, qint64 key) { return !v.isNull() && v.toInt() == key; }

std::vector<Recordset::Equals> RecordReader::subRowsOf(qint64 registrationNo)
{
    return {{schema::kRegistrationNoColumn, Value::integer(registrationNo)}};
}

RecordReader::RowFilter RecordReader::keyFilter(int column, qint64 key, Take onMatch)
{
    return [column, key, onMatch](const Recordset& rs) { return keyEquals(rs.field(column), key) ? onMatch : Take::No; };
}

int RecordReader::readShown(App& app, ReportListView& list, const Request& request, StatusBar3* progressBar)
{
    ProgressSink sink;
    if (progressBar) {
        sink = [progressBar](const QString& s) {
            progressBar->setPanelText(3, s);
            progressBar->panel(3)->repaint();
        };
    }
    const RecordReader reader(sink, progressBar && app.cache.readProgressOn());
    const int before = list.rowCount();
    app.guard([&] {
        Database db = app.openDatabase();
        reader.read(db, request, *list.listModel());
    });
    return list.rowCount() - before;
}

int RecordReader::remainingCells(qint64 r, qint64 n) { return ProgressText::remainingCells(r, n); }

namespace {

// An amount in its list format; one with a fraction of a yen keeps its full value with it.
// A whole-yen amount, the usual one, is written as UTF-8 bytes straight into the row.
void appendAmount(PackedRow& row, qint64 units)
{
    constexpr qint64 kUnitsPerYen = 10000;
    if (units % kUnitsPerYen == 0) {
        const qint64 yen = units / kUnitsPerYen;
        quint64 magnitude = yen < 0 ? 0 - static_cast<quint64>(yen) : static_cast<quint64>(yen);
        char digits[32];
        int n = 0;
        for (int d = 0; magnitude != 0; ++d, magnitude /= 10) {
            if (d > 0 && d % 3 == 0) digits[n++] = ',';
            digits[n++] = static_cast<char>('0' + magnitude % 10);
        }
        char shown[40];
        int k = 0;
        if (yen < 0) shown[k++] = '-';
        shown[k++] = '\xc2';  // the yen sign, U+00A5
        shown[k++] = '\xa5';
        while (n > 0) shown[k++] = digits[--n];
        row.appendUtf8(shown, k);
        return;
    }
    const QString shown = text::formatYenList(units);
    const QString full = text::formatYenExact(units);
    if (full == shown) row.append(shown);
    else row.appendShownAndValue(shown, full);
}

// One cell of the current row in its list format. A text, a whole number, a plain date or
// a Null goes straight from the engine into the packed row, an amount from its units; any
// other date is formatted through its value.
void appendCell(PackedRow& row, const Recordset& rs, int column, FieldDisplay::Kind kind, const QString& nullText,
                const QByteArray& nullUtf8)
{
    const Recordset::RawCell c = rs.raw(column);
    switch (c.kind) {
    case Recordset::RawCell::Kind::Null: row.appendUtf8(nullUtf8); return;
    case Recordset::RawCell::Kind::Text: row.appendUtf8(c.text, c.bytes); return;
    case Recordset::RawCell::Kind::Integer:
        if (kind != FieldDisplay::Kind::Currency) {
            row.appendNumber(c.integer);
            return;
        }
        break;
    case Recordset::RawCell::Kind::IsoDate: {
        // yyyy-MM-dd shows as yyyy/MM/dd.
        char shown[10];
        std::copy(c.text, c.text + 10, shown);
        shown[4] = shown[7] = '/';
        row.appendUtf8(shown, 10);
        return;
    }
    case Recordset::RawCell::Kind::Units:
        if (kind == FieldDisplay::Kind::Currency) {
            appendAmount(row, c.integer);
            return;
        }
        break;
    case Recordset::RawCell::Kind::Other: break;
    }
    const Value v = rs.field(column);
    if (kind == FieldDisplay::Kind::Currency && (v.kind() == Value::Kind::Currency || v.kind() == Value::Kind::Integer)) {
        appendAmount(row, v.currencyUnits());
        return;
    }
    row.append(FieldDisplay::listText(v, kind, nullText));
}

// The first row after r of n at which fewer than h empty cells are left: the cells change
// only there, so they are not worked out again for every row. Past the n counted rows (rows
// added while reading) they are worked out for each row.
qint64 nextChange(qint64 r, qint64 n, int h)
{
    qint64 lo = r + 1, hi = n;
    if (lo > hi) return lo;
    if (RecordReader::remainingCells(hi, n) >= h) return hi + 1;
    while (lo < hi) {
        const qint64 mid = lo + (hi - lo) / 2;
        if (RecordReader::remainingCells(mid, n) < h) hi = mid;
        else lo = mid + 1;
    }
    return lo;
}

}  // namespace

int RecordReader::read(Database& db, const Request& request, ReportListModel& list) const
{
    const int fieldCount = static_cast<int>(request.fields.size());
    const int columns = fieldCount + request.keyColumns;
    std::vector<QByteArray> rows;

    // Whatever happens, the rows read so far reach the list and the progress is cleared.
    struct Finish {
        const RecordReader& reader;
        std::vector<QByteArray>& rows;
        ReportListModel& list;
        ~Finish()
        {
            list.addPackedRows(std::move(rows));
            list.endBulk();
            reader.report(QString());
        }
    } finish{*this, rows, list};
    list.beginBulk();

    // A server carries every value of every row it gives. A search whose taken rows all hold
    // one of a few texts asks it for those rows alone; another search's walk needs only the
    // searched column, so there it carries that alone and the taken rows are read whole
    // afterwards, a page at a time, and looked at once more (another desk may have changed
    // one in between).
    const bool searched = request.filter && request.filterColumn >= 0 && request.where.empty() && db.onServer();
    const bool holding = searched && !request.holdsOneOf.empty();
    const bool narrowed = searched && !holding;
    Recordset rs = !request.where.empty() ? db.openWhere(request.table, request.where)
                   : holding              ? db.openHolding(request.table, request.filterColumn, request.holdsOneOf)
                   : narrowed             ? db.openCarrying(request.table, {request.filterColumn})
                                          : db.openTable(request.table);
    // Only the 25 cells need the number of rows; the word alone is shown at the first row.
    const bool cells = cells_ && sink_;
    const qint64 n = cells ? rs.recordCount() : 0;
    if (n > 0) report(startText(true));
    bool started = cells;

    // The kind of each column, decided once rather than for every cell. The first column
    // and the keys show their plain text.
    std::vector<FieldDisplay::Kind> kinds(size_t(columns), FieldDisplay::Kind::Text);
    for (int j = 1; j < fieldCount; ++j) kinds[size_t(j)] = FieldDisplay::kindOf(request.fields[size_t(j)].typeWord);

    const QByteArray nullUtf8 = request.nullText.toUtf8();
    PackedRow row;
    int taken = 0;
    constexpr size_t kBatch = 4096;
    const auto takeRow = [&](const Recordset& whole) {
        for (int j = 0; j < columns; ++j) appendCell(row, whole, j, kinds[size_t(j)], request.nullText, nullUtf8);
        rows.push_back(row.take());
        ++taken;
        // The rows go to the list a batch at a time, so they are never all held twice.
        if (rows.size() >= kBatch) {
            list.addPackedRows(std::move(rows));
            rows.clear();
        }
    };
    std::vector<qint64> takenIds;
    qint64 r = 0;
    qint64 nextCheck = 1;  // the next row at which the cells may change
    int shown = -1;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (!started) {
            started = true;
            report(startText(false));
        }
        if (cells && ++r >= nextCheck) {
            const int h = remainingCells(r, n);
            if (h != shown) {
                shown = h;
                report(progressText(h));
            }
            nextCheck = nextChange(r, n, h);
        }
        const Take take = request.filter ? request.filter(rs) : Take::Yes;
        if (take == Take::No) continue;
        if (narrowed) takenIds.push_back(rs.rowId());
        else takeRow(rs);
        if (take == Take::YesAndStop) break;
    }
    constexpr size_t kIdsAtOnce = 5000;
    for (size_t from = 0; from < takenIds.size(); from += kIdsAtOnce) {
        const std::vector<qint64> ids(takenIds.begin() + static_cast<std::ptrdiff_t>(from),
                                      takenIds.begin() + static_cast<std::ptrdiff_t>(std::min(takenIds.size(), from + kIdsAtOnce)));
        for (Recordset whole = db.openRows(request.table, ids); !whole.eof(); whole.moveNext())
            if (request.filter(whole) != Take::No) takeRow(whole);
    }
    return taken;
}
