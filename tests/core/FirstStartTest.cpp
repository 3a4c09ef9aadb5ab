#include "BackendTest.h"
#include "core/FirstStart.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

class FirstStartTest : public BackendTest {};

TEST_P(FirstStartTest, TheNewDatabaseHasTheManagementTableInItsFirstState)
{
    TempProgramDir dir;
    Database db = Database::open(dir.databasePath());
    const auto cols = db.columns(management::kTable);
    ASSERT_EQ(cols.size(), 43u);
    EXPECT_EQ(cols[0].name, QStringLiteral("CommandKeyNO"));
    EXPECT_EQ(cols[7].name, QStringLiteral("フィールド1名"));
    EXPECT_EQ(cols[8].name, QStringLiteral("フィールド1データ型"));
    EXPECT_EQ(cols[22].name, QStringLiteral("フィールド8データ型"));
    EXPECT_EQ(cols[23].name, QStringLiteral("種目SUBテーブル名入力有無"));
    EXPECT_EQ(cols[27].name, QStringLiteral("SUBフィールド1データ型"));
    EXPECT_EQ(cols[42].name, QStringLiteral("登録NO"));
    EXPECT_EQ(cols[42].type, ColumnInfo::Type::Long);
    EXPECT_EQ(cols[1].type, ColumnInfo::Type::Short);

    Recordset rs = db.openTable(management::kTable);
    EXPECT_EQ(rs.recordCount(), 7);
    int key = 1;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++key) {
        EXPECT_EQ(rs.field(0).toInt(), key);
        EXPECT_EQ(rs.field(1).toInt(), 0);
        EXPECT_EQ(rs.field(42).toInt(), 0);
        EXPECT_TRUE(rs.field(2).isNull());
    }
    rs.moveLast();
    EXPECT_EQ(rs.field(QStringLiteral("フィールド1データ型")).toString(), QStringLiteral("在庫管理"));
    EXPECT_EQ(rs.field(QStringLiteral("フィールド2データ型")).toString(), QStringLiteral("16744448"));
    EXPECT_EQ(rs.field(QStringLiteral("フィールド3データ型")).toString(), QStringLiteral("8454143"));
    EXPECT_EQ(rs.field(QStringLiteral("フィールド4データ型")).toString(), QStringLiteral("0"));
    EXPECT_EQ(rs.field(QStringLiteral("フィールド5データ型")).toString(), QStringLiteral("0"));
    EXPECT_EQ(rs.field(QStringLiteral("SUBフィールド個数")).toInt(), 0);
}

// The first start makes the database where there is none; every later start, and any second
// making, leaves what is there as it is.
TEST_P(FirstStartTest, MakesTheDatabaseOnceAndNeverReplacesWhatExists)
{
    TempProgramDir dir(false);
    const QString location = dir.databasePath();
    const QString name = QStringLiteral("種目名");
    {
        Database db = FirstStart::open(location);
        Recordset rs = db.openTable(management::kTable);
        EXPECT_EQ(rs.recordCount(), management::kRowCount);
        rs.edit();
        rs.setField(name, QStringLiteral("ＣＤ"));
        rs.update();
    }
    {
        Database db = FirstStart::open(location);
        Recordset rs = db.openTable(management::kTable);
        EXPECT_EQ(rs.recordCount(), management::kRowCount);
        EXPECT_EQ(rs.field(name).toString(), QStringLiteral("ＣＤ"));
    }
    try {
        FirstStart::createDatabase(location);
        ADD_FAILURE() << "a second first-installation state was made over the database";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(isServer() ? QStringLiteral("既に管理テーブルがあります") : QStringLiteral("既に存在します")))
            << e.message().toStdString();
    }
    Database db = Database::open(location);
    Recordset rs = db.openTable(management::kTable);
    EXPECT_EQ(rs.recordCount(), management::kRowCount);
    EXPECT_EQ(rs.field(name).toString(), QStringLiteral("ＣＤ"));
}

// A database that is not one of this program is not made over: the start is refused with
// what is wrong, and nothing is written.
TEST_P(FirstStartTest, AForeignDatabaseIsRefusedAsItIs)
{
    TempProgramDir dir(false);
    const QString location = dir.databasePath();
    {
        Database db = Database::create(location);
        db.execute(QStringLiteral("CREATE TABLE 在庫 (品名 TEXT)"));
        db.execute(QStringLiteral("CREATE TABLE 管理テーブル (CommandKeyNO SHORT)"));
    }
    EXPECT_THROW(FirstStart::open(location), DbError);
    Database db = Database::open(location);
    EXPECT_TRUE(db.tableExists(QStringLiteral("在庫")));
    EXPECT_EQ(db.columns(management::kTable).size(), 1u);
    EXPECT_EQ(db.openTable(management::kTable).recordCount(), 0);
}

TANZO_ON_BOTH_BACKENDS(FirstStartTest);
