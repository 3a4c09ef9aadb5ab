#include "core/CodeStore.h"

#include "core/ColumnNameCheck.h"
#include "core/ConfigCache.h"
#include "platform/db/Database.h"

namespace {

// The condition on a table's first column (the code column) that finds a code.
std::vector<Recordset::Equals> codeIs(Database& db, const QString& table, const QString& code)
{
    const std::vector<ColumnInfo> columns = db.columns(table);
    const QString column = columns.empty() ? schema::kCodeColumn : columns.front().name;
    return {{column, Value::text(code)}};
}

// The rows of a table holding a code.
Recordset withCode(Database& db, const QString& table, const QString& code)
{
    return db.openWhere(table, codeIs(db, table, code));
}

// Holds the code's row and stops a write over it when its name is no longer the one the
// person saw: another desk renamed or deleted the code since.
Recordset shownCode(Database& db, const QString& table, const QString& code, const QString& shownName)
{
    const std::vector<Recordset::Equals> key = codeIs(db, table, code);
    db.lockRows(table, key);
    Recordset rs = db.openWhere(table, key);
    if (rs.eof()) throw DbError(QStringLiteral("このコードは、表示した後に他の端末で削除されています。"));
    if (rs.field(1).toString() != shownName)
        throw DbError(QStringLiteral("このコードは、表示した後に他の端末で変更されています。"
                                     "表示し直した内容を確かめてから、もう一度操作して下さい。"));
    return rs;
}

}  // namespace

QString CodeStore::createStatement(int slot, int length, const QString& name) const
{
    return statementFor(cache_.codeTableName(size_t(slot)), QStringLiteral("TEXT(%1)").arg(length), name,
                        QStringLiteral("TEXT(30)"));
}

QString CodeStore::statementFor(const QString& table, const QString& codeType, const QString& name, const QString& nameType)
{
    return QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" ( コード ") + codeType +
           QStringLiteral(" CONSTRAINT MyFieldConstraint PRIMARY KEY, ") + name + QLatin1Char(' ') + nameType +
           QLatin1Char(')');
}

QString CodeStore::createTable(int slot, const QString& name, int length)
{
    const QString statement = createStatement(slot, length, name);
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    ConfigCache::Change change(cache_);
    change.checkCurrent(db);
    db.execute(statement);
    auto& sys = change.edit(ConfigCache::kSystemRow);
    sys.subFieldCount = static_cast<qint16>(sys.subFieldCount + 1);
    sys.subFields[size_t(slot)] = {name, QString::number(length)};
    change.store(&db);
    tx.commit();
    change.keep();
    return statement;
}

void CodeStore::dropTable(int slot)
{
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    ConfigCache::Change change(cache_);
    change.checkCurrent(db);
    db.execute(QStringLiteral("DROP TABLE ") + ConfigCache::codeTableName(slot));
    for (int r = 0; r < 6; ++r) {
        const CategoryDefinition& d = change.row(r);
        for (const auto* fields : {&d.mainFields, &d.subFields}) {
            for (size_t k = 0; k < fields->size(); ++k) {
                if (!drawsOn((*fields)[k].typeWord, slot + 1)) continue;
                CategoryDefinition& changed = change.edit(r);
                (fields == &d.mainFields ? changed.mainFields : changed.subFields)[k].typeWord = QStringLiteral("TEXT");
            }
        }
    }
    auto& sys = change.edit(ConfigCache::kSystemRow);
    sys.subFields[size_t(slot)] = {QStringLiteral(" "), QStringLiteral(" ")};
    sys.subFieldCount = static_cast<qint16>(sys.subFieldCount - 1);
    change.store(&db);
    tx.commit();
    change.keep();
}

std::optional<QString> CodeStore::nameOf(const QString& table, const QString& code)
{
    Database db = Database::open(cache_.databasePath());
    const Recordset rs = withCode(db, table, code);
    if (rs.eof()) return std::nullopt;
    return rs.field(1).toString();
}

bool CodeStore::addCode(const QString& table, const QString& code, const QString& name)
{
    Database db = Database::open(cache_.databasePath());
    if (!withCode(db, table, code).eof()) return false;
    Recordset rs = db.openTable(table);
    rs.addNew();
    rs.setField(0, code);
    rs.setField(1, name);
    rs.update();
    return true;
}

void CodeStore::renameCode(const QString& table, const QString& code, const QString& shownName, const QString& name)
{
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    for (Recordset rs = shownCode(db, table, code, shownName); !rs.eof(); rs.moveNext()) {
        rs.edit();
        rs.setField(1, name);
        rs.update();
    }
    tx.commit();
}

void CodeStore::removeCode(const QString& table, const QString& code, const QString& shownName)
{
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    for (Recordset rs = shownCode(db, table, code, shownName); !rs.eof(); rs.moveNext())
        rs.deleteCurrent();
    tx.commit();
}

void CodeStore::linkFields(int category, bool sub, const std::vector<std::pair<int, QString>>& typeWords)
{
    ConfigCache::Change change(cache_);
    CategoryDefinition& d = change.edit(category);
    auto& fields = sub ? d.subFields : d.mainFields;
    for (const auto& [field, word] : typeWords) fields[size_t(field)].typeWord = word;
    change.store();
    change.keep();
}

bool CodeStore::drawsOn(const QString& typeWord, int k)
{
    const QChar digit = QChar(QLatin1Char(static_cast<char>('0' + k)));
    return typeWord == QStringLiteral("CODE%1").arg(k) || (typeWord.size() >= 5 && typeWord.at(4) == digit);
}
