#include "platform/db/Database.h"

#include "platform/db/DbError.h"
#include "platform/db/PgBackend.h"
#include "platform/db/SqliteBackend.h"

#include <QFile>
#include <QFileInfo>

QString quoteName(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

namespace {

const QString kServerPrefix = QStringLiteral("pgsql:");

}  // namespace

std::array<std::shared_ptr<db::Backend>, 2>& Database::kept()
{
    static thread_local std::array<std::shared_ptr<db::Backend>, 2> backends;
    return backends;
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

bool Database::holdsPassword(const QString& conninfo) { return db::holdsPassword(conninfo); }

QString Database::displayName(const QString& location)
{
    return isServerLocation(location) ? QStringLiteral("サーバー ") + db::serverName(conninfoOf(location)) : location;
}

void Database::closeShared() { kept().fill(nullptr); }

long long Database::serverRoundTrips() { return db::PgBackend::requestCount(); }

Database Database::open(const QString& location)
{
    auto& shared = kept();
    if (shared[1] && shared[1]->location() == location) std::swap(shared[0], shared[1]);
    if (shared[0] && shared[0]->location() == location) {
        // A file replaced under the same name is opened anew; so is one that no longer
        // answers, and what is wrong is told by that opening.
        if (shared[0]->stillThere() && shared[0]->alive()) return Database(shared[0]);
        shared[0].reset();
    }
    Database db = openAlone(location);
    if (shared[0]) shared[1] = std::move(shared[0]);
    shared[0] = db.backend_;
    return db;
}

Database Database::openAlone(const QString& location)
{
    if (isServerLocation(location)) return Database(db::PgBackend::open(conninfoOf(location)));
    if (!QFileInfo::exists(location))
        throw DbError(QStringLiteral("データベース ファイル '%1' が見つかりません。").arg(location));
    return Database(db::SqliteBackend::open(location, false));
}

Database Database::create(const QString& location)
{
    if (isServerLocation(location)) return Database(db::PgBackend::open(conninfoOf(location)));
    if (QFileInfo::exists(location)) throw DbError(QStringLiteral("ファイル '%1' は既に存在します。").arg(location));
    return Database(db::SqliteBackend::open(location, true));
}

bool Database::exists(const QString& location) { return isServerLocation(location) || QFileInfo::exists(location); }

void Database::removeFile(const QString& location)
{
    if (isServerLocation(location)) return;
    QFile::remove(location);
    removeSideFiles(location);
}

void Database::removeSideFiles(const QString& location)
{
    if (!isServerLocation(location)) db::SqliteBackend::removeSideFiles(location);
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
    const std::shared_ptr<db::Backend>& inUse = kept()[0];
    return inUse ? inUse->isKeyword(word) : db::SqliteBackend::keyword(word);
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

Recordset Database::openCarrying(const QString& table, const std::vector<int>& columns)
{
    return Recordset(*backend_, table, recordsetColumns(table), {}, {columns, {}, 0, {}});
}

Recordset Database::openRows(const QString& table, const std::vector<qint64>& rowids)
{
    return Recordset(*backend_, table, recordsetColumns(table), {}, {{}, rowids, 0, {}});
}

Recordset Database::openHolding(const QString& table, int column, const std::vector<QString>& texts)
{
    return Recordset(*backend_, table, recordsetColumns(table), {}, {{}, {}, column, texts});
}

Database::Transaction::Transaction(Database& db) : db_(db), depth_(db_.backend_->beginTransaction()) {}

void Database::Transaction::commit()
{
    if (done_) return;
    db_.backend_->commitTransaction(depth_);
    done_ = true;
}

Database::Transaction::~Transaction()
{
    if (done_ || !db_.backend_) return;
    db_.backend_->rollbackTransaction(depth_);
}
