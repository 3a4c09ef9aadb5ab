#include "ListFixture.h"
#include "Find.h"
#include "Person.h"
#include "lists/Form5.h"
#include "lists/Form6.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"
#include "printing/Form5ps.h"
#include "records/Form7.h"

#include <QLabel>
#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QListWidget>
#include <QRadioButton>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

QStringList column(const ReportListView& list, int col)
{
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r) out << list.text(r, col);
    return out;
}

}  // namespace

TEST(Form5, ShowsAllRecordsInTheirFormatsWithTheFirstInTheDetailPanel)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));

    EXPECT_EQ(w.windowTitle(), QStringLiteral("在庫管理 Tanzo - 種目別メイン明細"));
    EXPECT_EQ(child<QLabel>(w, "Label1")->text(), QStringLiteral("ＣＤ (明細)"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), QStringLiteral("種目別の全てのレコードを表示"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　1 / 3"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());

    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 3);
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView1"), 0), QStringList({"ＡＢＣ", "¥1,234,567", "2024/03/05", "10", "PO", "1"}));
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView1"), 1), QStringList({"abc", "¥", "2023/12/31", "9", "ZZ", "2"}));
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView1"), 2), QStringList({"Ｘｙｚ", "", "2025/01/01", "100", "", "3"}));

    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnWidthTwips(0), 8005);  // 14755 less the fixed columns

    ASSERT_EQ(w.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label3_\\d+$"))).size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(child<QLineEdit>(w, QStringLiteral("Text1_%1").arg(i))->text(), child<ReportListView>(w, "ListView1")->text(0, i));
        // Only the code field shows a name beside its value.
        const QLineEdit* name = w.findChild<QLineEdit*>(QStringLiteral("Text4_%1").arg(i));
        EXPECT_EQ(name && !name->isHidden(), i == 4) << i;
    }
    EXPECT_EQ(child<QLabel>(w, "Label3_2")->text() + child<QLabel>(w, "Label4_2")->text(), QStringLiteral("発売日 ：(日付)"));
    EXPECT_EQ(child<QLabel>(w, "Label4_4")->text(), QStringLiteral("CODE1"));
    EXPECT_EQ(topTwips(*child<QLabel>(w, "Label3_2")) - topTwips(*child<QLabel>(w, "Label3_0")), 630);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLineEdit>(w, "Text4_4")->text(), QStringLiteral("ポップス"));
    EXPECT_TRUE(child<QPushButton>(w, "Command1")->isHidden());  // no sub file

    // A code that its table does not hold shows no name.
    person::clickRow(child<ReportListView>(w, "ListView1"), 1);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QLineEdit>(w, "Text4_4")->text(), QString());
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 3"));
}

TEST(Form5, OneFieldLeavesTheListItsFullHeight)
{
    TestApp t;
    build::nameCategory(t.app, 1, QStringLiteral("本"));
    const QString name = QStringLiteral("書名（原題を含む正式な表記のもの）");
    build::defineMain(t.app, 1, {{name, QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 1, {QStringLiteral("坊っちゃん")}, 1);
    Form5 w(t.app, openAs(t.app, 1, 0));
    EXPECT_EQ(heightTwips(*child<ReportListView>(w, "ListView1")), 7455);
    EXPECT_EQ(topTwips(*child<ReportListView>(w, "ListView1")), 1800);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnCount(), 2);
    EXPECT_EQ(w.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label3_\\d+$"))).size(), 1);

    // A name too long for its caption is drawn shortened; the caption keeps the whole text
    // and offers it as the tool tip.
    w.grab();
    EXPECT_EQ(child<QLabel>(w, "Label3_0")->text(), name + QStringLiteral(" ："));
    EXPECT_EQ(child<QLabel>(w, "Label3_0")->toolTip(), name + QStringLiteral(" ："));
}

TEST(Form5, ColumnClickSortsByTheColumnsValues)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    person::clickHeading(child<ReportListView>(w, "ListView1"), 3);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 3), QStringList({"9", "10", "100"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), QStringLiteral("クリックした項目列でソートした結果を表示"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 3"));  // the shown record stays selected
    person::clickHeading(child<ReportListView>(w, "ListView1"), 1);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 1), QStringList({"", "¥", "¥1,234,567"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　3 / 3"));
}

TEST(Form5, SubRecordButtonFollowsTheShownRecord)
{
    TestApp t;
    CdCategory cd(t);
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    for (int sub : {1, 2, 5}) build::addSubRow(t.app, 0, {QStringLiteral("曲")}, 1, sub);
    build::addSubRow(t.app, 0, {QStringLiteral("曲")}, 3, 7);
    Form5 w(t.app, openAs(t.app, 0, 0));
    EXPECT_FALSE(child<QPushButton>(w, "Command1")->isHidden());
    EXPECT_EQ(child<QPushButton>(w, "Command1")->text(), QStringLiteral("サブ明細表示(3)"));
    EXPECT_EQ(w.subRecordCount(), 3);

    // Deleting a record with sub records is refused before the editor opens.
    child<QAction>(w, "mf13")->trigger();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("サブ明細があります。先にサブ明細レコードを削除して下さい。"));
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());

    person::clickRow(child<ReportListView>(w, "ListView1"), 1);
    EXPECT_EQ(child<QPushButton>(w, "Command1")->text(), QStringLiteral("サブ明細登録"));
    EXPECT_EQ(w.subRecordCount(), 0);

    // The record found by the all-files search: only it, Null cells as a blank, no button.
    ListRequest found;
    found.mode = ListRequest::OneFound;
    found.registrationNo = 3;
    Form5 one(t.app, found);
    EXPECT_EQ(child<StatusBar3>(one, "StatusBar1")->panelText(1), QStringLiteral("全ファイルより検索したレコードの内、１件を表示"));
    ASSERT_EQ(child<ReportListView>(one, "ListView1")->rowCount(), 1);
    EXPECT_EQ(rowTexts(*child<ReportListView>(one, "ListView1"), 0), QStringList({"Ｘｙｚ", " ", "2025/01/01", "100", " ", "3"}));
    EXPECT_EQ(one.subRecordCount(), 1);
    EXPECT_TRUE(child<QPushButton>(one, "Command1")->isHidden());
}

TEST(Form5, SearchModeListsTheMatchingRecordsOnly)
{
    TestApp t;
    CdCategory cd(t);
    ListRequest searched = openAs(t.app, 0, 1);
    searched.search.typeWord = "TEXT";
    searched.search.fieldIndex = 0;
    searched.search.text = "ABC";
    searched.search.caseMode = 0;
    {
        Form5 w(t.app, searched);
        EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), QStringLiteral("種目別に検索したレコードを表示"));
        EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 5), QStringList({"1", "2"}));  // full width and lower case too
    }
    searched.search.caseMode = 1;
    Form5 none(t.app, searched);
    EXPECT_EQ(child<ReportListView>(none, "ListView1")->rowCount(), 0);
    ASSERT_EQ(t.ui.messages().size(), 1u);  // no "register first" notice in search mode
    const auto m = t.ui.messages().front();
    EXPECT_EQ(m.text, QStringLiteral("検索の結果、該当のレコードが見つかりませんでした。"));
    EXPECT_EQ(m.title, QStringLiteral("検索結果"));
    EXPECT_EQ(m.icon, Ui::Icon::Information);
}

TEST(Form5, EmptyFileAsksForANewRecordAndRefusesChangeAndDelete)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    Form5 w(t.app, openAs(t.app, 0, 0));
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("次画面の「編集」-「新規作成」より明細レコードを登録して下さい。"));
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("お知らせ"));
    EXPECT_EQ(t.ui.messages().back().icon, Ui::Icon::None);
    EXPECT_TRUE(child<QPushButton>(w, "Command1")->isHidden());

    for (const char* item : {"mf12", "mf13"}) {
        t.ui.clearLog();
        child<QAction>(w, item)->trigger();
        EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("明細レコードが指定されていません。"));
        EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
        EXPECT_TRUE(t.ui.shownWindows().isEmpty());
    }
}

TEST(Form5, EditorGetsTheShownRecordAndTheListIsReadAgainAfterIt)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    person::clickRow(child<ReportListView>(w, "ListView1"), 1);

    t.ui.onShow("Form7", [&](QWidget& shown) {
        auto& ed = dynamic_cast<Form7&>(shown);
        EXPECT_EQ(child<QLabel>(ed, "Label3")->text(), QStringLiteral("変更"));
        EXPECT_EQ(child<QLineEdit>(ed, "Text2")->text(), QStringLiteral("2"));
        Database db = t.db();
        Recordset rs = db.openTable("SHUMOKU1");
        rs.moveFirst();
        rs.moveNext();
        rs.edit();
        rs.setField(0, QStringLiteral("abc 改"));
        rs.update();
    });
    child<QAction>(w, "Toolbar1_変更")->trigger();
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->text(1, 0), QStringLiteral("abc 改"));
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("2"));  // the shown record stays shown
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 3"));

    t.ui.onShow("Form7", [&](QWidget& shown) {
        auto& ed = dynamic_cast<Form7&>(shown);
        EXPECT_EQ(child<QLabel>(ed, "Label3")->text(), QStringLiteral("新規作成"));
        EXPECT_EQ(child<QLineEdit>(ed, "Text2")->text(), QStringLiteral("4"));
        build::addMainRow(t.app, 0, {QStringLiteral("新譜"), "500", "2025/02/02", "1", "PO"}, 4);
    });
    child<QAction>(w, "mf11")->trigger();
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 5), QStringList({"1", "2", "3", "4"}));

    // When the editor leaves no record, nothing stays shown for change or delete.
    t.ui.onShow("Form7", [&](QWidget&) {
        Database db = t.db();
        Recordset rs = db.openTable("SHUMOKU1");
        while (rs.recordCount() > 0) {
            rs.moveFirst();
            rs.deleteCurrent();
        }
    });
    child<QAction>(w, "mf13")->trigger();
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 0);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(w, "Text1_0")->text(), QString());
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form7", "Form7", "Form7"}));
}

TEST(Form5, TheListKeepsItsPlaceAfterTheEditorStoresOrDeletes)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    auto* list = child<ReportListView>(w, "ListView1");
    auto shows = [&](const QString& number, int index, int count) {
        EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), number);
        EXPECT_EQ(list->selectedIndex(), index);
        EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2),
                  RecordListWindow::positionText(index + 1, count));
    };
    auto box = [](QWidget& editor, int k) { return child<MaskedEdit>(editor, QStringLiteral("MaskEdBox1_%1").arg(k)); };

    // Sorted by release date, the changed record moves to the end and is still the one shown.
    person::clickHeading(list, 2);
    ASSERT_EQ(column(*list, 5), QStringList({"2", "1", "3"}));
    person::clickRow(list, 1);
    t.ui.onShow("Form7", [&](QWidget& editor) {
        editor.show();
        QTest::mouseClick(box(editor, 2), Qt::LeftButton);
        QTest::keyClick(box(editor, 2), Qt::Key_Home);
        QTest::keyClicks(box(editor, 2), QStringLiteral("20260101"));
        child<QPushButton>(editor, "Command1")->click();
    });
    child<QAction>(w, "Toolbar1_変更")->trigger();
    EXPECT_EQ(column(*list, 5), QStringList({"2", "3", "1"}));
    shows(QStringLiteral("1"), 2, 3);

    // A new record is shown where the sort puts it.
    t.ui.onShow("Form7", [&](QWidget& editor) {
        QTest::keyClicks(box(editor, 0), QStringLiteral("new"));
        QTest::keyClicks(box(editor, 2), QStringLiteral("20250601"));
        child<QPushButton>(editor, "Command1")->click();
        child<QPushButton>(editor, "Command2")->click();
    });
    child<QAction>(w, "Toolbar1_新規作成")->trigger();
    EXPECT_EQ(column(*list, 5), QStringList({"2", "3", "4", "1"}));
    shows(QStringLiteral("4"), 2, 4);

    // After a delete, the row that took its place.
    t.ui.answer(Ui::Answer::Ok);
    t.ui.onShow("Form7", [&](QWidget& editor) { child<QPushButton>(editor, "Command1")->click(); });
    child<QAction>(w, "Toolbar1_削除")->trigger();
    EXPECT_EQ(column(*list, 5), QStringList({"2", "3", "1"}));
    shows(QStringLiteral("1"), 2, 3);
}

TEST(Form5, MenusCopyViewTogglesHelpAndEnd)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));

    EXPECT_EQ(child<QAction>(w, "mf18")->text(), QStringLiteral("閉じる(&C)       "));

    // Copy takes the selection of the last value box that has one.
    t.ui.setClipboardText("before");
    child<QAction>(w, "me11")->trigger();
    EXPECT_EQ(t.ui.clipboardText(), QStringLiteral("before"));
    child<QLineEdit>(w, "Text1_0")->setSelection(0, 2);
    child<QLineEdit>(w, "Text1_3")->selectAll();
    child<QAction>(w, "me11")->trigger();
    EXPECT_EQ(t.ui.clipboardText(), QStringLiteral("10"));

    child<QAction>(w, "mv11")->trigger();
    EXPECT_TRUE(child<QLabel>(w, "Label5")->isHidden() && child<QLineEdit>(w, "Text3")->isHidden());
    child<QAction>(w, "mv12")->trigger();
    EXPECT_TRUE(child<QToolBar>(w, "Toolbar1")->isHidden());

    person::leave(child<ReportListView>(w, "ListView1"));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), -1);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("1"));  // the detail panel keeps the record

    child<QAction>(w, "Toolbar1_ヘルプ")->trigger();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
    EXPECT_THROW(child<QAction>(w, "mf19")->trigger(), ProgramEnded);
    EXPECT_FALSE(w.reopenRequested());
}

TEST(Form5, BackToTableOrderAndTheSubRecordListReopenTheList)
{
    TestApp t;
    CdCategory cd(t);
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});

    t.ui.onShow("Form5", [](QWidget& w) { child<QAction>(w, "me14")->trigger(); });
    Form5::run(t.app);
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form5", "Form5"}));

    t.ui.clearLog();
    t.ui.onShow("Form5", [](QWidget& w) {
        auto& list = static_cast<Form5&>(w);
        person::clickRow(child<ReportListView>(list, "ListView1"), 1);
        child<QPushButton>(list, "Command1")->click();
    });
    t.ui.onShow("Form6", [](QWidget& w) {
        auto& sub = static_cast<Form6&>(w);
        EXPECT_EQ(sub.shown().registrationNo, 2);
        ASSERT_EQ(child<ReportListView>(sub, "ListView2")->rowCount(), 1);
        EXPECT_EQ(child<ReportListView>(sub, "ListView2")->text(0, 0), QStringLiteral("abc"));
        EXPECT_EQ(child<QLineEdit>(sub, "Text2")->text(), QStringLiteral("2"));
    });
    Form5::run(t.app);
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form5", "Form6", "Form5"}));
}

TEST(Form5, DatabaseErrorWhileReadingIsShownAndTheWindowStaysUsable)
{
    TestApp t;
    CdCategory cd(t);
    t.db().execute("DROP TABLE SHUMOKU1");
    build::setReadProgress(t.app, true);
    Form5 w(t.app, openAs(t.app, 0, 0));
    ASSERT_FALSE(t.ui.messages().empty());
    EXPECT_EQ(t.ui.messages().front().title, QStringLiteral("Error"));
    EXPECT_EQ(t.ui.messages().front().icon, Ui::Icon::Critical);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 0);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());
    child<QAction>(w, "mf12")->trigger();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("明細レコードが指定されていません。"));
}

TEST(Form5, ScreenPrintMenuPrintsOnePageAndClearsTheStatus)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 0, {QStringLiteral("一枚目")}, 1);
    Form5 w(t.app);
    for (QAction* a : {child<QAction>(w, "mf140"), child<QAction>(w, "mf141"), child<QAction>(w, "mf142")}) EXPECT_TRUE(a->isEnabled());
    EXPECT_TRUE(w.toolbarButton(QStringLiteral("画面印刷"))->isEnabled());
    child<QAction>(w, "mf141")->trigger();
    child<QAction>(w, "Toolbar1_画面印刷")->trigger();
    EXPECT_EQ(t.printer.documentsPrinted(), 2);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());
}

TEST(Form5, PrintAsksForSettingsOnceThenPrintsTheListAsShown)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    EXPECT_TRUE(w.toolbarButton("印刷")->isEnabled());
    EXPECT_TRUE(w.toolbarButton("印刷設定")->isEnabled());

    // The settings window left without OK: nothing is printed and no printer is asked for.
    child<QAction>(w, "mf16")->trigger();
    EXPECT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form5ps")});
    EXPECT_EQ(t.printer.documentsPrinted(), 0);

    // Settings accepted, then the printer chosen: one document of the list.
    t.ui.onShow(QStringLiteral("Form5ps"), [](QWidget& win) {
        auto& d = dynamic_cast<Form5ps&>(win);
        child<QRadioButton>(d, "Option3_0")->click();
        child<QListWidget>(d, "List1")->setCurrentRow(0);
        child<QPushButton>(d, "Command1")->click();
        child<QPushButton>(d, "Command4")->click();
    });
    t.ui.answerPrinter(true);
    child<QAction>(w, "Toolbar1_印刷")->trigger();
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
    // Every row as shown, in its order.
    const QString printed = t.printer.texts().join(QLatin1Char('|'));
    for (int r = 1; r < child<ReportListView>(w, "ListView1")->rowCount(); ++r)
        EXPECT_LT(printed.indexOf(child<ReportListView>(w, "ListView1")->text(r - 1, 0)), printed.indexOf(child<ReportListView>(w, "ListView1")->text(r, 0))) << printed.toStdString();
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());

    // The next print of the same opening reuses the settings: only the printer is asked for.
    t.ui.answerPrinter(true);
    child<QAction>(w, "mf16")->trigger();
    EXPECT_EQ(t.printer.documentsPrinted(), 2);
    EXPECT_EQ(t.ui.shownWindows().count(QStringLiteral("Form5ps")), 2);
    EXPECT_EQ(t.ui.pendingReplies(), 0);
}

// The report and each screen print also go to the print preview or into a PDF file, from
// items beside the ones that print.
TEST(Form5, ReportAndScreenPrintsGoToThePreviewOrAPdfFromTheMenu)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    EXPECT_EQ(child<QAction>(w, "mf16v")->text(), QStringLiteral("印刷プレビュー(&V)..."));
    EXPECT_EQ(child<QAction>(w, "mf16d")->text(), QStringLiteral("PDFファイルに保存(&S)..."));
    const QList<QAction*> file = child<QMenu>(w, "mf1")->actions();
    EXPECT_EQ(file.indexOf(child<QAction>(w, "mf16v")), file.indexOf(child<QAction>(w, "mf16")) + 1);
    EXPECT_EQ(file.indexOf(child<QAction>(w, "mf16d")), file.indexOf(child<QAction>(w, "mf16")) + 2);

    // The report into a PDF: its settings first, then the file; nothing reaches the printer.
    QTemporaryDir tmp;
    const QString pdf = tmp.filePath(QStringLiteral("一覧.pdf"));
    t.ui.onShow(QStringLiteral("Form5ps"), [](QWidget& win) {
        auto& d = dynamic_cast<Form5ps&>(win);
        child<QRadioButton>(d, "Option3_0")->click();
        child<QPushButton>(d, "Command5")->click();
        child<QPushButton>(d, "Command4")->click();
    });
    t.ui.answerText(pdf);
    child<QAction>(w, "mf16d")->trigger();
    EXPECT_TRUE(QFile(pdf).size() > 0);
    EXPECT_EQ(t.printer.documentsPrinted(), 0);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());

    // The report in the preview, printed from there: the printer dialog, one document.
    t.ui.answerPreview(Ui::PreviewChoice::Print);
    t.ui.answerPrinter(true);
    child<QAction>(w, "mf16v")->trigger();
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
    EXPECT_EQ(t.ui.lastPreview()->texts(), t.printer.texts());

    // The client area in the preview: one page with the picture, nothing printed.
    auto* preview = child<QMenu>(w, "mf14")->findChild<QMenu*>(QStringLiteral("mf14v"));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->title(), QStringLiteral("印刷プレビュー(&V)"));
    QAction* userData = preview->findChild<QAction*>(QStringLiteral("mf141v"));
    ASSERT_NE(userData, nullptr);
    EXPECT_EQ(userData->text(), child<QAction>(w, "mf141")->text());
    t.ui.answerPreview(Ui::PreviewChoice::Close);
    userData->trigger();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("printPreview"));
    EXPECT_EQ(t.ui.calls().back().text, QStringLiteral("1"));
    EXPECT_EQ(t.ui.lastPreview()->ops(PrintOp::Kind::Picture).size(), 1u);
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());

    // The whole screen into a PDF.
    const QString screen = tmp.filePath(QStringLiteral("画面"));
    t.ui.answerText(screen);
    child<QMenu>(w, "mf14")->findChild<QAction*>(QStringLiteral("mf142d"))->trigger();
    EXPECT_TRUE(QFile(screen + QStringLiteral(".pdf")).size() > 0);
    EXPECT_EQ(t.ui.pendingReplies(), 0);
}

TEST(Form5FileOnly, AListOfOneHundredThousandRowsShowsEachRowInItsFormats)
{
    TestApp t;
    CdCategory cd(t);
    {
        Database db = t.app.openDatabase();
        db.execute(QStringLiteral("DELETE FROM SHUMOKU1"));
        // Nulls in the middle and the last row, names of growing length, codes known and not.
        db.execute(QStringLiteral(
            "INSERT INTO SHUMOKU1 WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
            "SELECT 'アルバム第' || i || '番', CASE WHEN i % 50000 = 0 THEN NULL ELSE (i % 4999 + 1) * 123456 END, "
            "CASE WHEN i % 100000 = 0 THEN NULL ELSE printf('20%02d-%02d-%02d', 10 + i % 15, 1 + i % 12, 1 + i % 28) END, "
            "i % 100, CASE WHEN i % 2 = 0 THEN 'PO' ELSE 'ZZ' END, i FROM n"));
    }
    Form5 w(t.app, openAs(t.app, 0, 0));
    ReportListView& list = *child<ReportListView>(w, "ListView1");
    ASSERT_EQ(list.rowCount(), 100000);
    EXPECT_EQ(rowTexts(list, 0), QStringList({"アルバム第1番", "¥25", "2011/02/02", "1", "ZZ", "1"}));
    EXPECT_EQ(rowTexts(list, 4997), QStringList({"アルバム第4998番", "¥61,716", "2013/07/15", "98", "PO", "4998"}));
    EXPECT_EQ(rowTexts(list, 49999), QStringList({"アルバム第50000番", "", "2015/09/21", "0", "PO", "50000"}));
    EXPECT_EQ(rowTexts(list, 99999), QStringList({"アルバム第100000番", "", "", "0", "PO", "100000"}));
    // A cell changed afterwards keeps the others of its row.
    list.setSubItem(99999, 2, QStringLiteral("2030/01/01"));
    EXPECT_EQ(rowTexts(list, 99999), QStringList({"アルバム第100000番", "", "2030/01/01", "0", "PO", "100000"}));
}
