#include "../schema/SchemaChecks.h"
#include "Find.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "ReportFixture.h"
#include "reports/Form13c.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QMenu>

using report::Rows;

TEST(Form13c, ListsEveryFileWithItsFieldsAndTypes)
{
    TestApp t;
    build::createCodeTable(t.app, 2, QStringLiteral("区分"), 2);
    build::createCodeTable(t.app, 3, QStringLiteral("社員"), 3);
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ "));
    build::defineMain(t.app, 0,
                      {{QStringLiteral("曲名"), QStringLiteral("TEXT")},
                       {QStringLiteral("枚数"), QStringLiteral("LONG")},
                       {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                       {QStringLiteral("発売日"), QStringLiteral("DATE")},
                       {QStringLiteral("担当"), QStringLiteral("CODE3")},
                       {QStringLiteral("備考"), QStringLiteral("TEXT3C")},
                       {QStringLiteral("分類"), QStringLiteral("TEXT2D")}});
    build::defineSub(t.app, 0, {{QStringLiteral("曲"), QStringLiteral("TEXT")}});
    // Category 2 has no files; category 3 a sub file set up before its main file.
    build::nameCategory(t.app, 1, QStringLiteral("空"));
    build::nameCategory(t.app, 2, QStringLiteral("ＤＶＤ"));
    build::defineSub(t.app, 2, {{QStringLiteral("章"), QStringLiteral("LONG")}, {QStringLiteral("区分"), QStringLiteral("CODE2")}});

    Form13c f(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_FALSE(f.closedEarly());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - 照会"));
    EXPECT_EQ(child<QLabel>(f, "Label1")->text(), QStringLiteral("種目別項目名一覧"));
    EXPECT_EQ(f.findChild<StatusBar3*>(QStringLiteral("StatusBar1")), nullptr);

    EXPECT_EQ(report::headers(*child<ReportListView>(f, "ListView1")), QStringList({"　種目名", " 項目１", " 項目２", " 項目３", " 項目４", " 項目５", " 項目６",
                                                           " 項目７", " 項目８"}));
    EXPECT_EQ(report::rows(*child<ReportListView>(f, "ListView1")),
              Rows({
                  {"ＣＤ：[メイン]", "曲名：(文字)", "枚数：(数値)", "価格：(金額)", "発売日：(日付)", "担当：(CODE3)",
                   "備考：(文字)3C", "分類：(文字)2D", ""},
                  {"ＣＤ：[サブ]", "曲：(文字)", "", "", "", "", "", "", ""},
                  {"ＤＶＤ：[サブ]", "章：(数値)", "区分：(CODE2)", "", "", "", "", "", ""},
              }));

    // Widths: the widest label + 500; each field column its widest cell + 300, an empty one
    // its heading + 300.
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnWidthTwips(0), report::measured(f, QStringLiteral("ＤＶＤ：[サブ]")) + 500);
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnWidthTwips(1), report::measured(f, QStringLiteral("曲名：(文字)")) + 300);
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnWidthTwips(2), report::measured(f, QStringLiteral("区分：(CODE2)")) + 300);
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnWidthTwips(8), report::measured(f, QStringLiteral(" 項目８")) + 300);
}

TEST(Form13c, WithoutFilesSaysSoAndOnlyTheReportCloses)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    ReportWindow::run<Form13c>(t.app);
    check::messages(t.ui, {{QStringLiteral("種目登録が１件もありません。"), QStringLiteral("Error"), Ui::Icon::Critical}});
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());
    EXPECT_FALSE(t.ui.programEnded());
}

TEST(Form13c, WithAFileTheListIsShown)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    ReportWindow::run<Form13c>(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form13c"}));
}

TEST(Form13c, ScreenPrintWithoutStatusBarPrintsOnePage)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    Form13c f(t.app);
    EXPECT_EQ(child<QMenu>(f, "mf1")->title(), QStringLiteral("ファイル    "));
    child<QAction>(f, "mf11")->trigger();
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
    EXPECT_EQ(t.printer.pagesPrinted(), 1);
    EXPECT_EQ(t.printer.ops(PrintOp::Kind::Picture).size(), 1u);
    EXPECT_TRUE(t.ui.messages().empty());

    // The same picture in the preview, and into a PDF file named after the window.
    const QList<QAction*> items = child<QMenu>(f, "mf1")->actions();
    auto* preview = f.findChild<QAction*>(QStringLiteral("mf11v"));
    auto* pdf = f.findChild<QAction*>(QStringLiteral("mf11d"));
    ASSERT_TRUE(preview && pdf);
    EXPECT_EQ(items.indexOf(preview), items.indexOf(child<QAction>(f, "mf11")) + 1);
    t.ui.answerPreview(Ui::PreviewChoice::Close);
    preview->trigger();
    EXPECT_EQ(t.ui.lastPreview()->ops(PrintOp::Kind::Picture).size(), 1u);
    QTemporaryDir tmp;
    t.ui.answerText(tmp.filePath(QStringLiteral("照会.pdf")));
    pdf->trigger();
    EXPECT_GT(QFile(tmp.filePath(QStringLiteral("照会.pdf"))).size(), 0);
    EXPECT_TRUE(t.ui.calls().back().text.endsWith(f.windowTitle() + QStringLiteral(".pdf")));
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
}
