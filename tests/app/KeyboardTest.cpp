#include "../lists/ListFixture.h"
#include "Find.h"
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
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

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
    ASSERT_TRUE(QApplication::focusWidget()) << "nothing has the focus";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

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

TEST(Keyboard, TabRunsRowByRowAndSpaceInTheFindDialogLeavesTheFocusOnAnEnabledOption)
{
    TestApp t;
    CdCategory cd(t);
    Form2d f(t.app, 2, false);
    bringUp(f);
    QComboBox* count = child<QComboBox>(f, "Combo1");
    count->setCurrentIndex(2);  // three fields
    count->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(tabs(11), QStringList({"Text1_1", "Combo2_1", "Check1_1", "Text1_2", "Combo2_2", "Check1_2", "Text1_3",
                                     "Combo2_3", "Check1_3", "Command1", "Command2"}));
    // Row 2 uses a code: the list of code tables shown beside it comes next.
    count->setFocus(Qt::TabFocusReason);
    tabs(6);
    press(Qt::Key_Space);
    ASSERT_TRUE(child<QCheckBox>(f, "Check1_2")->isChecked());
    EXPECT_EQ(tabs(2), QStringList({"Combo3", "Text1_3"}));
    f.close();

    Form5 w(t.app, openAs(t.app, 0, 0));
    QString afterSpace;
    t.ui.onShow("Form5k", [&](QWidget& d) {
        bringUp(d);
        child<QRadioButton>(d, "Option1_0")->setFocus(Qt::TabFocusReason);
        press(Qt::Key_Space);
        afterSpace = focused();
        t.ui.answerText(QStringLiteral("abc"));
        press(Qt::Key_Space);
    });
    w.toolbarButton("検索")->trigger();
    EXPECT_EQ(afterSpace, QStringLiteral("Option2_0"));
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 1);
}

TEST(Keyboard, TheMenuKeySortsTheCurrentColumnF10OpensTheMenuBarAndCtrlFOrAltSTheHelpSearch)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    bringUp(w);
    auto* list = child<ReportListView>(w, "ListView1");
    list->setFocus(Qt::TabFocusReason);
    press(Qt::Key_Right);
    press(Qt::Key_Right);  // 発売日
    t.ui.answerMenu(QStringLiteral("SortDescending"));
    press(Qt::Key_Menu);
    EXPECT_EQ(QStringList({list->text(0, 2), list->text(1, 2), list->text(2, 2)}),
              QStringList({"2025/01/01", "2024/03/05", "2023/12/31"}));
    EXPECT_EQ(child<StatusBar3>(w, "StatusBar1")->panelText(1), QStringLiteral("クリックした項目列でソートした結果を表示"));
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    t.ui.answerMenu(QStringLiteral("SortAscending"));
    press(Qt::Key_F10, Qt::ShiftModifier);
    // "ＡＢＣ" and "abc" sort as one name and keep their order.
    EXPECT_EQ(QStringList({list->text(0, 0), list->text(1, 0), list->text(2, 0)}), QStringList({"ＡＢＣ", "abc", "Ｘｙｚ"}));

    Form9 search(t.app);
    Form13a counts(t.app);
    Form13b usage(t.app);
    Form13c names(t.app);
    // The code-usage window opens with the keyboard on its one choice, and Down picks a table.
    bringUp(usage);
    EXPECT_EQ(focused(), QStringLiteral("Combo1"));
    press(Qt::Key_Down);
    EXPECT_EQ(usage.chosenTable(), 1);
    for (QMainWindow* m : std::initializer_list<QMainWindow*>{&w, &search, &counts, &usage, &names}) {
        bringUp(*m);
        press(Qt::Key_F10);
        EXPECT_EQ(QApplication::activePopupWidget(), m->menuBar()->actions().first()->menu()) << m->objectName().toStdString();
        if (QWidget* open = QApplication::activePopupWidget()) QTest::keyClick(open, Qt::Key_Escape);
        m->close();
    }
    // Return on an item of the bar that opens no menu carries it out: 検索条件 closes the
    // search window to ask for the search again.
    bringUp(search);
    press(Qt::Key_F10);
    ASSERT_TRUE(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
    ASSERT_EQ(search.menuBar()->activeAction(), child<QAction>(search, "mk1"));
    // On the desktop the closing menu hands the focus back to the window's control, and the
    // bar, lit, gets no key (the tests' platform leaves the focus on the bar).
    child<ReportListView>(search, "ListView1")->setFocus(Qt::PopupFocusReason);
    press(Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(search.reopenRequested());
    EXPECT_FALSE(search.isVisible());
    EXPECT_EQ(search.menuBar()->activeAction(), nullptr);

    QMainWindow owner;
    owner.setObjectName(QStringLiteral("Form1"));
    HelpWindow* help = HelpWindow::showFor(owner);
    bringUp(*help);
    auto* box = child<QLineEdit>(*help, "searchBox");
    box->setText(QStringLiteral("印刷"));
    for (auto [key, modifier] : {std::pair{Qt::Key_F, Qt::ControlModifier}, std::pair{Qt::Key_S, Qt::AltModifier}}) {
        child<QWidget>(*help, "browser")->setFocus(Qt::TabFocusReason);
        press(key, modifier);
        EXPECT_EQ(QApplication::focusWidget(), box);
    }
    QTest::keyClicks(box, QStringLiteral("CSV"));
    EXPECT_EQ(box->text(), QStringLiteral("CSV"));
    // Esc puts the book away, from the search box or the page, and so does Ctrl+W.
    for (auto [control, key, modifier] : {std::tuple{"searchBox", Qt::Key_Escape, Qt::NoModifier},
                                          std::tuple{"browser", Qt::Key_Escape, Qt::NoModifier},
                                          std::tuple{"browser", Qt::Key_W, Qt::ControlModifier}}) {
        QPointer<HelpWindow> shown = HelpWindow::showFor(owner);
        bringUp(*shown);
        child<QWidget>(*shown, control)->setFocus(Qt::TabFocusReason);
        press(key, modifier);
        QCoreApplication::processEvents();
        EXPECT_TRUE(shown.isNull()) << control;
        if (shown) shown->close();
    }
}

TEST(Keyboard, TheBoxAWindowOpensOnHasItsTextSelectedSoTypingReplacesIt)
{
    TestApp t;
    Form2b f(t.app);
    ASSERT_EQ(child<QLineEdit>(f, "Text1_0")->text(), QStringLiteral("    "));
    bringUp(f);
    ASSERT_EQ(focused(), QStringLiteral("Text1_0"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("CD"));
    child<QPushButton>(f, "Command1")->click();
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("CD"));

    // Coming back to an open window leaves its box as the person left it.
    Form2b g(t.app);
    bringUp(g);
    child<QLineEdit>(g, "Text1_0")->deselect();
    QWidget other;
    bringUp(other);
    bringUp(g);
    EXPECT_FALSE(child<QLineEdit>(g, "Text1_0")->hasSelectedText());
}

// The entries of a list window's menus are there the moment the keys open a menu: F10 opens
// ファイル with its entries, and Alt+V and then B take 登録ＮＯ表示 out of the 表示 menu.
TEST(Keyboard, TheKeysReachTheEntriesOfAListWindowsMenusAsTheyOpen)
{
    TestApp t;
    CdCategory cd(t);
    Form5 w(t.app, openAs(t.app, 0, 0));
    bringUp(w);
    child<ReportListView>(w, "ListView1")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_F10);
    auto* file = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->objectName(), QStringLiteral("mf1"));
    QStringList entries;
    for (QAction* a : file->actions())
        if (!a->isSeparator()) entries << a->objectName();
    EXPECT_EQ(entries.mid(0, 4), QStringList({"mf10", "mf11", "mf12", "mf13"}));
    EXPECT_TRUE(entries.contains(QStringLiteral("mf19")));
    QTest::keyClick(file, Qt::Key_Escape);
    if (QWidget* open = QApplication::activePopupWidget()) QTest::keyClick(open, Qt::Key_Escape);

    auto* number = child<QLineEdit>(w, "Text3");
    ASSERT_TRUE(number->isVisible());
    child<ReportListView>(w, "ListView1")->setFocus(Qt::TabFocusReason);
    press(Qt::Key_V, Qt::AltModifier);
    QWidget* view = QApplication::activePopupWidget();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->objectName(), QStringLiteral("mv1"));
    QTest::keyClick(view, Qt::Key_B);
    EXPECT_FALSE(number->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // Going to the menus is not leaving the list: its row stays selected.
    EXPECT_EQ(child<ReportListView>(w, "ListView1")->selectedIndex(), 0);
    w.close();
}
