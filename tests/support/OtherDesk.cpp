#include "OtherDesk.h"

#include "PgSession.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"

OtherDesk::OtherDesk(const TempProgramDir& dir) : app(dir.path(), ui)
{
    app.useDatabase(!dir.serverDatabase().isEmpty()
                        ? Database::serverLocation(PgSession::withKeyword(dir.serverConninfo(), QStringLiteral("application_name"),
                                                                          QStringLiteral("other_desk")))
                        : dir.databasePath());
    Database db = app.openDatabase();
    Recordset table = db.openTable(management::kTable);
    app.cache.LoadConfigCache(table);
}
