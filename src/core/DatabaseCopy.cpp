#include "core/DatabaseCopy.h"

#include "core/CodeStore.h"
#include "core/ConfigCache.h"
#include "core/FileCheck.h"
#include "core/ManagementSchema.h"
#include "core/SchemaStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"

#include <QStringList>
#include <vector>

namespace {

enum class Kind { Management, Main, Sub, Code };

struct Table {
    QString name;
    Kind kind;
};

// The management table first, then the tables its rows record as made.
std::vector<Table> namedTables(Database& from)
{
    Recordset rows = from.openTable(management::kTable);
    ConfigCache recorded;
    recorded.LoadConfigCache(rows);
    std::vector<Table> out{{management::kTable, Kind::Management}};
    for (int i = 0; i < 6; ++i) {
        if (recorded.row(size_t(i)).mainCreated == 1) out.push_back({QStringLiteral("SHUMOKU%1").arg(i + 1), Kind::Main});
        if (recorded.row(size_t(i)).subCreated == 1) out.push_back({QStringLiteral("SHUMOKU%1SUB").arg(i + 1), Kind::Sub});
    }
    for (int k = 0; k < 8; ++k)
        if (!text::isBlank(recorded.row(ConfigCache::kSystemRow).subFields[size_t(k)].name))
            out.push_back({QStringLiteral("CODE%1").arg(k + 1), Kind::Code});
    return out;
}

QString columnList(const std::vector<ColumnInfo>& cols)
{
    QStringList out;
    for (const ColumnInfo& c : cols) out << c.name + QLatin1Char(' ') + c.declared;
    return out.join(QStringLiteral(", "));
}

DbError unlike(const QString& table, const std::vector<ColumnInfo>& cols)
{
    return DbError(QStringLiteral("テーブル「%1」を元と同じ列で作れません。(%2)").arg(table, columnList(cols)));
}

// The statement the program makes the table with, for the columns it has in `from`.
QString createStatement(const Table& t, const std::vector<ColumnInfo>& cols)
{
    const size_t keys = t.kind == Kind::Main ? 1 : 2;
    switch (t.kind) {
    case Kind::Management: return management::createStatement();
    case Kind::Code:
        if (cols.size() != 2) throw unlike(t.name, cols);
        return CodeStore::statementFor(t.name, cols[0].declared, cols[1].name, cols[1].declared);
    case Kind::Main:
    case Kind::Sub: {
        if (cols.size() <= keys) throw unlike(t.name, cols);
        std::vector<FieldDefinition> fields;
        for (size_t i = 0; i + keys < cols.size(); ++i) fields.push_back({cols[i].name, cols[i].declared});
        return SchemaStore::statementFor(t.name, fields,
                                         t.kind == Kind::Main ? SchemaStore::File::Main : SchemaStore::File::Sub);
    }
    }
    return QString();
}

bool sameColumns(const std::vector<ColumnInfo>& a, const std::vector<ColumnInfo>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].type != b[i].type) return false;
        if (a[i].type == ColumnInfo::Type::Text && a[i].maxLength != b[i].maxLength) return false;
        if (a[i].type == ColumnInfo::Type::Other && a[i].declared.compare(b[i].declared, Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

void copyRows(Database& from, Database& to, const QString& table)
{
    Recordset rows = from.openTable(table);
    RowInserter into = to.inserter(table);
    std::vector<Value> values(size_t(rows.fieldCount()));
    for (; !rows.eof(); rows.moveNext()) {
        for (size_t c = 0; c < values.size(); ++c) values[c] = rows.field(int(c));
        into.insert(values);
    }
}

}  // namespace

void DatabaseCopy::replaceTables(Database& from, Database& to)
{
    const std::vector<Table> tables = namedTables(from);
    for (const QString& name : management::programTables())
        if (to.tableExists(name)) to.execute(QStringLiteral("DROP TABLE ") + name);
    for (const Table& t : tables) {
        const std::vector<ColumnInfo> cols = from.columns(t.name);
        to.execute(createStatement(t, cols));
        // A name or type the statement cannot carry as it stands is not copied under another shape.
        if (!sameColumns(cols, to.columns(t.name))) throw unlike(t.name, cols);
        copyRows(from, to, t.name);
    }
}
