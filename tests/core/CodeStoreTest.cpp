#include "BackendTest.h"
#include "Builders.h"
#include "ForcedFailure.h"
#include "TestApp.h"
#include "core/CodeStore.h"
#include "core/ConfigCache.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

namespace {

QStringList codesOf(TestApp& t, const QString& table)
{
    QStringList out;
    Database db = t.db();
    for (Recordset rs = db.openTable(table); !rs.eof(); rs.moveNext())
        out << rs.field(0).toString() + QLatin1Char('=') + rs.field(1).toString();
    return out;
}

}  // namespace

class CodeStoreTest : public BackendTest {};

TEST_P(CodeStoreTest, CodesAreAddedOnceAndChangedOrDeletedByTheirOwnCode)
{
    TestApp t;
    CodeStore store(t.app.cache);
    EXPECT_EQ(store.createTable(2, QStringLiteral("分類"), 2),
              QStringLiteral("CREATE TABLE CODE3 ( コード TEXT(2) CONSTRAINT MyFieldConstraint PRIMARY KEY, 分類 TEXT(30))"));
    EXPECT_EQ(t.app.cache.codeTableNameOf(3), QStringLiteral("分類"));
    EXPECT_EQ(t.app.cache.codeLengthOf(3), 2);

    EXPECT_TRUE(store.addCode(QStringLiteral("CODE3"), QStringLiteral("PO"), QStringLiteral("ポップス")));
    EXPECT_TRUE(store.addCode(QStringLiteral("CODE3"), QStringLiteral("po"), QStringLiteral("小文字")));
    EXPECT_TRUE(store.addCode(QStringLiteral("CODE3"), QStringLiteral("JZ"), QStringLiteral("ジャズ")));
    EXPECT_FALSE(store.addCode(QStringLiteral("CODE3"), QStringLiteral("PO"), QStringLiteral("別")));
    EXPECT_THROW(store.addCode(QStringLiteral("CODE3"), QStringLiteral("ABC"), QStringLiteral("長い")), DbError);
    store.renameCode(QStringLiteral("CODE3"), QStringLiteral("PO"), QStringLiteral("ポップス"), QStringLiteral("ポップ"));
    store.removeCode(QStringLiteral("CODE3"), QStringLiteral("JZ"), QStringLiteral("ジャズ"));
    // Only a code as it was shown is written over: not one gone, nor one whose name is not the one seen.
    EXPECT_THROW(store.removeCode(QStringLiteral("CODE3"), QStringLiteral("XX"), QString()), DbError);
    EXPECT_THROW(store.renameCode(QStringLiteral("CODE3"), QStringLiteral("po"), QStringLiteral("ポップス"), QStringLiteral("別")), DbError);
    EXPECT_THROW(store.removeCode(QStringLiteral("CODE3"), QStringLiteral("po"), QStringLiteral("ポップス")), DbError);
    EXPECT_EQ(codesOf(t, QStringLiteral("CODE3")), QStringList({QStringLiteral("PO=ポップ"), QStringLiteral("po=小文字")}));
}

TEST_P(CodeStoreTest, DroppingATableFreesItsSlotAndItsFieldsBecomeTextOrNothingChanges)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::createCodeTable(t.app, 1, QStringLiteral("分類"), 2);
    build::defineMain(t.app, 0,
                      {{QStringLiteral("分類"), QStringLiteral("CODE1")},
                       {QStringLiteral("種別"), QStringLiteral("TEXT1D")},
                       {QStringLiteral("品名"), QStringLiteral("TEXT")}});
    CodeStore store(t.app.cache);

    refuseWrites(t.db(), management::kTable);
    EXPECT_THROW(store.dropTable(0), DbError);
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("CODE1")));
    EXPECT_EQ(t.app.cache.row(0).mainFields[0].typeWord, QStringLiteral("CODE1"));
    EXPECT_EQ(t.app.cache.codeTableNameOf(1), QStringLiteral("分類"));
    allowWrites(t.db(), management::kTable);

    store.dropTable(0);
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("CODE1")));
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).mainFields[0].typeWord, QStringLiteral("TEXT"));
    EXPECT_EQ(t.app.cache.row(0).mainFields[1].typeWord, QStringLiteral("TEXT"));
    EXPECT_EQ(t.app.cache.row(ConfigCache::kSystemRow).subFieldCount, 0);
    EXPECT_TRUE(t.app.cache.codeTableNameOf(1).trimmed().isEmpty());
}

TANZO_ON_BOTH_BACKENDS(CodeStoreTest);
