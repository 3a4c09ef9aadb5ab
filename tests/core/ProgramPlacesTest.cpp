#include "core/ProgramPlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("host=shop dbname=tanzo\n");
}

}  // namespace

// Tanzo.conn is looked for beside the program, then in the user's configuration folder, then
// in the system's; the first found is used, and with none the database is the file.
TEST(ProgramPlaces, TheConnectionFileBesideTheProgramThenTheUsersThenTheSystems)
{
    QTemporaryDir tmp;
    const QString program = tmp.filePath(QStringLiteral("program"));
    const QString home = tmp.filePath(QStringLiteral("home"));
    const QString etc = tmp.filePath(QStringLiteral("etc/tanzo"));
    ASSERT_TRUE(QDir().mkpath(program));
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), home);

    EXPECT_TRUE(ProgramPlaces::find(program, env, etc).connectionFile.isEmpty());

    const QString systems = etc + QStringLiteral("/Tanzo.conn");
    writeFile(systems);
    EXPECT_EQ(ProgramPlaces::find(program, env, etc).connectionFile, systems);

    // The user's configuration folder: ~/.config/tanzo, or XDG_CONFIG_HOME/tanzo when that
    // is an absolute path.
    const QString usersDefault = home + QStringLiteral("/.config/tanzo/Tanzo.conn");
    writeFile(usersDefault);
    EXPECT_EQ(ProgramPlaces::find(program, env, etc).connectionFile, usersDefault);
    const QString usersOwn = tmp.filePath(QStringLiteral("config/tanzo/Tanzo.conn"));
    writeFile(usersOwn);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath(QStringLiteral("config")));
    EXPECT_EQ(ProgramPlaces::find(program, env, etc).connectionFile, usersOwn);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("config"));
    EXPECT_EQ(ProgramPlaces::find(program, env, etc).connectionFile, usersDefault);

    const QString besideTheProgram = program + QStringLiteral("/Tanzo.conn");
    writeFile(besideTheProgram);
    EXPECT_EQ(ProgramPlaces::find(program, env, etc).connectionFile, besideTheProgram);
}

// A program in a folder this user can write keeps its data beside itself; one under /usr (a
// system package, whoever starts it) keeps it in the user's data folder, made on the first
// start for the owner alone.
TEST(ProgramPlaces, DataBesideAWritableProgramElseInTheUsersDataFolder)
{
    QTemporaryDir tmp;
    const QString home = tmp.filePath(QStringLiteral("home"));
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), home);

    const ProgramPlaces usb = ProgramPlaces::find(tmp.path(), env, tmp.filePath(QStringLiteral("etc")));
    EXPECT_EQ(usb.dataDir, tmp.path());
    EXPECT_EQ(usb.databaseFile(), tmp.filePath(QStringLiteral("Tanzo.mdb")));

    const ProgramPlaces package = ProgramPlaces::find(QStringLiteral("/usr/bin"), env, tmp.filePath(QStringLiteral("etc")));
    EXPECT_EQ(package.dataDir, home + QStringLiteral("/.local/share/tanzo"));
    EXPECT_EQ(package.databaseFile(), home + QStringLiteral("/.local/share/tanzo/Tanzo.mdb"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), tmp.filePath(QStringLiteral("data")));
    EXPECT_EQ(ProgramPlaces::find(QStringLiteral("/usr/bin"), env).dataDir, tmp.filePath(QStringLiteral("data/tanzo")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("relative/data"));
    EXPECT_EQ(ProgramPlaces::find(QStringLiteral("/usr/bin"), env).dataDir, home + QStringLiteral("/.local/share/tanzo"));

    QString problem;
    ASSERT_TRUE(package.makeDataDir(&problem)) << problem.toStdString();
    EXPECT_TRUE(problem.isEmpty());
    const QFileInfo made(package.dataDir);
    EXPECT_TRUE(made.isDir());
    EXPECT_EQ(made.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                    QFile::WriteOther | QFile::ExeOther),
              QFile::Permissions());
    // A second start finds it made.
    EXPECT_TRUE(package.makeDataDir(&problem));

    // A data folder that cannot be made (a file stands in its way) is refused with the reason.
    ProgramPlaces blocked = package;
    writeFile(tmp.filePath(QStringLiteral("file")));
    blocked.dataDir = tmp.filePath(QStringLiteral("file/tanzo"));
    EXPECT_FALSE(blocked.makeDataDir(&problem));
    EXPECT_EQ(problem, QStringLiteral("データ フォルダー「%1」を作成できません。").arg(blocked.dataDir));
}
