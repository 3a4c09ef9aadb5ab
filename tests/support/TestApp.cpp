#include "TestApp.h"

#include "platform/db/Database.h"
#include "platform/db/ManagementSchema.h"

TestApp::TestApp() : app(dir.path(), ui, printer) { reload(); }

void TestApp::reload()
{
    Database d = Database::open(dir.databasePath());
    Recordset t = d.openTable(management::kTable);
    app.cache.LoadConfigCache(t);
    app.cache.fillTableNames();
}

Database TestApp::db() const { return Database::open(dir.databasePath()); }
