#include "Builders.h"
#include "Find.h"
#include "TestApp.h"
#include "app/Form1.h"
#include "platform/help/HelpWindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// Signals a control's owners listen to. (Reading the count is QObject's own business, so
// the test looks through a derived class.)
struct Listeners : QObject {
    static int of(const QObject* o, const char* signal) { return static_cast<const Listeners*>(o)->receivers(signal); }
};

template <class W = QWidget>
W* child(QWidget& window, const QString& name)
{
    W* w = window.findChild<W*>(name);
    if (!w) ADD_FAILURE() << window.objectName().toStdString() << " has no " << name.toStdString();
    return w;
}

bool insideOf(const QWidget* w, bool (*test)(const QWidget*))
{
    for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget())
        if (test(p)) return true;
    return false;
}
bool isCompound(const QWidget* w)
{
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// The controls a person types into, chooses from or ticks.
bool isInput(const QWidget* w)
{
    if (insideOf(w, isCompound)) return false;
    if (qobject_cast<const QHeaderView*>(w)) return false;
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w) ||
           (qobject_cast<const QPlainTextEdit*>(w) && w->focusPolicy() != Qt::NoFocus) ||
           qobject_cast<const QTextEdit*>(w);
}

QString accessibleName(QObject* o)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name).trimmed() : QString();
}

// Runs the toggle an assistive tool offers on an option button or check box.
void toggleByAccessibility(QAbstractButton* b)
{
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    ASSERT_TRUE(a && a->actionInterface());
    ASSERT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

// What every window must offer a screen reader: a name for each enabled input control, and
// option buttons and check boxes whose toggle reaches what their click does.
void checkWindow(QWidget& w, QStringList& seen)
{
    seen << w.objectName();
    const std::string window = w.objectName().toStdString();
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (c->window() != &w || !c->isEnabled() || !isInput(c)) continue;
        // A combo box's own accessible name is its current entry; what names it is given.
        const QString name = qobject_cast<QComboBox*>(c) ? c->accessibleName() : accessibleName(c);
        EXPECT_FALSE(name.isEmpty()) << window << ": " << c->metaObject()->className() << " "
                                     << c->objectName().toStdString() << " has no accessible name";
        auto* b = qobject_cast<QAbstractButton*>(c);
        if (!b) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
        ASSERT_TRUE(a && a->actionInterface());
        EXPECT_TRUE(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
        // A click also toggles; the toggle action does nothing else. Whatever listens to the
        // click alone is missed by a keyboard or an assistive tool.
        const bool onClick = Listeners::of(b, SIGNAL(clicked(bool))) + Listeners::of(b, SIGNAL(released())) > 0;
        const bool onToggle = Listeners::of(b, SIGNAL(toggled(bool))) > 0;
        EXPECT_TRUE(!onClick || onToggle)
            << window << ": " << b->objectName().toStdString() << " acts on a pointer click only";
    }
}

// Checks the window when it shows, then lets `then` act in it.
void whenShown(TestApp& t, QStringList& seen, const QString& name, std::function<void(QWidget&)> then = {})
{
    t.ui.onShow(name, [&seen, then](QWidget& w) {
        checkWindow(w, seen);
        if (then) then(w);
    });
}

void choose(QComboBox* box, const QString& text)
{
    ASSERT_NE(box, nullptr);
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    box->setCurrentIndex(i);
}

}  // namespace

TEST(EveryWindow, NamesItsInputsAndActsOnTogglesAsOnClicks)
{
    TestApp t;
    build::sampleShop(t.app);
    Form1 main(t.app);
    ASSERT_TRUE(main.start());
    QStringList seen;
    checkWindow(main, seen);

    // The settings and maintenance menus. The progress switch of Form2a is stored when an
    // assistive tool ticks it.
    whenShown(t, seen, QStringLiteral("Form2a"), [&](QWidget& w) {
        toggleByAccessibility(child<QCheckBox>(w, QStringLiteral("Check1")));
        EXPECT_TRUE(t.app.cache.readProgressOn());
    });
    child<QAction>(main, "mt11")->trigger();
    whenShown(t, seen, QStringLiteral("Form2b"), [&](QWidget& w) {
        child<QLineEdit>(w, QStringLiteral("Text1_2"))->setText(QStringLiteral("ＬＰ"));
        child<QPushButton>(w, QStringLiteral("Command1"))->click();
    });
    child<QAction>(main, "mt12")->trigger();
    EXPECT_EQ(t.app.cache.row(2).name, QStringLiteral("ＬＰ"));
    whenShown(t, seen, QStringLiteral("Form2c"), [&](QWidget& w) {
        choose(child<QComboBox>(w, QStringLiteral("Combo1")), QStringLiteral("ＤＶＤ"));
        whenShown(t, seen, QStringLiteral("Form2d"));
        child<QPushButton>(w, QStringLiteral("Command2"))->click();
    });
    child<QAction>(main, "mt13")->trigger();
    whenShown(t, seen, QStringLiteral("Form2e"));
    child<QAction>(main, "mt14")->trigger();
    whenShown(t, seen, QStringLiteral("Form2f"));
    child<QAction>(main, "mt15")->trigger();
    whenShown(t, seen, QStringLiteral("Form2ga"), [&](QWidget& w) {
        whenShown(t, seen, QStringLiteral("Form2gb"));
        child<QPushButton>(w, QStringLiteral("Command2"))->click();
    });
    child<QAction>(main, "mt16")->trigger();
    whenShown(t, seen, QStringLiteral("Form2h"));
    child<QAction>(main, "mt17")->trigger();
    for (const char* name : {"Form12a", "Form12b", "Formv"}) whenShown(t, seen, QString::fromLatin1(name));
    child<QAction>(main, "mf12")->trigger();
    child<QAction>(main, "mf13")->trigger();
    child<QAction>(main, "mh12")->trigger();

    // The reports.
    for (const char* name : {"Form13a", "Form13b", "Form13c"}) whenShown(t, seen, QString::fromLatin1(name));
    child<QAction>(main, "mkk1")->trigger();
    child<QAction>(main, "mkk2")->trigger();
    child<QAction>(main, "mkk3")->trigger();

    // The inquiry browser and the windows of its menus.
    whenShown(t, seen, QStringLiteral("Form10"), [&](QWidget& w) {
        child<QMenu>(w, QStringLiteral("mfo1"))->actions().at(0)->trigger();
        for (const char* name : {"Form10k", "Form10s", "Form11a"}) whenShown(t, seen, QString::fromLatin1(name));
        for (const char* name : {"mk11", "ms11", "mt1"}) {
            QAction* a = w.findChild<QAction*>(QString::fromLatin1(name));
            ASSERT_NE(a, nullptr) << name;
            a->trigger();
        }
    });
    child<QAction>(main, "mi1")->trigger();

    // A category's list, its editors, dialogs and print settings; then its sub list.
    auto listWindows = [&](const QString& editor, const QString& print, const QString& confirmation,
                           const QString& find, const QString& sort, std::function<void(QWidget&)> inEditor = {}) {
        return [&, editor, print, confirmation, find, sort, inEditor](QWidget& w) {
            whenShown(t, seen, editor, inEditor);
            whenShown(t, seen, find);
            whenShown(t, seen, sort, [](QWidget& d) {
                // The options come first; the help button below them after.
                QWidget* first = d.nextInFocusChain();
                while ((first->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) first = first->nextInFocusChain();
                EXPECT_EQ(first->objectName(), QStringLiteral("Option1_0"));
            });
            // Choosing the report by an assistive tool moves on to the fields, as a click does.
            whenShown(t, seen, print, [&, confirmation](QWidget& p) {
                if (p.objectName() == QStringLiteral("Form6ps")) {
                    // The title page's focus follows its columns: values, insert, title.
                    QWidget* w = child(p, QStringLiteral("List2"));
                    QStringList order;
                    for (int i = 0; i < 4; ++i) {
                        do w = w->nextInFocusChain();
                        while (w->focusPolicy() == Qt::NoFocus);
                        order << w->objectName();
                    }
                    EXPECT_EQ(order, QStringList({"Command7", "Text1", "Command8", "Text3"}));
                }
                toggleByAccessibility(child<QRadioButton>(p, QStringLiteral("Option3_0")));
                EXPECT_EQ(child<QTabWidget>(p, QStringLiteral("SSTab1"))->currentIndex(), 1);
                child<QPushButton>(p, QStringLiteral("Command5"))->click();  // every field
                whenShown(t, seen, confirmation);
                for (QPushButton* b : p.findChildren<QPushButton*>())
                    if (b->text() == QStringLiteral("印刷設定状況確認")) b->click();
            });
            // The items are taken from the window's menus, opened as a person opens them.
            person::openMenus(w);
            for (const char* name : {"mf11", "mk11", "ms11", "mf15"}) {
                QAction* a = w.findChild<QAction*>(QString::fromLatin1(name));
                ASSERT_NE(a, nullptr) << name;
                a->trigger();
            }
        };
    };
    whenShown(t, seen, QStringLiteral("Form5"), [&](QWidget& w) {
        // The editor's code-table pop-up is an accessible menu with its entries.
        auto codeTables = [&](QWidget& e) {
            QMenu* popup = child<QMenu>(e, QStringLiteral("CDTBL"));
            ASSERT_NE(popup, nullptr);
            QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(popup);
            ASSERT_NE(menu, nullptr);
            EXPECT_EQ(menu->role(), QAccessible::PopupMenu);
            EXPECT_EQ(menu->text(QAccessible::Name), QStringLiteral("コード・テーブル"));
            EXPECT_EQ(menu->childCount(), 9);
        };
        listWindows(QStringLiteral("Form7"), QStringLiteral("Form5ps"), QStringLiteral("Form5pp"),
                    QStringLiteral("Form5k"), QStringLiteral("Form5s"), codeTables)(w);
        whenShown(t, seen, QStringLiteral("Form6"),
                  listWindows(QStringLiteral("Form8"), QStringLiteral("Form6ps"), QStringLiteral("Form6pp"),
                              QStringLiteral("Form6k"), QStringLiteral("Form6s"), [&](QWidget& e) {
                                  // The focus goes from 登録ＮＯ to サブＮＯ beside it, then to the fields.
                                  auto next = [](QWidget* from, Qt::FocusPolicy policy) {
                                      QWidget* w = from->nextInFocusChain();
                                      while (w != from && (w->focusPolicy() & policy) != policy)
                                          w = w->nextInFocusChain();
                                      return w;
                                  };
                                  QWidget* subNo = next(child(e, QStringLiteral("Text2")), Qt::ClickFocus);
                                  EXPECT_EQ(subNo, child(e, QStringLiteral("Text1")));
                                  EXPECT_EQ(next(subNo, Qt::TabFocus), child(e, QStringLiteral("MaskEdBox1_0")));
                              }));
        child<QPushButton>(w, QStringLiteral("Command1"))->click();
    });
    child<QPushButton>(main, "Command1_0")->click();

    // The 検索して開く pop-up is an accessible menu with its entries; its search dialog shows
    // the value box when an assistive tool chooses the field.
    QAccessibleInterface* popup = QAccessible::queryAccessibleInterface(child<QMenu>(main, "kenopen"));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->role(), QAccessible::PopupMenu);
    EXPECT_EQ(popup->text(QAccessible::Name), QStringLiteral("検索して開く"));
    ASSERT_EQ(popup->childCount(), 7);
    EXPECT_EQ(popup->child(1)->text(QAccessible::Name).trimmed(), QStringLiteral("ＣＤ"));
    whenShown(t, seen, QStringLiteral("Form5kf"), [&](QWidget& w) {
        toggleByAccessibility(child<QRadioButton>(w, QStringLiteral("Option1_0")));
        EXPECT_FALSE(child(w, QStringLiteral("MaskEdBox1"))->isHidden());
        EXPECT_FALSE(child(w, QStringLiteral("Command1"))->isHidden());
    });
    t.ui.answerMenu(QStringLiteral("mk11_0"));
    child<QPushButton>(main, "Command2")->click();

    // The all-files search and its result window.
    whenShown(t, seen, QStringLiteral("Form9k"), [&](QWidget& w) {
        child<QLineEdit>(w, QStringLiteral("Text1"))->setText(QStringLiteral("歌"));
        child<QPushButton>(w, QStringLiteral("Command1"))->click();
    });
    whenShown(t, seen, QStringLiteral("Form9"));
    child<QPushButton>(main, "Command3")->click();

    // The help book.
    t.ui.openHelpWindows();
    child<QAction>(main, "mh11")->trigger();
    ASSERT_NE(HelpWindow::current(), nullptr);
    checkWindow(*HelpWindow::current(), seen);
    delete HelpWindow::current();

    const QStringList every = {"Form1",   "Form2a",  "Form2b",  "Form2c",  "Form2d",  "Form2e",  "Form2f",
                               "Form2ga", "Form2gb", "Form2h",  "Form12a", "Form12b", "Formv",   "Form13a",
                               "Form13b", "Form13c", "Form10",  "Form10k", "Form10s", "Form11a", "Form5",
                               "Form7",   "Form5k",  "Form5s",  "Form5ps", "Form5pp", "Form6",   "Form8",
                               "Form6k",  "Form6s",  "Form6ps", "Form6pp", "Form5kf", "Form9k",  "Form9",
                               "HelpWindow"};
    for (const QString& name : every) EXPECT_TRUE(seen.contains(name)) << name.toStdString() << " was not reached";
    EXPECT_FALSE(t.ui.programEnded());
}
