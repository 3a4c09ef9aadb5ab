#include "Builders.h"
#include "TestApp.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// The engine's full check of the file: "ok", or what it found wrong.
QString integrityOf(const QString& path)
{
    sqlite3* db = nullptr;
    // Read-write, so that a journal the killed program left behind is rolled back first, as
    // the next start does.
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &s, nullptr) != SQLITE_OK) {
        const QString why = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return why;
    }
    QStringList found;
    while (sqlite3_step(s) == SQLITE_ROW) found << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return found.join(QStringLiteral("; "));
}

// Runs the adder until it has stored its first record and then for `ms` more, and kills it
// (SIGKILL) wherever it is then; gives back the numbers it reported stored.
QList<int> addUntilKilled(const QString& dir, int ms)
{
    QProcess child;
    child.start(QStringLiteral(TANZO_CRASH_ADDER), {dir});
    EXPECT_TRUE(child.waitForStarted(10000));
    QElapsedTimer waited;
    waited.start();
    while (!child.canReadLine() && child.state() == QProcess::Running && waited.elapsed() < 15000)
        child.waitForReadyRead(20);
    QElapsedTimer alive;
    alive.start();
    while (alive.elapsed() < ms && child.state() == QProcess::Running) child.waitForReadyRead(2);
    child.kill();
    child.waitForFinished(10000);
    QList<int> stored;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        if (line.isEmpty()) continue;
        EXPECT_FALSE(line.startsWith("error")) << line.constData();
        stored << line.toInt();
    }
    return stored;
}

}  // namespace

TEST(CrashWhileAdding, EveryReportedRecordSurvivesAKillAndTheCounterStaysAhead)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}, {QStringLiteral("枚数"), QStringLiteral("LONG")}});

    QSet<int> reported;
    for (int round = 0; round < 22; ++round) {
        const QList<int> stored = addUntilKilled(t.dir.path(), QRandomGenerator::global()->bounded(250));
        EXPECT_FALSE(stored.isEmpty()) << "round " << round;
        for (int n : stored) EXPECT_FALSE(reported.contains(n)) << "number " << n << " given twice";
        reported.unite(QSet<int>(stored.begin(), stored.end()));

        ASSERT_EQ(integrityOf(t.dir.databasePath()), QStringLiteral("ok")) << "round " << round;
        QSet<int> present;
        int highest = 0;
        {
            Database db = t.db();
            for (Recordset rs = db.openTable(QStringLiteral("SHUMOKU1")); !rs.eof(); rs.moveNext()) {
                const int n = static_cast<int>(rs.field(2).toInt());
                present.insert(n);
                highest = std::max(highest, n);
            }
            Recordset m = db.openTable(management::kTable);
            const int counter = static_cast<int>(m.field(QStringLiteral("登録NO")).toInt());
            EXPECT_GE(counter, highest) << "round " << round;
        }
        for (int n : reported) EXPECT_TRUE(present.contains(n)) << "record " << n << " lost in round " << round;
    }
    EXPECT_GE(reported.size(), 22);
}
