#include "core/AllFilesSearch.h"

#include "core/ConfigCache.h"
#include "core/FieldDisplay.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"

namespace {

// What a Null text field is searched as.
const QString kNullText = QStringLiteral("  ");

// One file's hits; `begun` is told once its table is open.
void searchFile(Database& db, const CategoryDefinition& row, bool sub, text::TextFinder& finder,
                std::vector<AllFilesSearch::Hit>& hits, const std::function<void()>& begun)
{
    const QString table = sub ? row.subTableName : row.mainTableName;
    Recordset rs = db.openTable(table);
    begun();
    const std::vector<FieldDefinition> fields =
        sub ? FieldDisplay::inUse(row.subFields, row.subFieldCount) : FieldDisplay::inUse(row.mainFields, row.mainFieldCount);

    // The keys are read for the hits alone.
    std::vector<int> searched;
    for (int k = 0; k < static_cast<int>(fields.size()); ++k)
        if (typeword::isText(fields[size_t(k)].typeWord)) searched.push_back(k);
    if (searched.empty()) return;
    const QString categoryText = sub ? row.name + QStringLiteral(" ：サブ") : row.name;
    const int keyColumn = static_cast<int>(fields.size());
    const QByteArray nullUtf8 = kNullText.toUtf8();

    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        for (int k : searched) {
            // Each cell is looked at in the engine's own bytes.
            const Recordset::RawCell cell = rs.raw(k);
            bool found = false;
            if (cell.kind == Recordset::RawCell::Kind::Text) {
                found = finder.in(cell.text, cell.bytes);
            } else if (cell.kind == Recordset::RawCell::Kind::Null) {
                found = finder.in(nullUtf8.constData(), nullUtf8.size());
            } else {
                const Value v = rs.field(k);
                const QByteArray shown = (v.isNull() ? kNullText : v.toString()).toUtf8();
                found = finder.in(shown.constData(), shown.size());
            }
            if (!found) continue;
            const Value v = rs.field(k);
            hits.push_back({v.isNull() ? kNullText : v.toString(), categoryText, fields[size_t(k)].name, table,
                            rs.field(keyColumn).toString(), sub ? rs.field(keyColumn + 1).toString() : QString()});
        }
    }
}

}  // namespace

int AllFilesSearch::fileCount(const ConfigCache& cache)
{
    int count = 0;
    for (int i = 0; i < 6; ++i) {
        if (cache.row(i).mainCreated != 0) ++count;
        if (cache.row(i).subCreated != 0) ++count;
    }
    return count;
}

void AllFilesSearch::run(const ConfigCache& cache, const QString& text, int caseMode, std::vector<Hit>& hits,
                         const Progress& progress)
{
    Database db = Database::open(cache.databasePath());
    if (progress.opened) progress.opened();
    // The search text is folded once.
    text::TextFinder finder(text, caseMode);
    int begun = 0;
    for (int i = 0; i < 6; ++i) {
        for (const bool sub : {false, true}) {
            if ((sub ? cache.row(i).subCreated : cache.row(i).mainCreated) == 0) continue;
            searchFile(db, cache.row(i), sub, finder, hits, [&] {
                ++begun;
                if (progress.fileBegun) progress.fileBegun(begun);
            });
            if (progress.fileDone) progress.fileDone();
        }
    }
}
