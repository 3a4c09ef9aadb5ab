#include "../lists/ListFixture.h"
#include "core/RecordReader.h"
#include "platform/db/DbError.h"
#include "platform/widgets/ReportListView.h"

#include <gtest/gtest.h>

namespace {

const QString kFull(QChar(0x25A0));
const QString kEmpty(QChar(0x25A1));

// Fills the main file of category 1 with n records of one text field.
void fill(App& app, int n)
{
    build::nameCategory(app, 1, QStringLiteral("本"));
    build::defineMain(app, 1, {{QStringLiteral("書名"), QStringLiteral("TEXT")}});
    for (int i = 1; i <= n; ++i) build::addMainRow(app, 1, {QStringLiteral("本%1").arg(i)}, i);
}

QStringList readWithProgress(App& app, bool cells, ReportListView& list)
{
    QStringList reported;
    RecordReader reader([&](const QString& s) { reported << s; }, cells);
    Database db = app.openDatabase();
    reader.read(db, {"SHUMOKU2", {{QStringLiteral("書名"), QStringLiteral("TEXT")}}, 1, {}, QString()}, list);
    return reported;
}

}  // namespace

TEST(RecordReader, ProgressFillsTwentyFiveCellsChangingAtMostTwentySixTimes)
{
    for (int n : {7, 100}) {
        TestApp t;
        fill(t.app, n);
        ReportListView list;
        const QStringList reported = readWithProgress(t.app, true, list);
        EXPECT_EQ(list.rowCount(), n);
        ASSERT_GE(reported.size(), 3) << n;
        EXPECT_EQ(reported.front(), QStringLiteral("ファイル読込中  ") + QString(25, QChar(0x25A1)));
        EXPECT_EQ(reported.back(), QString());
        const QStringList bar = reported.mid(1, reported.size() - 2);
        EXPECT_LE(bar.size(), 26) << n;
        for (int i = 1; i < bar.size(); ++i) EXPECT_NE(bar[i], bar[i - 1]);
        EXPECT_EQ(bar.back(), QStringLiteral("ファイル読込中　") + QString(25, QChar(0x25A0)));
        // The cells fill from the left: never fewer done cells than before.
        for (int i = 1; i < bar.size(); ++i) EXPECT_GE(bar[i].count(kFull), bar[i - 1].count(kFull));
    }
    EXPECT_EQ(RecordReader::remainingCells(1, 100), 25);  // 24.75
    EXPECT_EQ(RecordReader::remainingCells(2, 100), 24);  // 24.5, halves to even
    EXPECT_EQ(RecordReader::remainingCells(1, 2), 12);    // 12.5, halves to even
}

TEST(RecordReader, WithoutCellsOnlyTheWordAndNothingForAnEmptyTable)
{
    TestApp t;
    fill(t.app, 3);
    ReportListView list;
    EXPECT_EQ(readWithProgress(t.app, false, list), QStringList({"ファイル読込中", ""}));

    TestApp empty;
    fill(empty.app, 0);
    ReportListView none;
    EXPECT_EQ(readWithProgress(empty.app, true, none), QStringList({""}));
    EXPECT_EQ(none.rowCount(), 0);
}

TEST(RecordReader, AnEngineErrorStillClearsTheProgress)
{
    TestApp t;
    QStringList reported;
    RecordReader reader([&](const QString& s) { reported << s; }, true);
    Database db = t.app.openDatabase();
    ReportListView list;
    EXPECT_THROW(reader.read(db, {"SHUMOKU9", {}, 1, {}, QString()}, list), DbError);
    EXPECT_EQ(reported, QStringList({""}));
}
