#include "../records/RecordFixture.h"
#include "Find.h"
#include "app/Form1.h"
#include "platform/db/DbError.h"
#include "platform/db/SqliteBackend.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form7.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace fixture;

// A person told the file is damaged may restore an old backup over good data: the engine's
// messages say busy, read-only, disk full and damaged apart, and only the engine's own word
// that the file is corrupt or no database is called damage.
namespace {

const QString kBusy = QStringLiteral("他の処理で使用中");
const QString kDamaged = QStringLiteral("壊れて");

// Another program's connection holding the file under an exclusive lock while it lives.
class OtherProgram {
public:
    explicit OtherProgram(const QString& path)
    {
        sqlite3_open(path.toUtf8().constData(), &db_);
        EXPECT_EQ(sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~OtherProgram()
    {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace

TEST(LockedIsNotDamagedFileOnly, ALockHeldByAnotherConnectionIsReportedAsBusyAtStartAndOnAnAdd)
{
    TestApp t;
    makeCategories(t);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QString());
    {
        OtherProgram other(t.app.databasePath());
        child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->setText(QStringLiteral("盤"));
        child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought))->setText(QStringLiteral("2024/01/02"));
        child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->setText(QStringLiteral("A01"));
        child<QPushButton>(f, "Command1")->click();
        const QString shown = t.ui.lastMessage();
        EXPECT_TRUE(shown.contains(kBusy)) << shown.toStdString();
        EXPECT_FALSE(shown.contains(kDamaged)) << shown.toStdString();

        ScriptedUi ui;
        App app(t.dir.path(), ui);
        Form1 w(app);
        EXPECT_THROW(w.start(), ProgramEnded);
        EXPECT_TRUE(ui.lastMessage().contains(kBusy)) << ui.lastMessage().toStdString();
        EXPECT_FALSE(ui.lastMessage().contains(kDamaged)) << ui.lastMessage().toStdString();
    }
    // Once the other program lets go, the same add goes through and nothing was lost.
    t.ui.clearLog();
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).size(), 1);
}

TEST(LockedIsNotDamagedFileOnly, ReadOnlyFullAndDamagedFilesEachGetTheirOwnMessage)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    const QByteArray path = t.app.databasePath().toUtf8();

    // A file opened for reading only refuses writes as such.
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_extended_result_codes(db, 1);
    int rc = sqlite3_exec(db, "INSERT INTO SHUMOKU1 VALUES ('a', 1)", nullptr, nullptr, nullptr);
    EXPECT_EQ(rc & 0xff, SQLITE_READONLY);
    EXPECT_TRUE(db::SqliteBackend::messageFor(db, rc, QString()).startsWith(QStringLiteral("データベースは読み取り専用のため")));
    sqlite3_close(db);

    // A file that cannot grow any more says the disk is full.
    sqlite3_open(path.constData(), &db);
    sqlite3_exec(db, "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr);
    rc = sqlite3_exec(db, "CREATE TABLE 大量 (a TEXT); INSERT INTO 大量 VALUES (randomblob(100000))", nullptr, nullptr, nullptr);
    EXPECT_EQ(rc & 0xff, SQLITE_FULL);
    EXPECT_TRUE(db::SqliteBackend::messageFor(db, rc, QString()).startsWith(QStringLiteral("ディスクの空き容量が不足している")));
    sqlite3_close(db);

    // Only a file the engine calls no database is called damaged.
    QFile file(t.app.databasePath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.write(QByteArray(100, 'x'));
    file.close();
    try {
        Database::open(t.app.databasePath());
        ADD_FAILURE() << "a damaged file opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("データベース ファイルではないか、壊れています。"))) << e.message().toStdString();
    }
}
