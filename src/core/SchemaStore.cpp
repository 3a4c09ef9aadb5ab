#include "core/SchemaStore.h"

#include "core/ColumnNameCheck.h"
#include "core/ConfigCache.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"

namespace {

const QString kSpace = QStringLiteral(" ");

QString tableOf(const CategoryDefinition& row, SchemaStore::File file)
{
    return text::Trim(file == SchemaStore::File::Main ? row.mainTableName : row.subTableName);
}

}  // namespace

QString SchemaStore::createStatement(const QString& table, const std::vector<FieldDefinition>& fields, File file) const
{
    std::vector<FieldDefinition> columns = fields;
    for (FieldDefinition& f : columns) {
        if (f.typeWord.startsWith(QLatin1String("CODE"))) {
            const int k = f.typeWord.mid(4, 1).toInt();
            f.typeWord = QStringLiteral("TEXT(") + text::Trim(cache_.row(ConfigCache::kSystemRow).subFields[k - 1].typeWord) +
                         QStringLiteral(")");
        }
    }
    return statementFor(table, columns, file);
}

QString SchemaStore::statementFor(const QString& table, const std::vector<FieldDefinition>& columns, File file)
{
    QString sql = QStringLiteral("CREATE TABLE ") + text::Trim(table) + QStringLiteral(" (");
    for (const FieldDefinition& f : columns) sql += f.name + QStringLiteral(" ") + f.typeWord + QStringLiteral(", ");
    if (file == File::Main) {
        sql += schema::kRegistrationNoColumn + QStringLiteral(" LONG CONSTRAINT MyFieldMain PRIMARY KEY)");
    } else {
        sql += schema::kRegistrationNoColumn + QStringLiteral(" LONG ,") + schema::kSubNoColumn +
               QStringLiteral(" LONG, CONSTRAINT MyFieldSub PRIMARY KEY(登録ＮＯ, サブＮＯ))");
    }
    return sql;
}

QString SchemaStore::createFile(int category, File file, const QString& table, const std::vector<FieldDefinition>& fields)
{
    const QString statement = createStatement(table, fields, file);
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    ConfigCache::Change change(cache_);
    CategoryDefinition& row = change.edit(category);
    auto& defined = file == File::Main ? row.mainFields : row.subFields;
    for (size_t r = 0; r < fields.size() && r < defined.size(); ++r) defined[r] = fields[r];
    if (file == File::Main) {
        row.mainCreated = 1;
        row.mainTableName = table;
        row.mainFieldCount = static_cast<qint16>(fields.size());
    } else {
        row.subCreated = 1;
        row.subTableName = table;
        row.subFieldCount = static_cast<qint16>(fields.size());
    }
    // The settings are stored first: a desk that has not seen another desk's new file is
    // refused before it tries to make the table again.
    change.store(&db);
    db.execute(statement);
    tx.commit();
    change.keep();
    return statement;
}

int SchemaStore::rowCount(int category, File file)
{
    Database db = Database::open(cache_.databasePath());
    return db.openTable(tableOf(cache_.row(category), file)).recordCount();
}

void SchemaStore::emptyFile(int category, File file)
{
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    ConfigCache::Change change(cache_);
    change.checkCurrent(db);
    db.execute(QStringLiteral("DELETE FROM ") + quoteName(tableOf(cache_.row(category), file)));
    if (file == File::Main) {
        // The records and the restarted registration number are stored together; the sub
        // file's numbers belong to the main file and stay.
        change.restartCounter(category);
        change.store(&db);
    }
    tx.commit();
    change.keep();
}

void SchemaStore::dropFile(int category, File file)
{
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    ConfigCache::Change change(cache_);
    change.checkCurrent(db);
    const CategoryDefinition& row = change.row(category);
    if (row.subCreated == 1) {
        db.execute(QStringLiteral("DROP TABLE ") + tableOf(row, File::Sub));
        forget(change, category, File::Sub);
    }
    if (file == File::Main) {
        db.execute(QStringLiteral("DROP TABLE ") + tableOf(row, File::Main));
        forget(change, category, File::Main);
    }
    change.edit(category);
    change.store(&db);
    tx.commit();
    change.keep();
}

void SchemaStore::forget(ConfigCache::Change& change, int category, File file)
{
    CategoryDefinition& row = change.edit(category);
    if (file == File::Main) {
        row.mainCreated = 0;
        row.mainTableName = kSpace;
        row.mainFieldCount = 0;
        for (FieldDefinition& f : row.mainFields) f = {kSpace, kSpace};
        change.restartCounter(category);
    } else {
        row.subCreated = 0;
        row.subTableName = kSpace;
        row.subFieldCount = 0;
        for (FieldDefinition& f : row.subFields) f = {kSpace, kSpace};
    }
}
