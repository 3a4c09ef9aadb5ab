#include "core/ProgramPlaces.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void writeConnectionFile(const QString& folder)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile f(folder + QStringLiteral("/Tanzo.conn"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("host=shop dbname=tanzo\n");
}

}  // namespace

// Tanzo.conn is looked for beside the program, then in the user's configuration folder
// (XDG_CONFIG_HOME when it is an absolute path), then in the system's; the first found is used.
TEST(ProgramPlaces, TheConnectionFileBesideTheProgramThenTheUsersThenTheSystems)
{
    QTemporaryDir tmp;
    const QString program = tmp.filePath(QStringLiteral("program"));
    const QString etc = tmp.filePath(QStringLiteral("etc/tanzo"));
    ASSERT_TRUE(QDir().mkpath(program));
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), tmp.filePath(QStringLiteral("home")));
    const auto found = [&] { return ProgramPlaces::find(program, env, etc).connectionFile; };

    EXPECT_TRUE(found().isEmpty());
    writeConnectionFile(etc);
    EXPECT_EQ(found(), etc + QStringLiteral("/Tanzo.conn"));
    writeConnectionFile(tmp.filePath(QStringLiteral("home/.config/tanzo")));
    EXPECT_EQ(found(), tmp.filePath(QStringLiteral("home/.config/tanzo/Tanzo.conn")));
    writeConnectionFile(tmp.filePath(QStringLiteral("config/tanzo")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), tmp.filePath(QStringLiteral("config")));
    EXPECT_EQ(found(), tmp.filePath(QStringLiteral("config/tanzo/Tanzo.conn")));
    writeConnectionFile(program);
    EXPECT_EQ(found(), program + QStringLiteral("/Tanzo.conn"));
}

// A program under /usr (a system package) keeps its data in the user's data folder whoever
// starts it, root included: XDG_DATA_HOME/tanzo when that is an absolute path, else
// ~/.local/share/tanzo, made on the first start for the owner alone.
TEST(ProgramPlaces, AProgramUnderUsrKeepsItsDataInTheUsersDataFolder)
{
    QTemporaryDir tmp;
    const QString home = tmp.filePath(QStringLiteral("home"));
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("relative/data"));
    const ProgramPlaces package = ProgramPlaces::find(QStringLiteral("/usr/bin"), env, tmp.path());
    EXPECT_EQ(package.databaseFile(), home + QStringLiteral("/.local/share/tanzo/Tanzo.mdb"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), tmp.filePath(QStringLiteral("data")));
    EXPECT_EQ(ProgramPlaces::find(QStringLiteral("/usr/bin"), env).dataDir, tmp.filePath(QStringLiteral("data/tanzo")));

    QString problem;
    ASSERT_TRUE(package.makeDataDir(&problem)) << problem.toStdString();
    EXPECT_EQ(QFileInfo(package.dataDir).permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                                                           QFile::WriteUser | QFile::ExeUser),
              QFile::Permissions());
}
