#pragma once
#include "platform/db/Backend.h"

#include <sys/types.h>

struct sqlite3;

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
    bool tableExists(const QString& table) override;
    std::vector<ColumnInfo> columns(const QString& table) override;
    std::vector<SchemaObject> schemaObjects() override;
    QStringList damage() override;
    bool alive() override;
    void begin(int depth) override;
    void commit(int depth) override;
    void rollback(int depth) noexcept override;

    // Whether the file now under the name is still the one this connection opened.
    bool isFileNow(const QString& path) const;
    sqlite3* handle() const { return db_; }
    struct Pool;

private:
    SqliteBackend(sqlite3* db, const QString& path);
    void run(const QString& sql);
    sqlite3* db_ = nullptr;
    QString path_;
    bool known_ = false;
    dev_t dev_ = 0;
    ino_t ino_ = 0;
    std::shared_ptr<Pool> pool_;
};

}  // namespace db
