#include "core/FileCheck.h"

#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <vector>

namespace management {

namespace {

const QString kRegistrationNo = QStringLiteral("登録ＮＯ");
const QString kSubNo = QStringLiteral("サブＮＯ");
const QString kCode = QStringLiteral("コード");

// The cells of one management row that name tables and their columns.
struct FileRow {
    qint64 created = 0;
    QString table;
    qint64 fieldCount = 0;
    QStringList names;
    QStringList types;
};

QString cell(const Recordset& rs, int ordinal)
{
    const Value v = rs.field(ordinal);
    return v.isNull() ? QString() : text::Trim(v.toString());
}

qint64 number(const Recordset& rs, int ordinal)
{
    const Value v = rs.field(ordinal);
    return v.isNull() ? 0 : v.toInt();
}

// The file of a category row whose flag sits at `flag`: flag, table name, field count, then
// the eight name and type pairs.
FileRow fileRow(const Recordset& rs, int flag)
{
    FileRow f;
    f.created = number(rs, flag);
    f.table = cell(rs, flag + 1);
    f.fieldCount = number(rs, flag + 2);
    for (int k = 0; k < 8; ++k) {
        f.names << cell(rs, flag + 3 + 2 * k);
        f.types << cell(rs, flag + 4 + 2 * k);
    }
    return f;
}

// Whether a column's declared type is what a field of this type word is created as.
bool typeFits(const QString& typeWord, const ColumnInfo& c)
{
    const QString word = typeWord.toUpper();
    // Text fields, those linked to a code table, and code fields (TEXT(d)) are all text
    // columns; a code field whose code table went is a plain text field again.
    if (word.startsWith(QLatin1String("TEXT")) || word.startsWith(QLatin1String("CODE")))
        return c.type == ColumnInfo::Type::Text;
    if (word == QLatin1String("LONG")) return c.type == ColumnInfo::Type::Long;
    if (word == QLatin1String("CURRENCY")) return c.type == ColumnInfo::Type::Currency;
    if (word == QLatin1String("DATE")) return c.type == ColumnInfo::Type::Date;
    return c.declared.trimmed().compare(typeWord, Qt::CaseInsensitive) == 0;
}

QString columnList(const std::vector<ColumnInfo>& cols)
{
    QStringList out;
    for (const ColumnInfo& c : cols) out << c.name + QLatin1Char(' ') + c.declared;
    return out.join(QStringLiteral(", "));
}

QString mismatch(const QString& table, const std::vector<ColumnInfo>& cols)
{
    return QStringLiteral("テーブル「%1」の列が管理テーブルの定義と合いません。(%2)").arg(table, columnList(cols));
}

// A main or sub file as its row records it.
std::optional<QString> checkFile(Database& db, const FileRow& f, const QString& what, const QString& expected,
                                 const QStringList& keys)
{
    if (!f.table.isEmpty() && f.table != expected)
        return QStringLiteral("%1のテーブル名が「%2」になっています。「%3」でなければなりません。").arg(what, f.table, expected);
    if (f.created == 0) return std::nullopt;
    if (f.created != 1 || f.table.isEmpty())
        return QStringLiteral("%1の作成済みの印が正しくありません。").arg(what);
    if (f.fieldCount < 1 || f.fieldCount > 8)
        return QStringLiteral("%1のフィールド個数 %2 が正しくありません。").arg(what).arg(f.fieldCount);
    if (!db.tableExists(expected)) return QStringLiteral("%1のテーブル「%2」がありません。").arg(what, expected);
    const std::vector<ColumnInfo> cols = db.columns(expected);
    const int n = static_cast<int>(f.fieldCount);
    if (cols.size() != size_t(n + keys.size())) return mismatch(expected, cols);
    for (int k = 0; k < n; ++k) {
        if (cols[size_t(k)].name != f.names[k] || !typeFits(f.types[k], cols[size_t(k)])) return mismatch(expected, cols);
    }
    for (int i = 0; i < keys.size(); ++i) {
        const ColumnInfo& c = cols[size_t(n + i)];
        if (c.name != keys[i] || c.type != ColumnInfo::Type::Long) return mismatch(expected, cols);
    }
    return std::nullopt;
}

// Code table k (1..8) as the register of the system row records it.
std::optional<QString> checkCodeTable(Database& db, int k, const QString& name, const QString& length)
{
    const QString table = QStringLiteral("CODE%1").arg(k);
    if (!db.tableExists(table)) return QStringLiteral("コード・テーブル「%1」のテーブル「%2」がありません。").arg(name, table);
    const std::vector<ColumnInfo> cols = db.columns(table);
    bool lengthOk = false;
    const int d = length.toInt(&lengthOk);
    if (cols.size() != 2 || cols[0].name != kCode || cols[0].type != ColumnInfo::Type::Text ||
        (lengthOk && cols[0].maxLength != d) || cols[1].name != name || cols[1].type != ColumnInfo::Type::Text)
        return mismatch(table, cols);
    return std::nullopt;
}

}  // namespace

QStringList programTables()
{
    QStringList names{kTable};
    for (int i = 1; i <= 6; ++i) names << QStringLiteral("SHUMOKU%1").arg(i) << QStringLiteral("SHUMOKU%1SUB").arg(i);
    for (int k = 1; k <= 8; ++k) names << QStringLiteral("CODE%1").arg(k);
    return names;
}

std::optional<QString> fileProblem(Database& db)
{
    try {
        if (auto problem = shapeProblem(db)) return problem;

        // Triggers and views would run or show other statements than the program's own.
        const QStringList tables = programTables();
        const QSet<QString> allowed(tables.begin(), tables.end());
        // Names cannot hold blanks, so these words in a statement are its own clauses.
        static const QRegularExpression onConflict(QStringLiteral("(?<!\\w)ON\\s+CONFLICT(?!\\w)"),
                                                   QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression withoutRowId(QStringLiteral("(?<!\\w)WITHOUT\\s+ROWID(?!\\w)"),
                                                     QRegularExpression::CaseInsensitiveOption);
        for (const Database::SchemaObject& o : db.schemaObjects()) {
            if (o.type == QLatin1String("trigger"))
                return QStringLiteral("トリガー「%1」(テーブル「%2」) が含まれています。").arg(o.name, o.table);
            if (o.type == QLatin1String("view")) return QStringLiteral("ビュー「%1」が含まれています。").arg(o.name);
            if (o.type != QLatin1String("table") || o.name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
                continue;
            if (!allowed.contains(o.name))
                return QStringLiteral("このプログラムのものではないテーブル「%1」が含まれています。").arg(o.name);
            if (o.sql.trimmed().startsWith(QLatin1String("CREATE VIRTUAL"), Qt::CaseInsensitive) ||
                withoutRowId.match(o.sql).hasMatch())
                return QStringLiteral("テーブル「%1」は通常のテーブルではありません。").arg(o.name);
            // A conflict clause would let an add replace another record instead of refusing it.
            if (onConflict.match(o.sql).hasMatch())
                return QStringLiteral("テーブル「%1」に競合時の処理 (ON CONFLICT) が定義されています。").arg(o.name);
        }

        Recordset rs = db.openTable(kTable);
        for (int r = 0; r < 6 && !rs.eof(); ++r, rs.moveNext()) {
            const QString category = QStringLiteral("種目%1 ").arg(r + 1);
            if (auto problem = checkFile(db, fileRow(rs, 4), category + QStringLiteral("のメイン・ファイル"),
                                         QStringLiteral("SHUMOKU%1").arg(r + 1), {kRegistrationNo}))
                return problem;
            if (auto problem = checkFile(db, fileRow(rs, 23), category + QStringLiteral("のサブ・ファイル"),
                                         QStringLiteral("SHUMOKU%1SUB").arg(r + 1), {kRegistrationNo, kSubNo}))
                return problem;
        }
        if (rs.eof()) return QStringLiteral("管理テーブルの行が足りません (7 行必要です)。");
        // The system row: the register of code tables in its sub-field cells.
        const FileRow codes = fileRow(rs, 23);
        for (int k = 0; k < 8; ++k) {
            if (codes.names[k].isEmpty()) continue;
            if (auto problem = checkCodeTable(db, k + 1, codes.names[k], codes.types[k])) return problem;
        }
    } catch (const DbError& e) {
        return e.message();
    }
    return std::nullopt;
}

}  // namespace management
