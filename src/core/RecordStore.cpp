#include "core/RecordStore.h"

#include "core/ColumnNameCheck.h"
#include "core/ConfigCache.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"

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

namespace {

// The category's main file as the settings stand now. One another desk dropped meanwhile is
// told by the category's name as this desk knew it and by the file's.
QString mainFileOf(const ConfigCache& cache, int category, const QString& knownName)
{
    const CategoryDefinition& row = cache.row(category);
    if (row.mainCreated != 0) return row.mainTableName;
    throw DbError(QStringLiteral("種目「%1」のファイル「%2」は他の端末で削除されたため、登録できません。")
                      .arg(text::Trim(knownName), ConfigCache::mainTableName(category)));
}

}  // namespace

void RecordStore::catchUp(Database& db)
{
    // Another desk's new categories or files are known before the row is written.
    if (db.onServer()) cache_.reloadIfChanged(db);
}

qint64 RecordStore::addMain(int category, const std::optional<QStringList>& fields)
{
    ConfigCache::Change change(cache_);
    const QString knownName = cache_.row(category).name;
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    // The number is taken from the stored counter inside this write, so a second desk adding
    // at the same moment waits and takes the next one.
    const qint64 number = takeNumbers(db, category, 1);
    catchUp(db);
    const QString table = mainFileOf(cache_, category, knownName);
    if (fields) insert(db, table, *fields, keyOf(number));
    change.noteCounter(category, static_cast<qint32>(number));
    tx.commit();
    change.keep();
    return number;
}

qint64 RecordStore::nextSubNo(Database& db, const QString& subTable, qint64 registrationNo)
{
    qint64 highest = 0;
    for (Recordset rs = db.openWhere(subTable, keyOf(registrationNo)); !rs.eof(); rs.moveNext()) {
        const Value n = rs.field(schema::kSubNoColumn);
        if (!n.isNull()) highest = std::max(highest, n.toInt());
    }
    return highest + 1;
}

qint64 RecordStore::nextSubNo(int category, qint64 registrationNo)
{
    Database db = Database::open(cache_.databasePath());
    return nextSubNo(db, cache_.row(category).subTableName, registrationNo);
}

qint64 RecordStore::addSub(int category, qint64 registrationNo, const std::optional<QStringList>& fields)
{
    const CategoryDefinition& row = cache_.row(category);
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    // The main record's row is held while its sub rows are counted, so a second desk adding to
    // the same record at the same moment waits and counts this row too.
    db.lockRows(row.mainTableName, keyOf(registrationNo));
    const qint64 number = nextSubNo(db, row.subTableName, registrationNo);
    if (fields) insert(db, row.subTableName, *fields, keyOf(registrationNo, number));
    tx.commit();
    return number;
}

qint64 RecordStore::addMainRows(int category, std::vector<std::vector<Value>> rows)
{
    ConfigCache::Change change(cache_);
    const QString knownName = cache_.row(category).name;
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    const qint64 last = takeNumbers(db, category, qint64(rows.size()));
    const qint64 first = last - qint64(rows.size()) + 1;
    catchUp(db);
    RowInserter inserter = db.inserter(mainFileOf(cache_, category, knownName));
    const int key = inserter.ordinalOf(schema::kRegistrationNoColumn);
    qint64 number = first;
    for (std::vector<Value>& values : rows) {
        values.resize(inserter.columns().size(), Value::null());
        values[size_t(key)] = Value::integer(number++);
        inserter.insert(values);
    }
    change.noteCounter(category, static_cast<qint32>(last));
    tx.commit();
    change.keep();
    return first;
}

void RecordStore::addSubRows(int category, std::vector<SubRow> rows)
{
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    const QString table = cache_.row(category).subTableName;
    const QString mainTable = cache_.row(category).mainTableName;
    // The next sub number of each main record met so far; the first row of a record asks the
    // file, with the main record's row held as a single new sub row holds it.
    std::unordered_map<qint64, qint64> next;
    auto numberFor = [&](qint64 registrationNo) {
        auto it = next.find(registrationNo);
        if (it == next.end()) {
            db.lockRows(mainTable, keyOf(registrationNo));
            it = next.emplace(registrationNo, nextSubNo(db, table, registrationNo)).first;
        }
        return it->second++;
    };
    RowInserter inserter = db.inserter(table);
    const int mainKey = inserter.ordinalOf(schema::kRegistrationNoColumn);
    const int subKey = inserter.ordinalOf(schema::kSubNoColumn);
    for (SubRow& r : rows) {
        std::vector<Value>& values = r.second;
        values.resize(inserter.columns().size(), Value::null());
        values[size_t(mainKey)] = Value::integer(r.first);
        values[size_t(subKey)] = Value::integer(numberFor(r.first));
        inserter.insert(values);
    }
    tx.commit();
}

RecordStore::Shown RecordStore::mainRow(int category, qint64 registrationNo)
{
    Database db = Database::open(cache_.databasePath());
    return rowOf(db, cache_.row(category).mainTableName, keyOf(registrationNo));
}

RecordStore::Shown RecordStore::subRow(int category, qint64 registrationNo, qint64 subNo)
{
    Database db = Database::open(cache_.databasePath());
    return rowOf(db, cache_.row(category).subTableName, keyOf(registrationNo, subNo));
}

void RecordStore::changeMain(int category, qint64 registrationNo, const QStringList& fields, const Shown& shown)
{
    Database db = Database::open(cache_.databasePath());
    change(db, cache_.row(category).mainTableName, keyOf(registrationNo), fields, shown);
}

void RecordStore::changeSub(int category, qint64 registrationNo, qint64 subNo, const QStringList& fields, const Shown& shown)
{
    Database db = Database::open(cache_.databasePath());
    change(db, cache_.row(category).subTableName, keyOf(registrationNo, subNo), fields, shown);
}

void RecordStore::removeMain(int category, qint64 registrationNo, const Shown& shown)
{
    const CategoryDefinition& row = cache_.row(category);
    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    // The main record's row is held first, as a new sub row holds it: a sub row another desk
    // stores after the record was chosen is counted here, and one it stores now waits.
    db.lockRows(row.mainTableName, keyOf(registrationNo));
    if (row.subCreated == 1 && !db.openWhere(row.subTableName, keyOf(registrationNo)).eof())
        throw DbError(kHasSubRecords);
    remove(db, row.mainTableName, keyOf(registrationNo), shown);
    tx.commit();
}

void RecordStore::removeSub(int category, qint64 registrationNo, qint64 subNo, const Shown& shown)
{
    Database db = Database::open(cache_.databasePath());
    remove(db, cache_.row(category).subTableName, keyOf(registrationNo, subNo), shown);
}
