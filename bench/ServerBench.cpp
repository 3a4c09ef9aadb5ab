#include "ServerBench.h"
#include "EditorEntry.h"

#include "BenchData.h"
#include "Find.h"
#include "PgSession.h"
#include "ScriptedUi.h"
#include "TempProgramDir.h"
#include "app/Form1.h"
#include "core/App.h"
#include "core/FirstStart.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form7.h"

#include <QPushButton>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {

void printCount(const char* path, long long count)
{
    std::printf("server_round_trips_%s: %lld\n", path, count);
    std::fflush(stdout);
}

// One new record typed into the editor and stored; the round trips of the store alone.
long long addOne(App& app, int i)
{
    Form7 ed(app, 0);
    ed.prepare(EditorMode::New, {}, QString());
    typeBenchRecord(ed, i);
    const long long before = Database::serverRoundTrips();
    child<QPushButton>(ed, "Command1")->click();
    return Database::serverRoundTrips() - before;
}

}  // namespace

void serverRoundTrips(const QString& admin)
{
    const QString name = QStringLiteral("tanzo_bench_trips_%1").arg(getpid());
    try {
        PgSession(admin).execute(QStringLiteral("CREATE DATABASE %1").arg(name));
    } catch (const std::runtime_error& e) {
        std::printf("FAIL server: %s\n", e.what());
        return;
    }
    const QString location = Database::serverLocation(PgSession::withKeyword(admin, QStringLiteral("dbname"), name));
    {
        TempProgramDir dir(false);
        {
            ScriptedUi ui;
            App app(dir.path(), ui);
            app.useDatabase(location);
            FirstStart::createDatabase(location);
            {
                Database db = app.openDatabase();
                Recordset t = db.openTable(management::kTable);
                app.cache.LoadConfigCache(t);
            }
            benchdata::defineCategory(app);
            benchdata::fillMain(app, 100);
        }
        // A start on a connection of its own, as a desk's program starts.
        Database::closeShared();
        ScriptedUi ui;
        App app(dir.path(), ui);
        app.useDatabase(location);
        Form1 start(app);
        const long long before = Database::serverRoundTrips();
        start.start();
        printCount("start", Database::serverRoundTrips() - before);
        printCount("first_add", addOne(app, 1));
        printCount("next_add", addOne(app, 2));
        Database::closeShared();
    }
    try {
        PgSession(admin).execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    } catch (const std::runtime_error& e) {
        std::printf("FAIL server: %s\n", e.what());
    }
}
