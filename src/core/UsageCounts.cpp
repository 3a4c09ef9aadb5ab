#include "core/UsageCounts.h"

#include "core/ConfigCache.h"
#include "core/ReportProgress.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"

#include <QHash>
#include <algorithm>

namespace usage {

namespace {

Registrations countRegistrations(const CategoryDefinition& row, Database& db, ReportProgress& progress)
{
    Registrations r;
    Recordset main = db.openTable(row.mainTableName);
    progress.start(main.recordCount());

    // The sub rows of every registration number, from one walk of the sub table.
    QHash<qint64, qint64> subRows;
    if (row.subCreated != 0) {
        Recordset sub = db.openTable(row.subTableName);
        const int subKey = row.subFieldCount;
        for (sub.moveFirst(); !sub.eof(); sub.moveNext()) {
            const Value v = sub.field(subKey);
            if (!v.isNull()) ++subRows[v.toInt()];
        }
    }

    const int mainKey = row.mainFieldCount;
    qint64 done = 0;
    for (main.moveFirst(); !main.eof(); main.moveNext()) {
        progress.row(++done);
        ++r.mainRows;
        const Value key = main.field(mainKey);
        const qint64 n = key.isNull() ? 0 : subRows.value(key.toInt(), 0);
        if (n > 0) {
            ++r.mainWithSub;
            r.subRows += n;
            r.largestSub = std::max(r.largestSub, n);
        } else {
            ++r.mainWithoutSub;
        }
    }
    if (r.subRows != 0)
        r.averageSub = text::roundHalfEven(static_cast<double>(r.subRows) / static_cast<double>(r.mainRows));
    progress.finish();
    return r;
}

void countFile(const ConfigCache& cache, Database& db, int category, bool sub, CodeUsage& u, ReportProgress& progress)
{
    std::vector<int> columns;
    for (int j = 0; j < static_cast<int>(u.fields.size()); ++j)
        if (u.fields[size_t(j)].category == category && u.fields[size_t(j)].sub == sub) columns.push_back(j);
    if (columns.empty()) return;

    const int noMatch = static_cast<int>(u.codes.size()) - 1;
    QHash<QString, int> byCode;
    QHash<QString, int> byName;
    for (int e = noMatch - 1; e >= 0; --e) {
        byCode.insert(u.codes[e], e);
        if (!u.names[e].isEmpty()) byName.insert(u.names[e], e);
    }

    const CategoryDefinition& row = cache.row(size_t(category));
    Recordset rs = db.openTable(sub ? row.subTableName : row.mainTableName);
    progress.start(rs.recordCount());
    qint64 done = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        progress.row(++done);
        for (int j : columns) {
            const UsingField& f = u.fields[size_t(j)];
            const Value v = rs.field(f.field);
            if (v.isNull()) continue;
            const QString value = v.toString();
            if (value.isEmpty()) continue;
            const int entry = f.linkedText ? byName.value(text::Trim(value), noMatch) : byCode.value(value, noMatch);
            ++u.counts[size_t(entry)][size_t(j)];
        }
    }
    progress.finish();
}

}  // namespace

std::array<Registrations, 6> registrations(const ConfigCache& cache, Database& db, ReportProgress& progress)
{
    std::array<Registrations, 6> out{};
    for (int i = 0; i < 6; ++i)
        if (cache.row(size_t(i)).mainCreated != 0) out[size_t(i)] = countRegistrations(cache.row(size_t(i)), db, progress);
    return out;
}

bool usesTable(const QString& typeWord, int k)
{
    if (typeWord == QStringLiteral("CODE") + QString::number(k)) return true;
    return typeword::isText(typeWord) && typeword::codeTableNumber(typeWord) == k;
}

CodeUsage codeUsage(const ConfigCache& cache, Database& db, int k, ReportProgress& progress)
{
    CodeUsage u;
    {
        Recordset table = db.openTable(cache.codeTableName(size_t(k - 1)));
        for (table.moveFirst(); !table.eof(); table.moveNext()) {
            u.codes << table.field(0).toString();
            u.names << text::Trim(table.field(1).toString());
        }
    }
    u.codes << QStringLiteral("0");
    u.names << QStringLiteral("  該当なし");

    for (int i = 0; i < 6; ++i) {
        const CategoryDefinition& row = cache.row(size_t(i));
        if (row.mainCreated != 0) {
            for (int f = 0; f < std::min<int>(row.mainFieldCount, 8); ++f) {
                const FieldDefinition& d = row.mainFields[size_t(f)];
                if (usesTable(d.typeWord, k))
                    u.fields.push_back({i, false, f, typeword::isText(d.typeWord), row.name + QStringLiteral("(MAIN)") + d.name});
            }
        }
        if (row.subCreated != 0) {
            for (int f = 0; f < std::min<int>(row.subFieldCount, 8); ++f) {
                const FieldDefinition& d = row.subFields[size_t(f)];
                if (usesTable(d.typeWord, k))
                    u.fields.push_back({i, true, f, typeword::isText(d.typeWord), row.name + QStringLiteral("(SUB)") + d.name});
            }
        }
    }
    u.counts.assign(size_t(u.codes.size()), std::vector<qint64>(u.fields.size(), 0));
    for (int i = 0; i < 6; ++i) {
        if (cache.row(size_t(i)).mainCreated != 0) countFile(cache, db, i, false, u, progress);
        if (cache.row(size_t(i)).subCreated != 0) countFile(cache, db, i, true, u, progress);
    }
    return u;
}

}  // namespace usage
