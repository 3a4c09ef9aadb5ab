#include "core/RecordStore.h"

#include "core/CacheRollback.h"
#include "core/ColumnNameCheck.h"
#include "core/ConfigCache.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <algorithm>
#include <unordered_map>

namespace {

std::vector<Recordset::Equals> keyOf(qint64 registrationNo, std::optional<qint64> subNo = std::nullopt)
{
    std::vector<Recordset::Equals> key{{schema::kRegistrationNoColumn, Value::integer(registrationNo)}};
    if (subNo) key.push_back({schema::kSubNoColumn, Value::integer(*subNo)});
    return key;
}

void insert(Database& db, const QString& table, const QStringList& fields, const std::vector<Recordset::Equals>& key)
{
    // One new row through a prepared insert: the table is not read first.
    db.inserter(table).insertTexts(fields, key);
}

// Stops a write over a row that is no longer what was shown.
void checkUnchanged(Database& db, const QString& table, const std::vector<Recordset::Equals>& key, const RecordStore::Shown& shown)
{
    if (!shown) return;
    db.lockRows(table, key);
    Recordset rs = db.openWhere(table, key);
    if (rs.eof())
        throw DbError(QStringLiteral("このレコードは、表示した後に他の端末で削除されています。"));
    for (int c = 0; c < rs.fieldCount(); ++c) {
        if (size_t(c) >= shown->size() || !(rs.field(c) == (*shown)[size_t(c)]))
            throw DbError(QStringLiteral("このレコードは、表示した後に他の端末で変更されています。"
                                         "一覧を読み直してから、もう一度操作して下さい。"));
    }
}

RecordStore::Shown rowOf(Database& db, const QString& table, const std::vector<Recordset::Equals>& key)
{
    Recordset rs = db.openWhere(table, key);
    if (rs.eof()) return std::nullopt;
    std::vector<Value> values;
    for (int c = 0; c < rs.fieldCount(); ++c) values.push_back(rs.field(c));
    return values;
}

void change(Database& db, const QString& table, const std::vector<Recordset::Equals>& key, const QStringList& fields,
            const RecordStore::Shown& shown)
{
    Database::Transaction tx(db);
    checkUnchanged(db, table, key, shown);
    for (Recordset rs = db.openWhere(table, key); !rs.eof(); rs.moveNext()) {
        rs.edit();
        for (int k = 0; k < fields.size(); ++k) rs.setField(k, fields[k]);
        rs.update();
    }
    tx.commit();
}

void remove(Database& db, const QString& table, const std::vector<Recordset::Equals>& key, const RecordStore::Shown& shown)
{
    Database::Transaction tx(db);
    checkUnchanged(db, table, key, shown);
    for (Recordset rs = db.openWhere(table, key); !rs.eof(); rs.moveNext()) rs.deleteCurrent();
    tx.commit();
}

}  // namespace

qint64 RecordStore::takeNumbers(Database& db, int category, qint64 count)
{
    return db.addToCell(management::kTable, category, management::kCounterColumn, count);
}

void RecordStore::catchUp(Database& db)
{
    // Another desk's new categories or files are known before the row is written.
    if (db.onServer()) cache_.reloadIfChanged(db);
}

void RecordStore::saveMarkedRows(Database& db)
{
    // Settings marked changed but not yet stored go with the new rows, as they always did.
    for (int r = 0; r < 7; ++r)
        if (cache_.rowChanged[r] == 1) {
            cache_.SaveChangedRows(&db);
            return;
        }
}

qint64 RecordStore::addMain(int category, const std::optional<QStringList>& fields)
{
    CacheRollback rollback(cache_);
    Database db = Database::open(cache_.databasePath);
    Database::Transaction tx(db);
    CategoryDefinition& row = cache_.rows[category];
    // The number is taken from the stored counter inside this write, so a second desk adding
    // at the same moment waits and takes the next one.
    const qint64 number = takeNumbers(db, category, 1);
    catchUp(db);
    if (fields) insert(db, row.mainTableName, *fields, keyOf(number));
    row.lastRegistrationNo = static_cast<qint32>(number);
    saveMarkedRows(db);
    tx.commit();
    rollback.keep();
    return number;
}

qint64 RecordStore::addSub(int category, qint64 registrationNo, const std::optional<QStringList>& fields)
{
    // The sub number is counted in memory only; the lists count it again from the file.
    const qint64 number = qint64(cache_.subNoCounter) + 1;
    if (fields) {
        Database db = Database::open(cache_.databasePath);
        insert(db, cache_.rows[category].subTableName, *fields, keyOf(registrationNo, number));
    }
    cache_.subNoCounter += 1;
    return number;
}

qint64 RecordStore::addMainRows(int category, std::vector<std::vector<Value>> rows)
{
    CacheRollback rollback(cache_);
    Database db = Database::open(cache_.databasePath);
    Database::Transaction tx(db);
    CategoryDefinition& row = cache_.rows[category];
    const qint64 last = takeNumbers(db, category, qint64(rows.size()));
    const qint64 first = last - qint64(rows.size()) + 1;
    catchUp(db);
    RowInserter inserter = db.inserter(row.mainTableName);
    const int key = inserter.ordinalOf(schema::kRegistrationNoColumn);
    qint64 number = first;
    for (std::vector<Value>& values : rows) {
        values.resize(inserter.columns().size(), Value::null());
        values[size_t(key)] = Value::integer(number++);
        inserter.insert(values);
    }
    row.lastRegistrationNo = static_cast<qint32>(last);
    saveMarkedRows(db);
    tx.commit();
    rollback.keep();
    return first;
}

void RecordStore::addSubRows(int category, std::vector<SubRow> rows)
{
    Database db = Database::open(cache_.databasePath);
    Database::Transaction tx(db);
    const QString table = cache_.rows[category].subTableName;
    // The highest sub number of each main record so far.
    std::unordered_map<qint64, qint64> highest;
    {
        Recordset rs = db.openTable(table);
        const int mainKey = rs.ordinalOf(schema::kRegistrationNoColumn);
        const int subKey = rs.ordinalOf(schema::kSubNoColumn);
        for (; !rs.eof(); rs.moveNext()) {
            const Value m = rs.field(mainKey), n = rs.field(subKey);
            if (m.isNull() || n.isNull()) continue;
            qint64& h = highest[m.toInt()];
            h = std::max(h, n.toInt());
        }
    }
    RowInserter inserter = db.inserter(table);
    const int mainKey = inserter.ordinalOf(schema::kRegistrationNoColumn);
    const int subKey = inserter.ordinalOf(schema::kSubNoColumn);
    for (SubRow& r : rows) {
        std::vector<Value>& values = r.second;
        values.resize(inserter.columns().size(), Value::null());
        values[size_t(mainKey)] = Value::integer(r.first);
        values[size_t(subKey)] = Value::integer(++highest[r.first]);
        inserter.insert(values);
    }
    tx.commit();
}

RecordStore::Shown RecordStore::mainRow(int category, qint64 registrationNo)
{
    Database db = Database::open(cache_.databasePath);
    return rowOf(db, cache_.rows[category].mainTableName, keyOf(registrationNo));
}

RecordStore::Shown RecordStore::subRow(int category, qint64 registrationNo, qint64 subNo)
{
    Database db = Database::open(cache_.databasePath);
    return rowOf(db, cache_.rows[category].subTableName, keyOf(registrationNo, subNo));
}

void RecordStore::changeMain(int category, qint64 registrationNo, const QStringList& fields, const Shown& shown)
{
    Database db = Database::open(cache_.databasePath);
    change(db, cache_.rows[category].mainTableName, keyOf(registrationNo), fields, shown);
}

void RecordStore::changeSub(int category, qint64 registrationNo, qint64 subNo, const QStringList& fields, const Shown& shown)
{
    Database db = Database::open(cache_.databasePath);
    change(db, cache_.rows[category].subTableName, keyOf(registrationNo, subNo), fields, shown);
}

void RecordStore::removeMain(int category, qint64 registrationNo, const Shown& shown)
{
    Database db = Database::open(cache_.databasePath);
    remove(db, cache_.rows[category].mainTableName, keyOf(registrationNo), shown);
}

void RecordStore::removeSub(int category, qint64 registrationNo, qint64 subNo, const Shown& shown)
{
    Database db = Database::open(cache_.databasePath);
    remove(db, cache_.rows[category].subTableName, keyOf(registrationNo, subNo), shown);
}
