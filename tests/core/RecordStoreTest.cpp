#include "BackendTest.h"
#include "Builders.h"
#include "ForcedFailure.h"
#include "TestApp.h"
#include "core/ConfigCache.h"
#include "core/ManagementSchema.h"
#include "core/RecordStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

namespace {

// Category 0 with a main file (品名 TEXT, 枚数 LONG) and a sub file (曲名 TEXT).
struct Files {
    explicit Files(TestApp& t) : t(t)
    {
        build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
        build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}, {QStringLiteral("枚数"), QStringLiteral("LONG")}});
        build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    }
    // The rows of a table as "text|text|…", in order.
    QStringList rows(const QString& table)
    {
        QStringList out;
        Database db = t.db();
        for (Recordset rs = db.openTable(table); !rs.eof(); rs.moveNext()) {
            QStringList cells;
            for (int c = 0; c < rs.fieldCount(); ++c) cells << rs.field(c).toString();
            out << cells.join(QLatin1Char('|'));
        }
        return out;
    }
    // The stored last registration number of the category, as a restart reads it.
    qint32 storedCounter() { return t.stored().row(0).lastRegistrationNo; }
    TestApp& t;
};

}  // namespace

class RecordStoreTest : public BackendTest {};

TEST_P(RecordStoreTest, ANewMainRowTakesTheNextNumberAndRaisesTheStoredCounterWithIt)
{
    TestApp t;
    Files f(t);
    RecordStore store(t.app.cache);
    EXPECT_EQ(store.addMain(0, QStringList{QStringLiteral("盤"), QStringLiteral("3")}), 1);
    EXPECT_EQ(store.addMain(0, std::nullopt), 2);  // a number used up without a row
    EXPECT_EQ(store.addMain(0, QStringList{QStringLiteral("次"), QStringLiteral("1,200")}), 3);
    EXPECT_EQ(f.rows(QStringLiteral("SHUMOKU1")), QStringList({QStringLiteral("盤|3|1"), QStringLiteral("次|1200|3")}));
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 3);
    EXPECT_EQ(f.storedCounter(), 3);
}

TEST_P(RecordStoreTest, AFailedNewRowLeavesTheFileAndTheCounterAsTheyWere)
{
    TestApp t;
    Files f(t);
    RecordStore store(t.app.cache);
    store.addMain(0, QStringList{QStringLiteral("盤"), QStringLiteral("3")});

    // A value the column cannot take.
    EXPECT_THROW(store.addMain(0, QStringList{QStringLiteral("盤"), QStringLiteral("三")}), DbError);
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 1);

    // The row is written but the counter cannot be: neither stays.
    refuseWrites(t.db(), management::kTable);
    EXPECT_THROW(store.addMain(0, QStringList{QStringLiteral("次"), QStringLiteral("1")}), DbError);
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 1);
    EXPECT_EQ(f.rows(QStringLiteral("SHUMOKU1")), QStringList{QStringLiteral("盤|3|1")});
    allowWrites(t.db(), management::kTable);
    EXPECT_EQ(f.storedCounter(), 1);
    EXPECT_EQ(store.addMain(0, QStringList{QStringLiteral("次"), QStringLiteral("1")}), 2);
}

TEST_P(RecordStoreTest, SubNumbersComeFromTheSubFileOfTheirMainRecord)
{
    TestApp t;
    Files f(t);
    RecordStore store(t.app.cache);
    // No sub row yet: number 1; then one past the highest of that main record only.
    EXPECT_EQ(store.nextSubNo(0, 7), 1);
    EXPECT_EQ(store.addSub(0, 7, QStringList{QStringLiteral("一曲目")}), 1);
    build::addSubRow(t.app, 0, {QStringLiteral("外")}, 7, 4);
    build::addSubRow(t.app, 0, {QStringLiteral("別")}, 8, 9);
    EXPECT_EQ(store.nextSubNo(0, 7), 5);
    EXPECT_EQ(store.addSub(0, 7, QStringList{QStringLiteral("二曲目")}), 5);
    // A value the editor could not take stores nothing and spends no number.
    EXPECT_EQ(store.addSub(0, 7, std::nullopt), 6);
    EXPECT_EQ(store.nextSubNo(0, 7), 6);
    // The import numbers its rows by the same rule, counting on within the import.
    store.addSubRows(0, {{7, {Value::text(QStringLiteral("三曲目"))}}, {8, {Value::text(QStringLiteral("次"))}},
                         {7, {Value::text(QStringLiteral("四曲目"))}}, {2, {Value::text(QStringLiteral("初"))}}});
    EXPECT_EQ(f.rows(QStringLiteral("SHUMOKU1SUB")),
              QStringList({QStringLiteral("一曲目|7|1"), QStringLiteral("外|7|4"), QStringLiteral("別|8|9"), QStringLiteral("二曲目|7|5"),
                           QStringLiteral("三曲目|7|6"), QStringLiteral("次|8|10"), QStringLiteral("四曲目|7|7"),
                           QStringLiteral("初|2|1")}));
}

TEST_P(RecordStoreTest, AChangeAndADeleteReachOnlyTheirKey)
{
    TestApp t;
    Files f(t);
    for (int n : {1, 2, 3}) build::addMainRow(t.app, 0, {QStringLiteral("盤%1").arg(n), QString::number(n)}, n);
    for (int n : {1, 2}) {
        build::addSubRow(t.app, 0, {QStringLiteral("1-%1").arg(n)}, 1, n);
        build::addSubRow(t.app, 0, {QStringLiteral("2-%1").arg(n)}, 2, n);
    }
    RecordStore store(t.app.cache);
    store.changeMain(0, 2, {QStringLiteral("新"), QStringLiteral("20")});
    store.removeMain(0, 3);
    store.changeSub(0, 2, 1, {QStringLiteral("新曲")});
    store.removeSub(0, 1, 2);
    store.removeMain(0, 9);  // no such key: nothing happens
    EXPECT_EQ(f.rows(QStringLiteral("SHUMOKU1")), QStringList({QStringLiteral("盤1|1|1"), QStringLiteral("新|20|2")}));
    EXPECT_EQ(f.rows(QStringLiteral("SHUMOKU1SUB")),
              QStringList({QStringLiteral("1-1|1|1"), QStringLiteral("新曲|2|1"),
                           QStringLiteral("2-2|2|2")}));

    // A change that fails leaves the row whole.
    EXPECT_THROW(store.changeMain(0, 1, {QStringLiteral("壊"), QStringLiteral("x")}), DbError);
    EXPECT_EQ(f.rows(QStringLiteral("SHUMOKU1")).first(), QStringLiteral("盤1|1|1"));
}

TEST_P(RecordStoreTest, ARowAnotherDeskChangedOrDeletedSinceItWasShownIsNotWrittenOver)
{
    TestApp t;
    Files f(t);
    for (int n : {1, 2}) build::addMainRow(t.app, 0, {QStringLiteral("盤%1").arg(n), QString::number(n)}, n);
    build::addSubRow(t.app, 0, {QStringLiteral("曲")}, 1, 1);
    RecordStore mine(t.app.cache);
    ConfigCache otherCache = t.stored();
    otherCache.setDatabasePath(t.app.databasePath());
    RecordStore other(otherCache);

    // Shown here, then changed at the other desk: this desk's change and delete are refused.
    const RecordStore::Shown shown1 = mine.mainRow(0, 1);
    ASSERT_TRUE(shown1);
    other.changeMain(0, 1, {QStringLiteral("他"), QStringLiteral("9")});
    try {
        mine.changeMain(0, 1, {QStringLiteral("私"), QStringLiteral("1")}, shown1);
        ADD_FAILURE() << "a changed row was written over";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("このレコードは、表示した後に他の端末で変更されています。")));
    }
    EXPECT_THROW(mine.removeMain(0, 1, shown1), DbError);
    EXPECT_EQ(f.rows(QStringLiteral("SHUMOKU1")).first(), QStringLiteral("他|9|1"));

    // Shown here, then deleted at the other desk.
    const RecordStore::Shown shownSub = mine.subRow(0, 1, 1);
    other.removeSub(0, 1, 1);
    try {
        mine.changeSub(0, 1, 1, {QStringLiteral("私の曲")}, shownSub);
        ADD_FAILURE() << "a deleted row was written again";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("このレコードは、表示した後に他の端末で削除されています。")));
    }
    EXPECT_TRUE(f.rows(QStringLiteral("SHUMOKU1SUB")).isEmpty());

    // A row nobody touched since it was shown is changed and deleted as usual.
    const RecordStore::Shown shown2 = mine.mainRow(0, 2);
    mine.changeMain(0, 2, {QStringLiteral("私"), QStringLiteral("2")}, shown2);
    mine.removeMain(0, 2, mine.mainRow(0, 2));
    EXPECT_EQ(f.rows(QStringLiteral("SHUMOKU1")), QStringList{QStringLiteral("他|9|1")});
}

TANZO_ON_BOTH_BACKENDS(RecordStoreTest);
