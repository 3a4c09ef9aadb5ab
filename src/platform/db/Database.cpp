#include "platform/db/Database.h"

#include "platform/db/DbError.h"
#include "platform/db/ManagementSchema.h"
#include "platform/db/PgBackend.h"
#include "platform/db/SqliteBackend.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

QString quoteName(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

namespace {

const QString kServerPrefix = QStringLiteral("pgsql:");

}  // namespace

std::shared_ptr<db::Backend>& Database::kept()
{
    static std::shared_ptr<db::Backend> backend;
    return backend;
}

Database::Database(std::shared_ptr<db::Backend> backend)
    : path_(backend ? backend->location() : QString()), backend_(std::move(backend))
{
}

QString Database::serverLocation(const QString& conninfo) { return kServerPrefix + conninfo; }

bool Database::isServerLocation(const QString& location) { return location.startsWith(kServerPrefix); }

QString Database::conninfoOf(const QString& location)
{
    return isServerLocation(location) ? location.mid(kServerPrefix.size()) : QString();
}

QString Database::displayName(const QString& location)
{
    return isServerLocation(location) ? QStringLiteral("サーバー ") + db::serverName(conninfoOf(location)) : location;
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

Database Database::open(const QString& location)
{
    std::shared_ptr<db::Backend>& shared = kept();
    if (shared && shared->location() == location) {
        auto* file = dynamic_cast<db::SqliteBackend*>(shared.get());
        // A file replaced under the same name is opened anew; so is one that no longer
        // answers, and what is wrong is told by that opening.
        if ((!file || file->isFileNow(location)) && shared->alive()) return Database(shared);
        shared.reset();
    }
    Database db = openAlone(location);
    shared = db.backend_;
    return db;
}

Database Database::openAlone(const QString& location)
{
    if (isServerLocation(location)) return Database(db::PgBackend::open(conninfoOf(location)));
    if (!QFileInfo::exists(location))
        throw DbError(QStringLiteral("データベース ファイル '%1' が見つかりません。").arg(location));
    return Database(db::SqliteBackend::open(location, false));
}

void Database::createFresh(const QString& location)
{
    const bool server = isServerLocation(location);
    if (!server && QFileInfo::exists(location))
        throw DbError(QStringLiteral("ファイル '%1' は既に存在します。").arg(location));
    Database db(server ? std::shared_ptr<db::Backend>(db::PgBackend::open(conninfoOf(location)))
                       : std::shared_ptr<db::Backend>(db::SqliteBackend::open(location, true)));
    if (server && db.tableExists(management::kTable))
        throw DbError(QStringLiteral("データベース「%1」には既に管理テーブルがあります。").arg(displayName(location)));
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
        if (!server) QFile::remove(location);
        throw;
    }
}

Database::Database(Database&& other) noexcept : path_(other.path_), backend_(std::move(other.backend_)) {}

Database& Database::operator=(Database&& other) noexcept
{
    if (this != &other) {
        path_ = other.path_;
        backend_ = std::move(other.backend_);
    }
    return *this;
}

Database::~Database() = default;

void Database::execute(const QString& sql) { backend_->execute(sql); }

std::vector<Database::SchemaObject> Database::schemaObjects() { return backend_->schemaObjects(); }

bool Database::tableExists(const QString& table) { return backend_->tableExists(table); }

std::vector<ColumnInfo> Database::columns(const QString& table) { return backend_->columns(table); }

QStringList Database::damage() { return backend_->damage(); }

qint64 Database::addToCell(const QString& table, int row, const QString& column, qint64 delta)
{
    const QString rowColumn = backend_->rowColumn();
    const QString name = quoteName(column);
    auto s = backend_->prepare(QStringLiteral("UPDATE %1 SET %2 = COALESCE(%2, 0) + ?1 WHERE %3 = "
                                              "(SELECT %3 FROM %1 ORDER BY %3 LIMIT 1 OFFSET ?2) RETURNING %2")
                                   .arg(quoteName(table), name, rowColumn));
    s->bind(1, Value::integer(delta));
    s->bind(2, Value::integer(row));
    if (!s->step()) throw DbError(QStringLiteral("テーブル '%1' に %2 行目がありません。").arg(table).arg(row + 1));
    return s->integer(0);
}

void Database::lockRows(const QString& table, const std::vector<Recordset::Equals>& where)
{
    if (where.empty()) return;
    QString conditions;
    for (size_t i = 0; i < where.size(); ++i)
        conditions += QStringLiteral("%1%2 = ?%3").arg(i ? QStringLiteral(" AND ") : QString(), quoteName(where[i].column)).arg(i + 1);
    // Writing a column over itself takes the rows' write lock and changes nothing.
    const QString first = quoteName(where.front().column);
    auto s = backend_->prepare(QStringLiteral("UPDATE %1 SET %2 = %2 WHERE %3").arg(quoteName(table), first, conditions));
    for (size_t i = 0; i < where.size(); ++i) s->bind(int(i) + 1, where[i].value);
    s->step();
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

Recordset Database::openTable(const QString& table) { return Recordset(*backend_, table, recordsetColumns(table)); }

RowInserter Database::inserter(const QString& table) { return RowInserter(*backend_, table, recordsetColumns(table)); }

Recordset Database::openWhere(const QString& table, std::vector<Recordset::Equals> where)
{
    return Recordset(*backend_, table, recordsetColumns(table), std::move(where));
}

Database::Transaction::Transaction(Database& db) : db_(db)
{
    db::Backend& b = *db_.backend_;
    b.begin(b.depth + 1);
    depth_ = ++b.depth;
}

void Database::Transaction::commit()
{
    if (done_) return;
    db_.backend_->commit(depth_);
    done_ = true;
    --db_.backend_->depth;
}

Database::Transaction::~Transaction()
{
    if (done_ || !db_.backend_) return;
    db_.backend_->rollback(depth_);
    --db_.backend_->depth;
}
