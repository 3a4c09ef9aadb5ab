#pragma once
#include "platform/db/Backend.h"
#include "platform/db/EngineFailure.h"

#include <QHash>
#include <sys/types.h>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// The database file Tanzo.mdb through SQLite. The hidden row column is the engine's rowid.
class SqliteBackend final : public Backend {
public:
    // Opens an existing file (create=false) or makes a new one; a file that cannot be opened
    // or is not a database raises DbError.
    static std::shared_ptr<SqliteBackend> open(const QString& path, bool create);
    ~SqliteBackend() override;

    QString location() const override { return path_; }
    std::unique_ptr<Statement> prepare(const QString& sql) override;
    void execute(const QString& sql) override;
    QString rowColumn() const override { return QStringLiteral("rowid"); }
    int pageSize() const override { return 0; }
    QString inIdList(const QString& column, int parameter) const override
    {
        return QStringLiteral("%1 IN (SELECT value FROM json_each(?%2))").arg(column).arg(parameter);
    }
    QString holdsText(const QString& column, int parameter) const override
    {
        return QStringLiteral("instr(%1, ?%2) > 0").arg(column).arg(parameter);
    }
    bool tableExists(const QString& table) override;
    std::vector<ColumnInfo> columns(const QString& table) override;
    std::vector<SchemaObject> schemaObjects() override;
    QStringList damage() override;
    bool alive() override;
    // Whether the file now under the name is still the one this connection opened.
    bool stillThere() const override;
    bool isKeyword(const QString& word) const override { return keyword(word); }
    void forgetSchema() override { columns_.clear(); }

    // Whether the file engine reserves the word.
    static bool keyword(const QString& word);
    // The kind of failure of a result code: a duplicate key, a lock held by another program,
    // a read-only file, a full disk and a damaged file are each told apart.
    static EngineFailure failureOf(sqlite3* db, int rc);
    // The Japanese message for a result code, with the engine's own words.
    static QString messageFor(sqlite3* db, int rc, const QString& context);
    // Raises DbError with that message.
    [[noreturn]] static void fail(sqlite3* db, int rc, const QString& context);
    // Removes the files the engine keeps beside a database file while it writes (its
    // journal, its write-ahead log and that log's index): left by an interrupted write, they
    // belong to the file they were made for and would be read into whatever next takes its
    // name.
    static void removeSideFiles(const QString& path);
    struct Pool;

protected:
    void begin(int depth) override;
    void commit(int depth) override;
    void rollback(int depth) noexcept override;

private:
    SqliteBackend(sqlite3* db, const QString& path);
    void run(const QString& sql);
    sqlite3* db_ = nullptr;
    QString path_;
    bool known_ = false;
    dev_t dev_ = 0;
    ino_t ino_ = 0;
    std::shared_ptr<Pool> pool_;
    // The statement that asks the file for its schema's version, and the version last seen.
    sqlite3_stmt* version_ = nullptr;
    qint64 schemaVersion_ = -1;
    // The columns of the tables read so far, while the schema's version stays and this
    // connection changes no table (a rollback may take a change back).
    QHash<QString, std::vector<ColumnInfo>> columns_;
};

}  // namespace db
