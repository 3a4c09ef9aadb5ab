#pragma once
#include "platform/db/Backend.h"
#include "platform/db/EngineFailure.h"

#include <QByteArray>
#include <QHash>
#include <optional>

struct pg_conn;
struct pg_result;

namespace db {

class PgStatement;

// A PostgreSQL database reached through libpq. The program's statements are translated
// (ServerSql); every table has a hidden row column numbering its rows in the order they were
// added, which gives the walks the same natural order as the file. Prepared statements are
// kept per connection by their text (prepared and first run in one round trip) and dropped
// when the settings are read again. A walk reads its rows a page at a time. The session's
// settings (lock time-out, messages, date style) are parameters of the connection, so a
// connection made again after a loss is set up the same way.
class PgBackend final : public Backend {
public:
    // Connects (conninfo: libpq's key=value or URI form). An unreachable server raises DbError
    // naming the host and the database.
    static std::shared_ptr<PgBackend> open(const QString& conninfo);
    ~PgBackend() override;

    QString location() const override;
    std::unique_ptr<Statement> prepare(const QString& sql) override;
    void execute(const QString& sql) override;
    QString rowColumn() const override;
    int pageSize() const override { return 5000; }
    QString inIdList(const QString& column, int parameter) const override
    {
        return QStringLiteral("%1 = ANY (ARRAY(SELECT CAST(json_array_elements_text(CAST(?%2 AS json)) AS bigint)))").arg(column).arg(parameter);
    }
    QString holdsText(const QString& column, int parameter) const override
    {
        return QStringLiteral("strpos(%1, ?%2) > 0").arg(column).arg(parameter);
    }
    bool tableExists(const QString& table) override;
    std::vector<ColumnInfo> columns(const QString& table) override;
    std::vector<SchemaObject> schemaObjects() override;
    QStringList damage() override { return {}; }
    bool alive() override;
    // The program's statements reach the server with every name quoted, so no word the server
    // reserves stands in them unquoted; a name must still suit the file, since the backup of a
    // server's database is a database file: the file engine's reserved words are answered.
    bool isKeyword(const QString& word) const override;
    // Forgets the tables' columns and the prepared statements, which may name columns another
    // desk has changed.
    void forgetSchema() override;
    void readOneMoment() override;
    void holdSetUpLock() override;

    QString conninfo() const { return conninfo_; }
    // Requests sent to a server that waited for its answer (round trips), counted over every
    // connection since the program started.
    static long long requestCount();
    // Runs a statement with text parameters and hands back its result; an error raises
    // DbError with the server's message.
    pg_result* run(const QByteArray& sql, const std::vector<QByteArray>& params,
                   const std::vector<bool>& nulls);
    // The same for a statement whose result is not read: inside a transaction it waits for
    // the next statement or goes with the COMMIT, in the same round trip.
    void runLater(const QByteArray& sql, const std::vector<QByteArray>& params, const std::vector<bool>& nulls);
    // Sends a statement this connection has prepared without waiting for its answer, unless
    // the connection is busy with another or a transaction waits to start; true when sent.
    // Whatever uses the connection next first collects the answer for the statement.
    bool sendAhead(PgStatement* statement, const QByteArray& sql, const std::vector<QByteArray>& params,
                   const std::vector<bool>& nulls);
    void collectAhead();
    // An answer collected for a statement sent ahead, checked as run() checks its own: one
    // that never came or whose plan another desk outdated is asked for again; another failure
    // raises DbError with the server's message.
    pg_result* checkedAhead(pg_result* result, const QByteArray& sql, const std::vector<QByteArray>& params,
                            const std::vector<bool>& nulls);
    // The kind of failure of a SQLSTATE, told apart as for the file; a result without one
    // lost its connection.
    static EngineFailure failureOf(const QByteArray& sqlstate);
    // The Japanese message for a failed result, with the server's own words.
    QString messageFor(pg_result* result, const QString& context) const;

protected:
    void begin(int depth) override;
    void commit(int depth) override;
    void rollback(int depth) noexcept override;

private:
    PgBackend(pg_conn* conn, const QString& conninfo);
    void command(const QString& sql);
    // Runs a statement through its prepared statement, preparing it first when this
    // connection has none; the result is not checked (null: the connection broke).
    // With thenCommit, the transaction's COMMIT follows in the same round trip; the result is
    // then the COMMIT's failure when the statement succeeded and the commit did not.
    pg_result* send(const QByteArray& sql, const std::vector<const char*>& values, bool thenCommit = false);
    // Sends the statement left to run later, if any, checked; a refusal raises DbError.
    void sendWaiting();
    // Drops the prepared statements; the next run of each prepares it again.
    void forgetStatements();
    // The result when the server did what was asked; otherwise raises DbError with its message.
    pg_result* checked(pg_result* result, const QString& context);
    pg_conn* conn_ = nullptr;
    PgStatement* ahead_ = nullptr;  // the statement whose answer is on its way
    QString conninfo_;
    // Statement text → name of its prepared statement on this connection.
    QHash<QByteArray, QByteArray> prepared_;
    // Prepared statements made on this connection so far: each takes a name of its own.
    quint64 statementsMade_ = 0;
    // A statement whose result is not read, to be sent with the next one or the COMMIT.
    struct Waiting {
        QByteArray sql;
        std::vector<QByteArray> params;
        std::vector<bool> nulls;
    };
    std::optional<Waiting> waiting_;
    // A transaction begun whose BEGIN goes with the next statement sent.
    bool beginPending_ = false;
    // The connection cannot be used any more (a round trip broke half way); the next action
    // connects again.
    bool broken_ = false;
    // The columns of the tables read so far, until this desk changes a table, a transaction
    // is rolled back or the settings are read again.
    QHash<QString, std::vector<ColumnInfo>> columns_;
};

// Whether a libpq connection string holds a password.
bool holdsPassword(const QString& conninfo);

// What a server location names, for messages and the main window: "host/database".
QString serverName(const QString& conninfo);

}  // namespace db
