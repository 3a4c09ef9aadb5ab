#include "Builders.h"
#include "Find.h"
#include "Person.h"
#include "TestApp.h"
#include "app/WindowOpener.h"
#include "lists/Form5.h"
#include "lists/Form6.h"
#include "platform/db/Database.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "records/Form9.h"
#include "records/Form9k.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

FieldDefinition f(const char* name, const char* type) { return {QString::fromUtf8(name), QString::fromLatin1(type)}; }

// 0 "ＣＤ": main 品名 TEXT, 枚数 LONG, 分類 CODE1, メモ TEXT1D; sub 曲名 TEXT, 価格 CURRENCY.
// 1 "ＤＶＤ": main 題名 TEXT, 発売日 DATE. 2 "予備": no files.
// 3 "ゲーム": main 名前 TEXT, 備考 TEXT and six LONG fields; sub 攻略 TEXT.
void makeFiles(TestApp& t)
{
    App& app = t.app;
    build::createCodeTable(app, 1, QStringLiteral("ジャンル"), 3);
    build::nameCategory(app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(app, 0, {f("品名", "TEXT"), f("枚数", "LONG"), f("分類", "CODE1"), f("メモ", "TEXT1D")});
    build::defineSub(app, 0, {f("曲名", "TEXT"), f("価格", "CURRENCY")});
    build::addMainRow(app, 0, {"Rock Best", "10", "ROC", "rock rock"}, 1);
    build::addMainRow(app, 0, {QStringLiteral("ジャズ名盤"), "5", "ROC", QString()}, 2);
    build::addMainRow(app, 0, {QStringLiteral("ＲＯＣＫ ｌｉｖｅ"), "1", QString(), QStringLiteral("ろっく")}, 3);
    build::addSubRow(app, 0, {"rock song", "1500"}, 1, 1);
    build::addSubRow(app, 0, {"ballad", "0"}, 1, 2);
    build::addSubRow(app, 0, {"ROCKY", QString()}, 3, 1);
    build::nameCategory(app, 1, QStringLiteral("ＤＶＤ"));
    build::defineMain(app, 1, {f("題名", "TEXT"), f("発売日", "DATE")});
    build::addMainRow(app, 1, {"Rockman", "2020/01/02"}, 1);
    build::addMainRow(app, 1, {QString(), "2021/01/01"}, 2);
    build::nameCategory(app, 2, QStringLiteral("予備"));
    build::nameCategory(app, 3, QStringLiteral("ゲーム"));
    build::defineMain(app, 3, {f("名前", "TEXT"), f("備考", "TEXT"), f("a", "LONG"), f("b", "LONG"), f("c", "LONG"),
                               f("d", "LONG"), f("e", "LONG"), f("g", "LONG")});
    build::defineSub(app, 3, {f("攻略", "TEXT")});
    build::addMainRow(app, 3, {"rock game", "ROCK note", "1", "2", "3", "4", "5", "6"}, 7);
    build::addSubRow(app, 3, {"no match"}, 7, 1);
}

// Answers the next condition dialog with a text (ticking the case box when asked).
void answerSearch(TestApp& t, const QString& text, bool distinguish = false)
{
    t.ui.onShow("Form9k", [text, distinguish](QWidget& w) {
        auto& d = dynamic_cast<Form9k&>(w);
        child<QLineEdit>(d, "Text1")->setText(text);
        if (distinguish) child<QCheckBox>(d, "Check1")->click();
        child<QPushButton>(d, "Command1")->click();
    });
}

// Opens the results window, which searches at once.
std::unique_ptr<Form9> search(TestApp& t, const QString& text, bool distinguish = false,
                              Form9::OpenedFrom from = Form9::OpenedFrom::MainWindow)
{
    answerSearch(t, text, distinguish);
    return std::make_unique<Form9>(t.app, from);
}

QStringList row(const ReportListView& list, int r)
{
    QStringList out;
    for (int c = 0; c < list.columnCount(); ++c) out << list.text(r, c);
    return out;
}

QStringList column(const ReportListView& list, int c)
{
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r) out << list.text(r, c);
    return out;
}

QStringList headers(const ReportListView& list)
{
    QStringList out;
    for (int c = 0; c < list.columnCount(); ++c) out << list.columnCaption(c);
    return out;
}

// The only message shown, with its title and icon, OK only.
void expectOnlyMessage(TestApp& t, const QString& text, const QString& title, Ui::Icon icon)
{
    ASSERT_EQ(t.ui.messages().size(), 1u);
    const auto m = t.ui.messages().front();
    EXPECT_EQ(m.text, text);
    EXPECT_EQ(m.title, title);
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(m.buttons, Ui::Buttons::Ok);
}

}  // namespace

TEST(Form9k, ConditionDialogAcceptsAnyTypedTextAndKeepsTheFlagUntilThen)
{
    TestApp t;
    Form9k d(t.app);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("在庫管理 Tanzo - 検索条件(全ファイル)"));
    EXPECT_EQ(child<QLabel>(d, "Label3")->text(), QStringLiteral("全種目ファイル(メイン・サブ)のＴＥＸＴ型(文字)項目を対象に検索します。"));
    EXPECT_EQ(child<QCheckBox>(d, "Check1")->text(), QStringLiteral("大/小文字、全角/半角、カナ/ひらがなを区別する"));
    EXPECT_FALSE(d.conditions());

    // Nothing typed: refused, the dialog stays and the search still counts as cancelled.
    child<QPushButton>(d, "Command1")->click();
    expectOnlyMessage(t, QStringLiteral("検索文字が入力されていません"), QStringLiteral("ERROR"), Ui::Icon::None);
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.conditions());

    // The case box is stored as soon as it is clicked.
    child<QCheckBox>(d, "Check1")->click();
    EXPECT_EQ(d.chosen().caseMode, 1);
    child<QCheckBox>(d, "Check1")->click();
    EXPECT_EQ(d.chosen().caseMode, 0);

    // A lone space is a search text.
    child<QLineEdit>(d, "Text1")->setText(" ");
    child<QPushButton>(d, "Command1")->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    ASSERT_TRUE(d.conditions());
    EXPECT_EQ(d.conditions()->text, QStringLiteral(" "));
    EXPECT_EQ(d.conditions()->caseMode, 0);
    EXPECT_EQ(t.ui.messages().size(), 1u);

    child<QPushButton>(d, "Command2")->click();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
}

TEST(Form9, LeavingTheDialogOrHavingNoFileSearchesNothing)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    {
        // No file at all.
        auto w = search(t, "x");
        expectOnlyMessage(t, QStringLiteral("ファイル設定が未済です。"), QStringLiteral("ERROR"), Ui::Icon::Critical);
        EXPECT_EQ(child<ReportListView>(*w, "ListView1")->columnCount(), 0);
        EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(1), QString());
    }
    makeFiles(t);
    t.ui.clearLog();
    // The dialog closed from its frame without 検索.
    Form9 w(t.app);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("在庫管理 Tanzo - 全ファイル検索"));
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form9k"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QStringLiteral("検索条件の入力がキャンセルされました。"));
    EXPECT_FALSE(child<QAction>(w, "mf11")->isEnabled());
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnCount(), 0);
}

TEST(Form9, HitsOfEveryTextFieldOfMainAndSubFilesInFileOrder)
{
    TestApp t;
    makeFiles(t);
    auto w = search(t, "rock");
    ReportListView& hits = *child<ReportListView>(*w, "ListView1");
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(headers(hits), QStringList({"検索した文字列", "種目名", "項目名", "ファイル名", "登録ＮＯ", "サブＮＯ"}));
    const int widths[] = {4000, 2300, 2300, 1700, 1300, 1300};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(hits.columnWidthTwips(c), widths[c]) << c;

    // Textual: case and width do not count. A value holding the text twice is one hit, two
    // fields of one row are two; the code field holding "ROC" and the hiragana are no hits.
    ASSERT_EQ(hits.rowCount(), 8);
    EXPECT_EQ(w->hitCount(), 8);
    EXPECT_EQ(row(hits, 0), QStringList({"Rock Best", "ＣＤ", "品名", "SHUMOKU1", "1", ""}));
    EXPECT_EQ(row(hits, 1), QStringList({"rock rock", "ＣＤ", "メモ", "SHUMOKU1", "1", ""}));
    EXPECT_EQ(row(hits, 2), QStringList({"ＲＯＣＫ ｌｉｖｅ", "ＣＤ", "品名", "SHUMOKU1", "3", ""}));
    EXPECT_EQ(row(hits, 3), QStringList({"rock song", "ＣＤ ：サブ", "曲名", "SHUMOKU1SUB", "1", "1"}));
    EXPECT_EQ(row(hits, 4), QStringList({"ROCKY", "ＣＤ ：サブ", "曲名", "SHUMOKU1SUB", "3", "1"}));
    EXPECT_EQ(row(hits, 5), QStringList({"Rockman", "ＤＶＤ", "題名", "SHUMOKU2", "1", ""}));
    EXPECT_EQ(row(hits, 6), QStringList({"rock game", "ゲーム", "名前", "SHUMOKU4", "7", ""}));
    EXPECT_EQ(row(hits, 7), QStringList({"ROCK note", "ゲーム", "備考", "SHUMOKU4", "7", ""}));

    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(1), QStringLiteral("[検索文字]    rock"));
    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(2), QStringLiteral("検索レコード順／総数　　 1 / 8"));
    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(3), QString());
    EXPECT_TRUE(child<QAction>(*w, "mf11")->isEnabled());

    // The first hit is shown with its whole record.
    EXPECT_EQ(hits.selectedIndex(), 0);
    EXPECT_EQ(QStringList({child<QLineEdit>(*w, "Text2")->text(), child<QLineEdit>(*w, "Text3")->text(), child<QLineEdit>(*w, "Text4")->text()}), QStringList({"SHUMOKU1", "1", ""}));
    EXPECT_EQ(child<QLabel>(*w, "Label5")->text(), QStringLiteral("ＣＤ"));
    EXPECT_EQ(headers(*child<ReportListView>(*w, "ListView2")), QStringList({"品名", "枚数", "分類", "メモ", "登録ＮＯ"}));
    ASSERT_EQ(child<ReportListView>(*w, "ListView2")->rowCount(), 1);
    EXPECT_EQ(row(*child<ReportListView>(*w, "ListView2"), 0), QStringList({"Rock Best", "10", "ROC", "rock rock", "1"}));

    // The record is wider than its list: the row stays whole above the scroll bar.
    w->show();
    QApplication::processEvents();
    const QRect shown = child<ReportListView>(*w, "ListView2")->visualRect(child<ReportListView>(*w, "ListView2")->model()->index(0, 0));
    EXPECT_TRUE(child<ReportListView>(*w, "ListView2")->horizontalScrollBar()->isVisible());
    EXPECT_LE(shown.bottom(), child<ReportListView>(*w, "ListView2")->viewport()->height() - 1);
}

TEST(Form9, ChoosingAHitShowsItsRecordWithItsOwnColumns)
{
    TestApp t;
    makeFiles(t);
    t.app.setLayout(ScreenLayout::forScreen(20000, 12000));  // a wide screen
    auto w = search(t, "rock");
    EXPECT_EQ(child<ReportListView>(*w, "ListView1")->columnWidthTwips(0), 6000);

    // The hits have the focus, the first one chosen; the arrow keys go through them.
    auto* hits = child<ReportListView>(*w, "ListView1");
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(QApplication::focusWidget(), hits);
    QTest::keyClick(hits, Qt::Key_Down);
    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(2), QStringLiteral("検索レコード順／総数　　 2 / 8"));

    // A sub record: both keys, the amount formatted, and the category marked as sub.
    person::clickRow(child<ReportListView>(*w, "ListView1"), 3);
    EXPECT_EQ(QStringList({child<QLineEdit>(*w, "Text2")->text(), child<QLineEdit>(*w, "Text3")->text(), child<QLineEdit>(*w, "Text4")->text()}), QStringList({"SHUMOKU1SUB", "1", "1"}));
    EXPECT_EQ(child<QLabel>(*w, "Label5")->text(), QStringLiteral("ＣＤ  ：サブ"));
    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(2), QStringLiteral("検索レコード順／総数　　 4 / 8"));
    ReportListView& record = *child<ReportListView>(*w, "ListView2");
    EXPECT_EQ(headers(record), QStringList({"曲名", "価格", "登録ＮＯ", "サブＮＯ"}));
    EXPECT_EQ(row(record, 0), QStringList({"rock song", QStringLiteral("¥1,500"), "1", "1"}));
    EXPECT_EQ(record.columnWidthTwips(0), 5295);  // 12115 left, capped
    EXPECT_EQ(record.columnWidthTwips(1), 1700);
    EXPECT_EQ(record.columnWidthTwips(3), 1300);
    EXPECT_TRUE(record.columnRightAligned(1) && record.columnRightAligned(3));

    // The other sub record of the same file is read again, not left from before.
    person::clickRow(child<ReportListView>(*w, "ListView1"), 4);
    EXPECT_EQ(row(record, 0), QStringList({"ROCKY", "", "3", "1"}));

    // Two text fields beside six whole numbers: 13815 - 6 x 1700 = 3615 shared by two gives
    // 1808 (halves to even); the first column is widened to 3500.
    person::clickRow(child<ReportListView>(*w, "ListView1"), 7);
    EXPECT_EQ(child<QLabel>(*w, "Label5")->text(), QStringLiteral("ゲーム"));
    EXPECT_EQ(record.columnWidthTwips(0), 3500);
    EXPECT_EQ(record.columnWidthTwips(1), 1808);
    EXPECT_EQ(record.columnWidthTwips(2), 1700);
    EXPECT_EQ(row(record, 0), QStringList({"rock game", "ROCK note", "1", "2", "3", "4", "5", "6", "7"}));

    // Leaving the record list deselects its row.
    record.setSelectedIndex(0);
    emit record.lostFocus();
    EXPECT_EQ(record.selectedIndex(), -1);
}

TEST(Form9, CaseModesKanaBlanksAndNoHit)
{
    TestApp t;
    makeFiles(t);
    {
        // Textual: half-width katakana meets hiragana.
        auto w = search(t, QStringLiteral("ﾛｯｸ"));
        ASSERT_EQ(child<ReportListView>(*w, "ListView1")->rowCount(), 1);
        EXPECT_EQ(row(*child<ReportListView>(*w, "ListView1"), 0), QStringList({"ろっく", "ＣＤ", "メモ", "SHUMOKU1", "3", ""}));
    }
    {
        // Ordinal: only the exact characters; code fields stay out even when their code matches.
        auto w = search(t, "ROC", true);
        EXPECT_EQ(column(*child<ReportListView>(*w, "ListView1"), 0), QStringList({"ROCKY", "ROCK note"}));
    }
    {
        // A space finds every value with a space, and the Null text fields as two spaces.
        auto w = search(t, " ");
        QStringList nulls;
        for (int r = 0; r < child<ReportListView>(*w, "ListView1")->rowCount(); ++r)
            if (child<ReportListView>(*w, "ListView1")->text(r, 0) == QStringLiteral("  ")) nulls << row(*child<ReportListView>(*w, "ListView1"), r).mid(2, 3).join('/');
        EXPECT_EQ(nulls, QStringList({"メモ/SHUMOKU1/2", "題名/SHUMOKU2/2"}));
        EXPECT_EQ(child<ReportListView>(*w, "ListView1")->rowCount(), 2 + 3 + 1 + 3);  // CD main 3, CD sub 1, game 3
        EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(1), QStringLiteral("[検索文字]     "));
    }
    EXPECT_TRUE(t.ui.messages().empty());
    auto w = search(t, QStringLiteral("ロック"), true);
    EXPECT_EQ(child<ReportListView>(*w, "ListView1")->rowCount(), 0);
    expectOnlyMessage(t, QStringLiteral("検索の結果、該当のレコードが見つかりませんでした。"), QStringLiteral("検索結果"),
                      Ui::Icon::Information);
    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(2), QString());
    EXPECT_EQ(child<QLineEdit>(*w, "Text2")->text(), QString());
}

TEST(Form9, EditOpensTheFoundRecordInItsList)
{
    TestApp t;
    WindowOpener opener(t.app);
    makeFiles(t);
    build::addMainRow(t.app, 1, {"other", "2022/02/02"}, 3);
    auto w = search(t, "rock");

    // A main record: the main record list in list mode 2 on exactly that record.
    person::clickRow(child<ReportListView>(*w, "ListView1"), 5);
    QStringList shown;
    t.ui.onShow("Form5", [&](QWidget& window) {
        auto& list = dynamic_cast<Form5&>(window);
        EXPECT_EQ(list.shown().mode, ListRequest::OneFound);
        EXPECT_EQ(list.shown().category, 1);
        EXPECT_EQ(child<QLabel>(list, "Label1")->text(), QStringLiteral("ＤＶＤ (明細)"));
        EXPECT_EQ(list.shown().registrationNo, 1);
        shown << QString::number(child<ReportListView>(list, "ListView1")->rowCount()) << child<QLineEdit>(list, "Text3")->text() << child<QLineEdit>(list, "Text1_0")->text();
    });
    child<QAction>(*w, "mf11")->trigger();
    EXPECT_EQ(shown, QStringList({"1", "1", "Rockman"}));

    // A sub record: the main-and-sub list on that main record and that one sub record.
    person::clickRow(child<ReportListView>(*w, "ListView1"), 4);
    QStringList subRow, mainRow;
    t.ui.onShow("Form6", [&](QWidget& window) {
        auto& list = dynamic_cast<Form6&>(window);
        EXPECT_EQ(list.shown().mode, ListRequest::OneFound);
        EXPECT_EQ(list.shown().category, 0);
        EXPECT_EQ(list.shown().registrationNo, 3);
        EXPECT_EQ(list.shown().subNo, 1);
        ASSERT_EQ(child<ReportListView>(list, "ListView1")->rowCount(), 1);
        ASSERT_EQ(child<ReportListView>(list, "ListView2")->rowCount(), 1);
        subRow = row(*child<ReportListView>(list, "ListView1"), 0);
        mainRow = row(*child<ReportListView>(list, "ListView2"), 0);
    });
    child<QAction>(*w, "mf11")->trigger();
    EXPECT_EQ(subRow, QStringList({"ROCKY", "", "3", "1"}));
    EXPECT_EQ(mainRow, QStringList({QStringLiteral("ＲＯＣＫ ｌｉｖｅ"), "1", "", QStringLiteral("ろっく"), "3"}));
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form9k", "Form5", "Form6"}));
}

TEST(Form9, EditIsOffFromTheInquiryBrowserAndWithoutAHit)
{
    TestApp t;
    WindowOpener opener(t.app);
    makeFiles(t);
    {
        auto w = search(t, "rock", false, Form9::OpenedFrom::InquiryBrowser);
        EXPECT_EQ(child<ReportListView>(*w, "ListView1")->rowCount(), 8);
        EXPECT_FALSE(child<QAction>(*w, "mf11")->isEnabled());
        child<QAction>(*w, "mf11")->trigger();
        EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form9k"}));
    }

    // From the main window, but nothing was found: 編集 has no record to open.
    t.ui.clearLog();
    auto w = search(t, "nothing like this");
    EXPECT_TRUE(child<QAction>(*w, "mf11")->isEnabled());
    child<QAction>(*w, "mf11")->trigger();
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form9k"}));
}

TEST(Form9, NewConditionsSearchAgainInAFreshWindow)
{
    TestApp t;
    makeFiles(t);
    answerSearch(t, "rock");
    answerSearch(t, "ballad");
    QStringList seen;
    t.ui.onShow("Form9", [&](QWidget& window) {
        auto& w = dynamic_cast<Form9&>(window);
        seen << QString::number(child<ReportListView>(w, "ListView1")->rowCount());
        child<QAction>(w, "mk1")->trigger();
    });
    t.ui.onShow("Form9", [&](QWidget& window) {
        auto& w = dynamic_cast<Form9&>(window);
        seen << QString::number(child<ReportListView>(w, "ListView1")->rowCount()) << child<ReportListView>(w, "ListView1")->text(0, 0);
        child<QAction>(w, "mf13")->trigger();
    });
    Form9::run(t.app, Form9::OpenedFrom::MainWindow);
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form9k", "Form9", "Form9k", "Form9"}));
    EXPECT_EQ(seen, QStringList({"8", "1", "ballad"}));
}

TEST(Form9, SortingViewToggleMenusAndHelp)
{
    TestApp t;
    makeFiles(t);
    auto w = search(t, "rock");
    EXPECT_EQ(child<QMenu>(*w, "mf1")->title(), QStringLiteral(" ファイル  "));
    EXPECT_EQ(child<QAction>(*w, "mf11")->text(), QStringLiteral("   編 集"));
    EXPECT_EQ(child<QAction>(*w, "mk1")->text(), QStringLiteral("検索条件  "));
    EXPECT_EQ(child<QMenu>(*w, "mv1")->title(), QStringLiteral("表 示  "));
    EXPECT_EQ(child<QAction>(*w, "mh1")->text(), QStringLiteral("　ヘルプ"));

    // Sorted ascending by the clicked column in Japanese collation, letter case and width
    // aside; the selected hit keeps its selection.
    person::clickRow(child<ReportListView>(*w, "ListView1"), 6);  // "rock game"
    person::clickHeading(child<ReportListView>(*w, "ListView1"), 0);
    EXPECT_EQ(column(*child<ReportListView>(*w, "ListView1"), 0), QStringList({"Rock Best", "rock game", QStringLiteral("ＲＯＣＫ ｌｉｖｅ"), "ROCK note",
                                                     "rock rock", "rock song", "Rockman", "ROCKY"}));
    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(2), QStringLiteral("検索レコード順／総数　　 2 / 8"));
    person::clickHeading(child<ReportListView>(*w, "ListView1"), 3);
    EXPECT_EQ(column(*child<ReportListView>(*w, "ListView1"), 3).last(), QStringLiteral("SHUMOKU4"));

    const std::vector<QWidget*> keys = {child<QLabel>(*w, "Label8"), child<QLabel>(*w, "Label6"), child<QLabel>(*w, "Label7"), child<QLineEdit>(*w, "Text2"), child<QLineEdit>(*w, "Text3"), child<QLineEdit>(*w, "Text4")};
    child<QAction>(*w, "mv11")->trigger();
    for (QWidget* k : keys) EXPECT_TRUE(k->isHidden()) << k->objectName().toStdString();
    child<QAction>(*w, "mv11")->trigger();
    for (QWidget* k : keys) EXPECT_FALSE(k->isHidden()) << k->objectName().toStdString();

    child<QAction>(*w, "mh1")->trigger();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
    EXPECT_EQ(t.ui.calls().back().text, QStringLiteral("Form9"));

    // Screen print of the window: one page, the status text gone afterwards.
    ASSERT_TRUE(child<QAction>(*w, "mf12")->isEnabled());
    child<QAction>(*w, "mf12")->trigger();
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(3), QString());
}

namespace {

// Records what status panel 3 shows each time it is painted.
struct PanelLog : QObject {
    QStringList seen;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) seen << static_cast<QLabel*>(o)->text();
        return false;
    }
};

}  // namespace

TEST(Form9, ProgressAdvancesOncePerFile)
{
    TestApp t;
    makeFiles(t);
    build::setReadProgress(t.app, true);
    PanelLog log;
    // The window is on the screen when the dialog opens; its panel is watched from there.
    t.ui.onShow("Form9k", [&](QWidget& dialog) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* w = qobject_cast<Form9*>(top)) {
                w->show();
                EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
                child<StatusBar3>(*w, "StatusBar1")->panel(3)->installEventFilter(&log);
            }
        auto& d = dynamic_cast<Form9k&>(dialog);
        child<QLineEdit>(d, "Text1")->setText("rock");
        child<QPushButton>(d, "Command1")->click();
    });
    Form9 w(t.app);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 8);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());
    // Five files: CD main and sub, DVD main, game main and sub.
    auto bar = [](int empty) {
        return QStringLiteral("ファイル読込中　") + QString(25 - empty, QChar(0x25A0)) + QString(empty, QChar(0x25A1));
    };
    QStringList bars;
    for (const QString& s : log.seen)
        if (s.startsWith(QStringLiteral("ファイル読込中　"))) bars << s;
    EXPECT_EQ(bars, QStringList({bar(20), bar(15), bar(10), bar(5), bar(0)}));
}

TEST(Form9, AnEngineErrorIsShownAndTheHitsFoundStay)
{
    TestApp t;
    makeFiles(t);
    // The DVD file is recorded but its table is gone.
    t.db().execute("DROP TABLE SHUMOKU2");
    auto w = search(t, "rock");
    ASSERT_FALSE(t.ui.messages().empty());
    EXPECT_EQ(t.ui.messages().front().title, QStringLiteral("Error"));
    EXPECT_EQ(t.ui.messages().front().icon, Ui::Icon::Critical);
    EXPECT_EQ(child<ReportListView>(*w, "ListView1")->rowCount(), 5);  // the CD hits, read before the error
    EXPECT_EQ(child<StatusBar3>(*w, "StatusBar1")->panelText(3), QString());
    EXPECT_EQ(child<QLineEdit>(*w, "Text2")->text(), QStringLiteral("SHUMOKU1"));
}
