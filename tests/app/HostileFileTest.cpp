#include "../records/RecordFixture.h"
#include "Find.h"
#include "Person.h"
#include "../maintenance/MaintenanceFixture.h"
#include "codes/Form2e.h"
#include "app/Form1.h"
#include "maintenance/FolderBrowser.h"
#include "maintenance/Form12b.h"
#include "HostileFiles.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

// A file is a database of this program only when nothing in it can run or redirect other
// statements than the program's own: a restored trigger once deleted records behind every
// add, and a management row naming another table made the editor write into that table.
namespace {

// A database made through the program with every kind of field: text, number, amount,
// date, code fields, text fields linked to a code table, a sub file, and a code field whose
// code table was deleted since (a text field again over its short text column).
void makeEveryKindOfFile(TestApp& t)
{
    fixture::makeCategories(t, true);
    build::addMainRow(t.app, 0, {QStringLiteral("盤"), QStringLiteral("1"), QStringLiteral("100"),
                                 QStringLiteral("2024/01/02"), QStringLiteral("A01")},
                      1);
    Form2e f(t.app);
    person::choose(child<QComboBox>(f, "Combo2"), 1);
    t.ui.answer(Ui::Answer::Ok);
    child<QPushButton>(f, "Command3")->click();
    t.ui.clearLog();
    ASSERT_EQ(t.app.cache.row(1).mainFields[3].typeWord, QStringLiteral("TEXT"));
}

}  // namespace

TEST(HostileFilesFileOnly, RestoreRefusesEachNamingTheFaultAndLeavesTheDatabaseAsItWas)
{
    TestApp t;
    makeEveryKindOfFile(t);
    const QByteArray before = fixture::bytesOf(t.app.databasePath());

    for (const hostile::Hostile& h : hostile::hostileFiles()) {
        QTemporaryDir folder;
        const QString backup = folder.filePath(QStringLiteral("Tanzo.mdb"));
        ASSERT_TRUE(QFile::copy(t.app.databasePath(), backup));
        hostile::runSql(backup, h.sql);

        Form12b f(t.app);
        fixture::choose(f, folder.path(), QStringLiteral("Tanzo.mdb"));
        t.ui.answer(Ui::Answer::Ok);
        child<QPushButton>(f, "Command1")->click();
        const auto m = t.ui.messages();
        t.ui.clearLog();
        ASSERT_EQ(m.size(), 2u) << h.what;
        EXPECT_TRUE(m[1].text.startsWith(QStringLiteral("指定されたファイルは在庫管理Tanzo のデータベースではない")))
            << h.what;
        EXPECT_TRUE(m[1].text.contains(h.named)) << h.what << ": " << m[1].text.toStdString();
        EXPECT_EQ(m[1].title, QStringLiteral("Error"));
        EXPECT_FALSE(t.ui.programEnded()) << h.what;
        EXPECT_EQ(fixture::bytesOf(t.app.databasePath()), before) << h.what;
    }

    // The file as the program made it is restored.
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(t.app.databasePath(), folder.filePath(QStringLiteral("Tanzo.mdb"))));
    Form12b f(t.app);
    fixture::choose(f, folder.path(), QStringLiteral("Tanzo.mdb"));
    t.ui.answer(Ui::Answer::Ok);
    EXPECT_THROW(child<QPushButton>(f, "Command1")->click(), ProgramEnded);
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("復元作業は終了しました"));
}

TEST(HostileFilesFileOnly, StartUpEndsOnSuchAFileWithoutWritingAndRunsOnTheProgramsOwn)
{
    TestApp t;
    makeEveryKindOfFile(t);
    {
        ScriptedUi ui;
        App app(t.dir.path(), ui);
        Form1 w(app);
        EXPECT_TRUE(w.start()) << ui.lastMessage().toStdString();
    }
    for (const hostile::Hostile& h : hostile::hostileFiles()) {
        TempProgramDir dir(false);
        ASSERT_TRUE(QFile::copy(t.app.databasePath(), dir.databasePath()));
        hostile::runSql(dir.databasePath(), h.sql);
        const QByteArray changed = fixture::bytesOf(dir.databasePath());
        ScriptedUi ui;
        App app(dir.path(), ui);
        Form1 w(app);
        EXPECT_THROW(w.start(), ProgramEnded) << h.what;
        EXPECT_TRUE(ui.lastMessage().contains(h.named)) << h.what << ": " << ui.lastMessage().toStdString();
        EXPECT_EQ(fixture::bytesOf(dir.databasePath()), changed) << h.what;
    }
}
