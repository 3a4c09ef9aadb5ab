#include "TempProgramDir.h"

#include "platform/db/Database.h"

#include <QDir>

TempProgramDir::TempProgramDir(bool withDatabase)
{
    if (withDatabase) Database::createFresh(databasePath());
}

QString TempProgramDir::databasePath() const { return QDir(dir_.path()).filePath(QStringLiteral("Tanzo.mdb")); }
