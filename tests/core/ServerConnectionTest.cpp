#include "Builders.h"
#include "PgSession.h"
#include "TestApp.h"
#include "core/RecordStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

// The server ends this desk's connection (a restart, an administrator): the action under way
// says so, and the next one works on a connection made again, with nothing lost.
TEST(ServerConnectionServerOnly, ALostConnectionIsReportedAndTheNextActionConnectsAgain)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    RecordStore store(t.app.cache);
    EXPECT_EQ(store.addMain(0, QStringList{QStringLiteral("一枚目")}), 1);

    PgSession admin(PgSession::adminConninfo());
    admin.endSessionsOn(t.dir.serverDatabase());
    try {
        store.addMain(0, QStringList{QStringLiteral("二枚目")});
        ADD_FAILURE() << "an add on a lost connection was reported as stored";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("データベース サーバーとの接続が切れました。"))) << e.message().toStdString();
    }
    EXPECT_EQ(store.addMain(0, QStringList{QStringLiteral("二枚目")}), 2);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 2);
    EXPECT_EQ(t.stored().row(0).lastRegistrationNo, 2);
}
