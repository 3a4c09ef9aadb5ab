#include "Builders.h"
#include "Find.h"
#include "MaintenanceFixture.h"
#include "core/FirstStart.h"
#include "maintenance/FolderBrowser.h"
#include "maintenance/Form12b.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

using Icon = Ui::Icon;
using Answer = Ui::Answer;

const QString kNameCheck = QStringLiteral("データベース名(Tanzo.mdb)が相違しています。");
const check::Msg kRestored{QStringLiteral("復元作業は終了しました"), QStringLiteral("終了"), Icon::Information};

check::Msg confirmOf(const QString& source)
{
    return {QStringLiteral("復元元データベース名は：") + source + QStringLiteral(" です。"),
            QStringLiteral("復元元データベース確認"), Icon::Question};
}

// A backup of the test's database as it is now, in a folder of its own.
QString backUp(TestApp& t, const QTemporaryDir& folder)
{
    const QString copy = folder.filePath(QStringLiteral("Tanzo.mdb"));
    EXPECT_TRUE(QFile::copy(t.app.databasePath(), copy));
    return copy;
}

// One refusal box (title "Error", critical) whose text starts as given; the program runs on.
void refused(TestApp& t, const QString& start)
{
    const auto got = t.ui.messages();
    t.ui.clearLog();
    ASSERT_FALSE(got.empty());
    EXPECT_TRUE(got.back().text.startsWith(start)) << got.back().text.toStdString();
    EXPECT_EQ(got.back().title, QStringLiteral("Error"));
    EXPECT_EQ(got.back().icon, Icon::Critical);
    EXPECT_FALSE(t.ui.programEnded());
}

}  // namespace

TEST(Form12bFileOnly, RefusesAnyFileNotNamedExactlyTanzoMdbNamingIt)
{
    TestApp t;
    QTemporaryDir folder;
    fixture::writeFile(folder.filePath(QStringLiteral("tanzo.mdb")), "x");
    fixture::writeFile(folder.filePath(QStringLiteral("OLD.MDB")), "x");
    fixture::writeFile(folder.filePath(QStringLiteral("notes.txt")), "x");
    const QByteArray before = fixture::bytesOf(t.app.databasePath());

    Form12b f(t.app);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - データベース復元"));
    EXPECT_EQ(child<QLabel>(f, "Label5")->text(), QStringLiteral("復元作業終了後、システムを一旦終了します。\nシステムを再度起動して下さい。"));
    f.browser().setPath(folder.path());
    // Only database files are offered, whatever the case of their extension.
    ASSERT_EQ(child<QListWidget>(f, "File1")->count(), 2);
    EXPECT_EQ(child<QListWidget>(f, "File1")->item(0)->text(), QStringLiteral("OLD.MDB"));
    EXPECT_EQ(child<QListWidget>(f, "File1")->item(1)->text(), QStringLiteral("tanzo.mdb"));

    // Nothing chosen: nothing is appended.
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {{kNameCheck, QStringLiteral("Error"), Icon::Critical}});

    fixture::choose(f, folder.path(), QStringLiteral("tanzo.mdb"));
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {{kNameCheck + QStringLiteral("tanzo.mdb"), QStringLiteral("Error"), Icon::Critical}});
    EXPECT_EQ(fixture::bytesOf(t.app.databasePath()), before);
    EXPECT_FALSE(t.ui.programEnded());
}

TEST(Form12bFileOnly, RestoresAValidCopyAndEndsTheProgram)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 0, {QStringLiteral("冬の歌")}, 1);
    QTemporaryDir folder;
    const QString copy = backUp(t, folder);
    const QByteArray copyBytes = fixture::bytesOf(copy);

    // Work done after the backup, which the restore takes back.
    build::nameCategory(t.app, 1, QStringLiteral("ＤＶＤ"));
    build::addMainRow(t.app, 0, {QStringLiteral("夏の歌")}, 2);
    ASSERT_NE(fixture::bytesOf(t.app.databasePath()), copyBytes);
    const QByteArray current = fixture::bytesOf(t.app.databasePath());

    Form12b f(t.app);
    fixture::choose(f, folder.path(), QStringLiteral("Tanzo.mdb"));
    const QString source = QDir::cleanPath(folder.path()) + QStringLiteral("/Tanzo.mdb");
    t.ui.answer(Answer::Cancel);
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {confirmOf(source)});
    EXPECT_EQ(fixture::bytesOf(t.app.databasePath()), current);

    // A journal left beside the replaced file by an interrupted write must not be played
    // into the restored one at the next start.
    fixture::writeFile(t.app.databasePath() + QStringLiteral("-journal"), "pages of the old file");
    t.ui.answer(Answer::Ok);
    EXPECT_THROW(child<QPushButton>(f, "Command1")->click(), ProgramEnded);
    check::messages(t.ui, {confirmOf(source), kRestored});
    EXPECT_TRUE(t.ui.programEnded());
    EXPECT_EQ(fixture::bytesOf(t.app.databasePath()), copyBytes);
    EXPECT_EQ(fixture::entriesOf(t.dir.path()), QStringList({"Tanzo.mdb"}));

    // The next start reads the restored file.
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("ＣＤ"));
    EXPECT_EQ(t.app.cache.row(1).named, 0);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 1);
}

TEST(Form12bFileOnly, RefusesAFileThatIsNoDatabaseOfThisSystemOrIsDamaged)
{
    TestApp t;
    build::defineMain(t.app, 0, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    for (int n = 1; n <= 60; ++n) build::addMainRow(t.app, 0, {QString(250, QChar(u'い'))}, n);
    const QByteArray current = fixture::bytesOf(t.app.databasePath());
    const QString unusable = QStringLiteral("指定されたファイルは在庫管理Tanzo のデータベースではないか、壊れているため、復元できません。");

    auto tryRestore = [&](const std::function<void(const QString& copy)>& prepare) {
        QTemporaryDir folder;
        const QString copy = folder.filePath(QStringLiteral("Tanzo.mdb"));
        prepare(copy);
        Form12b f(t.app);
        fixture::choose(f, folder.path(), QStringLiteral("Tanzo.mdb"));
        t.ui.answer(Answer::Ok);
        child<QPushButton>(f, "Command1")->click();
        refused(t, unusable);
        EXPECT_EQ(fixture::bytesOf(t.app.databasePath()), current);
        EXPECT_EQ(fixture::entriesOf(t.dir.path()), QStringList({"Tanzo.mdb"}));
    };

    // A text file under the database's name.
    tryRestore([](const QString& copy) { fixture::writeFile(copy, QByteArray("not a database at all\n").repeated(500)); });
    // A database of another program.
    tryRestore([](const QString& copy) {
        FirstStart::createDatabase(copy);
        Database db = Database::open(copy);
        db.execute(QStringLiteral("DROP TABLE ") + management::kTable);
        db.execute(QStringLiteral("CREATE TABLE 住所録 (名前 TEXT)"));
    });
    // A management table with a row missing.
    tryRestore([](const QString& copy) {
        FirstStart::createDatabase(copy);
        Database db = Database::open(copy);
        Recordset rs = db.openTable(management::kTable);
        rs.moveLast();
        rs.deleteCurrent();
    });
    // A backup cut short, as by a full disk.
    tryRestore([&](const QString& copy) { fixture::writeFile(copy, current.left(current.size() / 2)); });
    // A backup whose management table is whole but whose record pages are overwritten.
    tryRestore([&](const QString& copy) {
        QByteArray damaged = current;
        for (qsizetype i = damaged.size() * 2 / 3; i < damaged.size(); i += 7) damaged[i] = static_cast<char>(0xA5);
        fixture::writeFile(copy, damaged);
    });
}

TEST(Form12bFileOnly, RefusesTheDatabaseFileItselfAndSurvivesAFailedCopy)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("現在"));
    const QByteArray current = fixture::bytesOf(t.app.databasePath());

    Form12b f(t.app);
    fixture::choose(f, t.dir.path(), QStringLiteral("Tanzo.mdb"));
    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command1")->click();
    refused(t, QStringLiteral("指定されたファイルは現在使用中のデータベースです。"));
    EXPECT_EQ(fixture::bytesOf(t.app.databasePath()), current);

    // A valid backup larger than the disk has room for.
    QTemporaryDir folder;
    {
        TestApp other;
        build::defineMain(other.app, 0, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
        for (int n = 1; n <= 40; ++n) build::addMainRow(other.app, 0, {QString(200, QChar(u'う'))}, n);
        ASSERT_TRUE(QFile::copy(other.app.databasePath(), folder.filePath(QStringLiteral("Tanzo.mdb"))));
    }
    fixture::choose(f, folder.path(), QStringLiteral("Tanzo.mdb"));
    {
        fixture::SmallDisk full;
        t.ui.answer(Answer::Ok);
        child<QPushButton>(f, "Command1")->click();
    }
    refused(t, QStringLiteral("データベースの復元に失敗しました。現在のデータベースは変更されていません。\r\n"));
    EXPECT_EQ(fixture::bytesOf(t.app.databasePath()), current);
    EXPECT_EQ(fixture::entriesOf(t.dir.path()), QStringList({"Tanzo.mdb"}));
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("現在"));
}
