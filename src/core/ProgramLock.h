#pragma once
#include <QLockFile>
#include <QString>

class Ui;

// One program per database: a lock file beside Tanzo.mdb, held for as long as the program
// runs. A second start on the same program directory is told the program is already
// running there and ends before it touches the file. A lock left behind by a program that
// ended without letting go (killed, crashed) is taken over.
class ProgramLock {
public:
    explicit ProgramLock(const QString& programDir);
    ProgramLock(const ProgramLock&) = delete;
    ProgramLock& operator=(const ProgramLock&) = delete;

    // Takes the lock. False, after the message, only when another running program holds it;
    // a directory where no lock file can be made (read-only) does not stop the program.
    bool acquire(Ui& ui);
    bool held() const { return lock_.isLocked(); }
    static QString runningMessage(const QString& programDir);

private:
    QString programDir_;
    QLockFile lock_;
};
