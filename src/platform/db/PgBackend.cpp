#include "platform/db/PgBackend.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/ServerSql.h"
#include "platform/db/SqliteBackend.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <libpq-fe.h>

namespace db {

namespace {

// Requests that waited for the server's answer, on every connection of the run.
std::atomic<long long> requests{0};

// Type numbers of the server's built-in types.
constexpr Oid kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;

// The next result of a pipeline, with the end of its query taken; null when the connection
// broke on the way.
PGresult* nextResult(PGconn* conn)
{
    PGresult* result = PQgetResult(conn);
    if (result && PQresultStatus(result) != PGRES_PIPELINE_SYNC) PQclear(PQgetResult(conn));
    return result;
}

// Whether a statement failed because what it reads changed its columns since it was
// prepared.
bool planChanged(const PGresult* result)
{
    if (PQresultStatus(result) != PGRES_FATAL_ERROR) return false;
    const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
    const char* text = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
    return state && std::strcmp(state, "0A000") == 0 && text &&
           std::strstr(text, "cached plan must not change result type") != nullptr;
}

// The parameters as libpq takes them: each text, or null for a Null.
std::vector<const char*> parameterValues(const std::vector<QByteArray>& params, const std::vector<bool>& nulls)
{
    std::vector<const char*> values(params.size());
    for (size_t i = 0; i < params.size(); ++i) values[i] = nulls[i] ? nullptr : params[i].constData();
    return values;
}

QString serverMessage(const PGresult* result, const PGconn* conn)
{
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    QString text = QString::fromUtf8(primary ? primary : PQerrorMessage(conn)).trimmed();
    return text;
}

// "123.4500" → 1234500: an amount in units of 1/10 000, without a round trip through binary.
// Decimals past the fourth are cut off. The column holds amounts beyond what the units hold
// (up to 999 999 999 999 999.9999, stored there by another program): such an amount reads as
// the largest the units hold, of its sign, rather than one of the other sign.
qint64 unitsOf(const char* p)
{
    bool negative = false;
    if (*p == '-') {
        negative = true;
        ++p;
    }
    constexpr quint64 most = quint64(std::numeric_limits<qint64>::max());
    quint64 units = 0;
    auto append = [&units](char digit) {
        const quint64 d = quint64(digit - '0');
        units = units > (most + 1 - d) / 10 ? most + 1 : units * 10 + d;
    };
    for (; *p >= '0' && *p <= '9'; ++p) append(*p);
    int digits = 0;
    if (*p == '.') {
        for (++p; *p >= '0' && *p <= '9' && digits < 4; ++p, ++digits) append(*p);
    }
    for (; digits < 4; ++digits) append('0');
    if (negative) return units > most ? std::numeric_limits<qint64>::min() : -qint64(units);
    return units > most ? std::numeric_limits<qint64>::max() : qint64(units);
}

// "-123" → -123: a whole number as the server writes one (int2, int4, int8).
qint64 wholeOf(const char* p)
{
    const bool negative = *p == '-';
    if (negative) ++p;
    quint64 n = 0;
    for (; *p >= '0' && *p <= '9'; ++p) n = n * 10 + quint64(*p - '0');
    return negative ? qint64(0 - n) : qint64(n);
}

QByteArray textOf(const Value& v)
{
    switch (v.kind()) {
    case Value::Kind::Null: return {};
    case Value::Kind::Integer: return QByteArray::number(v.toInt());
    case Value::Kind::Currency: {
        const qint64 u = v.currencyUnits();
        const qint64 a = u < 0 ? -u : u;
        QByteArray s = QByteArray::number(a / 10000) + '.' + QByteArray::number(a % 10000).rightJustified(4, '0');
        return u < 0 ? '-' + s : s;
    }
    case Value::Kind::Date: return v.toDate().toString(Qt::ISODate).toUtf8();
    case Value::Kind::Text: return v.toString().toUtf8();
    }
    return {};
}

}  // namespace

class PgStatement final : public Statement {
public:
    PgStatement(PgBackend& backend, QByteArray sql) : backend_(backend), sql_(std::move(sql)) {}
    ~PgStatement() override
    {
        reset();
    }

    void bind(int index, const Value& v) override
    {
        reset();
        if (size_t(index) > params_.size()) {
            params_.resize(size_t(index));
            nulls_.resize(size_t(index), true);
        }
        nulls_[size_t(index - 1)] = v.isNull();
        params_[size_t(index - 1)] = textOf(v);
    }

    bool step() override
    {
        if (!result_) {
            if (sentAhead_) backend_.collectAhead();
            result_ = answer_ ? backend_.checkedAhead(std::exchange(answer_, nullptr), sql_, params_, nulls_)
                              : backend_.run(sql_, params_, nulls_);
            row_ = -1;
            rows_ = PQntuples(result_);
            types_.resize(size_t(PQnfields(result_)));
            for (size_t i = 0; i < types_.size(); ++i) types_[i] = PQftype(result_, int(i));
        }
        ++row_;
        return row_ < rows_;
    }

    void sendAhead() override
    {
        if (!result_ && !sentAhead_ && !answer_) sentAhead_ = backend_.sendAhead(this, sql_, params_, nulls_);
    }
    // The answer of the statement sent ahead, collected (null: the connection was lost).
    void answered(PGresult* answer)
    {
        sentAhead_ = false;
        answer_ = answer;
    }
    int answerRows() const override { return result_ ? rows_ : -1; }
    qint64 lastInteger(int column) const override
    {
        return rows_ > 0 ? wholeOf(PQgetvalue(result_, rows_ - 1, column)) : 0;
    }

    void stepLater() override
    {
        reset();
        backend_.runLater(sql_, params_, nulls_);
    }

    Cell cell(int column) const override
    {
        if (PQgetisnull(result_, row_, column)) return Cell::Null;
        switch (types_[size_t(column)]) {
        case kInt2:
        case kInt4:
        case kInt8: return Cell::Integer;
        case kNumeric:
        case kFloat4:
        case kFloat8: return Cell::Float;
        default: return Cell::Text;
        }
    }
    qint64 integer(int column) const override
    {
        const char* p = PQgetvalue(result_, row_, column);
        switch (types_[size_t(column)]) {
        case kNumeric: return unitsOf(p) / 10000;
        case kInt2:
        case kInt4:
        case kInt8: return wholeOf(p);
        default: return std::strtoll(p, nullptr, 10);
        }
    }
    qint64 units(int column) const override
    {
        const char* p = PQgetvalue(result_, row_, column);
        return types_[size_t(column)] == kNumeric ? unitsOf(p) : integer(column) * 10000;
    }
    const char* text(int column, int* bytes) const override
    {
        *bytes = PQgetlength(result_, row_, column);
        return PQgetvalue(result_, row_, column);
    }

private:
    void reset()
    {
        if (sentAhead_) backend_.collectAhead();
        PQclear(answer_);
        answer_ = nullptr;
        PQclear(result_);
        result_ = nullptr;
    }
    PgBackend& backend_;
    QByteArray sql_;
    std::vector<QByteArray> params_;
    std::vector<bool> nulls_;
    PGresult* result_ = nullptr;
    bool sentAhead_ = false;        // its answer is on its way
    PGresult* answer_ = nullptr;  // its answer, collected before its first step
    int row_ = -1;
    int rows_ = 0;
    // The server's type of each column of the result.
    std::vector<Oid> types_;
};

namespace {

QString connInfoField(const QString& conninfo, const char* key)
{
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.toUtf8().constData(), &error);
    if (error) PQfreemem(error);
    QString value;
    if (!options) return value;
    for (PQconninfoOption* o = options; o->keyword; ++o)
        if (std::strcmp(o->keyword, key) == 0 && o->val) value = QString::fromUtf8(o->val);
    PQconninfoFree(options);
    return value;
}

}  // namespace

bool holdsPassword(const QString& conninfo) { return !connInfoField(conninfo, "password").isEmpty(); }

QString serverName(const QString& conninfo)
{
    QString host = connInfoField(conninfo, "host");
    if (host.isEmpty()) host = connInfoField(conninfo, "hostaddr");
    if (host.isEmpty()) host = QStringLiteral("localhost");
    QString database = connInfoField(conninfo, "dbname");
    if (database.isEmpty()) database = connInfoField(conninfo, "user");
    if (database.isEmpty()) database = QString::fromLocal8Bit(qgetenv("PGDATABASE"));
    if (database.isEmpty()) database = QString::fromLocal8Bit(qgetenv("USER"));
    return host + QLatin1Char('/') + database;
}

PgBackend::PgBackend(pg_conn* conn, const QString& conninfo) : conn_(conn), conninfo_(conninfo) {}

PgBackend::~PgBackend()
{
    if (ahead_) ahead_->answered(nullptr);
    if (conn_) PQfinish(conn_);
}

namespace {

// A new session, the first of a desk's or one made again after a loss, always the same way:
// its settings are parameters of the connection (after any options the connection string or
// PGOPTIONS gives), so they cost no request of their own and none is ever missing.
PGconn* connectTo(const QString& conninfo)
{
    QByteArray options = connInfoField(conninfo, "options").toUtf8();
    if (options.isEmpty()) options = qgetenv("PGOPTIONS");
    options += " -c DateStyle=ISO,YMD -c client_min_messages=warning -c lock_timeout=3s";
    const QByteArray expanded = conninfo.toUtf8();
    const char* keywords[] = {"dbname", "client_encoding", "options", nullptr};
    const char* values[] = {expanded.constData(), "UTF8", options.constData(), nullptr};
    ++requests;
    PGconn* conn = PQconnectdbParams(keywords, values, 1);
    PQsetNoticeProcessor(conn, [](void*, const char*) {}, nullptr);
    return conn;
}

}  // namespace

std::shared_ptr<PgBackend> PgBackend::open(const QString& conninfo)
{
    PGconn* conn = connectTo(conninfo);
    if (PQstatus(conn) != CONNECTION_OK) {
        const QString engine = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
        PQfinish(conn);
        const QString name = serverName(conninfo);
        const int slash = int(name.indexOf(QLatin1Char('/')));
        throw DbError(QStringLiteral("データベース サーバー「%1」のデータベース「%2」に接続できません。\r\n(%3)")
                          .arg(name.left(slash), name.mid(slash + 1), engine));
    }
    return std::shared_ptr<PgBackend>(new PgBackend(conn, conninfo));
}

QString PgBackend::location() const { return Database::serverLocation(conninfo_); }

QString PgBackend::rowColumn() const { return quoteName(serversql::kRowColumn); }

bool PgBackend::alive()
{
    if (!broken_ && PQstatus(conn_) == CONNECTION_OK) return true;
    // An answer on its way over the lost connection will not come; its statement asks again.
    if (ahead_) std::exchange(ahead_, nullptr)->answered(nullptr);
    // A new session, set up as the first one was; nothing of the lost one is kept (its
    // prepared statements, column lists, an open transaction).
    PGconn* fresh = connectTo(conninfo_);
    PQfinish(conn_);
    conn_ = fresh;
    broken_ = false;
    prepared_.clear();
    columns_.clear();
    beginPending_ = false;
    waiting_.reset();
    return PQstatus(conn_) == CONNECTION_OK;
}

void PgBackend::forgetSchema()
{
    columns_.clear();
    forgetStatements();
}

void PgBackend::forgetStatements()
{
    if (prepared_.isEmpty()) return;
    collectAhead();
    prepared_.clear();
    // New statements take names never used on this connection, so nothing hangs on this.
    ++requests;
    PQclear(PQexec(conn_, "DEALLOCATE ALL"));
}

EngineFailure PgBackend::failureOf(const QByteArray& code)
{
    if (code == "23505") return EngineFailure::DuplicateKey;
    if (code.startsWith("23")) return EngineFailure::Constraint;
    if (code == "40001" || code == "40P01" || code == "55P03" || code == "57014") return EngineFailure::Busy;
    if (code == "25006" || code == "42501") return EngineFailure::ReadOnly;
    if (code == "53100") return EngineFailure::DiskFull;
    if (code.isEmpty() || code.startsWith("08") || code.startsWith("57P")) return EngineFailure::ConnectionLost;
    if (code == "42P01") return EngineFailure::NoSuchTable;
    if (code == "42P07") return EngineFailure::AlreadyExists;
    if (code == "42701") return EngineFailure::DuplicateColumn;
    if (code == "42601") return EngineFailure::Syntax;
    if (code == "22003") return EngineFailure::Overflow;
    return EngineFailure::Other;
}

QString PgBackend::messageFor(PGresult* result, const QString& context) const
{
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    return failureMessage(failureOf(state ? QByteArray(state) : QByteArray()), context, serverMessage(result, conn_));
}

void PgBackend::readOneMoment() { command(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY")); }

void PgBackend::holdSetUpLock()
{
    // One number every desk of this program asks for ("Tanz" in ASCII), held to the end of
    // the transaction.
    command(QStringLiteral("SELECT pg_advisory_xact_lock(1415671418)"));
}

bool PgBackend::isKeyword(const QString& word) const { return SqliteBackend::keyword(word); }

bool PgBackend::sendAhead(PgStatement* statement, const QByteArray& sql, const std::vector<QByteArray>& params,
                          const std::vector<bool>& nulls)
{
    if (ahead_ || beginPending_ || waiting_ || broken_) return false;
    const QByteArray kept = prepared_.value(sql);
    if (kept.isEmpty()) return false;
    const std::vector<const char*> values = parameterValues(params, nulls);
    if (!PQsendQueryPrepared(conn_, kept.constData(), int(values.size()), values.data(), nullptr, nullptr, 0)) return false;
    ++requests;
    ahead_ = statement;
    return true;
}

void PgBackend::collectAhead()
{
    if (!ahead_) return;
    PgStatement* statement = std::exchange(ahead_, nullptr);
    PGresult* answer = PQgetResult(conn_);
    // Up to the end of its answer, so the connection is free for the next request.
    while (PGresult* more = PQgetResult(conn_)) PQclear(more);
    statement->answered(answer);
}

PGresult* PgBackend::checkedAhead(PGresult* result, const QByteArray& sql, const std::vector<QByteArray>& params,
                                  const std::vector<bool>& nulls)
{
    // An answer that never came (its connection was replaced) or a plan another desk's change
    // outdated: asked for again, as any statement is. Another failure is told with the
    // server's own words, as for a statement run at once.
    if (!result || planChanged(result)) {
        PQclear(result);
        return run(sql, params, nulls);
    }
    return checked(result, QString());
}

PGresult* PgBackend::run(const QByteArray& sql, const std::vector<QByteArray>& params, const std::vector<bool>& nulls)
{
    // (send() collects an answer sent ahead first.)
    sendWaiting();
    const std::vector<const char*> values = parameterValues(params, nulls);
    PGresult* result = send(sql, values);
    // Another desk made a table again with other columns, so a kept plan no longer fits: the
    // statements are prepared anew and this one runs once more, unless it failed inside a
    // transaction (which it has ended; the next action starts afresh).
    if (planChanged(result)) {
        forgetStatements();
        if (PQtransactionStatus(conn_) == PQTRANS_IDLE) {
            PQclear(result);
            result = send(sql, values);
        }
    }
    return checked(result, QString());
}

void PgBackend::runLater(const QByteArray& sql, const std::vector<QByteArray>& params, const std::vector<bool>& nulls)
{
    collectAhead();
    // Outside a transaction nothing would send it: it runs now.
    if (!beginPending_ && PQtransactionStatus(conn_) == PQTRANS_IDLE) {
        PQclear(run(sql, params, nulls));
        return;
    }
    sendWaiting();
    waiting_ = Waiting{sql, params, nulls};
}

void PgBackend::sendWaiting()
{
    if (!waiting_) return;
    const Waiting w = std::move(*waiting_);
    waiting_.reset();
    PQclear(run(w.sql, w.params, w.nulls));
}

PGresult* PgBackend::send(const QByteArray& sql, const std::vector<const char*>& values, bool thenCommit)
{
    collectAhead();
    const int count = int(values.size());
    const QByteArray kept = prepared_.value(sql);
    const bool opening = beginPending_;
    beginPending_ = false;
    ++requests;
    if (!kept.isEmpty() && !opening && !thenCommit) return PQexecPrepared(conn_, kept.constData(), count, values.data(), nullptr, nullptr, 0);

    // The transaction's start and the preparing of a statement new to this connection go
    // in the same round trip as the statement itself.
    const QByteArray name = kept.isEmpty() ? "tanzo_" + QByteArray::number(++statementsMade_) : kept;
    if (!PQenterPipelineMode(conn_)) return nullptr;
    const bool sent = (!opening || PQsendQueryParams(conn_, "BEGIN", 0, nullptr, nullptr, nullptr, nullptr, 0)) &&
                      (!kept.isEmpty() || PQsendPrepare(conn_, name.constData(), sql.constData(), 0, nullptr)) &&
                      PQsendQueryPrepared(conn_, name.constData(), count, values.data(), nullptr, nullptr, 0) &&
                      (!thenCommit || PQsendQueryParams(conn_, "COMMIT", 0, nullptr, nullptr, nullptr, nullptr, 0)) &&
                      PQpipelineSync(conn_);
    PGresult* result = nullptr;
    bool ok = sent;
    for (int step = (opening ? 1 : 0) + (kept.isEmpty() ? 1 : 0); ok && step > 0; --step) {
        result = nextResult(conn_);
        ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        if (ok) PQclear(result);
    }
    if (ok) result = nextResult(conn_);
    const ExecStatusType ran = PQresultStatus(result);
    if (ok && thenCommit && (ran == PGRES_COMMAND_OK || ran == PGRES_TUPLES_OK)) {
        // The statement was done; what counts now is whether the COMMIT was.
        PGresult* committed = nextResult(conn_);
        if (PQresultStatus(committed) == PGRES_COMMAND_OK) {
            PQclear(committed);
        } else {
            PQclear(result);
            result = committed;
        }
    }
    // What is left up to the end of the round trip: each statement skipped after a failure
    // answers with its own result and end.
    for (int ends = 0; ends < 8;) {
        PGresult* rest = PQgetResult(conn_);
        if (!rest) {
            if (PQstatus(conn_) == CONNECTION_BAD) break;
            ++ends;
            continue;
        }
        const bool end = PQresultStatus(rest) == PGRES_PIPELINE_SYNC;
        PQclear(rest);
        if (end) break;
    }
    // A pipeline the server left half answered leaves the connection unusable.
    if (!PQexitPipelineMode(conn_)) {
        broken_ = true;
        PQclear(result);
        return nullptr;
    }
    if (!sent) {
        PQclear(result);
        return nullptr;
    }
    if (ok && kept.isEmpty()) prepared_.insert(sql, name);
    return result;
}

std::unique_ptr<Statement> PgBackend::prepare(const QString& sql)
{
    return std::make_unique<PgStatement>(*this, serversql::parameters(sql).toUtf8());
}

PGresult* PgBackend::checked(PGresult* result, const QString& context)
{
    const ExecStatusType status = PQresultStatus(result);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return result;
    const QString message = messageFor(result, context);
    PQclear(result);
    // A connection lost on the way is opened again for the next action.
    alive();
    throw DbError(message);
}

void PgBackend::command(const QString& sql)
{
    // A transaction begun with nothing sent yet starts in the same round trip.
    collectAhead();
    sendWaiting();
    const QByteArray text = (beginPending_ ? QByteArray("BEGIN; ") : QByteArray()) + sql.toUtf8();
    beginPending_ = false;
    ++requests;
    PQclear(checked(PQexec(conn_, text.constData()), sql));
}

void PgBackend::execute(const QString& sql)
{
    const QString translated = serversql::statement(sql);
    collectAhead();
    sendWaiting();
    if (beginPending_) command(QStringLiteral("BEGIN"));
    // Unlike PQexec, this runs exactly one statement.
    ++requests;
    PQclear(checked(PQexecParams(conn_, translated.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, 0), sql));
    columns_.clear();
    // A table made or dropped changes what the kept statements name; they are prepared again.
    if (!translated.startsWith(QLatin1String("DELETE"))) forgetStatements();
}

// A table of the program has columns: one read tells both, and keeps them.
bool PgBackend::tableExists(const QString& table) { return !columns(table).empty(); }

std::vector<ColumnInfo> PgBackend::columns(const QString& table)
{
    if (auto kept = columns_.find(table); kept != columns_.end()) return *kept;
    auto s = prepare(QStringLiteral(
        "SELECT a.attname, pg_catalog.format_type(a.atttypid, a.atttypmod) FROM pg_catalog.pg_attribute a "
        "JOIN pg_catalog.pg_class c ON c.oid = a.attrelid JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = current_schema() AND c.relname = ?1 AND c.relkind IN ('r', 'p') AND a.attnum > 0 "
        "AND NOT a.attisdropped ORDER BY a.attnum"));
    s->bind(1, Value::text(table));
    std::vector<ColumnInfo> cols;
    while (s->step()) {
        int bytes = 0;
        const char* p = s->text(0, &bytes);
        ColumnInfo c;
        c.name = QString::fromUtf8(p, bytes);
        if (c.name == serversql::kRowColumn) continue;
        p = s->text(1, &bytes);
        c.declared = serversql::declaredType(QString::fromUtf8(p, bytes));
        c.type = columnTypeOf(c.declared, &c.maxLength);
        cols.push_back(c);
    }
    if (!cols.empty()) columns_.insert(table, cols);
    return cols;
}

std::vector<Backend::SchemaObject> PgBackend::schemaObjects()
{
    std::vector<SchemaObject> out;
    auto s = prepare(QStringLiteral(
        "SELECT CASE WHEN c.relkind IN ('v', 'm') THEN 'view' WHEN c.relkind IN ('r', 'p', 'f') THEN 'table' "
        "ELSE 'other' END, c.relname, c.relname FROM pg_catalog.pg_class c "
        "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = current_schema() AND c.relkind IN ('r', 'p', 'f', 'v', 'm') "
        "UNION ALL SELECT 'trigger', t.tgname, c.relname FROM pg_catalog.pg_trigger t "
        "JOIN pg_catalog.pg_class c ON c.oid = t.tgrelid JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
        "WHERE n.nspname = current_schema() AND NOT t.tgisinternal "
        "UNION ALL SELECT 'rule', r.rulename, r.tablename FROM pg_catalog.pg_rules r "
        "WHERE r.schemaname = current_schema() ORDER BY 1, 2"));
    auto text = [&s](int col) {
        int bytes = 0;
        const char* p = s->text(col, &bytes);
        return QString::fromUtf8(p, bytes);
    };
    while (s->step()) {
        QString type = text(0);
        // A rule rewrites statements as a trigger runs others: both are refused alike.
        if (type == QLatin1String("rule")) type = QStringLiteral("trigger");
        out.push_back({type, text(1), text(2), QString()});
    }
    return out;
}

void PgBackend::begin(int depth)
{
    // The transaction starts with its first statement, in the same round trip.
    if (depth == 1)
        beginPending_ = true;
    else
        command(QStringLiteral("SAVEPOINT tanzo_sp%1").arg(depth));
}

void PgBackend::commit(int depth)
{
    if (depth == 1 && waiting_) {
        // The statement left to run later and the COMMIT go in one round trip.
        const Waiting w = std::move(*waiting_);
        waiting_.reset();
        PQclear(checked(send(w.sql, parameterValues(w.params, w.nulls), true), QString()));
        return;
    }
    if (depth == 1 && beginPending_) {
        // Nothing was sent: there is nothing to commit.
        beginPending_ = false;
        return;
    }
    command(depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE SAVEPOINT tanzo_sp%1").arg(depth));
}

void PgBackend::rollback(int depth) noexcept
{
    // A table made or dropped inside goes back with it; a statement not sent yet is dropped.
    columns_.clear();
    waiting_.reset();
    collectAhead();
    if (depth == 1 && beginPending_) {
        beginPending_ = false;
        return;
    }
    const QByteArray sql = depth == 1 ? QByteArray("ROLLBACK")
                                      : QStringLiteral("ROLLBACK TO SAVEPOINT tanzo_sp%1; RELEASE SAVEPOINT tanzo_sp%1").arg(depth).toUtf8();
    ++requests;
    PQclear(PQexec(conn_, sql.constData()));
}

long long PgBackend::requestCount() { return requests; }

}  // namespace db
