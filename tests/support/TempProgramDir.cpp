#include "TempProgramDir.h"

#include "PgSession.h"
#include "core/FirstStart.h"
#include "platform/db/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <atomic>
#include <optional>
#include <stdexcept>
#include <gtest/gtest.h>

namespace {

std::optional<TempProgramDir::Backend>& chosen()
{
    static std::optional<TempProgramDir::Backend> backend;
    return backend;
}

}  // namespace

TempProgramDir::BackendChoice::BackendChoice(Backend backend) { chosen() = backend; }

TempProgramDir::BackendChoice::~BackendChoice() { chosen().reset(); }

TempProgramDir::TempProgramDir(bool withDatabase)
{
    if (onServer()) {
        adminConninfo_ = PgSession::adminConninfo();
        if (adminConninfo_.isEmpty())
            throw std::runtime_error("a server test outside the server run: TANZO_TEST_PG_FILE is not set");
    }
    if (!adminConninfo_.isEmpty()) {
        static std::atomic<int> counter{0};
        serverDatabase_ =
            QStringLiteral("tanzo_t%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        PgSession admin(adminConninfo_);
        // A database of that name can only be left by an earlier process of the same id.
        admin.execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(serverDatabase_));
        admin.execute(QStringLiteral("CREATE DATABASE %1 TEMPLATE template0 ENCODING 'UTF8'").arg(serverDatabase_));
        // The program started on this directory finds its server through the connection file.
        QFile conn(QDir(dir_.path()).filePath(QStringLiteral("Tanzo.conn")));
        if (!conn.open(QIODevice::WriteOnly) || conn.write(serverConninfo().toUtf8() + '\n') < 0) {
            dropServerDatabase();
            throw std::runtime_error("cannot write " + conn.fileName().toStdString());
        }
    }
    if (!withDatabase) return;
    try {
        FirstStart::createDatabase(databasePath());
        // A location the engine took for a file name would leave the server database empty.
        if (!serverDatabase_.isEmpty() &&
            PgSession(serverConninfo())
                    .value(QStringLiteral("SELECT count(*) FROM information_schema.tables "
                                          "WHERE table_schema NOT IN ('pg_catalog', 'information_schema')")) ==
                QStringLiteral("0"))
            throw std::runtime_error("the fresh database made no table on the server: " +
                                     databasePath().toStdString());
    } catch (...) {
        dropServerDatabase();
        throw;
    }
}

TempProgramDir::~TempProgramDir() { dropServerDatabase(); }

void TempProgramDir::dropServerDatabase()
{
    if (serverDatabase_.isEmpty()) return;
    // The engine's kept connection to this database goes first.
    Database::closeShared();
    try {
        PgSession admin(adminConninfo_);
        admin.execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(serverDatabase_));
    } catch (const std::exception& e) {
        ADD_FAILURE() << "the test database " << serverDatabase_.toStdString() << " stays: " << e.what();
    }
    serverDatabase_.clear();
}

QString TempProgramDir::databasePath() const
{
    if (!serverDatabase_.isEmpty()) return Database::serverLocation(serverConninfo());
    return QDir(dir_.path()).filePath(QStringLiteral("Tanzo.mdb"));
}

QString TempProgramDir::serverConninfo() const
{
    if (serverDatabase_.isEmpty()) return {};
    return PgSession::withKeyword(adminConninfo_, QStringLiteral("dbname"), serverDatabase_);
}

bool TempProgramDir::onServer() { return chosen() ? *chosen() == Backend::Server : serverRun(); }

bool TempProgramDir::serverRun() { return !qEnvironmentVariableIsEmpty("TANZO_TEST_PG_FILE"); }
