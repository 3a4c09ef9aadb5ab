#include "Builders.h"
#include "Find.h"
#include "TestApp.h"
#include "core/App.h"
#include "app/Form1.h"
#include "platform/help/HelpWindow.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form7.h"

#include <QAction>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

// F1 on the main window and on the record editor opens the program's own help window at the
// page of that window; the editor's ヘルプ menu item does the same.
TEST(HelpOnF1, OpensTheHelpWindowAtThePageOfTheWindowWithTheFocus)
{
    TestApp t;
    t.ui.openHelpWindows();
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}, {QStringLiteral("購入日"), QStringLiteral("DATE")}});

    Form1 main(t.app);
    ASSERT_TRUE(main.start());
    main.show();
    QTest::keyClick(&main, Qt::Key_F1);
    HelpWindow* help = HelpWindow::current();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->currentPage(), QStringLiteral("Form1.html"));
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("browser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("メイン画面")));

    {
        Form7 editor(t.app, 0);
        editor.prepare(EditorMode::New, {}, QString());
        editor.show();
        QTest::keyClick(child<MaskedEdit>(editor, "MaskEdBox1_0"), Qt::Key_F1);
        help = HelpWindow::current();
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->parentWidget(), &editor);
        EXPECT_EQ(help->currentPage(), QStringLiteral("Form7.html"));

        help->findChild<QAction*>(QStringLiteral("index"))->trigger();
        editor.findChild<QAction*>(QStringLiteral("mh1"))->trigger();
        EXPECT_EQ(HelpWindow::current()->currentPage(), QStringLiteral("Form7.html"));
    }
    // The help window belonged to the editor and closed with it.
    EXPECT_EQ(HelpWindow::current(), nullptr);
    QTest::keyClick(&main, Qt::Key_F1);
    ASSERT_NE(HelpWindow::current(), nullptr);
    EXPECT_EQ(HelpWindow::current()->currentPage(), QStringLiteral("Form1.html"));
}
