#include "../app/HostileFiles.h"
#include "../records/RecordFixture.h"
#include "Builders.h"
#include "MaintenanceFixture.h"
#include "core/CodeStore.h"
#include "core/FileCheck.h"
#include "core/Maintenance.h"
#include "maintenance/FolderBrowser.h"
#include "maintenance/Form12a.h"
#include "maintenance/Form12b.h"
#include "platform/db/DbError.h"

#include <QPushButton>
#include <QTemporaryDir>

// A database on a server is backed up as a Tanzo.mdb file, and a checked Tanzo.mdb replaces
// the server's tables in one transaction. These run in the server run only.
namespace {

using Answer = Ui::Answer;

// Every kind of field and table: text, number, amount, date and code fields, a sub file, a
// field whose code table went, Nulls, rows whose natural order is not their key order, and
// more rows than the server gives in one reading.
void fill(TestApp& t)
{
    fixture::makeCategories(t, true);
    build::addMainRow(t.app, 0, {QStringLiteral("盤"), QStringLiteral("2"), QStringLiteral("1234.5678"),
                                 QStringLiteral("2024/01/02"), QStringLiteral("A01")},
                      7);
    build::addMainRow(t.app, 0, {QStringLiteral("古い盤"), QString(), QString(), QString(), QString()}, 3);
    build::addSubRow(t.app, 0, {QStringLiteral("二曲目"), QStringLiteral("-1"), QStringLiteral("-0.5"),
                                QStringLiteral("1999/12/31"), QStringLiteral("B02")},
                     7, 2);
    build::addSubRow(t.app, 0, {QStringLiteral("一曲目"), QString(), QString(), QString(), QString()}, 7, 1);
    CodeStore(t.app.cache).dropTable(1);
    SystemSettings settings = t.app.cache.systemSettings();
    settings.title = QStringLiteral("店の在庫");
    t.app.cache.setSystemSettings(settings);

    Database db = t.app.openDatabase();
    Database::Transaction tx(db);
    RowInserter into = db.inserter(QStringLiteral("SHUMOKU2"));
    for (int n = 6000; n >= 1; --n)
        into.insert({Value::text(QStringLiteral("メモ%1").arg(n)), n % 3 ? Value::text(QStringLiteral("備考")) : Value(),
                     Value::text(QString()), Value::text(QStringLiteral("X1")), Value::integer(n)});
    db.openWhere(QStringLiteral("SHUMOKU2"), {{QStringLiteral("登録ＮＯ"), Value::integer(3000)}}).deleteCurrent();
    tx.commit();
}

// Every table of the program a database holds: its columns as declared, then its rows in
// their natural order, each cell with its kind. The settings version (the system row's
// counter) is left out when asked.
QStringList dump(const QString& location, bool withVersion = true)
{
    QStringList out;
    Database db = Database::open(location);
    for (const QString& table : management::programTables()) {
        if (!db.tableExists(table)) continue;
        QStringList columns;
        for (const ColumnInfo& c : db.columns(table)) columns << c.name + QLatin1Char(' ') + c.declared;
        out << table + QStringLiteral(": ") + columns.join(QStringLiteral(", "));
        int row = 0;
        for (Recordset rs = db.openTable(table); !rs.eof(); rs.moveNext(), ++row) {
            QStringList cells;
            for (int i = 0; i < rs.fieldCount(); ++i) {
                const Value v = rs.field(i);
                if (!withVersion && table == management::kTable && row == ConfigCache::kSystemRow &&
                    i == management::kColumnCount - 1)
                    cells << QStringLiteral("version");
                else
                    cells << (v.isNull() ? QStringLiteral("Null") : QStringLiteral("%1:%2").arg(int(v.kind())).arg(v.toString()));
            }
            out << cells.join(QLatin1Char('|'));
        }
    }
    return out;
}

qint64 version(const QString& location) { return storedCache(location).row(ConfigCache::kSystemRow).lastRegistrationNo; }

// Clicks 復元作業実行 on the file Tanzo.mdb of a folder and confirms it.
void restoreFrom(TestApp& t, const QString& folder)
{
    Form12b f(t.app);
    fixture::choose(f, folder, QStringLiteral("Tanzo.mdb"));
    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command1")->click();
}

// A copy of a backup in a folder of its own, changed by the statements.
void changedCopy(const QString& backup, const QTemporaryDir& folder, const QString& sql)
{
    const QString copy = folder.filePath(QStringLiteral("Tanzo.mdb"));
    ASSERT_TRUE(QFile::copy(backup, copy));
    hostile::runSql(copy, sql);
}

}  // namespace

TEST(BackupServerOnly, BackupAndRestoreIntoAnEmptyServerGiveTheSameRowsKeysAndOrder)
{
    TestApp t;
    ASSERT_TRUE(TempProgramDir::onServer());
    fill(t);
    const QStringList original = dump(t.app.databasePath());

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("Tanzo.mdb"));
    fixture::writeFile(file, "an older copy");
    Form12a f(t.app);
    f.browser().setPath(folder.path());
    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command2")->click();
    check::messages(t.ui, {fixture::backupConfirmation(folder.path()), fixture::kBackedUp});
    EXPECT_EQ(fixture::entriesOf(folder.path()), QStringList({"Tanzo.mdb"}));
    EXPECT_EQ(Maintenance::restoreProblem(file), QString());
    EXPECT_EQ(dump(file), original);
    {
        // The keys are made as the program makes them.
        Database db = Database::open(file);
        EXPECT_THROW(db.inserter(QStringLiteral("SHUMOKU1SUB")).insert({Value(), Value(), Value(), Value(), Value(),
                                                                        Value::integer(7), Value::integer(2)}),
                     DbError);
        EXPECT_THROW(db.inserter(QStringLiteral("CODE1")).insert({Value::text(QStringLiteral("A01")), Value()}), DbError);
    }

    TestApp other;
    TempProgramDir empty(false);
    other.app.useDatabase(empty.databasePath());
    Form12b g(other.app);
    fixture::choose(g, folder.path(), QStringLiteral("Tanzo.mdb"));
    other.ui.answer(Answer::Ok);
    EXPECT_THROW(child<QPushButton>(g, "Command1")->click(), ProgramEnded);
    EXPECT_EQ(other.ui.lastMessage(), QStringLiteral("復元作業は終了しました"));
    EXPECT_EQ(dump(empty.databasePath(), false), dump(file, false));
    EXPECT_GT(version(empty.databasePath()), version(file));
    {
        Database db = Database::open(empty.databasePath());
        EXPECT_THROW(db.inserter(QStringLiteral("SHUMOKU1")).insert({Value(), Value(), Value(), Value(), Value(), Value::integer(7)}),
                     DbError);
        // A row added now comes last in the natural order.
        db.inserter(QStringLiteral("SHUMOKU2")).insert({Value::text(QStringLiteral("新")), Value(), Value(), Value(), Value::integer(9000)});
        Recordset rs = db.openTable(QStringLiteral("SHUMOKU2"));
        rs.moveLast();
        EXPECT_EQ(rs.field(QStringLiteral("登録ＮＯ")).toInt(), 9000);
    }
}

TEST(RestoreServerOnly, AHostileOrFailingFileChangesNothingAndAGoodOneReplacesTheTables)
{
    TestApp t;
    ASSERT_TRUE(TempProgramDir::onServer());
    fill(t);
    QTemporaryDir backupFolder;
    ASSERT_EQ(Maintenance::backup(t.app.databasePath(), backupFolder.path()), QString());
    const QString backup = backupFolder.filePath(QStringLiteral("Tanzo.mdb"));
    // Work done after the backup, which a restore takes back.
    build::addMainRow(t.app, 0, {QStringLiteral("新しい盤"), QString(), QString(), QString(), QString()}, 8);
    build::nameCategory(t.app, 3, QStringLiteral("本"));
    const ConfigCache desk = t.app.cache;
    const QStringList before = dump(t.app.databasePath());
    const QString unusable = QStringLiteral("指定されたファイルは在庫管理Tanzo のデータベースではないか、壊れているため、復元できません。");

    for (const hostile::Hostile& h : hostile::hostileFiles()) {
        QTemporaryDir folder;
        changedCopy(backup, folder, h.sql);
        restoreFrom(t, folder.path());
        const auto m = t.ui.messages();
        t.ui.clearLog();
        ASSERT_EQ(m.size(), 2u) << h.what;
        EXPECT_TRUE(m[1].text.startsWith(unusable) && m[1].text.contains(h.named)) << h.what << ": " << m[1].text.toStdString();
        EXPECT_FALSE(t.ui.programEnded()) << h.what;
    }
    EXPECT_EQ(dump(t.app.databasePath()), before);

    // A file the check passes but the server refuses midway (a code longer than its column,
    // in the last table copied): the tables dropped and made before stay as they were.
    {
        QTemporaryDir folder;
        changedCopy(backup, folder, QStringLiteral("UPDATE CODE1 SET コード = 'B0234' WHERE コード = 'B02'"));
        restoreFrom(t, folder.path());
        const auto m = t.ui.messages();
        t.ui.clearLog();
        ASSERT_EQ(m.size(), 2u);
        EXPECT_TRUE(m[1].text.startsWith(QStringLiteral("データベースの復元に失敗しました。現在のデータベースは変更されていません。\r\n")))
            << m[1].text.toStdString();
        EXPECT_FALSE(t.ui.programEnded());
        EXPECT_EQ(dump(t.app.databasePath()), before);
    }

    Form12b f(t.app);
    fixture::choose(f, backupFolder.path(), QStringLiteral("Tanzo.mdb"));
    t.ui.answer(Answer::Ok);
    EXPECT_THROW(child<QPushButton>(f, "Command1")->click(), ProgramEnded);
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("復元作業は終了しました"));
    EXPECT_EQ(dump(t.app.databasePath(), false), dump(backup, false));
    // Another desk still holding the settings of before reads them again before its next action.
    ConfigCache stale = desk;
    Database db = Database::open(t.app.databasePath());
    EXPECT_TRUE(stale.reloadIfChanged(db));
    EXPECT_EQ(stale.row(3).named, 0);
}

TEST(BackupServerOnly, AFailedBackupLeavesTheEarlierCopyWholeAndTheServerInUse)
{
    TestApp t;
    ASSERT_TRUE(TempProgramDir::onServer());
    fill(t);
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("Tanzo.mdb"));
    fixture::writeFile(copy, "an older copy");
    Form12a f(t.app);
    fixture::backUpOnAFullDisk(t, f, folder.path());
    EXPECT_EQ(fixture::bytesOf(copy), QByteArray("an older copy"));
    EXPECT_EQ(fixture::entriesOf(folder.path()), QStringList({"Tanzo.mdb"}));
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU2")), 5999);
}
