#include "../records/RecordFixture.h"
#include "Find.h"
#include "app/Form1.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form7.h"

#include <QAccessible>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// The pop-up entries a screen reader is told have the focus, by name. Accessibility is on while
// it listens, as a reader connecting to the desktop switches it on.
QStringList g_heard;
struct ScreenReader {
    static void hear(QAccessibleEvent* e)
    {
        if (e->type() == QAccessible::Focus && qobject_cast<QMenu*>(e->object()) && e->child() >= 0)
            g_heard << e->accessibleInterface()->text(QAccessible::Name).trimmed();
    }
    ScreenReader() : previous(QAccessible::installUpdateHandler(hear)) { platform()->setActive(true); }
    ~ScreenReader()
    {
        platform()->setActive(false);
        QAccessible::installUpdateHandler(previous);
    }
    static QPlatformAccessibility* platform() { return QGuiApplicationPrivate::platformIntegration()->accessibility(); }
    QAccessible::UpdateHandler previous;
};

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

    ScreenReader reader;
    auto* menu = child<QMenu>(f, "kenopen");
    menu->popup(f.mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    g_heard.clear();
    for (int i = 0; i < 4; ++i) QTest::keyClick(menu, Qt::Key_Down);
    EXPECT_EQ(g_heard, QStringList({"[ 種目を選択して下さい ]", "ＣＤ", "ＤＶＤ", "[ 種目を選択して下さい ]"}));
    menu->hide();
}

TEST(AssistiveTools, TextAnAssistiveToolPutsIntoAnAmountBoxIsTheValueStored)
{
    TestApp t;
    fixture::makeCategories(t);
    build::addMainRow(t.app, 0, {"一枚目", "1", "100", "2024/01/01", "A01"}, 1);
    for (const QString& written : {QStringLiteral("x1"), QStringLiteral("2500")}) {
        Form7 f(t.app, 0);
        f.prepare(EditorMode::Change, {"一枚目", "1", "¥100", "2024/01/01", "A01"}, QStringLiteral("1"));
        auto* box = child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(fixture::Price));
        box->setText(QStringLiteral("1000"));  // typed, and shown formatted once the person moved on
        ASSERT_EQ(box->displayText(), QStringLiteral("¥1,000"));
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(box);
        ASSERT_TRUE(a && a->textInterface() && a->editableTextInterface());
        a->editableTextInterface()->replaceText(0, a->textInterface()->characterCount(), written);
        child<QPushButton>(f, "Command1")->click();
        EXPECT_EQ(fixture::rows(t, QStringLiteral("SHUMOKU1")).value(0).value(fixture::Price),
                  written == QStringLiteral("x1") ? QStringLiteral("100") : written);
    }
    // Text that is no amount is refused by name.
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(t.ui.messages().front().text, QStringLiteral("価格が相違しています。[ x1 ]"));
}
