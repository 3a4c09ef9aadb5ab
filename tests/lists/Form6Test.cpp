#include "ListFixture.h"
#include "Find.h"
#include "Person.h"
#include "core/ScreenLayout.h"
#include "lists/Form10.h"
#include "lists/Form5.h"
#include "lists/Form6.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"
#include "records/Form8.h"

#include <QLabel>
#include <QAction>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QHeaderView>
#include <gtest/gtest.h>

namespace {

// The ＣＤ category with a sub file of tracks: record 1 has sub records 1 and 4, record 2
// has sub record 1.
struct Tracks : CdCategory {
    explicit Tracks(TestApp& t) : CdCategory(t)
    {
        build::defineSub(app, 0,
                         {{QStringLiteral("曲名"), QStringLiteral("TEXT")},
                          {QStringLiteral("時間"), QStringLiteral("LONG")},
                          {QStringLiteral("分類"), QStringLiteral("CODE1")},
                          {QStringLiteral("価格"), QStringLiteral("CURRENCY")}});
        build::addSubRow(app, 0, {QStringLiteral("一曲目"), "245", "PO", "0"}, 1, 1);
        build::addSubRow(app, 0, {QStringLiteral("別の曲"), "300", "PO", "150"}, 2, 1);
        build::addSubRow(app, 0, {QStringLiteral("二曲目"), QString(), "QQ", "1200"}, 1, 4);
    }
};

ListRequest openSubs(App& app, int registrationNo, qint16 listMode = 0, int subNo = 0)
{
    ListRequest shown = openAs(app, 0, listMode);
    shown.registrationNo = registrationNo;
    shown.subNo = subNo;
    return shown;
}

}  // namespace

TEST(Form6, ShowsTheMainRecordAndItsSubRecords)
{
    TestApp t;
    Tracks cd(t);
    Form6 w(t.app, openSubs(t.app, 1));

    EXPECT_EQ(w.windowTitle(), QStringLiteral("在庫管理 Tanzo - 種目別サブ明細"));
    EXPECT_EQ(child<QLabel>(w, "Label1")->text(), QStringLiteral("ＣＤ (サブ明細)"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), QStringLiteral("サブ明細のレコードを表示"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　1 / 2"));

    ASSERT_EQ(child<ReportListView>(w, "ListView2")->rowCount(), 1);
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView2"), 0), QStringList({"ＡＢＣ", "¥1,234,567", "2024/03/05", "10", "PO", "1"}));
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->columnWidthTwips(0), 5295);  // 8295 left for the one text column, capped

    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 2);
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView1"), 0), QStringList({"一曲目", "245", "PO", "¥", "1", "1"}));
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView1"), 1), QStringList({"二曲目", "", "QQ", "¥1,200", "1", "4"}));
    EXPECT_EQ(heightTwips(*child<ReportListView>(w, "ListView1")), 7050 - 4 * 315);
    EXPECT_EQ(topTwips(*child<QLabel>(w, "Label8")), 2085 + 4 * 315);

    EXPECT_EQ(child<QLineEdit>(w, "Text2")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>(w, "Text1_0")->text(), QStringLiteral("一曲目"));
    EXPECT_EQ(child<QLineEdit>(w, "Text4_2")->text(), QStringLiteral("ポップス"));

    person::clickRow(child<ReportListView>(w, "ListView1"), 1);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("4"));
    EXPECT_EQ(child<QLineEdit>(w, "Text1_1")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(w, "Text4_2")->text(), QString());
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 2"));
}

// On a screen too narrow for every column, the main record's one row stays in sight: no
// scroll bar of its list covers it.
TEST(Form6, TheMainRecordsRowStaysInSightOnANarrowScreen)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    std::vector<FieldDefinition> fields;
    for (const char* name : {"品名", "作者", "備考", "棚番", "出典"}) fields.push_back({QString::fromUtf8(name), QStringLiteral("TEXT")});
    for (const char* name : {"数量", "枚数", "巻数"}) fields.push_back({QString::fromUtf8(name), QStringLiteral("LONG")});
    build::defineMain(t.app, 0, fields);
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 0, {"a", "b", "c", "d", "e", "1", "2", "3"}, 1);
    t.app.setLayout(ScreenLayout::forScreen(15360, 11520));  // 1024 x 768 at 96 DPI
    Form6 w(t.app, openSubs(t.app, 1));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const ReportListView* main = child<ReportListView>(w, "ListView2");
    ASSERT_GT(main->horizontalHeader()->length(), main->viewport()->width());  // wider than the view
    const QRect row = main->visualRect(main->model()->index(0, 0));
    EXPECT_LE(row.bottom(), main->viewport()->rect().bottom());
}

TEST(Form6, MainRecordWithoutSubRecordsProposesSubNumberOne)
{
    TestApp t;
    Tracks cd(t);
    const ListRequest shown = openSubs(t.app, 3);
    Form6 w(t.app, shown);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 0);
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->rowCount(), 1);
    EXPECT_EQ(child<QLineEdit>(w, "Text2")->text(), QStringLiteral("3"));

    for (const char* item : {"mf12", "mf13"}) {
        child<QAction>(w, item)->trigger();
        EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("サブ明細レコードが指定されていません。"));
        EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    }
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());

    t.ui.onShow("Form8", [&](QWidget& shown) {
        auto& ed = dynamic_cast<Form8&>(shown);
        EXPECT_EQ(child<QLabel>(ed, "Label3")->text(), QStringLiteral("新規作成"));
        EXPECT_EQ(child<QLineEdit>(ed, "Text2")->text(), QStringLiteral("3"));
        EXPECT_EQ(child<QLineEdit>(ed, "Text1")->text(), QStringLiteral("1"));
        build::addSubRow(t.app, 0, {QStringLiteral("新曲"), "100", "PO", "0"}, 3, 1);
    });
    child<QAction>(w, "Toolbar1_新規作成")->trigger();
    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 1);
    EXPECT_EQ(child<QLineEdit>(w, "Text1_0")->text(), QStringLiteral("新曲"));
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("1"));
}

TEST(Form6, ChangeHandsOverTheSubRecordAndDeletingTheLastEmptiesTheList)
{
    TestApp t;
    Tracks cd(t);
    Form6 w(t.app, openSubs(t.app, 2));
    t.ui.onShow("Form8", [&](QWidget& shown) {
        auto& ed = dynamic_cast<Form8&>(shown);
        EXPECT_EQ(child<QLabel>(ed, "Label3")->text(), QStringLiteral("削除"));
        EXPECT_EQ(child<QLineEdit>(ed, "Text2")->text(), QStringLiteral("2"));
        EXPECT_EQ(child<QLineEdit>(ed, "Text1")->text(), QStringLiteral("1"));
        Database db = t.db();
        Recordset rs = db.openTable("SHUMOKU1SUB");
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            if (rs.field(4).toInt() == 2) {
                rs.deleteCurrent();
                break;
            }
    });
    child<QAction>(w, "mf13")->trigger();
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 0);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(w, "Text1_0")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(w, "Text2")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QString());  // no "1 / 1" left over
    EXPECT_EQ(build::rowCount(t.app, "SHUMOKU1SUB"), 2);
}

TEST(Form6, FoundSubRecordModeShowsOnlyThatSubRecord)
{
    TestApp t;
    Tracks cd(t);
    Form6 w(t.app, openSubs(t.app, 1, 2, 4));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), QStringLiteral("全ファイルより検索したレコードの内、１件を表示"));
    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 1);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->text(0, 5), QStringLiteral("4"));

    Form6 gone(t.app, openSubs(t.app, 1, 2, 3));  // a sub number that no longer exists
    EXPECT_EQ(child<ReportListView>(gone, "ListView1")->rowCount(), 0);
    EXPECT_EQ(child<ReportListView>(gone, "ListView2")->rowCount(), 1);
}

TEST(Form6, OwnCaptionsToggleAndKeptSelection)
{
    TestApp t;
    Tracks cd(t);
    Form6 w(t.app, openSubs(t.app, 1));
    EXPECT_EQ(child<QMenu>(w, "mf1")->title(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(child<QAction>(w, "mf16")->text(), QStringLiteral("印　刷　(&P)"));
    EXPECT_EQ(child<QAction>(w, "mh1")->text(), QStringLiteral("ヘルプ（&Ｈ）"));

    child<QAction>(w, "mv11")->trigger();
    EXPECT_TRUE(child<QLabel>(w, "Label6")->isHidden() && child<QLineEdit>(w, "Text3")->isHidden());
    EXPECT_FALSE(child<QLineEdit>(w, "Text2")->isHidden());

    // Leaving the sub list keeps its selection.
    emit child<ReportListView>(w, "ListView1")->lostFocus();
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 0);
}

namespace {

// Each menu's items whose caption letter (after '&') another item of the same menu has too.
QStringList sharedLetters(const QMenu& menu)
{
    QStringList problems;
    QMap<QChar, QString> seen;
    for (QAction* a : menu.actions()) {
        if (a->isSeparator()) continue;
        if (a->menu()) problems << sharedLetters(*a->menu());
        const QString text = a->text();
        const qsizetype amp = text.indexOf(QLatin1Char('&'));
        if (amp < 0 || amp + 1 >= text.size()) continue;
        const QChar letter = text.at(amp + 1).toUpper();
        if (seen.contains(letter)) problems << menu.title() + QStringLiteral(": ") + seen[letter] + QStringLiteral(" / ") + text;
        seen[letter] = text;
    }
    return problems;
}

QStringList sharedLetters(const QMainWindow& window)
{
    person::openMenus(window);
    QStringList problems;
    for (QAction* a : window.menuBar()->actions())
        if (a->menu()) problems << sharedLetters(*a->menu());
    return problems;
}

}  // namespace

// Alt and a letter reach exactly one item of a menu in each list window.
TEST(ListMenus, NoTwoItemsOfAMenuShareTheirLetter)
{
    TestApp t;
    Tracks tracks(t);
    Form5 main(t.app, openAs(t.app, 0, 0));
    Form6 sub(t.app, openSubs(t.app, 1));
    Form10 browser(t.app);
    for (const QMainWindow* w : std::initializer_list<const QMainWindow*>{&main, &sub, &browser}) {
        SCOPED_TRACE(w->objectName().toStdString());
        ASSERT_GT(w->menuBar()->actions().size(), 2);
        EXPECT_EQ(sharedLetters(*w), QStringList());
    }
}
