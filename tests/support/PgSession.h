#pragma once
#include <QString>

struct pg_conn;

// One libpq connection for the tests' own work on the database server: making and dropping
// a database for each test, and checks the engine does not offer. Every failure raises
// std::runtime_error with the server's message.
class PgSession {
public:
    explicit PgSession(const QString& conninfo);
    ~PgSession();
    PgSession(const PgSession&) = delete;
    PgSession& operator=(const PgSession&) = delete;

    // The server CTest started for this run: TANZO_TEST_PG_FILE names a file holding its
    // connection string. Empty when the variable is not set (the tests use the file database).
    static QString adminConninfo();

    void execute(const QString& sql);
    // Ends every session on the database, as a server restart or an administrator would.
    void endSessionsOn(const QString& database);
    // The first column of the first row as text; a row-less result or a Null raises.
    QString value(const QString& sql);

    // The connection string with one keyword set to a value (added when missing), as
    // "key=value" pairs separated by spaces, values quoted where libpq needs it.
    static QString withKeyword(const QString& conninfo, const QString& key, const QString& value);

private:
    pg_conn* conn_ = nullptr;
};
