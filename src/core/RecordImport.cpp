#include "core/RecordImport.h"

#include "core/ColumnNameCheck.h"
#include "core/ConfigCache.h"
#include "core/FieldDisplay.h"
#include "core/FieldRule.h"
#include "core/RecordStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"

#include <QHash>
#include <QSet>
#include <map>

namespace {

// The codes of the code tables the fields draw on, with their names.
using CodeNames = QHash<QString, QString>;

CodeNames readCodes(Database& db, const QString& table)
{
    CodeNames codes;
    for (Recordset rs = db.openTable(table); !rs.eof(); rs.moveNext())
        codes.insert(rs.field(0).toString(), rs.field(1).toString());
    return codes;
}

QSet<qint64> readMainNumbers(Database& db, const QString& table)
{
    QSet<qint64> numbers;
    Recordset rs = db.openTable(table);
    const int key = rs.ordinalOf(schema::kRegistrationNoColumn);
    for (; !rs.eof(); rs.moveNext()) {
        const Value v = rs.field(key);
        if (!v.isNull()) numbers.insert(v.toInt());
    }
    return numbers;
}

bool isEmptyRecord(const QStringList& row)
{
    for (const QString& cell : row)
        if (!cell.isEmpty()) return false;
    return true;
}

}  // namespace

RecordImport::RecordImport(ConfigCache& cache, int category, bool sub) : cache_(cache), category_(category), sub_(sub)
{
    const CategoryDefinition& row = cache_.row(category);
    fields_ = sub ? FieldDisplay::inUse(row.subFields, row.subFieldCount)
                  : FieldDisplay::inUse(row.mainFields, row.mainFieldCount);
}

QString RecordImport::foldHeading(const QString& heading)
{
    return heading.normalized(QString::NormalizationForm_KC).trimmed();
}

RecordImport::Mapping RecordImport::map(const QStringList& headings) const
{
    Mapping m;
    std::vector<bool> taken(size_t(headings.size()), false);
    auto find = [&](const QString& name) {
        for (int pass = 0; pass < 2; ++pass) {
            const QString wanted = pass == 0 ? name : foldHeading(name);
            for (int c = 0; c < headings.size(); ++c) {
                if (taken[size_t(c)]) continue;
                if ((pass == 0 ? headings[c] : foldHeading(headings[c])) == wanted) {
                    taken[size_t(c)] = true;
                    return c;
                }
            }
        }
        return -1;
    };
    for (const FieldDefinition& f : fields_) m.columnOfField.push_back(find(f.name));
    if (sub_) m.registrationColumn = find(schema::kRegistrationNoColumn);
    for (int c = 0; c < headings.size(); ++c)
        if (!taken[size_t(c)]) m.unmapped << headings[c];
    return m;
}

RecordImport::Result RecordImport::run(const CsvFile::Table& table, const Mapping& mapping, const Progress& progress) const
{
    Result result;
    const CategoryDefinition& category = cache_.row(category_);
    const qint64 total = 2 * qint64(std::max<qsizetype>(table.size() - 1, 0));
    auto report = [&](qint64 done) {
        if (progress) progress(done, total);
    };

    std::vector<std::vector<Value>> mainRows;
    std::vector<RecordStore::SubRow> subRows;
    {
        Database db = Database::open(cache_.databasePath());
        const std::vector<ColumnInfo> columns = db.columns(sub_ ? category.subTableName : category.mainTableName);
        std::map<QString, CodeNames> codes;
        for (const FieldDefinition& f : fields_)
            if (typeword::isCode(f.typeWord) && !codes.count(f.typeWord)) codes[f.typeWord] = readCodes(db, f.typeWord);
        const fieldrule::CodeLookup lookup = [&codes](const QString& table, const QString& code) -> std::optional<QString> {
            const auto names = codes.find(table);
            if (names == codes.end()) return std::nullopt;
            const auto name = names->second.constFind(code);
            if (name == names->second.cend()) return std::nullopt;
            return *name;
        };
        QSet<qint64> mainNumbers;
        if (sub_) mainNumbers = readMainNumbers(db, category.mainTableName);

        // What each field needs, decided once.
        struct Column {
            const FieldDefinition* field;
            const ColumnInfo* info;
            int csvColumn;
            int codeLength;
        };
        std::vector<Column> plan;
        for (size_t k = 0; k < fields_.size(); ++k) {
            const FieldDefinition& f = fields_[k];
            const bool code = typeword::isCode(f.typeWord);
            plan.push_back({&f, &columns[k], mapping.columnOfField[k],
                            code ? cache_.codeLengthOf(typeword::codeTableNumber(f.typeWord)) : 0});
        }

        const int width = table.isEmpty() ? 0 : int(table[0].size());
        auto refuse = [&](int row, const QString& field, const QString& reason) {
            result.refused.push_back({row, field, reason});
        };
        for (int r = 1; r < table.size() && int(result.refused.size()) < kRefusalLimit; ++r) {
            if ((r & 1023) == 0) report(r);
            const QStringList& cells = table[r];
            if (isEmptyRecord(cells)) continue;
            const size_t before = result.refused.size();
            if (cells.size() > width)
                refuse(r, QString(), QStringLiteral("列の数が見出しより多くなっています。"));
            std::vector<Value> values(plan.size(), Value::null());
            for (size_t k = 0; k < plan.size(); ++k) {
                const Column& p = plan[k];
                if (p.csvColumn < 0 || p.csvColumn >= cells.size() || cells[p.csvColumn].isEmpty()) continue;
                const QString& cell = cells[p.csvColumn];
                const QString& name = p.field->name;
                const fieldrule::Checked checked = fieldrule::check(p.field->typeWord, cell, p.codeLength, lookup);
                if (checked.fault != fieldrule::Fault::None) {
                    refuse(r, name, fieldrule::reason(checked.fault, name, cell));
                    continue;
                }
                // A number beyond its column, or a text beyond its column's length, is refused by
                // the conversion with the engine's message.
                try {
                    values[k] = Recordset::convert(*p.info, checked.stored);
                } catch (const DbError& e) {
                    refuse(r, name, e.message());
                }
            }
            qint64 mainNo = 0;
            if (sub_) {
                const std::optional<double> n = text::parseNumber(cells.value(mapping.registrationColumn));
                mainNo = n ? text::roundHalfEven(*n) : 0;
                if (!n)
                    refuse(r, schema::kRegistrationNoColumn, QStringLiteral("登録ＮＯが相違しています。"));
                else if (!mainNumbers.contains(mainNo))
                    refuse(r, schema::kRegistrationNoColumn,
                           QStringLiteral("登録ＮＯ %1 の明細レコードがありません。").arg(mainNo));
            }
            if (result.refused.size() != before) continue;
            if (sub_) subRows.emplace_back(mainNo, std::move(values));
            else mainRows.push_back(std::move(values));
        }
    }
    if (!result.refused.empty()) return result;

    report(total / 2);
    result.stored = int(sub_ ? subRows.size() : mainRows.size());
    RecordStore store(cache_);
    if (sub_) store.addSubRows(category_, std::move(subRows));
    else store.addMainRows(category_, std::move(mainRows));
    report(total);
    return result;
}
