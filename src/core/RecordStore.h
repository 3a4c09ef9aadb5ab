#pragma once
#include <QString>
#include <QStringList>
#include "platform/db/Value.h"
#include <optional>
#include <utility>
#include <vector>

class ConfigCache;
class Database;

// The rows of the main and sub files of a category. A new main row takes the category's next
// registration number and raises the counter in the management table in the same transaction;
// a new sub row takes the next sub number of its main record (nextSubNo). A change or a delete reaches
// exactly the rows of its key. Every call opens Tanzo.mdb for itself and raises DbError when
// the engine refuses; then nothing is stored and the counters are as they were.
class RecordStore {
public:
    explicit RecordStore(ConfigCache& cache) : cache_(cache) {}

    // Field texts in column order, converted by the column types. Without texts the number is
    // used up and no row is written (a value the editor could not take). Returns the number.
    qint64 addMain(int category, const std::optional<QStringList>& fields);
    // The sub number is read from the sub file inside the write; without texts nothing is
    // stored and the number stays free.
    qint64 addSub(int category, qint64 registrationNo, const std::optional<QStringList>& fields);

    // The sub number a new sub row of the main record takes: the highest サブＮＯ stored for that
    // registration number in the sub file, plus one (1 for a main record without sub rows).
    // Every new sub row, one from the editor or many from an import, is numbered by it.
    static qint64 nextSubNo(Database& db, const QString& subTable, qint64 registrationNo);
    // The same, read from Tanzo.mdb now: the number the sub editor offers.
    qint64 nextSubNo(int category, qint64 registrationNo);

    // Many new rows at once, each its field values in column order (converted already), in one
    // transaction: every row is stored or none is. Main rows take the next registration
    // numbers in order and the counter is raised once; sub rows take the next sub numbers of
    // their main record (nextSubNo, then counting on). Returns the first number taken.
    qint64 addMainRows(int category, std::vector<std::vector<Value>> rows);
    using SubRow = std::pair<qint64, std::vector<Value>>;  // registration number, values
    void addSubRows(int category, std::vector<SubRow> rows);

    // What the row of a key holds now, every column's value (nothing when there is no row):
    // an editor keeps it when it shows the row, to tell later whether another desk changed it.
    using Shown = std::optional<std::vector<Value>>;
    Shown mainRow(int category, qint64 registrationNo);
    Shown subRow(int category, qint64 registrationNo, qint64 subNo);

    // Writes the field texts over the row of the key. Given what the row held when it was
    // shown, a row another desk has changed or deleted since is left as it is and DbError
    // says so.
    void changeMain(int category, qint64 registrationNo, const QStringList& fields, const Shown& shown = std::nullopt);
    void changeSub(int category, qint64 registrationNo, qint64 subNo, const QStringList& fields, const Shown& shown = std::nullopt);

    // A main record that has sub records is not deleted: they are counted inside the delete,
    // with the record's row held, and DbError(kHasSubRecords) says so.
    static inline const QString kHasSubRecords =
        QStringLiteral("サブ明細があります。先にサブ明細レコードを削除して下さい。");
    void removeMain(int category, qint64 registrationNo, const Shown& shown = std::nullopt);
    void removeSub(int category, qint64 registrationNo, qint64 subNo, const Shown& shown = std::nullopt);

private:
    // Raises the category's stored counter by count inside the open write; returns its new value.
    static qint64 takeNumbers(Database& db, int category, qint64 count);
    void catchUp(Database& db);
    ConfigCache& cache_;
};
