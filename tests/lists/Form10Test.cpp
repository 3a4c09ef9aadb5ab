#include "ListFixture.h"
#include "Find.h"
#include "Person.h"
#include "lists/Form10.h"
#include "lists/Form10k.h"
#include "lists/Form10s.h"
#include "common/RecordReader.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"
#include "records/Form5kf.h"
#include "records/Form9.h"

#include <QRadioButton>
#include <QPushButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kAll = QStringLiteral("種目別に全てのレコードを表示");
const QString kSearched = QStringLiteral("種目別に検索したレコードを表示");

QString position(int index, int count) { return QStringLiteral("メイン明細レコード順／総数 　　%1 / %2").arg(index).arg(count); }

QStringList column(const ReportListView& list, int col)
{
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r) out << list.text(r, col);
    return out;
}

QStringList captions(const ReportListView& list)
{
    QStringList out;
    for (int c = 0; c < list.columnCount(); ++c) out << list.columnCaption(c);
    return out;
}

// Slot 0 "ＣＤ" (main file of every kind, sub records for numbers 1 and 3), slot 1 "本"
// (main file only), slot 2 "ＤＶＤ" (named, no file yet), slots 3..5 unnamed.
struct InquiryData {
    explicit InquiryData(TestApp& t) : cd(t)
    {
        build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}, {QStringLiteral("時間"), QStringLiteral("LONG")}});
        build::addSubRow(t.app, 0, {QStringLiteral("曲A"), "300"}, 1, 1);
        build::addSubRow(t.app, 0, {QStringLiteral("曲C"), "250"}, 3, 1);
        build::addSubRow(t.app, 0, {QStringLiteral("曲B"), "200"}, 1, 2);
        build::nameCategory(t.app, 1, QStringLiteral("本"));
        build::defineMain(t.app, 1, {{QStringLiteral("書名"), QStringLiteral("TEXT")}});
        build::addMainRow(t.app, 1, {QStringLiteral("坊っちゃん")}, 1);
        build::addMainRow(t.app, 1, {QStringLiteral("草枕")}, 2);
        build::nameCategory(t.app, 2, QStringLiteral("ＤＶＤ"));
    }
    CdCategory cd;
};

// Records every text status panel 3 shows while it is painted.
struct PanelWatch : QObject {
    explicit PanelWatch(QLabel* panel) : panel(panel) { panel->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        // Repaints of the whole status bar paint the empty panel too; only texts count.
        if (o == panel && e->type() == QEvent::Paint && !panel->text().isEmpty()) shown << panel->text();
        return false;
    }
    QLabel* panel;
    QStringList shown;
};

}  // namespace

TEST(Form10, OpensWithTheNoteAndTheOpenableCategoriesInItsMenus)
{
    TestApp t;
    InquiryData data(t);
    ScreenLayout layout;
    layout.listExtraWidth = 1000;
    t.app.setLayout(layout);
    Form10 w(t.app);

    EXPECT_EQ(w.windowTitle(), QStringLiteral("在庫管理 Tanzo - 照会"));
    EXPECT_NEAR(widthTwips(*child<ReportListView>(w, "ListView1")), 14655 + 1000, 15);  // within a pixel
    EXPECT_NEAR(widthTwips(*child<ReportListView>(w, "ListView2")), 14655 + 1000, 15);
    EXPECT_EQ(child<QLabel>(w, "Label3")->text() + child<QLabel>(w, "Label5")->text(), QString());
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnCount() + child<ReportListView>(w, "ListView2")->columnCount(), 0);

    EXPECT_FALSE(child<QPlainTextEdit>(w, "Text2")->isHidden());
    // The note's lines as they read, indentation aside; no line is added between them.
    QStringList note;
    for (const QString& line : child<QPlainTextEdit>(w, "Text2")->toPlainText().split(QLatin1Char('\n'))) note << text::Trim(line);
    EXPECT_EQ(note, QStringList({"メニュー「ファイル」の", "「開く」または「検索して開く」から種目ファイルを開いてください。",
                                 "または「全ファイルより検索」から全種目ファイルより検索が出来ます。",
                                 "「開く」 ： 選択した種目の全てのレコードを表示します。",
                                 "「検索して開く」 ： 選択した種目の検索条件が表示されるので、条件を入力する。",
                                 "「全ファイルより検索」 ： 検索条件が表示されるので、条件を入力する。",
                                 "検索条件に該当するレコードが表示される。"}));

    // Named categories with a main file by name; the rest keep their first captions, disabled.
    ASSERT_NE(child<QAction>(w, "mf10_5"), nullptr);
    ASSERT_NE(child<QAction>(w, "mf11_5"), nullptr);
    EXPECT_EQ(child<QAction>(w, "mf10_0")->text(), QStringLiteral("ＣＤ　     "));
    EXPECT_EQ(child<QAction>(w, "mf11_0")->text(), QStringLiteral("ＣＤ　(検索)  "));
    EXPECT_EQ(child<QAction>(w, "mf10_1")->text(), QStringLiteral("本　     "));
    EXPECT_EQ(child<QAction>(w, "mf11_1")->text(), QStringLiteral("本　(検索)  "));
    const QString digits = QStringLiteral("１２３４５６");
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(child<QAction>(w, QStringLiteral("mf10_%1").arg(k))->isEnabled(), k < 2) << k;
        EXPECT_EQ(child<QAction>(w, QStringLiteral("mf11_%1").arg(k))->isEnabled(), k < 2) << k;
        if (k >= 2) {
            EXPECT_EQ(child<QAction>(w, QStringLiteral("mf10_%1").arg(k))->text(), QStringLiteral("     ") + digits[k]);
            EXPECT_EQ(child<QAction>(w, QStringLiteral("mf11_%1").arg(k))->text(), QStringLiteral("     ") + digits[k]);
        }
    }

    // The menu entries run the opening.
    child<QAction>(w, "mf10_1")->trigger();
    EXPECT_EQ(child<QLabel>(w, "Label3")->text(), QStringLiteral("本"));
    EXPECT_TRUE(t.ui.messages().empty());
}

TEST(Form10, OpeningACategoryListsItsRecordsAndTheSubListFollowsTheSelectedRow)
{
    TestApp t;
    InquiryData data(t);
    Form10 w(t.app);
    child<QAction>(w, "mf10_0")->trigger();

    EXPECT_EQ(w.openCategory(), 0);
    EXPECT_EQ(child<QLabel>(w, "Label3")->text(), QStringLiteral("ＣＤ"));
    EXPECT_TRUE(child<QPlainTextEdit>(w, "Text2")->isHidden());
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), kAll);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());
    EXPECT_TRUE(t.ui.messages().empty());

    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 3);
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView1"), 0), QStringList({"ＡＢＣ", "¥1,234,567", "2024/03/05", "10", "PO", "1"}));
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView1"), 2), QStringList({"Ｘｙｚ", "", "2025/01/01", "100", "", "3"}));
    // The text column shares 15045 twips less the fixed columns.
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnWidthTwips(0), 15045 - 1900 - 1600 - 1900 - 1350);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnCaption(5), QStringLiteral("登録ＮＯ"));

    // The first row is selected and its sub records are listed.
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 0);
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), position(1, 3));
    EXPECT_EQ(captions(*child<ReportListView>(w, "ListView2")), QStringList({"曲名", "時間", "登録ＮＯ", "サブＮＯ"}));
    ASSERT_EQ(child<ReportListView>(w, "ListView2")->rowCount(), 2);
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView2"), 0), QStringList({"曲A", "300", "1", "1"}));
    EXPECT_EQ(rowTexts(*child<ReportListView>(w, "ListView2"), 1), QStringList({"曲B", "200", "1", "2"}));

    // A main record without sub records: headers, no rows.
    person::clickRow(child<ReportListView>(w, "ListView1"), 1);
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), position(2, 3));
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->columnCount(), 4);
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->rowCount(), 0);

    person::clickRow(child<ReportListView>(w, "ListView1"), 2);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView2"), 0), QStringList({"曲C"}));
    // A click on the row already shown reads its sub records again.
    build::addSubRow(t.app, 0, {QStringLiteral("曲D"), "100"}, 3, 2);
    person::clickRow(child<ReportListView>(w, "ListView1"), 2);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView2"), 0), QStringList({"曲C", "曲D"}));

    // Leaving the sub list clears its selection.
    child<ReportListView>(w, "ListView2")->setSelectedIndex(1);
    person::leave(child<ReportListView>(w, "ListView2"));
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->selectedIndex(), -1);
}

TEST(Form10, ReadingShowsItsProgressInPanelThreeAndTheSubListNone)
{
    TestApp t;
    InquiryData data(t);
    build::setReadProgress(t.app, true);
    Form10 w(t.app);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    PanelWatch watch(child<StatusBar3>(w, "StatusBar1")->panel(3));

    child<QAction>(w, "mf10_0")->trigger();
    EXPECT_EQ(watch.shown.value(0), RecordReader::startText(true));
    EXPECT_TRUE(watch.shown.contains(RecordReader::progressText(0)));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());

    watch.shown.clear();
    person::clickRow(child<ReportListView>(w, "ListView1"), 2);
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->rowCount(), 1);
    for (const QString& s : watch.shown) EXPECT_FALSE(s.startsWith(QStringLiteral("ファイル読込中"))) << s.toStdString();
}

TEST(Form10, CategoriesWithoutSubFileWithoutMainFileOrWithoutRecords)
{
    TestApp t;
    InquiryData data(t);
    build::nameCategory(t.app, 4, QStringLiteral("空"));
    build::defineMain(t.app, 4, {{QStringLiteral("名"), QStringLiteral("TEXT")}});
    Form10 w(t.app);

    // Without a sub file the sub list stays empty, whichever row is selected.
    child<QAction>(w, "mf10_1")->trigger();
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 0), QStringList({"坊っちゃん", "草枕"}));
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnWidthTwips(0), 15045);  // the one text field takes the free width
    person::clickRow(child<ReportListView>(w, "ListView1"), 1);
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->columnCount() + child<ReportListView>(w, "ListView2")->rowCount(), 0);

    // Without a main file the entries cannot be chosen; a file gone since the window opened
    // gets the message, and the window stays as it was.
    EXPECT_FALSE(child<QAction>(w, "mf10_2")->isEnabled());
    EXPECT_FALSE(child<QAction>(w, "mf11_2")->isEnabled());
    const CategoryDefinition before = t.app.cache.row(4);
    CategoryDefinition gone = before;
    gone.mainCreated = 0;
    t.app.cache.setRow(4, gone);
    child<QAction>(w, "mf10_4")->trigger();
    child<QAction>(w, "mf11_4")->trigger();
    t.app.cache.setRow(4, before);
    ASSERT_EQ(t.ui.messages().size(), 2u);
    for (const auto& m : t.ui.messages()) {
        EXPECT_EQ(m.text, QStringLiteral("ファイル設定が未済です。"));
        EXPECT_EQ(m.title, QStringLiteral("Error"));
        EXPECT_EQ(m.icon, Ui::Icon::Critical);
    }
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());
    EXPECT_EQ(child<QLabel>(w, "Label3")->text(), QStringLiteral("本"));
    EXPECT_EQ(w.openCategory(), 1);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 2);

    // Another category replaces the lists; a sort of the former one does not carry over.
    person::clickHeading(child<ReportListView>(w, "ListView1"), 0);
    child<QAction>(w, "mf10_0")->trigger();
    EXPECT_FALSE(child<ReportListView>(w, "ListView1")->isSorted());
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 5), QStringList({"1", "2", "3"}));
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->rowCount(), 2);

    // A main file without records: nothing selected, no sub list, no position.
    child<QAction>(w, "mf10_4")->trigger();
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnCount(), 2);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 0);
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QString());
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->columnCount(), 0);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QString());
    EXPECT_EQ(t.ui.messages().size(), 2u);
}

TEST(Form10, SearchOpensTheMatchingRecordsAndACancelledSearchLeavesTheCategoryEmpty)
{
    TestApp t;
    InquiryData data(t);
    Form10 w(t.app);
    auto searchFor = [&](int field, const QString& value) {
        t.ui.onShow("Form5kf", [field, value](QWidget& shown) {
            auto& f = dynamic_cast<Form5kf&>(shown);
            child<QRadioButton>(f, QStringLiteral("Option1_%1").arg(field))->click();
            child<MaskedEdit>(f, "MaskEdBox1")->setText(value);
            child<QPushButton>(f, "Command1")->click();
        });
    };

    searchFor(3, QStringLiteral("9"));  // 枚数 = 9
    child<QAction>(w, "mf11_0")->trigger();
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form5kf"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), kSearched);
    EXPECT_TRUE(child<QPlainTextEdit>(w, "Text2")->isHidden());
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 5), QStringList({"2"}));
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), position(1, 1));
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->columnCount(), 4);

    // No match: an empty list and no message.
    searchFor(3, QStringLiteral("7"));
    child<QAction>(w, "mf11_0")->trigger();
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->rowCount(), 0);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnCount(), 6);
    EXPECT_TRUE(t.ui.messages().empty());

    // Cancelled: the chosen category is open with no rows in either list.
    searchFor(3, QStringLiteral("10"));
    child<QAction>(w, "mf11_0")->trigger();
    ASSERT_EQ(child<ReportListView>(w, "ListView2")->rowCount(), 2);
    child<QAction>(w, "mf11_1")->trigger();  // the dialog closes without a search
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnCount() + child<ReportListView>(w, "ListView1")->rowCount(), 0);
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->columnCount() + child<ReportListView>(w, "ListView2")->rowCount(), 0);
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QString());
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QString());
    EXPECT_EQ(child<QLabel>(w, "Label3")->text(), QStringLiteral("本"));
    EXPECT_EQ(w.openCategory(), 1);

    // Cancelled before any category was open: the note stays.
    Form10 fresh(t.app);
    child<QAction>(fresh, "mf11_0")->trigger();
    EXPECT_FALSE(child<QPlainTextEdit>(fresh, "Text2")->isHidden());
    EXPECT_EQ(child<QLabel>(fresh, "Label3")->text(), QStringLiteral("ＣＤ"));
}

TEST(Form10, ColumnClickAndTheSortAndFindDialogsActOnTheMainList)
{
    TestApp t;
    InquiryData data(t);
    Form10 w(t.app);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->columnCount(), 0);  // nothing open: no heading to click
    EXPECT_FALSE(child<ReportListView>(w, "ListView1")->isSorted());
    child<QAction>(w, "mf10_0")->trigger();

    person::clickHeading(child<ReportListView>(w, "ListView1"), 3);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 3), QStringList({"9", "10", "100"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), kAll);  // unchanged by the sort
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), position(2, 3));
    person::clickHeading(child<ReportListView>(w, "ListView1"), 1);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 1), QStringList({"", "¥", "¥1,234,567"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), position(3, 3));
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QStringLiteral("1"));  // the same record stays shown

    // Descending, taken at once by the sorted list.
    t.ui.onShow("Form10s", [](QWidget& shown) {
        EXPECT_EQ(shown.windowTitle(), QStringLiteral("在庫管理 Tanzo - ソート条件"));
        child<QRadioButton>(shown, "Option1_1")->click();
    });
    child<QAction>(w, "ms11")->trigger();
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 1), QStringList({"¥1,234,567", "¥", ""}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), position(1, 3));
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("ソート順序は「降順」で設定しました。"));

    // A find in the later columns selects the row and its sub records follow.
    bool accepted = false;
    t.ui.answerText(QStringLiteral("ZZ"));
    t.ui.onShow("Form10k", [&](QWidget& shown) {
        EXPECT_EQ(shown.windowTitle(), QStringLiteral("在庫管理 Tanzo - 検索条件"));
        auto& d = dynamic_cast<Form10k&>(shown);
        child<QRadioButton>(d, "Option1_1")->click();
        accepted = d.result() == QDialog::Accepted;
    });
    child<QAction>(w, "mk11")->trigger();
    EXPECT_TRUE(accepted);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->text(child<ReportListView>(w, "ListView1")->selectedIndex(), 5), QStringLiteral("2"));
    EXPECT_EQ(child<QLabel>(w, "Label5")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<ReportListView>(w, "ListView2")->rowCount(), 0);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), kAll);  // this find writes no status text
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), position(2, 3));
}

TEST(Form10, ReachesTheAllFilesSearchTheCodeViewerHelpScreenPrintCloseAndEnd)
{
    TestApp t;
    InquiryData data(t);
    Form10 w(t.app);
    child<QAction>(w, "mf10_1")->trigger();

    // The all-files search opened from here offers no editing, also on a hit; the open
    // category stays.
    t.ui.onShow("Form9k", [](QWidget& shown) {
        child<QLineEdit>(shown, "Text1")->setText(QStringLiteral("草枕"));
        child<QPushButton>(shown, "Command1")->click();
    });
    bool editable = true;
    int hits = -1;
    t.ui.onShow("Form9", [&](QWidget& shown) {
        editable = child<QAction>(shown, "mf11")->isEnabled();
        hits = child<ReportListView>(shown, "ListView1")->rowCount();
    });
    child<QAction>(w, "mff2")->trigger();
    EXPECT_TRUE(t.ui.shownWindows().contains(QStringLiteral("Form9")));
    EXPECT_EQ(hits, 1);
    EXPECT_FALSE(editable);
    EXPECT_EQ(w.openCategory(), 1);
    EXPECT_EQ(child<QLabel>(w, "Label3")->text(), QStringLiteral("本"));

    t.ui.clearLog();
    child<QAction>(w, "mt1")->trigger();
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form11a"}));

    t.ui.clearLog();
    child<QAction>(w, "mh1")->trigger();
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&w, &f1);
    int helps = 0;
    for (const auto& call : t.ui.calls()) helps += call.kind == QLatin1String("help") && call.text == QLatin1String("Form10");
    EXPECT_EQ(helps, 2);

    // The screen print: one page, the status cleared after it.
    child<QAction>(w, "mf15")->trigger();
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
    EXPECT_EQ(t.printer.pagesPrinted(), 1);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(3), QString());

    w.show();
    child<QAction>(w, "mf12")->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_THROW(child<QAction>(w, "mf13")->trigger(), ProgramEnded);
    EXPECT_TRUE(t.ui.programEnded());
}
