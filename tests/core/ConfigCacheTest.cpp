#include "BackendTest.h"
#include "TestApp.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QString cell(const Database& db, int row, const QString& column)
{
    Database& d = const_cast<Database&>(db);
    Recordset rs = d.openTable(management::kTable);
    for (int r = 0; r < row; ++r) rs.moveNext();
    return rs.field(column).toString();
}

}  // namespace

class ConfigCacheTest : public BackendTest {};

TEST_P(ConfigCacheTest, NullTextsLoadAsFourSpacesAndCategoriesStartUnnamed)
{
    TestApp t;
    const ConfigCache& c = t.app.cache;
    for (int r = 0; r < 6; ++r) {
        EXPECT_EQ(c.rows[r].named, 0);
        EXPECT_EQ(c.rows[r].name, QStringLiteral("    "));
        EXPECT_EQ(c.rows[r].mainFields[7].typeWord, QStringLiteral("    "));
        EXPECT_EQ(c.rows[r].subTableName, QStringLiteral("    "));
        EXPECT_EQ(c.rows[r].rowKey, r + 1);
    }
    EXPECT_EQ(c.systemTitle(), QStringLiteral("在庫管理"));
    EXPECT_EQ(c.caption(QStringLiteral("ファイル設定")), QStringLiteral("在庫管理 Tanzo - ファイル設定"));
    EXPECT_FALSE(c.readProgressOn());
    EXPECT_EQ(c.mainTableName[2], QStringLiteral("SHUMOKU3"));
    EXPECT_EQ(c.subTableName[5], QStringLiteral("SHUMOKU6SUB"));
    EXPECT_EQ(c.codeTableName[7], QStringLiteral("CODE8"));
}

TEST_P(ConfigCacheTest, RoundTripWritesOnlyMarkedRows)
{
    TestApp t;
    ConfigCache& c = t.app.cache;
    c.rows[1].named = 1;
    c.rows[1].name = QStringLiteral(" ＣＤ ");
    c.rows[1].mainCreated = 1;
    c.rows[1].mainTableName = QStringLiteral("SHUMOKU2");
    c.rows[1].mainFieldCount = 2;
    c.rows[1].mainFields[0] = {QStringLiteral("品名"), QStringLiteral("TEXT")};
    c.rows[1].mainFields[1] = {QStringLiteral("区分"), QStringLiteral("CODE5")};
    c.rows[1].lastRegistrationNo = 70000;
    c.rows[3].name = QStringLiteral("not marked");
    c.rowChanged[1] = 1;
    c.SaveChangedRows();
    EXPECT_EQ(c.rowChanged[1], 0);

    t.reload();
    EXPECT_EQ(c.rows[1].name, QStringLiteral(" ＣＤ "));
    EXPECT_EQ(c.rows[1].mainFields[1].typeWord, QStringLiteral("CODE5"));
    EXPECT_EQ(c.rows[1].mainFields[2].name, QStringLiteral("    "));  // four spaces stay four spaces
    EXPECT_EQ(c.rows[1].lastRegistrationNo, 70000);
    EXPECT_EQ(c.rows[3].name, QStringLiteral("    "));  // unmarked change never written
    const Database db = t.db();
    EXPECT_EQ(cell(db, 1, QStringLiteral("フィールド2名")), QStringLiteral("区分"));
    EXPECT_EQ(cell(db, 1, QStringLiteral("種目テーブル名")), QStringLiteral("SHUMOKU2"));
}

TEST_P(ConfigCacheTest, SystemRowAloneLeavesCategoryRowsUntouched)
{
    TestApp t;
    {
        // Category 1 is named directly in the table, behind the cache's back.
        Database db = t.db();
        Recordset rs = db.openTable(management::kTable);
        rs.edit();
        rs.setField(QStringLiteral("種目名"), QStringLiteral("外で付けた名前"));
        rs.update();
    }
    ConfigCache& c = t.app.cache;
    c.rows[6].mainFields[0].typeWord = QStringLiteral("在庫");
    c.rowChanged[6] = 1;
    c.SaveChangedRows();
    const Database db = t.db();
    EXPECT_EQ(cell(db, 0, QStringLiteral("種目名")), QStringLiteral("外で付けた名前"));
    EXPECT_EQ(cell(db, 6, QStringLiteral("フィールド1データ型")), QStringLiteral("在庫"));
}

TEST_P(ConfigCacheTest, FailedWriteKeepsTheRowsMarked)
{
    TestApp t;
    ConfigCache& c = t.app.cache;
    c.rows[0].name = QString(300, QLatin1Char('x'));  // longer than a text column holds
    c.rowChanged[0] = 1;
    EXPECT_THROW(c.SaveChangedRows(), DbError);
    EXPECT_EQ(c.rowChanged[0], 1);
}

TEST_P(ConfigCacheTest, TypeWordsNameTheirCodeTable)
{
    EXPECT_EQ(typeword::codeTableNumber(QStringLiteral("CODE5")), 5);
    EXPECT_EQ(typeword::codeTableNumber(QStringLiteral("TEXT5C")), 5);
    EXPECT_EQ(typeword::codeTableNumber(QStringLiteral("TEXT5D")), 5);
    EXPECT_EQ(typeword::codeTableNumber(QStringLiteral("TEXT")), 0);
    EXPECT_EQ(typeword::codeTableNumber(QStringLiteral("CURRENCY")), 0);
    EXPECT_TRUE(typeword::isDirectText(QStringLiteral("TEXT5D")));
    EXPECT_FALSE(typeword::isDirectText(QStringLiteral("TEXT5C")));
    EXPECT_TRUE(typeword::isCode(QStringLiteral("CODE1")));
}

TANZO_ON_BOTH_BACKENDS(ConfigCacheTest);
