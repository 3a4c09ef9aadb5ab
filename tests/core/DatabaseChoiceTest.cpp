#include "ScriptedUi.h"
#include "core/App.h"
#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The places of a program in dir, for a user whose home and configuration are elsewhere.
QString choose(const QString& dir, const QStringList& arguments, QString* problem, QString* connectionFileInUse = nullptr)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), dir + QStringLiteral("/no-home"));
    ProgramPlaces places = ProgramPlaces::find(dir, env, dir + QStringLiteral("/no-etc"));
    const QString location = App::chooseDatabase(places, arguments, problem);
    if (connectionFileInUse) *connectionFileInUse = places.connectionFile;
    return location;
}

}  // namespace

// Which database a start uses: the option first, then Tanzo.conn, then Tanzo.mdb.
TEST(DatabaseChoice, TheOptionThenTheConnectionFileThenTheFile)
{
    QTemporaryDir dir;
    const QString program = QStringLiteral("tanzo");
    QString problem;
    QString inUse;
    EXPECT_EQ(choose(dir.path(), {program}, &problem, &inUse), QDir(dir.path()).filePath(QStringLiteral("Tanzo.mdb")));
    EXPECT_TRUE(problem.isEmpty());
    EXPECT_TRUE(inUse.isEmpty());

    QFile conn(QDir(dir.path()).filePath(QStringLiteral("Tanzo.conn")));
    ASSERT_TRUE(conn.open(QIODevice::WriteOnly));
    conn.write("# the shop's server\n\n  host=db.example port=5432 dbname=在庫  \nhost=ignored\n");
    conn.close();
    EXPECT_EQ(choose(dir.path(), {program}, &problem, &inUse),
              Database::serverLocation(QStringLiteral("host=db.example port=5432 dbname=在庫")));
    EXPECT_EQ(inUse, conn.fileName());
    // The option wins, and then no connection file is in use.
    EXPECT_EQ(choose(dir.path(), {program, QStringLiteral("--database"), QStringLiteral("dbname=other")}, &problem, &inUse),
              Database::serverLocation(QStringLiteral("dbname=other")));
    EXPECT_TRUE(inUse.isEmpty());
    EXPECT_EQ(choose(dir.path(), {program, QStringLiteral("--database=postgresql://h/d")}, &problem),
              Database::serverLocation(QStringLiteral("postgresql://h/d")));

    // An option without its value and a connection file without a connection string are
    // refused with the reason.
    EXPECT_TRUE(choose(dir.path(), {program, QStringLiteral("--database")}, &problem).isEmpty());
    EXPECT_EQ(problem, QStringLiteral("--database の後に、データベース サーバーへの接続文字列を指定して下さい。"));
    ASSERT_TRUE(conn.open(QIODevice::WriteOnly | QIODevice::Truncate));
    conn.write("# nothing yet\n   \n");
    conn.close();
    EXPECT_TRUE(choose(dir.path(), {program}, &problem).isEmpty());
    EXPECT_EQ(problem, QStringLiteral("接続ファイル「%1」にデータベース サーバーへの接続文字列がありません。").arg(conn.fileName()));
}

// A connection file that holds a password is used only while no one but its owner can read
// it, as libpq asks of its own password file.
TEST(DatabaseChoice, AConnectionFileWithAPasswordOthersCanReadIsRefused)
{
    QTemporaryDir dir;
    const QString program = QStringLiteral("tanzo");
    QFile conn(QDir(dir.path()).filePath(QStringLiteral("Tanzo.conn")));
    ASSERT_TRUE(conn.open(QIODevice::WriteOnly));
    conn.write("host=db.example dbname=在庫 user=shop password=secret\n");
    conn.close();
    QString problem;
    for (const QFileDevice::Permissions others : {QFileDevice::ReadGroup, QFileDevice::ReadOther}) {
        ASSERT_TRUE(conn.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | others));
        EXPECT_TRUE(choose(dir.path(), {program}, &problem).isEmpty());
        EXPECT_EQ(problem, QStringLiteral("接続ファイル「%1」にはパスワードが書かれていますが、他のユーザーも読めるようになっています。"
                                          "「chmod 600 %1」で所有者だけが読めるようにするか、パスワードを ~/.pgpass に移して下さい。")
                               .arg(conn.fileName()));
    }
    ASSERT_TRUE(conn.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_EQ(choose(dir.path(), {program}, &problem),
              Database::serverLocation(QStringLiteral("host=db.example dbname=在庫 user=shop password=secret")));
    EXPECT_TRUE(problem.isEmpty());
    // Without a password, who may read the file does not matter.
    ASSERT_TRUE(conn.open(QIODevice::WriteOnly | QIODevice::Truncate));
    conn.write("host=db.example dbname=在庫 user=shop\n");
    conn.close();
    ASSERT_TRUE(conn.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    EXPECT_EQ(choose(dir.path(), {program}, &problem), Database::serverLocation(QStringLiteral("host=db.example dbname=在庫 user=shop")));
}
