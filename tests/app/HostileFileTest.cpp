#include "../records/RecordFixture.h"
#include "Find.h"
#include "../maintenance/MaintenanceFixture.h"
#include "codes/Form2e.h"
#include "app/Form1.h"
#include "maintenance/FolderBrowser.h"
#include "maintenance/Form12b.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <sqlite3.h>

// A file is a database of this program only when nothing in it can run or redirect other
// statements than the program's own: a restored trigger once deleted records behind every
// add, and a management row naming another table made the editor write into that table.
namespace {

void runSql(const QString& path, const QString& sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "") << " in " << sql.toStdString();
    sqlite3_free(error);
    sqlite3_close(db);
}

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
    child<QComboBox>(f, "Combo2")->setCurrentIndex(1);
    f.Combo2_Click();
    t.ui.answer(Ui::Answer::Ok);
    child<QPushButton>(f, "Command3")->click();
    t.ui.clearLog();
    ASSERT_EQ(t.app.cache.rows[1].mainFields[3].typeWord, QStringLiteral("TEXT"));
}

struct Hostile {
    const char* what;
    QString sql;
    QString named;  // a part of the refusal that says what is wrong
};

const std::vector<Hostile>& hostileFiles()
{
    static const std::vector<Hostile> files = {
        {"trigger deleting the other records",
         QStringLiteral("CREATE TRIGGER keep_one AFTER INSERT ON SHUMOKU1 BEGIN "
                        "DELETE FROM SHUMOKU1 WHERE 登録ＮＯ <> NEW.登録ＮＯ; END"),
         QStringLiteral("トリガー「keep_one」(テーブル「SHUMOKU1」)")},
        {"trigger resetting the counter",
         QStringLiteral("CREATE TRIGGER reset AFTER UPDATE ON 管理テーブル BEGIN UPDATE 管理テーブル SET 登録NO = 0; END"),
         QStringLiteral("トリガー「reset」(テーブル「管理テーブル」)")},
        {"view", QStringLiteral("CREATE VIEW 一覧 AS SELECT * FROM SHUMOKU1"), QStringLiteral("ビュー「一覧」")},
        {"main table redirected to the management table",
         QStringLiteral("UPDATE 管理テーブル SET 種目テーブル名 = '管理テーブル' WHERE CommandKeyNO = 1"),
         QStringLiteral("種目1 のメイン・ファイルのテーブル名が「管理テーブル」になっています。「SHUMOKU1」でなければなりません。")},
        {"main table redirected to another category's table",
         QStringLiteral("UPDATE 管理テーブル SET 種目テーブル名 = 'SHUMOKU1' WHERE CommandKeyNO = 2"),
         QStringLiteral("種目2 のメイン・ファイルのテーブル名が「SHUMOKU1」")},
        {"foreign table", QStringLiteral("CREATE TABLE 控え (a TEXT)"), QStringLiteral("ものではないテーブル「控え」")},
        {"column renamed", QStringLiteral("ALTER TABLE SHUMOKU1 RENAME COLUMN 枚数 TO 数量"),
         QStringLiteral("テーブル「SHUMOKU1」の列が管理テーブルの定義と合いません。")},
        {"column of another type",
         QStringLiteral("DROP TABLE SHUMOKU2; CREATE TABLE SHUMOKU2 (メモ TEXT, 備考 TEXT, 感想 TEXT, 分類 LONG, "
                        "登録ＮＯ LONG CONSTRAINT MyFieldMain PRIMARY KEY)"),
         QStringLiteral("テーブル「SHUMOKU2」の列が")},
        {"column added to the sub file", QStringLiteral("ALTER TABLE SHUMOKU1SUB ADD COLUMN 余分 TEXT"),
         QStringLiteral("テーブル「SHUMOKU1SUB」の列が")},
        {"code table's name column renamed", QStringLiteral("ALTER TABLE CODE1 RENAME COLUMN ジャンル TO 名前"),
         QStringLiteral("テーブル「CODE1」の列が")},
        {"key that replaces the record it meets",
         QStringLiteral("DROP TABLE SHUMOKU2; CREATE TABLE SHUMOKU2 (メモ TEXT, 備考 TEXT, 感想 TEXT, 分類 TEXT, "
                        "登録ＮＯ LONG PRIMARY KEY ON CONFLICT REPLACE)"),
         QStringLiteral("テーブル「SHUMOKU2」に競合時の処理 (ON CONFLICT)")},
        {"table without row ids",
         QStringLiteral("DROP TABLE SHUMOKU2; CREATE TABLE SHUMOKU2 (メモ TEXT, 備考 TEXT, 感想 TEXT, 分類 TEXT, "
                        "登録ＮＯ LONG PRIMARY KEY) WITHOUT ROWID"),
         QStringLiteral("テーブル「SHUMOKU2」は通常のテーブルではありません。")},
        {"recorded table missing", QStringLiteral("DROP TABLE SHUMOKU1SUB"),
         QStringLiteral("種目1 のサブ・ファイルのテーブル「SHUMOKU1SUB」がありません。")},
    };
    return files;
}

}  // namespace

TEST(HostileFiles, RestoreRefusesEachNamingTheFaultAndLeavesTheDatabaseAsItWas)
{
    TestApp t;
    makeEveryKindOfFile(t);
    const QByteArray before = fixture::bytesOf(t.app.databasePath());

    for (const Hostile& h : hostileFiles()) {
        QTemporaryDir folder;
        const QString backup = folder.filePath(QStringLiteral("Tanzo.mdb"));
        ASSERT_TRUE(QFile::copy(t.app.databasePath(), backup));
        runSql(backup, h.sql);

        Form12b f(t.app);
        f.browser().setPath(folder.path());
        child<QListWidget>(f, "File1")->setCurrentItem(child<QListWidget>(f, "File1")->findItems(QStringLiteral("Tanzo.mdb"), Qt::MatchExactly).value(0));
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
    f.browser().setPath(folder.path());
    child<QListWidget>(f, "File1")->setCurrentItem(child<QListWidget>(f, "File1")->findItems(QStringLiteral("Tanzo.mdb"), Qt::MatchExactly).value(0));
    t.ui.answer(Ui::Answer::Ok);
    EXPECT_THROW(f.Command1_Click(), ProgramEnded);
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("復元作業は終了しました"));
}

TEST(HostileFiles, StartUpEndsOnSuchAFileWithoutWritingAndRunsOnTheProgramsOwn)
{
    TestApp t;
    makeEveryKindOfFile(t);
    {
        ScriptedUi ui;
        App app(t.dir.path(), ui);
        Form1 w(app);
        EXPECT_TRUE(w.Form_Load()) << ui.lastMessage().toStdString();
    }
    for (const Hostile& h : hostileFiles()) {
        TempProgramDir dir(false);
        ASSERT_TRUE(QFile::copy(t.app.databasePath(), dir.databasePath()));
        runSql(dir.databasePath(), h.sql);
        const QByteArray hostile = fixture::bytesOf(dir.databasePath());
        ScriptedUi ui;
        App app(dir.path(), ui);
        Form1 w(app);
        EXPECT_THROW(w.Form_Load(), ProgramEnded) << h.what;
        EXPECT_TRUE(ui.lastMessage().contains(h.named)) << h.what << ": " << ui.lastMessage().toStdString();
        EXPECT_EQ(fixture::bytesOf(dir.databasePath()), hostile) << h.what;
    }
}
