#include "Builders.h"
#include "PgSession.h"
#include "TempProgramDir.h"
#include "TestApp.h"
#include "core/FirstStart.h"
#include "core/ManagementSchema.h"
#include "core/RecordStore.h"
#include "core/SchemaStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <QString>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <latch>
#include <mutex>
#include <thread>

// Desks on one server database, each a thread with a connection of its own.

// Two desks started at the same moment on an empty database: both start, and the management
// table is made once, with its seven rows.
TEST(SeveralDesksServerOnly, TwoDesksStartingTogetherOnAnEmptyDatabaseBothStart)
{
    for (int round = 0; round < 12; ++round) {
        TempProgramDir dir(false);
        const QString location = dir.databasePath();
        std::latch connected(2);
        QString outcome[2];
        auto desk = [&](int d) {
            try {
                // Connected first, so both starts reach the server together.
                Database::open(location);
                connected.arrive_and_wait();
                Database db = FirstStart::open(location);
                outcome[d] = QString::number(db.openTable(management::kTable).recordCount());
            } catch (const DbError& e) {
                outcome[d] = e.message();
            }
            Database::closeShared();
        };
        std::thread first(desk, 0), second(desk, 1);
        first.join();
        second.join();
        ASSERT_EQ(outcome[0], QStringLiteral("7")) << "round " << round;
        ASSERT_EQ(outcome[1], QStringLiteral("7")) << "round " << round;
        EXPECT_EQ(storedCache(location).systemTitle(), management::kInitialTitle);
        EXPECT_EQ(Database::open(location).columns(management::kTable).size(), size_t(management::kColumnCount));
        Database::closeShared();
    }
}

// The server ends the desk's session (a restart does the same); the desk connects again, and
// its new session waits for another session's lock no longer than the first one did: the add
// fails with the Japanese message and stores nothing, and the next one works.
TEST(SeveralDesksServerOnly, AfterAReconnectAHeldLockFailsTheAddInsteadOfFreezingTheDesk)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    RecordStore store(t.app.cache);
    EXPECT_EQ(store.addMain(0, QStringList{QStringLiteral("一枚目")}), 1);

    PgSession admin(PgSession::adminConninfo());
    admin.endSessionsOn(t.dir.serverDatabase());
    EXPECT_THROW(store.addMain(0, QStringList{QStringLiteral("失われる")}), DbError);

    // Another desk holds the management rows (the counters) in an open transaction; it lets
    // go after a minute at the latest, so a desk that waits for it gets its add through.
    PgSession other(t.dir.serverConninfo());
    other.execute(QStringLiteral("BEGIN"));
    other.execute(QStringLiteral("SELECT count(*) FROM (SELECT 1 FROM \"%1\" FOR UPDATE) held").arg(management::kTable));
    std::mutex m;
    std::condition_variable done;
    bool added = false;
    std::thread release([&] {
        std::unique_lock lock(m);
        done.wait_for(lock, std::chrono::seconds(60), [&] { return added; });
        other.execute(QStringLiteral("ROLLBACK"));
    });
    QString message;
    try {
        store.addMain(0, QStringList{QStringLiteral("待つ")});
    } catch (const DbError& e) {
        message = e.message();
    }
    {
        std::lock_guard lock(m);
        added = true;
    }
    done.notify_one();
    release.join();
    EXPECT_TRUE(message.startsWith(QStringLiteral("データベースは他の処理で使用中です。しばらく待ってから、もう一度実行して下さい。")))
        << message.toStdString();
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 1);
    EXPECT_EQ(store.addMain(0, QStringList{QStringLiteral("二枚目")}), 2);
}

// Desk B drops ＣＤ's main file while desk A's editor is open: desk A's add is refused with a
// message naming the category and the file, and the counter stays as it was.
TEST(SeveralDesksServerOnly, AnAddToAFileAnotherDeskDroppedNamesTheCategoryAndTheFile)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    RecordStore store(t.app.cache);
    EXPECT_EQ(store.addMain(0, QStringList{QStringLiteral("一枚目")}), 1);

    std::thread deskB([&] {
        ConfigCache cache = storedCache(t.app.databasePath());
        cache.setDatabasePath(t.app.databasePath());
        SchemaStore(cache).dropFile(0, SchemaStore::File::Main);
        Database::closeShared();
    });
    deskB.join();
    try {
        store.addMain(0, QStringList{QStringLiteral("二枚目")});
        ADD_FAILURE() << "an add to a dropped file was reported as stored";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("種目「ＣＤ」のファイル「SHUMOKU1」は他の端末で削除されたため、登録できません。"));
    }
    EXPECT_EQ(t.stored().row(0).mainCreated, 0);
    EXPECT_EQ(t.stored().row(0).lastRegistrationNo, 0);
}

