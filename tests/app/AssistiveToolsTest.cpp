#include "../records/RecordFixture.h"
#include "Builders.h"
#include "Find.h"
#include "TestApp.h"
#include "app/Form1.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form5kf.h"
#include "records/Form7.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// What a screen reader is told: the entry of a pop-up that took the focus, in order.
std::vector<std::pair<QObject*, int>> g_focusEvents;
void recordFocus(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::Focus) g_focusEvents.emplace_back(event->object(), event->child());
}

// Listens as a screen reader does while it lives: the program's accessibility is switched on,
// as a reader connecting to the desktop switches it on, and every event it sends is heard.
struct ScreenReader {
    ScreenReader() : previous(QAccessible::installUpdateHandler(recordFocus))
    {
        g_focusEvents.clear();
        if (QPlatformAccessibility* a = QGuiApplicationPrivate::platformIntegration()->accessibility()) a->setActive(true);
    }
    ~ScreenReader()
    {
        if (QPlatformAccessibility* a = QGuiApplicationPrivate::platformIntegration()->accessibility()) a->setActive(false);
        QAccessible::installUpdateHandler(previous);
    }
    QAccessible::UpdateHandler previous;
};

QString entryName(QMenu* menu, int child)
{
    QAccessibleInterface* m = QAccessible::queryAccessibleInterface(menu);
    QAccessibleInterface* entry = m ? m->child(child) : nullptr;
    return entry ? entry->text(QAccessible::Name).trimmed() : QString();
}

}  // namespace

TEST(AssistiveTools, TheSearchPopUpOffersAFileMadeThisRunAndAnnouncesEveryEntryItReaches)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    Form1 f(t.app);
    ASSERT_TRUE(f.start());

    // A file made while the program runs is offered at once.
    build::nameCategory(t.app, 2, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 2, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    t.ui.answerMenu(QStringLiteral("mk11_2"));
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form5kf")});

    // Arrowing through the open pop-up, each entry reached is announced by its name.
    ScreenReader reader;
    ASSERT_TRUE(QAccessible::isActive());
    auto* menu = child<QMenu>(f, "kenopen");
    menu->popup(f.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    for (int i = 0; i < 3; ++i) QTest::keyClick(menu, Qt::Key_Down);

    QStringList heard;
    for (const auto& [object, child] : g_focusEvents)
        if (object == menu) heard << entryName(menu, child);
    EXPECT_EQ(heard, QStringList({QStringLiteral("[ 種目を選択して下さい ]"), QStringLiteral("ＣＤ"), QStringLiteral("ＤＶＤ")}));
    menu->hide();
}

TEST(AssistiveTools, TextAnAssistiveToolPutsIntoAnAmountBoxIsTheValueStored)
{
    TestApp t;
    fixture::makeCategories(t);
    build::addMainRow(t.app, 0, {"一枚目", "1", "100", "2024/01/01", "A01"}, 1);
    const QStringList shown = {"一枚目", "1", "¥100", "2024/01/01", "A01"};
    auto writeThroughTool = [](MaskedEdit* box, const QString& text) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
        ASSERT_TRUE(a && a->textInterface() && a->editableTextInterface());
        a->editableTextInterface()->replaceText(0, a->textInterface()->characterCount(), text);
        EXPECT_EQ(a->textInterface()->text(0, a->textInterface()->characterCount()), text);
    };
    const QString price = QStringLiteral("MaskEdBox1_%1").arg(fixture::Price);
    {
        // Text that is no amount is refused by name, and nothing is stored.
        Form7 f(t.app, 0);
        f.prepare(EditorMode::Change, shown, QStringLiteral("1"));
        auto* box = child<MaskedEdit>(f, price);
        // The amount as typed, shown formatted once the person has moved on.
        box->setText(QStringLiteral("1000"));
        ASSERT_EQ(box->displayText(), QStringLiteral("¥1,000"));
        writeThroughTool(box, QStringLiteral("x1"));
        EXPECT_EQ(box->text(), QStringLiteral("x1"));
        child<QPushButton>(f, "Command1")->click();
        ASSERT_EQ(t.ui.messages().size(), 1u);
        EXPECT_EQ(t.ui.messages().back().text, QStringLiteral("価格が相違しています。[ x1 ]"));
        EXPECT_EQ(fixture::rows(t, QStringLiteral("SHUMOKU1")).value(0).value(fixture::Price), QStringLiteral("100"));
    }
    {
        Form7 f(t.app, 0);
        f.prepare(EditorMode::Change, shown, QStringLiteral("1"));
        auto* box = child<MaskedEdit>(f, price);
        box->setText(QStringLiteral("1000"));
        ASSERT_EQ(box->displayText(), QStringLiteral("¥1,000"));
        writeThroughTool(box, QStringLiteral("2500"));
        child<QPushButton>(f, "Command1")->click();
        EXPECT_EQ(t.ui.messages().size(), 1u) << t.ui.lastMessage().toStdString();
        EXPECT_EQ(fixture::rows(t, QStringLiteral("SHUMOKU1")).value(0).value(fixture::Price), QStringLiteral("2500"));
    }
}
