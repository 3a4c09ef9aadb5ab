#include "ScriptedUi.h"
#include "TempProgramDir.h"
#include "core/ProgramLock.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// A program start on the directory; "held" once it runs, or "refused" and the message.
struct Start {
    QProcess process;
    QString firstLine;
    QString rest;
};

void start(Start& s, const QString& dir)
{
    s.process.start(QStringLiteral(TANZO_LOCK_HOLDER), {dir});
    ASSERT_TRUE(s.process.waitForStarted(10000));
    while (!s.process.canReadLine() && s.process.state() == QProcess::Running) s.process.waitForReadyRead(50);
    s.firstLine = QString::fromUtf8(s.process.readLine()).trimmed();
}

void finish(Start& s)
{
    s.process.waitForFinished(10000);
    s.rest = QString::fromUtf8(s.process.readAllStandardOutput()).trimmed();
}

}  // namespace

TEST(OneProgramPerDatabaseFileOnly, ASecondStartIsRefusedWhileTheFirstRunsAndAdmittedAfterItIsKilled)
{
    TempProgramDir dir;
    Start first;
    start(first, dir.path());
    ASSERT_EQ(first.firstLine, QStringLiteral("held"));
    ASSERT_TRUE(QFile::exists(dir.path() + QStringLiteral("/Tanzo.mdb.lock")));

    // Another process on the same directory is told and ends without opening the file.
    Start second;
    start(second, dir.path());
    finish(second);
    EXPECT_EQ(second.firstLine, QStringLiteral("refused"));
    EXPECT_EQ(second.process.exitCode(), 1);
    EXPECT_TRUE(second.rest.startsWith(QStringLiteral("在庫管理Tanzo は、このフォルダー"))) << second.rest.toStdString();
    EXPECT_TRUE(second.rest.contains(QStringLiteral("既に実行中です。")));

    // The program in this process is refused the same way, with the message shown once.
    {
        ScriptedUi ui;
        ProgramLock lock(dir.path());
        EXPECT_FALSE(lock.acquire(ui));
        ASSERT_EQ(ui.messages().size(), 1u);
        EXPECT_EQ(ui.messages()[0].text, ProgramLock::runningMessage(dir.path()));
        EXPECT_EQ(ui.messages()[0].title, QStringLiteral("注意"));
    }

    // A program killed outright leaves its lock file behind; the next start takes it over.
    first.process.kill();
    first.process.waitForFinished(10000);
    ASSERT_TRUE(QFile::exists(dir.path() + QStringLiteral("/Tanzo.mdb.lock")));
    Start third;
    start(third, dir.path());
    EXPECT_EQ(third.firstLine, QStringLiteral("held"));
    third.process.kill();
    third.process.waitForFinished(10000);
}

TEST(OneProgramPerDatabaseFileOnly, TheLockGoesWithTheProgramAndOtherDirectoriesAreFree)
{
    TempProgramDir a;
    TempProgramDir b;
    ScriptedUi ui;
    {
        ProgramLock first(a.path());
        ASSERT_TRUE(first.acquire(ui));
        ProgramLock other(b.path());
        EXPECT_TRUE(other.acquire(ui));
    }
    // Both ended normally: the lock files are gone and a new start runs at once.
    EXPECT_FALSE(QFile::exists(a.path() + QStringLiteral("/Tanzo.mdb.lock")));
    ProgramLock again(a.path());
    EXPECT_TRUE(again.acquire(ui));
    EXPECT_TRUE(ui.messages().empty());
}
