#include "core/RecordReader.h"

#include "core/App.h"
#include "core/ColumnNameCheck.h"
#include "core/ProgressText.h"
#include "core/FieldDisplay.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"

#include <QLabel>

QString RecordReader::startText(bool cells) { return ProgressText::start(QStringLiteral("ファイル読込中"), cells); }

QString RecordReader::progressText(int remaining)
{
    return ProgressText::bar(QStringLiteral("ファイル読込中"), remaining);
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
        reader.read(db, request, list);
    });
    return list.rowCount() - before;
}

int RecordReader::remainingCells(qint64 r, qint64 n) { return ProgressText::remainingCells(r, n); }

int RecordReader::read(Database& db, const Request& request, ReportListView& list) const
{
    const int fieldCount = static_cast<int>(request.fields.size());
    const int columns = fieldCount + request.keyColumns;
    std::vector<QStringList> rows;

    // Whatever happens, the rows read so far reach the list and the progress is cleared.
    struct Finish {
        const RecordReader& reader;
        std::vector<QStringList>& rows;
        ReportListView& list;
        ~Finish()
        {
            list.addRows(std::move(rows));
            list.endBulk();
            reader.report(QString());
        }
    } finish{*this, rows, list};
    list.beginBulk();

    Recordset rs = request.where.empty() ? db.openTable(request.table) : db.openWhere(request.table, request.where);
    const qint64 n = rs.recordCount();
    if (n > 0) report(startText(cells_));

    // The kind of each column, decided once rather than for every cell. The first column
    // and the keys show their plain text.
    std::vector<FieldDisplay::Kind> kinds(size_t(columns), FieldDisplay::Kind::Text);
    for (int j = 1; j < fieldCount; ++j) kinds[size_t(j)] = FieldDisplay::kindOf(request.fields[size_t(j)].typeWord);

    qint64 r = 0;
    int shown = -1;
    int taken = 0;
    constexpr size_t kBatch = 4096;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (cells_ && sink_) {
            const int h = remainingCells(++r, n);
            if (h != shown) {
                shown = h;
                report(progressText(h));
            }
        }
        const Take take = request.filter ? request.filter(rs) : Take::Yes;
        if (take == Take::No) continue;

        QStringList cells;
        cells.reserve(columns);
        for (int j = 0; j < columns; ++j) {
            cells << FieldDisplay::listText(rs.field(j), kinds[size_t(j)], request.nullText);
        }
        rows.push_back(std::move(cells));
        ++taken;
        // The rows go to the list a batch at a time, so they are never all held twice.
        if (rows.size() >= kBatch) {
            list.addRows(std::move(rows));
            rows.clear();
        }
        if (take == Take::YesAndStop) break;
    }
    return taken;
}
