#include "BackendTest.h"
#include "TestApp.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(c.row(r).named, 0);
        EXPECT_EQ(c.row(r).name, QStringLiteral("    "));
        EXPECT_EQ(c.row(r).mainFields[7].typeWord, QStringLiteral("    "));
        EXPECT_EQ(c.row(r).subTableName, QStringLiteral("    "));
        EXPECT_EQ(c.row(r).rowKey, r + 1);
    }
    EXPECT_EQ(c.systemTitle(), QStringLiteral("在庫管理"));
    EXPECT_EQ(c.caption(QStringLiteral("ファイル設定")), QStringLiteral("在庫管理 Tanzo - ファイル設定"));
    EXPECT_FALSE(c.readProgressOn());
    EXPECT_EQ(c.mainTableName(2), QStringLiteral("SHUMOKU3"));
    EXPECT_EQ(c.subTableName(5), QStringLiteral("SHUMOKU6SUB"));
    EXPECT_EQ(c.codeTableName(7), QStringLiteral("CODE8"));
}

TEST_P(ConfigCacheTest, ARowStoredAloneLeavesTheOtherRowsAsTheTableHasThem)
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
    CategoryDefinition d = c.row(1);
    d.named = 1;
    d.name = QStringLiteral(" ＣＤ ");
    d.mainCreated = 1;
    d.mainTableName = QStringLiteral("SHUMOKU2");
    d.mainFieldCount = 2;
    d.mainFields[0] = {QStringLiteral("品名"), QStringLiteral("TEXT")};
    d.mainFields[1] = {QStringLiteral("区分"), QStringLiteral("CODE5")};
    d.lastRegistrationNo = 70000;
    c.setRow(1, d);
    SystemSettings s = c.systemSettings();
    s.title = QStringLiteral("在庫");
    c.setSystemSettings(s);

    const Database db = t.db();
    EXPECT_EQ(cell(db, 0, QStringLiteral("種目名")), QStringLiteral("外で付けた名前"));
    EXPECT_EQ(cell(db, 1, QStringLiteral("フィールド2名")), QStringLiteral("区分"));
    EXPECT_EQ(cell(db, 1, QStringLiteral("種目テーブル名")), QStringLiteral("SHUMOKU2"));
    EXPECT_EQ(cell(db, 6, QStringLiteral("フィールド1データ型")), QStringLiteral("在庫"));
    t.reload();
    EXPECT_EQ(c.row(1).name, QStringLiteral(" ＣＤ "));
    EXPECT_EQ(c.row(1).mainFields[1].typeWord, QStringLiteral("CODE5"));
    EXPECT_EQ(c.row(1).mainFields[2].name, QStringLiteral("    "));  // four spaces stay four spaces
    EXPECT_EQ(c.row(1).lastRegistrationNo, 70000);
    EXPECT_EQ(c.systemTitle(), QStringLiteral("在庫"));
}

TEST_P(ConfigCacheTest, ASetterStoresInOneTransactionTellsTheListenersAndOnFailureChangesNothing)
{
    TestApp t;
    ConfigCache& c = t.app.cache;
    int told = 0;
    const int id = c.onChanged([&] { ++told; });
    const qint32 version = t.stored().row(ConfigCache::kSystemRow).lastRegistrationNo;

    // The six names go in together, with one raise of the version and one notice.
    c.setCategoryNames({QStringLiteral("ＣＤ"), QStringLiteral(" "), QStringLiteral("本"), QString(), QString(),
                        QStringLiteral("ＤＶＤ")});
    EXPECT_EQ(told, 1);
    ConfigCache stored = t.stored();
    EXPECT_EQ(stored.row(0).name, QStringLiteral("ＣＤ"));
    EXPECT_EQ(stored.row(0).named, 1);
    EXPECT_EQ(stored.row(1).named, 0);
    EXPECT_EQ(stored.row(2).named, 1);
    EXPECT_EQ(stored.row(5).name, QStringLiteral("ＤＶＤ"));
    EXPECT_EQ(stored.row(ConfigCache::kSystemRow).lastRegistrationNo, version + 1);
    EXPECT_EQ(c.row(ConfigCache::kSystemRow).lastRegistrationNo, version + 1);

    // The last name is longer than a text column holds: the engine refuses it after the first
    // five were written, and none of them stays, in the table or in the cache; no one is told.
    EXPECT_THROW(c.setCategoryNames({QStringLiteral("新ＣＤ"), QStringLiteral("新"), QString(), QStringLiteral("四"),
                                     QStringLiteral("五"), QString(300, QLatin1Char('x'))}),
                 DbError);
    EXPECT_EQ(told, 1);
    stored = t.stored();
    for (const ConfigCache* after : {&c, &stored}) {
        EXPECT_EQ(after->row(0).name, QStringLiteral("ＣＤ"));
        EXPECT_EQ(after->row(2).name, QStringLiteral("本"));
        EXPECT_EQ(after->row(3).named, 0);
        EXPECT_EQ(after->row(5).name, QStringLiteral("ＤＶＤ"));
        EXPECT_EQ(after->row(ConfigCache::kSystemRow).lastRegistrationNo, version + 1);
    }

    // A copy holds the rows but not the listeners; a removed listener hears nothing more.
    ConfigCache copy = c;
    EXPECT_EQ(copy.row(0).name, QStringLiteral("ＣＤ"));
    SystemSettings s = copy.systemSettings();
    s.printProgress = true;
    copy.setSystemSettings(s);
    EXPECT_EQ(told, 1);
    c.removeListener(id);
    s.title = QStringLiteral("棚");
    // The cache has not seen what its copy stored: its store is refused, and it reads the
    // settings again; then it stores.
    EXPECT_THROW(c.setSystemSettings(s), SettingsMovedOn);
    EXPECT_TRUE(c.printProgressOn());
    EXPECT_EQ(t.stored().systemTitle(), copy.systemTitle());
    c.setSystemSettings(s);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(t.stored().systemTitle(), QStringLiteral("棚"));
    EXPECT_TRUE(t.stored().printProgressOn());
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
