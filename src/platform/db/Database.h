#pragma once
#include "platform/db/Backend.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

// The database: the file Tanzo.mdb (SQLite underneath) or a database on a PostgreSQL server.
// Where it is, is a location: a file's path, or serverLocation(conninfo) for a server. Each
// user action opens it and does its work through one statement or one record set.
// Underneath, the program keeps one connection for its whole run: an opening of the same
// location shares it (after a quick check that it still answers; for a file, that it is a
// database), and a file replaced under the same name is opened anew. closeShared() drops it
// after a restore or an initialisation. The connection is kept per thread: a connection is
// never used by two threads at once, and two threads work as two desks. A thread that goes
// between two locations (two desks of a test, the bench's file beside its server) keeps the
// connection of each; a third location opened closes the one used longest ago.
class Database {
public:
    // Opens an existing database; never creates a file. A missing file, a file that is not a
    // database, a file that cannot be read or a server that cannot be reached raises DbError.
    static Database open(const QString& location);
    // The same on a connection of its own, which closes with the last Database over it: a
    // file looked at or written beside the database in use (a backup, a file to restore)
    // leaves the kept connection as it is.
    static Database openAlone(const QString& location);
    // Makes a new, empty database and opens it on a connection of its own: a new file (refused
    // with DbError when the file exists), or the database on a server as it is (its
    // administrator makes it there).
    static Database create(const QString& location);
    // Whether there is a database at the location: for a file, whether the file is there; a
    // server's database is taken to be.
    static bool exists(const QString& location);
    // Removes a database file made here, with the files the engine keeps beside it; a server's
    // database is left alone.
    static void removeFile(const QString& location);
    // Removes the files the engine keeps beside a database file while it writes (a journal): left
    // by an interrupted write, they belong to the file they were made for.
    static void removeSideFiles(const QString& location);
    // The location of a database on a server, from a libpq connection string.
    static QString serverLocation(const QString& conninfo);
    static bool isServerLocation(const QString& location);
    // The connection string of a server location.
    static QString conninfoOf(const QString& location);
    // Whether a connection string holds a password.
    static bool holdsPassword(const QString& conninfo);
    // What the person is shown of a location: the file's path, or "サーバー host/database".
    static QString displayName(const QString& location);
    // Round trips to database servers since the program started (every request that waited
    // for the server's answer).
    static long long serverRoundTrips();
    // Closes the kept connections once nothing uses them any more; the next opening opens
    // the file again.
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
    // A reading of the whole table that carries only these columns (the others read as
    // Null), and a reading of the rows with these row ids (ascending), whole. Both are for
    // reading only: on a server a walk that looks at one column need not carry the rest.
    Recordset openCarrying(const QString& table, const std::vector<int>& columns);
    Recordset openRows(const QString& table, const std::vector<qint64>& rowids);
    // A reading, whole and for reading only, of the rows whose text column holds one of the
    // texts.
    Recordset openHolding(const QString& table, int column, const std::vector<QString>& texts);

    // One entry of the database's schema: a table, index, view or trigger (a file also gives
    // each one's statement).
    using SchemaObject = db::Backend::SchemaObject;
    std::vector<SchemaObject> schemaObjects();
    // Adds delta to one whole-number cell of the row-th row (natural order) inside the
    // engine's own write, and gives the cell's new value: two desks adding at once each get
    // their own number. Raises DbError when there is no such row.
    qint64 addToCell(const QString& table, int row, const QString& column, qint64 delta);
    // Rows added to a table through one prepared statement (an import of many rows).
    RowInserter inserter(const QString& table);

    // Holds the rows whose columns equal the values against other desks' writes until the
    // open transaction ends, so what is read next is what the write will replace.
    void lockRows(const QString& table, const std::vector<Recordset::Equals>& where);

    // Makes the reads of the transaction just begun see one moment of the database, and
    // only read: rows other desks add while a copy runs are not half taken.
    void readOneMoment() { backend_->readOneMoment(); }

    // Forgets what the connection keeps of the tables' columns and the statements prepared
    // on them (another desk changed them).
    void forgetSchema() { backend_->forgetSchema(); }

    // Holds, until the open transaction ends, the lock every desk takes before it makes the
    // program's tables in an empty database: desks started at the same moment make them in
    // turn.
    void holdSetUpLock() { backend_->holdSetUpLock(); }

    bool tableExists(const QString& table);
    std::vector<ColumnInfo> columns(const QString& table);
    // The location this database was opened from.
    QString path() const { return path_; }
    bool onServer() const { return isServerLocation(path_); }

    // The engine's check of every page of the file: empty when the file is sound, otherwise
    // what it found wrong. A file it cannot check at all raises DbError.
    QStringList damage();
    // Whether the engine reserves this word, so it cannot stand unquoted as a name: asked of
    // the back end of the connection in use (the file's when none is open yet).
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
        int depth_ = 0;
        bool done_ = false;
    };

private:
    explicit Database(std::shared_ptr<db::Backend> backend);
    // The connections kept for the run, the one last opened first.
    static std::array<std::shared_ptr<db::Backend>, 2>& kept();
    // The columns of a table a record set may walk; raises DbError for a missing table or a
    // column named like the row id.
    std::vector<ColumnInfo> recordsetColumns(const QString& table);
    QString path_;
    std::shared_ptr<db::Backend> backend_;
};

// True for the engine's names of a row's id (rowid, oid, _rowid_ in any ASCII letter case).
bool isRowIdAlias(const QString& column);

// Quotes a table or column name for a statement.
QString quoteName(const QString& name);
