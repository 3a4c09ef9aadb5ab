#include "Builders.h"
#include "Find.h"
#include "PgSession.h"
#include "ScriptedUi.h"
#include "TempProgramDir.h"
#include "app/Form1.h"
#include "core/App.h"

#include <QPushButton>
#include <gtest/gtest.h>

// The server stops letting this desk in while its main window is open: the next action says
// so once and goes no further; once the server lets it in again, the action works.
TEST(UnreachableServerServerOnly, AnActionAgainstAServerThatRefusesTheDeskGivesOneMessage)
{
    TempProgramDir dir;
    ScriptedUi ui;
    App app(dir.path(), ui);
    app.useDatabase(dir.databasePath());
    build::nameCategory(app, 0, QStringLiteral("ＣＤ"));
    Form1 f(app);
    ASSERT_TRUE(f.start());

    PgSession admin(PgSession::adminConninfo());
    admin.execute(QStringLiteral("ALTER DATABASE %1 WITH ALLOW_CONNECTIONS false").arg(dir.serverDatabase()));
    admin.endSessionsOn(dir.serverDatabase());
    child<QPushButton>(f, "Command1_0")->click();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(ui.messages()[0].text.startsWith(QStringLiteral("データベース サーバー"))) << ui.messages()[0].text.toStdString();
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Error"));

    admin.execute(QStringLiteral("ALTER DATABASE %1 WITH ALLOW_CONNECTIONS true").arg(dir.serverDatabase()));
    ui.clearLog();
    child<QPushButton>(f, "Command1_0")->click();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("ファイル設定が未済です。"));
}
