#include "platform/db/SqliteBackend.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <QFile>
#include <QHash>
#include <sqlite3.h>
#include <sys/stat.h>

namespace db {

namespace {

// How long a statement waits for another program's lock to go before it says the
// database is in use.
constexpr int kBusyWaitMs = 3000;

// The device and file number of the file a name stands for, to tell a file replaced under
// the same name. The kept connection holds its file open, so its number is not given again.
bool fileIdOf(const QString& path, dev_t* dev, ino_t* ino)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return false;
    *dev = st.st_dev;
    *ino = st.st_ino;
    return true;
}

}  // namespace

// Prepared statements not in use, by their text: a statement a record set or a store prepares
// again and again is compiled once. Shared by the connection and its statements, so whichever
// goes last finalizes them.
struct SqliteBackend::Pool {
    sqlite3* db = nullptr;
    QHash<QString, std::vector<sqlite3_stmt*>> idle;
    ~Pool() { clear(); }
    void clear()
    {
        for (auto& list : idle)
            for (sqlite3_stmt* s : list) sqlite3_finalize(s);
        idle.clear();
    }
};

namespace {

class SqliteStatement final : public Statement {
public:
    SqliteStatement(std::shared_ptr<SqliteBackend::Pool> pool, QString sql, sqlite3_stmt* stmt)
        : pool_(std::move(pool)), sql_(std::move(sql)), db_(pool_->db), stmt_(stmt)
    {
    }
    ~SqliteStatement() override
    {
        // Back to the idle ones, unless the connection has gone.
        if (pool_->db && sqlite3_reset(stmt_) == SQLITE_OK && sqlite3_clear_bindings(stmt_) == SQLITE_OK) {
            std::vector<sqlite3_stmt*>& list = pool_->idle[sql_];
            if (list.size() < 4) {
                list.push_back(stmt_);
                return;
            }
        }
        sqlite3_finalize(stmt_);
    }

    void bind(int index, const Value& v) override
    {
        if (stepped_) {
            sqlite3_reset(stmt_);
            stepped_ = false;
        }
        valueColumn_ = -1;
        switch (v.kind()) {
        case Value::Kind::Null: sqlite3_bind_null(stmt_, index); break;
        case Value::Kind::Integer: sqlite3_bind_int64(stmt_, index, v.toInt()); break;
        case Value::Kind::Currency: sqlite3_bind_int64(stmt_, index, v.currencyUnits()); break;
        case Value::Kind::Date: {
            // yyyy-MM-dd, written without the date's own formatting for the years it covers.
            const QDate d = v.toDate();
            int y = 0, m = 0, day = 0;
            d.getDate(&y, &m, &day);
            if (d.isValid() && y >= 0 && y <= 9999) {
                const char iso[10] = {char('0' + y / 1000),    char('0' + y / 100 % 10), char('0' + y / 10 % 10),
                                      char('0' + y % 10),      '-',                      char('0' + m / 10),
                                      char('0' + m % 10),      '-',                      char('0' + day / 10),
                                      char('0' + day % 10)};
                sqlite3_bind_text(stmt_, index, iso, 10, SQLITE_TRANSIENT);
                break;
            }
            const QByteArray s = d.toString(Qt::ISODate).toUtf8();
            sqlite3_bind_text(stmt_, index, s.constData(), int(s.size()), SQLITE_TRANSIENT);
            break;
        }
        case Value::Kind::Text: {
            const QByteArray s = v.toString().toUtf8();
            sqlite3_bind_text(stmt_, index, s.constData(), int(s.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }

    bool step() override
    {
        stepped_ = true;
        valueColumn_ = -1;
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        const QString message = SqliteBackend::messageFor(db_, rc, QString());
        sqlite3_reset(stmt_);
        throw DbError(message);
    }

    Cell cell(int column) const override
    {
        switch (sqlite3_value_type(value(column))) {
        case SQLITE_NULL: return Cell::Null;
        case SQLITE_INTEGER: return Cell::Integer;
        case SQLITE_FLOAT: return Cell::Float;
        default: return Cell::Text;
        }
    }
    qint64 integer(int column) const override { return sqlite3_value_int64(value(column)); }
    qint64 units(int column) const override { return sqlite3_value_int64(value(column)); }
    const char* text(int column, int* bytes) const override
    {
        sqlite3_value* v = value(column);
        const char* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        *bytes = sqlite3_value_bytes(v);
        return p ? p : "";
    }
    const char* textOrNull(int column, int* bytes) const override
    {
        sqlite3_value* v = value(column);
        const char* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        if (p) {
            *bytes = sqlite3_value_bytes(v);
            return p;
        }
        *bytes = 0;
        // No text is a Null, or (rarely) an empty value of another kind.
        return sqlite3_value_type(v) == SQLITE_NULL ? nullptr : "";
    }

private:
    // The current row's cell, asked of the statement once for its kind and its value: the
    // connection is opened without the engine's mutex (one thread uses it), where a column's
    // value object may be read like any other until the next step.
    sqlite3_value* value(int column) const
    {
        if (column != valueColumn_) {
            value_ = sqlite3_column_value(stmt_, column);
            valueColumn_ = column;
        }
        return value_;
    }

    std::shared_ptr<SqliteBackend::Pool> pool_;
    QString sql_;
    sqlite3* db_;
    sqlite3_stmt* stmt_;
    bool stepped_ = false;
    mutable int valueColumn_ = -1;
    mutable sqlite3_value* value_ = nullptr;
};

}  // namespace

SqliteBackend::SqliteBackend(sqlite3* db, const QString& path) : db_(db), path_(path), pool_(std::make_shared<Pool>())
{
    pool_->db = db;
    known_ = fileIdOf(path, &dev_, &ino_);
}

SqliteBackend::~SqliteBackend()
{
    pool_->clear();
    pool_->db = nullptr;
    sqlite3_finalize(version_);
    // Statements still alive are finalized by their owners; the engine closes the
    // connection after the last of them.
    if (db_) sqlite3_close_v2(db_);
}

std::shared_ptr<SqliteBackend> SqliteBackend::open(const QString& path, bool create)
{
    sqlite3* db = nullptr;
    // One thread uses a connection, so the engine need not lock around every call.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString engine = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DbError((create ? QStringLiteral("データベース ファイル '%1' を作成できません。\r\n(%2)")
                              : QStringLiteral("データベース ファイル '%1' を開けません。\r\n(%2)"))
                          .arg(path, engine));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyWaitMs);
    if (!create) {
        // Reading the schema tells a database from any other file. Only the engine's word that
        // the file is damaged or not a database says so; a lock held by another program, for
        // one, is reported as such.
        const int check = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (check != SQLITE_OK) {
            const int primary = check & 0xff;
            const QString engine = QString::fromUtf8(sqlite3_errmsg(db));
            const QString msg = primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT
                                    ? QStringLiteral("ファイル '%1' はデータベース ファイルではないか、壊れています。\r\n(%2)").arg(path, engine)
                                    : messageFor(db, check, path);
            sqlite3_close(db);
            throw DbError(msg);
        }
    }
    return std::shared_ptr<SqliteBackend>(new SqliteBackend(db, path));
}

bool SqliteBackend::stillThere() const
{
    dev_t dev = 0;
    ino_t ino = 0;
    return known_ && fileIdOf(path_, &dev, &ino) && dev == dev_ && ino == ino_;
}

bool SqliteBackend::keyword(const QString& word)
{
    const QByteArray utf8 = word.toUtf8();
    return sqlite3_keyword_check(utf8.constData(), static_cast<int>(utf8.size())) != 0;
}

EngineFailure SqliteBackend::failureOf(sqlite3* db, int rc)
{
    const int primary = rc & 0xff;
    if (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE) return EngineFailure::DuplicateKey;
    if (primary == SQLITE_CONSTRAINT) return EngineFailure::Constraint;
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) return EngineFailure::NotADatabase;
    if (primary == SQLITE_CANTOPEN) return EngineFailure::CannotOpen;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) return EngineFailure::Busy;
    if (primary == SQLITE_READONLY || primary == SQLITE_PERM) return EngineFailure::ReadOnly;
    if (primary == SQLITE_FULL) return EngineFailure::DiskFull;
    if (primary == SQLITE_IOERR) return EngineFailure::ReadWrite;
    // The rest share one code; the engine's words tell them apart.
    const QString engine = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    if (engine.startsWith(QLatin1String("no such table"))) return EngineFailure::NoSuchTable;
    if (engine.contains(QLatin1String("already exists"))) return EngineFailure::AlreadyExists;
    if (engine.contains(QLatin1String("duplicate column"))) return EngineFailure::DuplicateColumn;
    if (engine.contains(QLatin1String("syntax error")) || engine.contains(QLatin1String("unrecognized token")))
        return EngineFailure::Syntax;
    return EngineFailure::Other;
}

QString SqliteBackend::messageFor(sqlite3* db, int rc, const QString& context)
{
    const QString engine = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    return failureMessage(failureOf(db, rc), context, engine);
}

void SqliteBackend::fail(sqlite3* db, int rc, const QString& context) { throw DbError(messageFor(db, rc, context)); }

void SqliteBackend::removeSideFiles(const QString& path)
{
    for (const char* suffix : {"-journal", "-wal", "-shm"}) QFile::remove(path + QLatin1String(suffix));
}

bool SqliteBackend::alive()
{
    // Reading the schema's version tells a database from any other file. Where the version
    // moved (this desk or another changed a table), the schema is read anew and so are the
    // columns of the tables.
    if (!version_ && sqlite3_prepare_v2(db_, "PRAGMA schema_version", -1, &version_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(version_);
        version_ = nullptr;
        return false;
    }
    const int rc = sqlite3_step(version_);
    const qint64 version = rc == SQLITE_ROW ? sqlite3_column_int64(version_, 0) : -1;
    sqlite3_reset(version_);
    if (rc != SQLITE_ROW) return false;
    if (version == schemaVersion_) return true;
    columns_.clear();
    if (sqlite3_exec(db_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
    schemaVersion_ = version;
    return true;
}

std::unique_ptr<Statement> SqliteBackend::prepare(const QString& sql)
{
    auto idle = pool_->idle.find(sql);
    if (idle != pool_->idle.end() && !idle->empty()) {
        sqlite3_stmt* stmt = idle->back();
        idle->pop_back();
        return std::make_unique<SqliteStatement>(pool_, sql, stmt);
    }
    const QByteArray u = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(db_, u.constData(), int(u.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) fail(db_, rc, QString());
    return std::make_unique<SqliteStatement>(pool_, sql, stmt);
}

void SqliteBackend::run(const QString& sql)
{
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(db_, rc, QString());
}

void SqliteBackend::execute(const QString& sql)
{
    // A statement of the program's own may make, change or drop a table.
    columns_.clear();
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt, &tail);
    if (rc != SQLITE_OK) fail(db_, rc, sql);
    const QString rest = QString::fromUtf8(tail, utf8.constData() + utf8.size() - tail).trimmed();
    if (!rest.isEmpty() || stmt == nullptr) {
        sqlite3_finalize(stmt);
        throw DbError(QStringLiteral("SQL ステートメントの後に余分な文字があります。ステートメントは実行されませんでした。\r\n%1").arg(sql));
    }
    rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) fail(db_, rc, sql);
}

std::vector<Backend::SchemaObject> SqliteBackend::schemaObjects()
{
    std::vector<SchemaObject> out;
    auto stmt = prepare(QStringLiteral("SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY rowid"));
    auto text = [&stmt](int col) {
        int bytes = 0;
        const char* p = stmt->text(col, &bytes);
        return QString::fromUtf8(p, bytes);
    };
    while (stmt->step()) out.push_back({text(0), text(1), text(2), text(3)});
    return out;
}

bool SqliteBackend::tableExists(const QString& table)
{
    auto stmt = prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1"));
    stmt->bind(1, Value::text(table));
    return stmt->step();
}

std::vector<ColumnInfo> SqliteBackend::columns(const QString& table)
{
    if (auto kept = columns_.constFind(table); kept != columns_.cend()) return *kept;
    std::vector<ColumnInfo> cols;
    auto stmt = prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)));
    while (stmt->step()) {
        ColumnInfo c;
        int bytes = 0;
        const char* p = stmt->text(1, &bytes);
        c.name = QString::fromUtf8(p, bytes);
        p = stmt->text(2, &bytes);
        c.declared = QString::fromUtf8(p, bytes);
        c.type = columnTypeOf(c.declared, &c.maxLength);
        cols.push_back(c);
    }
    if (!cols.empty()) columns_.insert(table, cols);
    return cols;
}

QStringList SqliteBackend::damage()
{
    QStringList found;
    auto stmt = prepare(QStringLiteral("PRAGMA quick_check"));
    while (stmt->step()) {
        int bytes = 0;
        const char* p = stmt->text(0, &bytes);
        found << QString::fromUtf8(p, bytes);
    }
    if (found == QStringList{QStringLiteral("ok")}) found.clear();
    return found;
}

void SqliteBackend::begin(int depth) { run(QStringLiteral("SAVEPOINT tanzo_sp%1").arg(depth)); }

void SqliteBackend::commit(int depth) { run(QStringLiteral("RELEASE tanzo_sp%1").arg(depth)); }

void SqliteBackend::rollback(int depth) noexcept
{
    // A table made or changed inside goes back with it.
    columns_.clear();
    const QByteArray rb = QStringLiteral("ROLLBACK TO tanzo_sp%1; RELEASE tanzo_sp%1").arg(depth).toUtf8();
    sqlite3_exec(db_, rb.constData(), nullptr, nullptr, nullptr);
}

}  // namespace db
