#include "core/App.h"

#include "platform/db/Database.h"
#include "platform/ui/Ui.h"

#include <QDir>

App::App(const QString& programDir, Ui& ui) : programDir_(programDir), ui_(ui)
{
    cache.databasePath = databasePath();
    cache.fillTableNames();
}

QString App::databasePath() const { return QDir(programDir_).filePath(QStringLiteral("Tanzo.mdb")); }
QString App::helpPath() const { return QDir(programDir_).filePath(QStringLiteral("Tanzo.chm")); }

Database App::openDatabase() const { return Database::open(databasePath()); }

void App::showDbError(const DbError& e)
{
    ui_.msgBox(e.message(), Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
}
