#include "TestApp.h"

#include "core/ManagementSchema.h"
#include "platform/db/Database.h"

TestApp::TestApp() : app(dir.path(), ui, printer)
{
    app.useDatabase(dir.databasePath());
    reload();
}

void TestApp::reload()
{
    Database d = Database::open(dir.databasePath());
    Recordset t = d.openTable(management::kTable);
    app.cache.LoadConfigCache(t);
}

Database TestApp::db() const { return Database::open(dir.databasePath()); }

ConfigCache storedCache(const QString& databasePath)
{
    ConfigCache c;
    Database db = Database::open(databasePath);
    Recordset t = db.openTable(management::kTable);
    c.LoadConfigCache(t);
    return c;
}

ConfigCache TestApp::stored() const { return storedCache(dir.databasePath()); }
