#include "ListFixture.h"
#include "Find.h"
#include "Person.h"
#include "lists/Form5.h"
#include "lists/Form5k.h"
#include "lists/Form5s.h"
#include "lists/Form6.h"
#include "lists/Form6k.h"
#include "lists/Form6s.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"

#include <QAction>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kFound = QStringLiteral("項目列で検索した結果を表示(フォーカス)");
const QString kNothing = QStringLiteral("該当するレコードが有りません。");

QStringList column(const ReportListView& list, int col)
{
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r) out << list.text(r, col);
    return out;
}

// A message as text, icon, buttons and title; the dialogs say everything OK-only and name no
// title, so the message box shows its default one.
QString said(const ScriptedUi::Call& m)
{
    return QStringLiteral("%1|%2|%3|%4").arg(m.text).arg(int(m.icon)).arg(int(m.buttons)).arg(m.title);
}
QString okMessage(const QString& text, Ui::Icon icon)
{
    return said({QString(), text, QString(), icon, Ui::Buttons::Ok});
}

// Chooses an order (0 ascending, 1 descending) in the sort dialog opened from the tool bar.
template <class Dialog>
void chooseOrder(TestApp& t, RecordListWindow& w, int order)
{
    t.ui.onShow(typeid(Dialog) == typeid(Form5s) ? "Form5s" : "Form6s",
                [order](QWidget& shown) { child<QRadioButton>(shown, QStringLiteral("Option1_%1").arg(order))->click(); });
    w.toolbarButton("ソート")->trigger();
}

// Runs `steps` on the find dialog opened from the tool bar; true when it closed with a find.
template <class Dialog>
bool find(TestApp& t, RecordListWindow& w, std::function<void(Dialog&)> steps)
{
    bool found = false;
    t.ui.onShow(typeid(Dialog) == typeid(Form5k) ? "Form5k" : "Form6k", [&](QWidget& shown) {
        auto& d = dynamic_cast<Dialog&>(shown);
        steps(d);
        found = d.result() == QDialog::Accepted;
    });
    w.toolbarButton("検索")->trigger();
    return found;
}

}  // namespace

TEST(SortDialog, OrderIsKeptForColumnClicksAndTakenAtOnceByASortedList)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    t.ui.onShow("Form5s", [&](QWidget& shown) {
        auto& d = dynamic_cast<Form5s&>(shown);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("在庫管理 Tanzo - 項目別ソート条件(メイン)"));
        EXPECT_FALSE(child<QRadioButton>(d, "Option1_0")->isChecked() || child<QRadioButton>(d, "Option1_1")->isChecked());
        EXPECT_EQ(child<QPlainTextEdit>(d, "Text1")->toPlainText().count(QLatin1Char('\n')), 9);
        child<QPushButton>(d, "Command1")->click();
        QTest::keyClick(&d, Qt::Key_F1);
        child<QRadioButton>(d, "Option1_1")->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    child<QAction>(w, "ms11")->trigger();
    EXPECT_EQ(t.ui.calls()[1].kind + t.ui.calls()[2].kind, QStringLiteral("helphelp"));
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(said(t.ui.messages()[0]),
              okMessage(QStringLiteral("ソート順序は「降順」で設定しました。"), Ui::Icon::Information));

    // The order waits for a column click, which sorts descending by value.
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 3), QStringList({"10", "9", "100"}));
    person::clickHeading(child<ReportListView>(w, "ListView1"), 3);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 3), QStringList({"100", "10", "9"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 3"));

    // A sorted list is sorted again at once, and the position follows the shown record.
    chooseOrder<Form5s>(t, w, 0);
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("ソート順序は「昇順」で設定しました。"));
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 3), QStringList({"9", "10", "100"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 3"));

    // Closed by its frame, the dialog changes nothing.
    t.ui.onShow("Form5s", [](QWidget& shown) { shown.close(); });
    child<QAction>(w, "ms11")->trigger();
    EXPECT_EQ(t.ui.messages().size(), 2u);
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->sortOrder(), Qt::AscendingOrder);
}

TEST(FindDialog, FirstColumnWholeOrLeadingTextSelectsAndShowsTheFirstRowInListOrder)
{
    TestApp t;
    CdCategory cd(t);
    build::addMainRow(t.app, 0, {QStringLiteral("abd"), "500", "2020/01/01", "7", "PO"}, 4);
    Form5 w(t.app, openAs(t.app, 0, 0));

    EXPECT_TRUE(find<Form5k>(t, w, [&](Form5k& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("在庫管理 Tanzo - 項目別検索条件(メイン)"));
        EXPECT_TRUE(d.Frame2->isHidden() && d.Option2[0]->isHidden() && d.Option2[1]->isHidden());
        // The first column offers the match kind and asks nothing yet.
        child<QRadioButton>(d, "Option1_0")->click();
        EXPECT_FALSE(child<QGroupBox>(d, "Frame1")->isEnabled());
        EXPECT_FALSE(d.Frame2->isHidden() || d.Option2[0]->isHidden() || d.Option2[1]->isHidden());
        EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("showModal"));
        // Whole text, letter case aside: "abc", not the full-width "ＡＢＣ".
        t.ui.answerText(QStringLiteral("ABC"));
        d.Option2[0]->click();
    }));
    EXPECT_EQ(t.ui.calls().back().text + t.ui.calls().back().title, QStringLiteral("検索文字検索"));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 1);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), kFound);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 4"));
    // The detail panel follows, so change and delete act on the row found.
    EXPECT_EQ(child<QLineEdit>(w, "Text1_0")->text() + child<QLineEdit>(w, "Text3")->text(), QStringLiteral("abc2"));

    // Descending by the first column, width and case aside: Ｘｙｚ, abd, then ＡＢＣ and abc in
    // their former order. The beginning "AB" matches abd and abc; the one nearer the top is taken.
    chooseOrder<Form5s>(t, w, 1);
    person::clickHeading(child<ReportListView>(w, "ListView1"), 0);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 0), QStringList({"Ｘｙｚ", "abd", "ＡＢＣ", "abc"}));
    EXPECT_TRUE(find<Form5k>(t, w, [&](Form5k& d) {
        child<QRadioButton>(d, "Option1_0")->click();
        t.ui.answerText(QStringLiteral("AB"));
        child<QRadioButton>(d, "Option2_1")->click();
    }));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 1);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("4"));
    EXPECT_EQ(child<QLineEdit>(w, "Text4_4")->text(), QStringLiteral("ポップス"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 4"));
}

TEST(FindDialog, LaterColumnsMatchWholeCellsAndTheDialogStaysUntilFound)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    EXPECT_TRUE(find<Form5k>(t, w, [&](Form5k& d) {
        // Part of an amount is no match: the dialog says so and stays with its choice.
        t.ui.answerText(QStringLiteral("1,234"));
        child<QRadioButton>(d, "Option1_1")->click();
        EXPECT_EQ(said(t.ui.messages().back()), okMessage(kNothing, Ui::Icon::None));
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_TRUE(child<QRadioButton>(d, "Option1_1")->isChecked());
        // A cancelled question looks for nothing.
        t.ui.clearLog();
        t.ui.answerText(std::nullopt);
        child<QRadioButton>(d, "Option1_1")->click();
        EXPECT_TRUE(t.ui.messages().empty());
        EXPECT_NE(d.result(), QDialog::Accepted);
        // The same choice again, with the whole cell 枚数 9.
        t.ui.answerText(QStringLiteral("9"));
        child<QRadioButton>(d, "Option1_1")->click();
    }));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 1);
    EXPECT_EQ(child<QLineEdit>(w, "Text1_3")->text() + child<QLineEdit>(w, "Text3")->text(), QStringLiteral("92"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), kFound);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　2 / 3"));
}

TEST(FindDialog, FarRowIsScrolledIntoViewInALongList)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    std::vector<QStringList> rows;
    for (int i = 0; i < 2000; ++i) rows.push_back({QStringLiteral("曲%1").arg(i), "", "", "", "", QString::number(100 + i)});
    child<ReportListView>(w, "ListView1")->addRows(std::move(rows));
    w.show();
    ASSERT_EQ(child<ReportListView>(w, "ListView1")->rowAt(0), 0);
    EXPECT_TRUE(find<Form5k>(t, w, [&](Form5k& d) {
        child<QRadioButton>(d, "Option1_0")->click();
        t.ui.answerText(QStringLiteral("曲1750"));
        child<QRadioButton>(d, "Option2_0")->click();
    }));
    const QRect cell = child<ReportListView>(w, "ListView1")->visualRect(child<ReportListView>(w, "ListView1")->listModel()->index(1753, 0));
    EXPECT_TRUE(child<ReportListView>(w, "ListView1")->viewport()->rect().contains(cell.center()));
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("1850"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　1754 / 2003"));
}

TEST(FindDialog, EmptyListAnswersEverySearchWithTheSameMessage)
{
    TestApp t;
    build::nameCategory(t.app, 1, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 1, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    Form5 w(t.app, openAs(t.app, 1, 0));
    t.ui.clearLog();
    EXPECT_FALSE(find<Form5k>(t, w, [&](Form5k& d) {
        t.ui.answerText(QString());
        child<QRadioButton>(d, "Option1_1")->click();
        child<QRadioButton>(d, "Option1_0")->click();
        t.ui.answerText(QString());
        child<QRadioButton>(d, "Option2_1")->click();  // an empty beginning would match any row
    }));
    ASSERT_EQ(t.ui.messages().size(), 2u);
    for (const auto& m : t.ui.messages()) EXPECT_EQ(m.text, kNothing);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), QStringLiteral("種目別の全てのレコードを表示"));
}

TEST(ListDialogs, SubListSortsAndFindsItsSubRecords)
{
    TestApp t;
    CdCategory cd(t);
    build::defineSub(t.app, 0,
                     {{QStringLiteral("曲名"), QStringLiteral("TEXT")}, {QStringLiteral("時間"), QStringLiteral("LONG")}});
    build::addSubRow(t.app, 0, {QStringLiteral("一曲目"), "245"}, 1, 1);
    build::addSubRow(t.app, 0, {QStringLiteral("別の曲"), "300"}, 2, 1);
    build::addSubRow(t.app, 0, {QStringLiteral("二曲目"), "1200"}, 1, 4);
    build::addSubRow(t.app, 0, {QStringLiteral("三曲目"), "245"}, 1, 12);
    ListRequest shown = openAs(t.app, 0, 0);
    shown.registrationNo = 1;
    Form6 w(t.app, shown);
    t.ui.clearLog();

    chooseOrder<Form6s>(t, w, 1);
    EXPECT_EQ(t.ui.calls().front().title, QStringLiteral("在庫管理 Tanzo - 項目別ソート条件(サブ)"));
    person::clickHeading(child<ReportListView>(w, "ListView1"), 3);
    EXPECT_EQ(column(*child<ReportListView>(w, "ListView1"), 3), QStringList({"12", "4", "1"}));

    // Two sub records last 245 seconds; the one nearer the top of the list is taken.
    t.ui.clearLog();
    EXPECT_TRUE(find<Form6k>(t, w, [&](Form6k& d) {
        t.ui.answerText(QStringLiteral("245"));
        child<QRadioButton>(d, "Option1_1")->click();
    }));
    EXPECT_EQ(t.ui.calls().front().title, QStringLiteral("在庫管理 Tanzo - 項目別検索条件(サブ)"));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 0);
    EXPECT_EQ(child<QLineEdit>(w, "Text1_0")->text() + child<QLineEdit>(w, "Text2")->text() + child<QLineEdit>(w, "Text3")->text(), QStringLiteral("三曲目112"));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), kFound);
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(2), QStringLiteral("レコード順／総数　　1 / 3"));
}
