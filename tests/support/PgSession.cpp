#include "PgSession.h"

#include <QFile>
#include <QHash>
#include <QStringList>
#include <libpq-fe.h>
#include <memory>
#include <stdexcept>

namespace {

[[noreturn]] void raise(const QString& what) { throw std::runtime_error(what.toStdString()); }

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

Result run(PGconn* conn, const QString& sql)
{
    Result r(PQexec(conn, sql.toUtf8().constData()), &PQclear);
    const ExecStatusType status = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        raise(sql + QStringLiteral(": ") + QString::fromUtf8(PQerrorMessage(conn)).trimmed());
    return r;
}

QString quoted(const QString& value)
{
    if (!value.isEmpty() && !value.contains(QLatin1Char(' ')) && !value.contains(QLatin1Char('\'')) &&
        !value.contains(QLatin1Char('\\')))
        return value;
    QString v = value;
    v.replace(QLatin1String("\\"), QLatin1String("\\\\")).replace(QLatin1String("'"), QLatin1String("\\'"));
    return QLatin1Char('\'') + v + QLatin1Char('\'');
}

}  // namespace

PgSession::PgSession(const QString& conninfo)
{
    conn_ = PQconnectdb(conninfo.toUtf8().constData());
    if (PQstatus(conn_) != CONNECTION_OK) {
        const QString message = QString::fromUtf8(PQerrorMessage(conn_)).trimmed();
        PQfinish(conn_);
        raise(QStringLiteral("cannot connect to %1: %2").arg(conninfo, message));
    }
    // Notices ("does not exist, skipping") say nothing a test needs.
    PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);
}

PgSession::~PgSession() { PQfinish(conn_); }

QString PgSession::adminConninfo()
{
    const QString file = qEnvironmentVariable("TANZO_TEST_PG_FILE");
    if (file.isEmpty()) return {};
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        raise(QStringLiteral("%1 cannot be read (the pg_cluster_start test writes it): %2").arg(file, f.errorString()));
    const QString conninfo = QString::fromUtf8(f.readAll()).trimmed();
    if (conninfo.isEmpty()) raise(file + QStringLiteral(" is empty"));
    return conninfo;
}

void PgSession::execute(const QString& sql) { run(conn_, sql); }

QString PgSession::value(const QString& sql)
{
    Result r = run(conn_, sql);
    if (PQntuples(r.get()) < 1 || PQnfields(r.get()) < 1 || PQgetisnull(r.get(), 0, 0))
        raise(sql + QStringLiteral(": no value"));
    return QString::fromUtf8(PQgetvalue(r.get(), 0, 0));
}

QString PgSession::withKeyword(const QString& conninfo, const QString& key, const QString& value)
{
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(conninfo.toUtf8().constData(), &error);
    if (!options) {
        const QString message = error ? QString::fromUtf8(error).trimmed() : QStringLiteral("out of memory");
        PQfreemem(error);
        raise(QStringLiteral("%1: %2").arg(conninfo, message));
    }
    // Where and who first, as people write it; then whatever else the string sets.
    QStringList keys{QStringLiteral("host"), QStringLiteral("hostaddr"), QStringLiteral("port"),
                     QStringLiteral("user"), QStringLiteral("dbname")};
    QHash<QString, QString> values;
    for (PQconninfoOption* o = options; o->keyword; ++o) {
        const QString keyword = QString::fromUtf8(o->keyword);
        if (!keys.contains(keyword)) keys << keyword;
        if (o->val) values.insert(keyword, QString::fromUtf8(o->val));
    }
    PQconninfoFree(options);
    if (!keys.contains(key)) keys << key;
    values.insert(key, value);
    QStringList parts;
    for (const QString& k : keys)
        if (values.contains(k)) parts << k + QLatin1Char('=') + quoted(values.value(k));
    return parts.join(QLatin1Char(' '));
}

void PgSession::endSessionsOn(const QString& database)
{
    execute(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = '%1'").arg(database));
}
