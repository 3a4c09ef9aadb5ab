#include "BackendTest.h"
#include "Builders.h"
#include "TestApp.h"
#include "core/ReportProgress.h"
#include "core/UsageCounts.h"
#include "platform/db/Database.h"

#include <gtest/gtest.h>

class UsageCountsTest : public BackendTest {};

TEST_P(UsageCountsTest, RegistrationsCountMainRowsWithAndWithoutSubRows)
{
    TestApp t;
    build::nameCategory(t.app, 1, QStringLiteral("ＬＰ"));
    build::defineMain(t.app, 1, {{QStringLiteral("題"), QStringLiteral("TEXT")}});
    build::defineSub(t.app, 1, {{QStringLiteral("曲"), QStringLiteral("TEXT")}});
    for (int n : {1, 2, 3}) build::addMainRow(t.app, 1, {QStringLiteral("盤")}, n);
    for (int s : {1, 2, 3, 4}) build::addSubRow(t.app, 1, {QStringLiteral("曲")}, 1, s);
    build::addSubRow(t.app, 1, {QStringLiteral("曲")}, 3, 1);
    build::addSubRow(t.app, 1, {QStringLiteral("曲")}, 9, 1);  // no main row of its own

    QStringList texts;
    ReportProgress progress([&](const QString& s) { texts << s; }, false);
    Database db = t.db();
    const auto counts = usage::registrations(t.app.cache, db, progress);
    const usage::Registrations& r = counts[1];
    EXPECT_EQ(r.mainRows, 3);
    EXPECT_EQ(r.mainWithSub, 2);
    EXPECT_EQ(r.mainWithoutSub, 1);
    EXPECT_EQ(r.subRows, 5);
    EXPECT_EQ(r.averageSub, 2);  // 5 / 3
    EXPECT_EQ(r.largestSub, 4);
    EXPECT_EQ(counts[0].mainRows, 0);
    EXPECT_EQ(texts, QStringList({QStringLiteral("ファイル読込中"), QString()}));
}

TEST_P(UsageCountsTest, CodesMatchExactlyLinkedTextsByTrimmedNameAndTheRestCountAsNoMatch)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::createCodeTable(t.app, 2, QStringLiteral("分類"), 2);
    build::addCode(t.app, 2, QStringLiteral("PO"), QStringLiteral("ポップス "));
    build::addCode(t.app, 2, QStringLiteral("JZ"), QStringLiteral("ジャズ"));
    build::defineMain(t.app, 0,
                      {{QStringLiteral("分類"), QStringLiteral("CODE2")},
                       {QStringLiteral("種別"), QStringLiteral("TEXT2D")},
                       {QStringLiteral("備考"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 0, {QStringLiteral("PO"), QStringLiteral(" ジャズ"), QStringLiteral("PO")}, 1);
    build::addMainRow(t.app, 0, {QStringLiteral("po"), QStringLiteral("ポップス"), QString()}, 2);
    build::addMainRow(t.app, 0, {QString(), QString(), QString()}, 3);

    ReportProgress progress({}, false);
    Database db = t.db();
    const usage::CodeUsage u = usage::codeUsage(t.app.cache, db, 2, progress);
    EXPECT_EQ(u.codes, QStringList({"PO", "JZ", "0"}));
    EXPECT_EQ(u.names, QStringList({QStringLiteral("ポップス"), QStringLiteral("ジャズ"), QStringLiteral("  該当なし")}));
    ASSERT_EQ(u.fields.size(), 2u);  // the plain text field uses no table
    EXPECT_EQ(u.fields[0].header, QStringLiteral("ＣＤ(MAIN)分類"));
    EXPECT_TRUE(u.fields[1].linkedText);
    const std::vector<std::vector<qint64>> expected{{1, 1}, {0, 1}, {1, 0}};
    EXPECT_EQ(u.counts, expected);
}

TANZO_ON_BOTH_BACKENDS(UsageCountsTest);
