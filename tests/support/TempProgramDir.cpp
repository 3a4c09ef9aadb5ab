#include "TempProgramDir.h"

#include "platform/db/Database.h"

#include <QDir>
#include <atomic>
#include <libpq-fe.h>
#include <unistd.h>

static QString devName;
TempProgramDir::TempProgramDir(bool withDatabase)
{
    if (qEnvironmentVariableIsSet("DEVPG")) {
        static std::atomic<int> n{0};
        devName = QStringLiteral("t%1_%2").arg(getpid()).arg(++n);
        PGconn* c = PQconnectdb("host=127.0.0.1 port=54400 user=postgres dbname=postgres");
        PQclear(PQexec(c, ("CREATE DATABASE " + devName).toUtf8().constData()));
        PQfinish(c);
    }
    if (withDatabase) Database::createFresh(databasePath());
}

QString TempProgramDir::databasePath() const {
    if (qEnvironmentVariableIsSet("DEVPG")) return Database::serverLocation("host=127.0.0.1 port=54400 user=postgres dbname=" + devName);
    return QDir(dir_.path()).filePath(QStringLiteral("Tanzo.mdb")); }
