#include "../schema/SchemaChecks.h"
#include "Find.h"
#include "platform/widgets/ReportListView.h"
#include "ReportFixture.h"
#include "platform/widgets/StatusBar3.h"
#include "reports/Form13a.h"
#include "core/ReportProgress.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTest>

using report::Rows;

namespace {

const QString kLabels[6] = {
    QStringLiteral("メイン明細：登録件数"),
    QStringLiteral("            (内、サブ明細あり)"),
    QStringLiteral("            (内、サブ明細なし)"),
    QStringLiteral("サブ明細　：登録件数"),
    QStringLiteral("          ：１メイン当りの平均登録件数"),
    QStringLiteral("          ：１メイン当りの最大登録件数"),
};

void category(TestApp& t, int c, const QString& name, bool main, bool sub)
{
    build::nameCategory(t.app, c, name);
    if (main) build::defineMain(t.app, c, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    if (sub) build::defineSub(t.app, c, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
}

// Main rows with these registration numbers, sub rows as (registration number, count).
void fill(TestApp& t, int c, const std::vector<int>& mains, const std::vector<std::pair<int, int>>& subs)
{
    std::vector<QStringList> values;
    std::vector<std::vector<int>> keys;
    for (int n : mains) {
        values.push_back({QStringLiteral("品")});
        keys.push_back({n});
    }
    if (!values.empty()) report::addRows(t, t.app.cache.mainTableName(c), values, keys);
    values.clear();
    keys.clear();
    for (auto [n, count] : subs)
        for (int s = 1; s <= count; ++s) {
            values.push_back({QStringLiteral("曲")});
            keys.push_back({n, s});
        }
    if (!values.empty()) report::addRows(t, t.app.cache.subTableName(c), values, keys);
}

}  // namespace

TEST(Form13a, CountsEveryCategoryWithMainRows)
{
    TestApp t;
    // Two main rows with 2 and 1 sub rows; a sub row of no main row is not counted.
    category(t, 0, QStringLiteral("ＣＤ"), true, true);
    fill(t, 0, {1, 2}, {{1, 2}, {2, 1}, {99, 1}});
    // No sub file: every main row counts as one without sub rows.
    category(t, 1, QStringLiteral("ＤＶＤ"), true, false);
    fill(t, 1, {1, 2, 3}, {});
    // An empty main file is not listed, whatever its sub file holds.
    category(t, 2, QStringLiteral("ＬＰ"), true, true);
    fill(t, 2, {}, {{1, 3}});
    // 5 sub rows over 2 main rows: 2.5 rounds to 2.
    category(t, 3, QStringLiteral("カセット"), true, true);
    fill(t, 3, {1, 2}, {{1, 5}});
    // 7 over 2: 3.5 rounds to 4.
    category(t, 4, QStringLiteral("ビデオ"), true, true);
    fill(t, 4, {10, 11}, {{10, 4}, {11, 3}});

    Form13a f(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_FALSE(f.closedEarly());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - 照会"));
    EXPECT_EQ(child<QLabel>(f, "Label1")->text(), QStringLiteral("種目別登録件数調べ"));

    EXPECT_EQ(report::headers(*child<ReportListView>(f, "ListView1")), QStringList({"種　　目", "ＣＤ", "ＤＶＤ", "カセット", "ビデオ"}));
    EXPECT_EQ(report::rows(*child<ReportListView>(f, "ListView1")), Rows({
                                              {kLabels[0], "2", "3", "2", "2"},
                                              {kLabels[1], "2", "", "1", "2"},
                                              {kLabels[2], "", "3", "1", ""},
                                              {kLabels[3], "3", "", "5", "7"},
                                              {kLabels[4], "2", "", "2", "4"},
                                              {kLabels[5], "2", "", "5", "4"},
                                          }));
    EXPECT_EQ(f.counter(Form13a::SubRows, 2), 0);  // the empty main file counted nothing

    // Widths: the longest label + 500, each category name + 600, the counts right-aligned.
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnWidthTwips(0), report::measured(f, kLabels[4]) + 500);
    EXPECT_FALSE(child<ReportListView>(f, "ListView1")->columnRightAligned(0));
    for (int c = 1; c < 5; ++c) {
        EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnWidthTwips(c), report::measured(f, child<ReportListView>(f, "ListView1")->columnCaption(c)) + 600) << c;
        EXPECT_TRUE(child<ReportListView>(f, "ListView1")->columnRightAligned(c)) << c;
    }
    // Nothing was written anywhere.
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1SUB")), 4);
}

TEST(Form13a, AverageRoundsHalfToEvenAndLargeCountsAreGrouped)
{
    TestApp t;
    report::progressOn(t);
    // 3 sub rows over 2 main rows: 1.5 rounds to 2.
    category(t, 0, QStringLiteral("ＣＤ"), true, true);
    fill(t, 0, {1, 2}, {{1, 1}, {2, 2}});
    // 1 500 main rows, the first 1 000 with two sub rows each.
    category(t, 1, QStringLiteral("ＤＶＤ"), true, true);
    std::vector<int> mains;
    std::vector<std::pair<int, int>> subs;
    for (int n = 1; n <= 1500; ++n) {
        mains.push_back(n);
        if (n <= 1000) subs.push_back({n, 2});
    }
    fill(t, 1, mains, subs);

    Form13a f(t.app);
    EXPECT_EQ(report::rows(*child<ReportListView>(f, "ListView1")), Rows({
                                              {kLabels[0], "2", "1,500"},
                                              {kLabels[1], "2", "1,000"},
                                              {kLabels[2], "", "500"},
                                              {kLabels[3], "3", "2,000"},
                                              {kLabels[4], "2", "1"},
                                              {kLabels[5], "2", "2"},
                                          }));
    // The reading's progress is gone from panel 3 once the counts are in.
    EXPECT_EQ(child<StatusBar3>(f, "StatusBar1")->panelText(3), QString());
}

TEST(Form13a, CountTextGroupsDigitsAndLeavesZeroEmpty)
{
    EXPECT_EQ(ReportWindow::countText(0), QString());
    EXPECT_EQ(ReportWindow::countText(7), QStringLiteral("7"));
    EXPECT_EQ(ReportWindow::countText(999), QStringLiteral("999"));
    EXPECT_EQ(ReportWindow::countText(1000), QStringLiteral("1,000"));
    EXPECT_EQ(ReportWindow::countText(100000), QStringLiteral("100,000"));
    EXPECT_EQ(ReportWindow::countText(1234567), QStringLiteral("1,234,567"));
}

TEST(Form13a, ProgressFillsTheCellsAndClearsTheText)
{
    QStringList seen;
    ReportProgress on([&](const QString& s) { seen << s; }, true);
    on.start(4);
    for (int i = 1; i <= 4; ++i) on.row(i);
    on.finish();
    const QString start = QStringLiteral("ファイル読込中  ") + QString(25, QChar(0x25A1));
    auto bar = [](int filled) {
        return QStringLiteral("ファイル読込中　") + QString(filled, QChar(0x25A0)) + QString(25 - filled, QChar(0x25A1));
    };
    // 3/4 of 25 = 18.75 leaves 19 empty; 12.5 rounds to 12; 6.25 to 6; none at the end.
    EXPECT_EQ(seen, QStringList({start, bar(6), bar(13), bar(19), bar(25), QString()}));

    // A row that does not change the cells reports nothing.
    seen.clear();
    ReportProgress many([&](const QString& s) { seen << s; }, true);
    many.start(1000);
    for (int i = 1; i <= 1000; ++i) many.row(i);
    // The start text, then 25 down to 0 empty cells.
    EXPECT_EQ(seen.size(), 1 + 26);
    EXPECT_EQ(seen.back(), bar(25));

    // With the setting off only the plain text shows.
    seen.clear();
    ReportProgress off([&](const QString& s) { seen << s; }, false);
    off.start(4);
    for (int i = 1; i <= 4; ++i) off.row(i);
    off.finish();
    EXPECT_EQ(seen, QStringList({QStringLiteral("ファイル読込中"), QString()}));
}

TEST(Form13a, WithNoMainRowsSaysSoAndOnlyTheReportCloses)
{
    TestApp t;
    category(t, 0, QStringLiteral("ＣＤ"), true, true);  // main file empty
    category(t, 1, QStringLiteral("ＤＶＤ"), false, true);  // a sub file alone
    fill(t, 1, {}, {{1, 2}});

    // Nothing to count: the message, and the report closes; the program goes on.
    ReportWindow::run<Form13a>(t.app);
    check::messages(t.ui, {{QStringLiteral("登録が１件もありません。"), QStringLiteral("Error"), Ui::Icon::Critical}});
    EXPECT_FALSE(t.ui.programEnded());
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());

    // With a main row it is shown.
    fill(t, 0, {1}, {});
    t.ui.clearLog();
    ReportWindow::run<Form13a>(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form13a"}));
}

TEST(Form13a, AnUnreadableFileShowsTheEngineErrorAndClosesTheReport)
{
    TestApp t;
    category(t, 0, QStringLiteral("ＣＤ"), true, false);
    fill(t, 0, {1}, {});
    category(t, 1, QStringLiteral("ＤＶＤ"), true, false);
    t.db().execute(QStringLiteral("DROP TABLE SHUMOKU2"));

    ReportWindow::run<Form13a>(t.app);
    check::engineError(t.ui);
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());
    EXPECT_FALSE(t.ui.programEnded());
}

TEST(Form13a, MenuPrintsTheWindowClosesAndAsksForHelp)
{
    TestApp t;
    category(t, 0, QStringLiteral("ＣＤ"), true, false);
    fill(t, 0, {1}, {});
    Form13a f(t.app);
    f.show();

    EXPECT_EQ(child<QMenu>(f, "mf1")->title(), QStringLiteral("ファイル    "));
    EXPECT_EQ(child<QAction>(f, "mf11")->text(), QStringLiteral("画面印刷(ActiveWindow)"));
    EXPECT_EQ(child<QAction>(f, "mf12")->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(child<QAction>(f, "mh1")->text(), QStringLiteral("ヘルプ　　"));

    // 画面印刷: the window with its frame on one page of the program's printer.
    child<QAction>(f, "mf11")->trigger();
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
    EXPECT_EQ(t.printer.pagesPrinted(), 1);
    const auto pictures = t.printer.ops(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    // The whole window, not its list or client area alone.
    EXPECT_GE(pictures.front().picture.width(), f.width());
    EXPECT_GE(pictures.front().picture.height(), f.height());
    EXPECT_EQ(child<StatusBar3>(f, "StatusBar1")->panelText(3), QString());
    EXPECT_TRUE(t.ui.messages().empty());

    child<QAction>(f, "mh1")->trigger();
    ASSERT_FALSE(t.ui.calls().empty());
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));

    child<QAction>(f, "mf12")->trigger();
    EXPECT_FALSE(f.isVisible());

    // Esc closes a report too, wherever the focus is in it.
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QTest::keyClick(child<ReportListView>(f, "ListView1"), Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
}
