#pragma once
#include <QString>
#include <QTemporaryDir>

// A program directory of its own for one test, holding a fresh Tanzo.mdb.
//
// On the server back end the database is instead a new, empty database of its own on the
// server CTest started (TANZO_TEST_PG_FILE, see PgSession), named after the process and a
// counter so that tests running side by side never share one; databasePath() is then its
// location, "pgsql:" and its connection string, which the directory's Tanzo.conn holds for a
// program started on it. The database is dropped with the directory.
//
// Which back end: the one a test of a BackendTest suite runs on, otherwise the run's (the
// server in the server run of a program, the file in its file run).
class TempProgramDir {
public:
    enum class Backend { File, Server };
    // While one lives, the directories made use this back end (a BackendTest sets it).
    class BackendChoice {
    public:
        explicit BackendChoice(Backend backend);
        ~BackendChoice();
        BackendChoice(const BackendChoice&) = delete;
        BackendChoice& operator=(const BackendChoice&) = delete;
    };

    explicit TempProgramDir(bool withDatabase = true);
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    QString path() const { return dir_.path(); }
    QString databasePath() const;
    // Whether the directories made now use the database server rather than the file.
    static bool onServer();
    // Whether this is the server run of the program: CTest started a server for it.
    static bool serverRun();
    // The server database's name; empty for the file.
    QString serverDatabase() const { return serverDatabase_; }
    // The connection string of that database (the location without "pgsql:"); empty for the file.
    QString serverConninfo() const;

private:
    void dropServerDatabase();

    QTemporaryDir dir_;
    QString adminConninfo_;
    QString serverDatabase_;
};
