#pragma once
#include "platform/db/Recordset.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct sqlite3;

// The database file Tanzo.mdb (SQLite underneath). Each user action opens it and does its
// work through one statement or one record set. Underneath, the program keeps one connection
// to the file for its whole run: an opening of the same file shares it (after the same quick
// check that tells a database from any other file), and a file replaced under the same name
// is opened anew. closeShared() drops it after a restore or an initialisation.
class Database {
public:
    // Opens an existing database file; never creates one. A missing file, a file that is not
    // a database, or one that cannot be read raises DbError.
    static Database open(const QString& path);
    // Creates the file in its first-installation state: the management table with its seven
    // rows. Refuses (DbError) when the file already exists.
    static void createFresh(const QString& path);
    // Closes the kept connection once nothing uses it any more; the next opening opens the
    // file again.
    static void closeShared();

    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Runs exactly one statement as built. Any text after the first statement is refused
    // and nothing runs.
    void execute(const QString& sql);
    // An updatable record set over the whole table in its natural order. A table with a
    // column named like the row id (made elsewhere) is refused before any row is read.
    Recordset openTable(const QString& table);
    // The same over the rows whose columns equal the values (found by a bound statement,
    // not a walk of the table): a key, a pair of keys or a code.
    Recordset openWhere(const QString& table, std::vector<Recordset::Equals> where);

    // One entry of the file's schema: a table, index, view or trigger.
    struct SchemaObject {
        QString type;
        QString name;
        QString table;
        QString sql;
    };
    std::vector<SchemaObject> schemaObjects();
    // Rows added to a table through one prepared statement (an import of many rows).
    RowInserter inserter(const QString& table);

    bool tableExists(const QString& table);
    std::vector<ColumnInfo> columns(const QString& table);
    QString path() const { return path_; }

    // The engine's check of every page of the file: empty when the file is sound, otherwise
    // what it found wrong. A file it cannot check at all raises DbError.
    QStringList damage();
    // Whether the engine reserves this word, so it cannot stand unquoted as a name.
    static bool isKeyword(const QString& word);

    // A write that the person sees as one action: everything inside is stored, or nothing.
    // Nested transactions are save points of the outer one.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        void commit();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        Database& db_;
        QString name_;
        bool done_ = false;
    };

    // Raises DbError for an SQLite result code with the engine's message in Japanese.
    [[noreturn]] static void fail(sqlite3* db, int rc, const QString& context);
    // The Japanese message for a result code: a duplicate key, a lock held by another
    // program, a read-only file, a full disk and a damaged file are each told apart.
    static QString messageFor(sqlite3* db, int rc, const QString& context);

private:
    struct Connection;
    explicit Database(std::shared_ptr<Connection> connection);
    // The connection kept for the run.
    static std::shared_ptr<Connection>& kept();
    void run(const char* sql);
    // The columns of a table a record set may walk; raises DbError for a missing table or a
    // column named like the row id.
    std::vector<ColumnInfo> recordsetColumns(const QString& table);
    sqlite3* db_ = nullptr;
    QString path_;
    std::shared_ptr<Connection> connection_;
};

// True for the engine's names of a row's id (rowid, oid, _rowid_ in any ASCII letter case).
bool isRowIdAlias(const QString& column);

// Quotes a table or column name for a statement.
QString quoteName(const QString& name);
