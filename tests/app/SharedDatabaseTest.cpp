#include "Builders.h"
#include "Find.h"
#include "ScriptedUi.h"
#include "TempProgramDir.h"
#include "app/Form1.h"
#include "core/App.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"

#include <QDir>
#include <QPushButton>
#include <gtest/gtest.h>

// A desk whose server cannot be reached is told which host and database, and ends with
// nothing made anywhere.
TEST(SharedDatabase, AnUnreachableServerIsNamedAndTheProgramEndsWithoutTouchingAnything)
{
    TempProgramDir dir(false);
    const QStringList before = QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    ScriptedUi ui;
    App app(dir.path(), ui);
    app.useDatabase(Database::serverLocation(QStringLiteral("host=127.0.0.1 port=1 dbname=在庫 user=tanzo connect_timeout=3")));
    Form1 f(app);
    EXPECT_THROW(f.start(), ProgramEnded);
    ASSERT_EQ(ui.messages().size(), 1u);
    const QString text = ui.messages()[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("データベース「サーバー 127.0.0.1/在庫」を使用できないため、終了します。"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("データベース サーバー「127.0.0.1」のデータベース「在庫」に接続できません。"))) << text.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
}

// The first desk on an empty server database makes the management table; the caption names
// the shared database.
TEST(SharedDatabaseServerOnly, TheFirstDeskMakesTheManagementTableAndTheCaptionNamesTheServer)
{
    TempProgramDir dir(false);
    ScriptedUi ui;
    App app(dir.path(), ui);
    app.useDatabase(dir.databasePath());
    Form1 f(app);
    ASSERT_TRUE(f.start());
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo [%1]").arg(Database::displayName(dir.databasePath())));
    EXPECT_TRUE(f.windowTitle().contains(QStringLiteral("[サーバー 127.0.0.1/")));
    Database db = Database::open(dir.databasePath());
    EXPECT_EQ(db.columns(management::kTable).size(), 43u);
    EXPECT_EQ(db.openTable(management::kTable).recordCount(), 7);
    // A second start finds the table and leaves it as it is.
    Form1 again(app);
    ASSERT_TRUE(again.start());
    EXPECT_EQ(Database::open(dir.databasePath()).openTable(management::kTable).recordCount(), 7);
}

// Another desk names a category: this desk reads the settings again before its next action,
// says so, and shows the new button.
TEST(SharedDatabaseServerOnly, SettingsStoredAtAnotherDeskAreReadBeforeTheNextAction)
{
    TempProgramDir dir;
    ScriptedUi ui;
    App app(dir.path(), ui);
    app.useDatabase(dir.databasePath());
    build::nameCategory(app, 0, QStringLiteral("ＣＤ"));
    Form1 f(app);
    ASSERT_TRUE(f.start());
    EXPECT_FALSE(child<QPushButton>(f, "Command1_1")->isEnabled());

    ScriptedUi otherUi;
    App other(dir.path(), otherUi);
    other.useDatabase(dir.databasePath());
    {
        Database db = other.openDatabase();
        Recordset table = db.openTable(management::kTable);
        other.cache.LoadConfigCache(table);
    }
    build::nameCategory(other, 1, QStringLiteral("ＤＶＤ"));

    child<QPushButton>(f, "Command1_0")->click();
    const auto m = ui.messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].text, QStringLiteral("他の端末で設定が変更されたため、設定を読み直しました。"));
    EXPECT_EQ(m[0].icon, Ui::Icon::Information);
    // The action itself goes on: category 1 has no files yet.
    EXPECT_EQ(m[1].text, QStringLiteral("ファイル設定が未済です。"));
    EXPECT_TRUE(child<QPushButton>(f, "Command1_1")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(f, "Command1_1")->text().contains(QStringLiteral("ＤＶＤ")));

    // Nothing changed since: the next action goes straight on.
    ui.clearLog();
    child<QPushButton>(f, "Command1_0")->click();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("ファイル設定が未済です。"));
}
