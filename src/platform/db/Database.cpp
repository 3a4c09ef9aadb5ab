#include "platform/db/Database.h"

#include "platform/db/DbError.h"
#include "platform/db/ManagementSchema.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>
#include <sys/stat.h>

QString quoteName(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

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

struct Database::Connection {
    sqlite3* db = nullptr;
    QString path;
    dev_t dev = 0;
    ino_t ino = 0;
    int savepoints = 0;
    Connection(sqlite3* d, const QString& p) : db(d), path(p) {}
    ~Connection()
    {
        if (db) sqlite3_close_v2(db);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
};

std::shared_ptr<Database::Connection>& Database::kept()
{
    static std::shared_ptr<Connection> connection;
    return connection;
}

Database::Database(std::shared_ptr<Connection> connection)
    : db_(connection ? connection->db : nullptr), path_(connection ? connection->path : QString()), connection_(std::move(connection))
{
}

void Database::closeShared() { kept().reset(); }

QString Database::messageFor(sqlite3* db, int rc, const QString& context)
{
    const QString engine = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    const int primary = rc & 0xff;
    QString msg;
    if (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE) {
        msg = QStringLiteral("主キーの値が重複しているため、レコードを書き込めませんでした。");
    } else if (primary == SQLITE_CONSTRAINT) {
        msg = QStringLiteral("値が制約に違反しているため、レコードを書き込めませんでした。");
    } else if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) {
        msg = QStringLiteral("データベース ファイルの形式が正しくないか、ファイルが壊れています。");
    } else if (primary == SQLITE_CANTOPEN) {
        msg = QStringLiteral("データベース ファイルを開けません。");
    } else if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) {
        msg = QStringLiteral("データベースは他の処理で使用中です。しばらく待ってから、もう一度実行して下さい。");
    } else if (primary == SQLITE_READONLY || primary == SQLITE_PERM) {
        msg = QStringLiteral("データベースは読み取り専用のため、書き込めません。");
    } else if (primary == SQLITE_FULL) {
        msg = QStringLiteral("ディスクの空き容量が不足しているため、書き込めませんでした。");
    } else if (primary == SQLITE_IOERR) {
        msg = QStringLiteral("データベース ファイルの読み書きに失敗しました。");
    } else if (engine.startsWith(QLatin1String("no such table"))) {
        msg = QStringLiteral("テーブルが見つかりません。");
    } else if (engine.contains(QLatin1String("already exists"))) {
        msg = QStringLiteral("テーブルまたは列は既に存在します。");
    } else if (engine.contains(QLatin1String("duplicate column"))) {
        msg = QStringLiteral("同じ名前のフィールドが複数あります。");
    } else if (engine.contains(QLatin1String("syntax error")) || engine.contains(QLatin1String("unrecognized token"))) {
        msg = QStringLiteral("SQL ステートメントの構文エラーです。");
    } else {
        msg = QStringLiteral("データベース エラーが発生しました。");
    }
    QString full = msg;
    if (!context.isEmpty()) full += QStringLiteral("\r\n") + context;
    full += QStringLiteral("\r\n(") + engine + QLatin1Char(')');
    return full;
}

void Database::fail(sqlite3* db, int rc, const QString& context) { throw DbError(messageFor(db, rc, context)); }

Database Database::open(const QString& path)
{
    if (!QFileInfo::exists(path))
        throw DbError(QStringLiteral("データベース ファイル '%1' が見つかりません。").arg(path));
    dev_t dev = 0;
    ino_t ino = 0;
    const bool known = fileIdOf(path, &dev, &ino);
    std::shared_ptr<Connection>& shared = kept();
    if (shared && known && shared->path == path && shared->dev == dev && shared->ino == ino) {
        if (sqlite3_exec(shared->db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK) return Database(shared);
        // What is wrong is told by a fresh opening below.
        shared.reset();
    }
    sqlite3* db = nullptr;
    // One thread uses a connection, so the engine need not lock around every call.
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString engine = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close(db);
        throw DbError(QStringLiteral("データベース ファイル '%1' を開けません。\r\n(%2)").arg(path, engine));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyWaitMs);
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
    auto connection = std::make_shared<Connection>(db, path);
    if (known) {
        connection->dev = dev;
        connection->ino = ino;
        shared = connection;
    }
    return Database(connection);
}

void Database::createFresh(const QString& path)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("ファイル '%1' は既に存在します。").arg(path));
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const QString engine = QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
        sqlite3_close(raw);
        throw DbError(QStringLiteral("データベース ファイル '%1' を作成できません。\r\n(%2)").arg(path, engine));
    }
    Database db(std::make_shared<Connection>(raw, path));
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, kBusyWaitMs);
    try {
        Transaction t(db);
        db.execute(management::createStatement());
        Recordset rs = db.openTable(management::kTable);
        for (int r = 0; r < management::kRowCount; ++r) {
            rs.addNew();
            for (int c = 0; c < management::kColumnCount; ++c) {
                if (management::columnTypes()[c] != QLatin1String("TEXT")) rs.setValue(c, Value::integer(0));
            }
            rs.setValue(0, Value::integer(r + 1));
            if (r == 6) {
                rs.setField(QStringLiteral("フィールド1データ型"), management::kInitialTitle);
                rs.setField(QStringLiteral("フィールド2データ型"), management::kInitialTitleColour);
                rs.setField(QStringLiteral("フィールド3データ型"), management::kInitialBackColour);
                rs.setField(QStringLiteral("フィールド4データ型"), QStringLiteral("0"));
                rs.setField(QStringLiteral("フィールド5データ型"), QStringLiteral("0"));
            }
            rs.update();
        }
        t.commit();
    } catch (...) {
        db = Database(nullptr);
        QFile::remove(path);
        throw;
    }
}

Database::Database(Database&& other) noexcept
    : db_(other.db_), path_(other.path_), connection_(std::move(other.connection_))
{
    other.db_ = nullptr;
}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        db_ = other.db_;
        path_ = other.path_;
        connection_ = std::move(other.connection_);
        other.db_ = nullptr;
    }
    return *this;
}

Database::~Database() = default;

void Database::run(const char* sql)
{
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) fail(db_, rc, QString());
}

void Database::execute(const QString& sql)
{
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db_, utf8.constData(), utf8.size(), &stmt, &tail);
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

std::vector<Database::SchemaObject> Database::schemaObjects()
{
    std::vector<SchemaObject> out;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_, "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY rowid", -1, &stmt, nullptr);
    if (rc != SQLITE_OK) fail(db_, rc, QString());
    auto text = [stmt](int col) { return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, col))); };
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) out.push_back({text(0), text(1), text(2), text(3)});
    const QString error = rc == SQLITE_DONE ? QString() : messageFor(db_, rc, QString());
    sqlite3_finalize(stmt);
    if (!error.isEmpty()) throw DbError(error);
    return out;
}

bool Database::tableExists(const QString& table)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db_, "SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1", -1, &stmt, nullptr);
    const QByteArray n = table.toUtf8();
    sqlite3_bind_text(stmt, 1, n.constData(), n.size(), SQLITE_TRANSIENT);
    const bool found = sqlite3_step(stmt) == SQLITE_ROW;
    sqlite3_finalize(stmt);
    return found;
}

std::vector<ColumnInfo> Database::columns(const QString& table)
{
    std::vector<ColumnInfo> cols;
    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(%1)").arg(quoteName(table)).toUtf8();
    const int rc = sqlite3_prepare_v2(db_, sql.constData(), sql.size(), &stmt, nullptr);
    if (rc != SQLITE_OK) fail(db_, rc, QString());
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        ColumnInfo c;
        c.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
        c.declared = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2)));
        c.type = columnTypeOf(c.declared, &c.maxLength);
        cols.push_back(c);
    }
    sqlite3_finalize(stmt);
    return cols;
}

QStringList Database::damage()
{
    QStringList found;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_, "PRAGMA quick_check", -1, &stmt, nullptr);
    if (rc != SQLITE_OK) fail(db_, rc, QString());
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        if (const auto* text = sqlite3_column_text(stmt, 0)) found << QString::fromUtf8(reinterpret_cast<const char*>(text));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) fail(db_, rc, QString());
    if (found == QStringList{QStringLiteral("ok")}) found.clear();
    return found;
}

bool Database::isKeyword(const QString& word)
{
    const QByteArray utf8 = word.toUtf8();
    return sqlite3_keyword_check(utf8.constData(), static_cast<int>(utf8.size())) != 0;
}

bool isRowIdAlias(const QString& column)
{
    // The engine compares names without regard to ASCII letter case only.
    QString lower = column;
    for (QChar& c : lower)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
    return lower == QLatin1String("rowid") || lower == QLatin1String("oid") || lower == QLatin1String("_rowid_");
}

std::vector<ColumnInfo> Database::recordsetColumns(const QString& table)
{
    std::vector<ColumnInfo> cols = columns(table);
    if (cols.empty()) throw DbError(QStringLiteral("テーブル '%1' が見つかりません。").arg(table));
    // A record set walks the rows by their id; a column of the id's name would stand in its
    // place, and a delete or change would reach other rows.
    for (const ColumnInfo& c : cols)
        if (isRowIdAlias(c.name))
            throw DbError(QStringLiteral("テーブル '%1' にはフィールド '%2' があるため開けません。"
                                         "この名前はデータベースが行の識別に使うため、フィールド名には使用できません。")
                              .arg(table, c.name));
    return cols;
}

Recordset Database::openTable(const QString& table) { return Recordset(db_, table, recordsetColumns(table)); }

RowInserter Database::inserter(const QString& table) { return RowInserter(db_, table, recordsetColumns(table)); }

Recordset Database::openWhere(const QString& table, std::vector<Recordset::Equals> where)
{
    return Recordset(db_, table, recordsetColumns(table), std::move(where));
}

Database::Transaction::Transaction(Database& db) : db_(db)
{
    name_ = QStringLiteral("tanzo_sp%1").arg(++db_.connection_->savepoints);
    db_.run(QStringLiteral("SAVEPOINT %1").arg(name_).toUtf8().constData());
}

void Database::Transaction::commit()
{
    if (done_) return;
    db_.run(QStringLiteral("RELEASE %1").arg(name_).toUtf8().constData());
    done_ = true;
    --db_.connection_->savepoints;
}

Database::Transaction::~Transaction()
{
    if (done_ || !db_.db_) return;
    const QByteArray rb = QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(name_).toUtf8();
    sqlite3_exec(db_.db_, rb.constData(), nullptr, nullptr, nullptr);
    --db_.connection_->savepoints;
}
