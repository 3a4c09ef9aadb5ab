#pragma once
#include <QString>
#include <QTemporaryDir>

// A program directory of its own for one test, holding a fresh Tanzo.mdb.
//
// Under the server test run (TANZO_TEST_PG_FILE set, see PgSession) the database is instead
// a new, empty database of its own on that server, named after the process and a counter so
// that tests running side by side never share one; databasePath() is then its location,
// "pgsql:" and its connection string, which the directory's Tanzo.conn holds for a program
// started on it. The database is dropped with the directory.
class TempProgramDir {
public:
    explicit TempProgramDir(bool withDatabase = true);
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    QString path() const { return dir_.path(); }
    QString databasePath() const;
    // Whether the tests of this run use the database server rather than the file.
    static bool onServer();
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
