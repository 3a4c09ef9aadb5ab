#include "core/ProgramLock.h"
#include "platform/db/Database.h"
#include "core/ManagementSchema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

#if !defined(TANZO_PROGRAM) || !defined(TANZO_LOCK_HOLDER)
#error "TANZO_PROGRAM and TANZO_LOCK_HOLDER must name the programs"
#endif

namespace {

// The program is started by an ordinary user: the tests' own, or nobody when the tests run
// as root (whom no folder's permissions stop).
constexpr uid_t kNobody = 65534;
bool runAsRoot() { return geteuid() == 0; }

void giveToTheUser(const QString& path)
{
    if (runAsRoot()) {
        ASSERT_EQ(chown(QFile::encodeName(path).constData(), kNobody, kNobody), 0);
    }
}

// A desk: a copy of the program in a folder of its own, and the user's home.
struct Desk {
    explicit Desk(bool programFolderWritable)
    {
        EXPECT_TRUE(QFile::setPermissions(tmp.path(), QFile::permissions(tmp.path()) | QFile::ReadOther | QFile::ExeOther));
        EXPECT_TRUE(QDir().mkpath(program));
        EXPECT_TRUE(QFile::copy(QStringLiteral(TANZO_PROGRAM), program + QStringLiteral("/tanzo")));
        EXPECT_TRUE(QDir().mkpath(home));
        giveToTheUser(home);
        if (programFolderWritable) giveToTheUser(program);
        else EXPECT_TRUE(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    }

    // The folder is made writable again so that it can be removed.
    ~Desk() { QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }

    struct Run {
        int code = -1;
        QString out;
        QString err;
    };
    // Starts a program as the desk's user, in the user's home.
    void launch(QProcess& p, const QString& program, const QStringList& args, const QProcessEnvironment& extra = {}) const
    {
        QProcessEnvironment env = extra;
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(home);
        if (runAsRoot())
            p.setChildProcessModifier([] {
                if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(126);
            });
        p.start(program, args);
    }
    // The desk's program started (with --start-only unless told otherwise), to its end.
    Run start(const QStringList& args = {QStringLiteral("--start-only")}, const QProcessEnvironment& extra = {}) const
    {
        QProcess p;
        launch(p, program + QStringLiteral("/tanzo"), args, extra);
        Run r;
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished(5000);
        }
        if (p.exitStatus() == QProcess::NormalExit) r.code = p.exitCode();
        r.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    QTemporaryDir tmp;
    QString program = tmp.filePath(QStringLiteral("program"));
    QString home = tmp.filePath(QStringLiteral("home"));
};

bool holdsTheManagementTable(const QString& file)
{
    const bool holds = QFile::exists(file) && Database::open(file).tableExists(management::kTable);
    Database::closeShared();
    return holds;
}

}  // namespace

// A program whose folder the user can write keeps the database beside itself, as a copy on a
// USB stick does.
TEST(ProgramStartFileOnly, AWritableProgramFolderKeepsTheDatabaseBesideTheProgram)
{
    Desk desk(true);
    const Desk::Run run = desk.start();
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    const QString file = desk.program + QStringLiteral("/Tanzo.mdb");
    EXPECT_EQ(run.out, QStringLiteral("データベース：%1\n接続ファイル：なし").arg(file));
    EXPECT_TRUE(holdsTheManagementTable(file));
    EXPECT_FALSE(QFile::exists(desk.home + QStringLiteral("/.local/share/tanzo")));
}

// A program in a folder the user cannot write (an installed package) makes the database, and
// keeps its lock, in the user's data folder; nothing is written beside the program.
TEST(ProgramStartFileOnly, AReadOnlyProgramFolderKeepsTheDatabaseInTheUsersDataFolder)
{
    Desk desk(false);
    const QString data = desk.home + QStringLiteral("/.local/share/tanzo");
    const Desk::Run first = desk.start();
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, QStringLiteral("データベース：%1/Tanzo.mdb\n接続ファイル：なし").arg(data));
    EXPECT_TRUE(holdsTheManagementTable(data + QStringLiteral("/Tanzo.mdb")));
    EXPECT_EQ(QDir(desk.program).entryList(QDir::Files), QStringList{QStringLiteral("tanzo")});

    // While a program of the same user holds the lock in the data folder, a second start is
    // refused there.
    QProcess holder;
    desk.launch(holder, QStringLiteral(TANZO_LOCK_HOLDER), {data});
    ASSERT_TRUE(holder.waitForStarted(10000));
    while (!holder.canReadLine() && holder.state() == QProcess::Running) holder.waitForReadyRead(50);
    ASSERT_EQ(QString::fromUtf8(holder.readLine()).trimmed(), QStringLiteral("held"));
    const Desk::Run second = desk.start();
    holder.kill();
    holder.waitForFinished(10000);
    EXPECT_EQ(second.code, 1);
    EXPECT_TRUE(second.err.contains(ProgramLock::runningMessage(data).section(QLatin1Char('\r'), 0, 0))) << second.err.toStdString();
}

// Timed to its first paint, the program shows its main window, says when it painted and ends
// as a closed program does: the database is made and its lock is given back.
TEST(ProgramStartFileOnly, TimedToItsFirstPaintTheProgramShowsItsWindowAndEnds)
{
    Desk desk(true);
    QProcessEnvironment timed;
    timed.insert(QStringLiteral("TANZO_TIME_FIRST_PAINT"), QStringLiteral("1"));
    const Desk::Run run = desk.start({}, timed);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    // "first paint <ms> ms cpu <ms> ms"
    const QStringList words = run.out.split(QLatin1Char(' '));
    ASSERT_EQ(words.size(), 7) << run.out.toStdString();
    EXPECT_EQ(QStringList({words[0], words[1], words[3], words[4], words[6]}),
              QStringList({"first", "paint", "ms", "cpu", "ms"}));
    for (const QString& figure : {words[2], words[5]}) {
        bool number = false;
        EXPECT_GT(figure.toDouble(&number), 0.0) << figure.toStdString();
        EXPECT_TRUE(number);
    }
    EXPECT_TRUE(holdsTheManagementTable(desk.program + QStringLiteral("/Tanzo.mdb")));
    EXPECT_FALSE(QFile::exists(desk.program + QStringLiteral("/Tanzo.mdb.lock")));
    // Started again as usual, it finds the database free.
    EXPECT_EQ(desk.start().code, 0);
}
