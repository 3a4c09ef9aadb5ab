#include "PgSession.h"
#include "TempProgramDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <memory>

// The cluster CTest starts for the server run, and the databases the tests get on it.

TEST(TestClusterServerOnly, LetsInOnlyThisMachineAndStoresUtf8)
{
    ASSERT_TRUE(TempProgramDir::onServer());
    PgSession admin(PgSession::adminConninfo());
    EXPECT_EQ(admin.value(QStringLiteral("SHOW listen_addresses")), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(admin.value(QStringLiteral("SELECT host(inet_server_addr())")), QStringLiteral("127.0.0.1"));
    // Every address the access rules admit is the loopback address.
    EXPECT_EQ(admin.value(QStringLiteral("SELECT count(*) FROM pg_hba_file_rules WHERE type <> 'local' AND "
                                         "(address IS NULL OR address <> '127.0.0.1' OR netmask <> '255.255.255.255')")),
              QStringLiteral("0"));
    EXPECT_EQ(admin.value(QStringLiteral("SHOW server_encoding")), QStringLiteral("UTF8"));
}

TEST(TestClusterServerOnly, EachProgramDirectoryHasAnEmptyDatabaseOfItsOwnDroppedWithIt)
{
    PgSession admin(PgSession::adminConninfo());
    const QString tables = QStringLiteral(
        "SELECT count(*) FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = 'public'");
    QString first;
    QString second;
    // Connections left open when the directories go: the drop does not wait for them.
    std::unique_ptr<PgSession> inFirst;
    std::unique_ptr<PgSession> inSecond;
    {
        TempProgramDir a(false);
        TempProgramDir b(false);
        first = a.serverDatabase();
        second = b.serverDatabase();
        EXPECT_NE(first, second);
        ASSERT_TRUE(a.databasePath().startsWith(QStringLiteral("pgsql:host=127.0.0.1 port=")));
        EXPECT_TRUE(a.databasePath().endsWith(QStringLiteral(" user=postgres dbname=") + first));
        // A program started on the directory finds the same database.
        QFile conn(a.path() + QStringLiteral("/Tanzo.conn"));
        ASSERT_TRUE(conn.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromUtf8(conn.readAll()).trimmed(), a.serverConninfo());

        inFirst = std::make_unique<PgSession>(a.serverConninfo());
        inSecond = std::make_unique<PgSession>(b.serverConninfo());
        EXPECT_EQ(inFirst->value(QStringLiteral("SELECT current_database()")), first);
        EXPECT_EQ(inFirst->value(tables), QStringLiteral("0"));
        inFirst->execute(QStringLiteral("CREATE TABLE \"在庫\" (\"品名\" varchar(10))"));
        inFirst->execute(QStringLiteral("INSERT INTO \"在庫\" VALUES ('盤')"));
        EXPECT_EQ(inFirst->value(QStringLiteral("SELECT \"品名\" FROM \"在庫\"")), QStringLiteral("盤"));
        EXPECT_EQ(inSecond->value(tables), QStringLiteral("0"));
    }
    EXPECT_EQ(admin.value(QStringLiteral("SELECT count(*) FROM pg_database WHERE datname IN ('%1', '%2')")
                              .arg(first, second)),
              QStringLiteral("0"));
    EXPECT_THROW(inFirst->execute(QStringLiteral("SELECT 1")), std::runtime_error);
}
