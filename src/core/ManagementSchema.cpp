#include "core/ManagementSchema.h"

#include "platform/db/Database.h"

namespace management {

namespace {
struct Layout {
    QStringList names;
    QStringList types;
    Layout()
    {
        auto add = [this](const QString& n, const char* t) { names << n; types << QString::fromLatin1(t); };
        add(QStringLiteral("CommandKeyNO"), "SHORT");
        add(QStringLiteral("種目名入力有無"), "SHORT");
        add(QStringLiteral("種目名"), "TEXT");
        add(QStringLiteral("データベースファイル名"), "TEXT");
        add(QStringLiteral("種目テーブル名入力有無"), "SHORT");
        add(QStringLiteral("種目テーブル名"), "TEXT");
        add(QStringLiteral("フィールド個数"), "SHORT");
        for (int k = 1; k <= 8; ++k) {
            add(QStringLiteral("フィールド%1名").arg(k), "TEXT");
            add(QStringLiteral("フィールド%1データ型").arg(k), "TEXT");
        }
        add(QStringLiteral("種目SUBテーブル名入力有無"), "SHORT");
        add(QStringLiteral("種目SUBテーブル名"), "TEXT");
        add(QStringLiteral("SUBフィールド個数"), "SHORT");
        for (int k = 1; k <= 8; ++k) {
            add(QStringLiteral("SUBフィールド%1名").arg(k), "TEXT");
            add(QStringLiteral("SUBフィールド%1データ型").arg(k), "TEXT");
        }
        add(QStringLiteral("登録NO"), "LONG");
    }
};

const Layout& layout()
{
    static const Layout l;
    return l;
}
}  // namespace

const QStringList& columnNames() { return layout().names; }
const QStringList& columnTypes() { return layout().types; }

QString createStatement()
{
    QStringList cols;
    for (int i = 0; i < kColumnCount; ++i) cols << columnNames()[i] + QLatin1Char(' ') + columnTypes()[i];
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(kTable, cols.join(QStringLiteral(", ")));
}

std::optional<QString> shapeProblem(Database& db)
{
    if (!db.tableExists(kTable)) return QStringLiteral("管理テーブルがありません。");
    const std::vector<ColumnInfo> cols = db.columns(kTable);
    if (cols.size() != static_cast<size_t>(kColumnCount)) return QStringLiteral("管理テーブルの列の数が正しくありません。");
    for (int i = 0; i < kColumnCount; ++i)
        if (cols[size_t(i)].name != columnNames()[i])
            return QStringLiteral("管理テーブルの列「%1」がありません。").arg(columnNames()[i]);
    if (db.openTable(kTable).recordCount() < kRowCount)
        return QStringLiteral("管理テーブルの行が足りません (7 行必要です)。");
    return std::nullopt;
}

}  // namespace management
