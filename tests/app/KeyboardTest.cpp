#include "../lists/ListFixture.h"
#include "Builders.h"
#include "Find.h"
#include "TestApp.h"
#include "lists/Form10.h"
#include "lists/Form5.h"
#include "platform/help/HelpWindow.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "records/Form9.h"
#include "reports/Form13a.h"
#include "reports/Form13b.h"
#include "reports/Form13c.h"
#include "schema/Form2b.h"
#include "schema/Form2d.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

// The window on the screen and the active one, as when a person opens it.
void bringUp(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window)) << window.objectName().toStdString();
    QCoreApplication::processEvents();
}

// The named control that has the focus (a box's inner editor counts as the box).
QString focused()
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) return w->objectName();
    return QStringLiteral("(none)");
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_TRUE(target) << "nothing has the focus";
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

// The names the focus goes through with `count` presses of Tab.
QStringList tabs(int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i) {
        press(Qt::Key_Tab);
        out << focused();
    }
    return out;
}

}  // namespace

TEST(Keyboard, Form2dTabRunsRowByRowAndTheCodeTableListFollowsTheBoxThatShowedIt)
{
    TestApp t;
    build::createCodeTable(t.app, 1, QStringLiteral("種別"), 2);
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    Form2d f(t.app, 0, false);
    bringUp(f);
    QComboBox* count = child<QComboBox>(f, "Combo1");
    count->setCurrentIndex(2);  // three fields
    count->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(tabs(11), QStringList({"Text1_1", "Combo2_1", "Check1_1", "Text1_2", "Combo2_2", "Check1_2", "Text1_3",
                                     "Combo2_3", "Check1_3", "Command1", "Command2"}));

    // Row 2 uses a code: the list of code tables shown beside it comes next.
    count->setFocus(Qt::TabFocusReason);
    tabs(6);
    ASSERT_EQ(focused(), QStringLiteral("Check1_2"));
    press(Qt::Key_Space);
    ASSERT_TRUE(child<QCheckBox>(f, "Check1_2")->isChecked());
    EXPECT_EQ(tabs(3), QStringList({"Combo3", "Text1_3", "Combo2_3"}));
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), QStringLiteral("Combo3"));
}

TEST(Keyboard, TheListSortsTheColumnOfTheCurrentCellFromItsContextMenuKey)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    bringUp(w);
    auto* list = child<ReportListView>(w, "ListView1");
    list->setFocus(Qt::TabFocusReason);
    // Along the row to the third column (発売日), then the menu key: descending.
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    t.ui.answerMenu(QStringLiteral("SortDescending"));
    press(Qt::Key_Menu);
    ASSERT_FALSE(t.ui.calls().empty());
    ASSERT_EQ(t.ui.calls().back().kind, QStringLiteral("popupMenu"));
    EXPECT_TRUE(list->isSorted());
    EXPECT_EQ(list->sortKey(), 2);
    QStringList dates;
    for (int r = 0; r < list->rowCount(); ++r) dates << list->text(r, 2);
    EXPECT_EQ(dates, QStringList({"2025/01/01", "2024/03/05", "2023/12/31"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), QStringLiteral("クリックした項目列でソートした結果を表示"));

    // Back to the first column, Shift+F10: ascending by the name.
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    t.ui.answerMenu(QStringLiteral("SortAscending"));
    press(Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(list->sortKey(), 0);
    EXPECT_EQ(list->sortOrder(), Qt::AscendingOrder);
    // "ＡＢＣ" and "abc" sort as one name and keep their order.
    EXPECT_EQ(rowTexts(*list, 0).first(), QStringLiteral("ＡＢＣ"));
    EXPECT_EQ(rowTexts(*list, 2).first(), QStringLiteral("Ｘｙｚ"));
}

TEST(Keyboard, TheFindDialogHandsTheFocusOnWhenTheFirstColumnIsChosenWithSpace)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    QString afterSpace;
    t.ui.onShow("Form5k", [&](QWidget& d) {
        bringUp(d);
        child<QRadioButton>(d, "Option1_0")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        afterSpace = focused();
        EXPECT_TRUE(QApplication::focusWidget() && QApplication::focusWidget()->isEnabled());
        // And the match kind is chosen with Space in turn.
        t.ui.answerText(QStringLiteral("abc"));
        press(Qt::Key_Space);
    });
    w.toolbarButton("検索")->trigger();
    EXPECT_EQ(afterSpace, QStringLiteral("Option2_0"));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 1);
}

TEST(Keyboard, CtrlFAndAltSReachTheHelpSearchBox)
{
    TestApp t;
    QMainWindow owner;
    owner.setObjectName(QStringLiteral("Form1"));
    HelpWindow* help = HelpWindow::showFor(owner);
    bringUp(*help);
    QWidget* browser = child<QWidget>(*help, "browser");
    auto* box = child<QLineEdit>(*help, "searchBox");
    browser->setFocus(Qt::TabFocusReason);
    press(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), box);

    browser->setFocus(Qt::TabFocusReason);
    box->setText(QStringLiteral("印刷"));
    press(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), box);
    // The words there are taken as a whole: typing replaces them.
    QTest::keyClicks(box, QStringLiteral("CSV"));
    EXPECT_EQ(box->text(), QStringLiteral("CSV"));
    help->close();
}

TEST(Keyboard, F10OpensTheFirstMenuOfEveryWindowWithAMenuBar)
{
    TestApp t;
    CdCategory cd(t);
    auto opensFirstMenu = [](QMainWindow& w) {
        bringUp(w);
        QMenuBar* bar = w.menuBar();
        QMenu* first = bar->actions().first()->menu();
        ASSERT_TRUE(first);
        QWidget* start = w.focusWidget() ? w.focusWidget() : &w;
        QTest::keyClick(start, Qt::Key_F10);
        EXPECT_EQ(QApplication::activePopupWidget(), first) << w.objectName().toStdString();
        EXPECT_EQ(bar->activeAction(), first->menuAction()) << w.objectName().toStdString();
        if (QWidget* open = QApplication::activePopupWidget()) QTest::keyClick(open, Qt::Key_Escape);
        w.close();
    };
    {
        Form5 w(t.app, openAs(t.app, 0, 0));
        opensFirstMenu(w);
    }
    {
        Form9 w(t.app);
        opensFirstMenu(w);
    }
    {
        Form10 w(t.app);
        opensFirstMenu(w);
    }
    {
        Form13a w(t.app);
        opensFirstMenu(w);
    }
    {
        Form13b w(t.app);
        opensFirstMenu(w);
    }
    {
        Form13c w(t.app);
        opensFirstMenu(w);
    }
}

TEST(Keyboard, TheBoxAWindowOpensOnHasItsTextSelectedSoTypingReplacesIt)
{
    TestApp t;
    Form2b f(t.app);
    auto* first = child<QLineEdit>(f, "Text1_0");
    ASSERT_EQ(first->text(), QStringLiteral("    "));
    bringUp(f);
    ASSERT_EQ(QApplication::focusWidget(), first);
    QTest::keyClicks(first, QStringLiteral("CD"));
    child<QPushButton>(f, "Command1")->click();
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("CD"));

    // Coming back to an open window leaves its box as the person left it.
    Form2b g(t.app);
    bringUp(g);
    auto* box = child<QLineEdit>(g, "Text1_0");
    box->deselect();
    box->end(false);
    QWidget other;
    bringUp(other);
    bringUp(g);
    QCoreApplication::processEvents();
    EXPECT_FALSE(box->hasSelectedText());
}
