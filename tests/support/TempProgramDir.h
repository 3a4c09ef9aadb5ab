#pragma once
#include <QString>
#include <QTemporaryDir>

// A program directory of its own for one test, holding a fresh Tanzo.mdb.
class TempProgramDir {
public:
    explicit TempProgramDir(bool withDatabase = true);
    QString path() const { return dir_.path(); }
    QString databasePath() const;

private:
    QTemporaryDir dir_;
};
