#include "Builders.h"
#include "Find.h"
#include "ListFixture.h"
#include "TestApp.h"
#include "core/ConfigCache.h"
#include "core/ManagementSchema.h"
#include "core/RecordStore.h"
#include "core/SchemaStore.h"
#include "lists/Form5.h"
#include "platform/db/Database.h"
#include "platform/widgets/ReportListView.h"

#include <QAction>
#include <gtest/gtest.h>
#include <thread>

// Desk A has the ＣＤ list open; desk B (a thread with a connection of its own) deletes ＣＤ's
// main file and makes it again with 数量 as text. Desk A's list reads its rows again when
// the editor it opened closes: it shows desk B's record, with no engine error.
TEST(SeveralDesksListServerOnly, AFileMadeAgainWithOtherTypesAtAnotherDeskIsReadWithoutRestarting)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}, {QStringLiteral("数量"), QStringLiteral("LONG")}});
    build::addMainRow(t.app, 0, {QStringLiteral("一枚目"), QStringLiteral("2")}, 1);
    Form5 list(t.app, openAs(t.app, 0, 0));
    auto* rows = child<ReportListView>(list, "ListView1");
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->text(0, 1), QStringLiteral("2"));

    std::thread deskB([&] {
        ConfigCache cache;
        cache.setDatabasePath(t.app.databasePath());
        {
            Database db = Database::open(cache.databasePath());
            Recordset table = db.openTable(management::kTable);
            cache.LoadConfigCache(table);
        }
        SchemaStore files(cache);
        files.dropFile(0, SchemaStore::File::Main);
        files.createFile(0, SchemaStore::File::Main, ConfigCache::mainTableName(0),
                         {{QStringLiteral("品名"), QStringLiteral("TEXT")}, {QStringLiteral("数量"), QStringLiteral("TEXT")}});
        RecordStore(cache).addMain(0, QStringList{QStringLiteral("新譜"), QStringLiteral("二十")});
        Database::closeShared();
    });
    deskB.join();

    t.ui.onShow("Form7", [](QWidget&) {});
    child<QAction>(list, "mf11")->trigger();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    ASSERT_EQ(rows->rowCount(), 1);
    EXPECT_EQ(rows->text(0, 0), QStringLiteral("新譜"));
    EXPECT_EQ(rows->text(0, 1), QStringLiteral("二十"));

    // The same again, now that the statements were made anew: it keeps working.
    t.ui.onShow("Form7", [](QWidget&) {});
    child<QAction>(list, "mf11")->trigger();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(rows->rowCount(), 1);
}
