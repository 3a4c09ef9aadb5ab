#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class ConfigCache;

// Keeping the database as a whole: putting the system back to its first-installation state,
// and telling whether a file can be restored over Tanzo.mdb; backup and restore.
class Maintenance {
public:
    explicit Maintenance(ConfigCache& cache) : cache_(cache) {}

    // Drops every main, sub and code table and writes the seven rows back as at installation
    // (title, colours, progress switches, no names), in one transaction. On DbError the
    // tables, the management table and the cache stay as they were.
    void initialise();

    // Copies the database into the folder as Tanzo.mdb; a copy already there is replaced only
    // by a complete new one. A database on a server is written as a new database file
    // holding the program's tables as one moment of the server saw them. Returns why the
    // copy failed, or an empty text.
    static QString backup(const QString& databasePath, const QString& folder);

    // Why the file cannot be restored: not a database, not a Tanzo file, or damaged pages.
    // Empty when it can. Nothing in the file is changed.
    static QString restoreProblem(const QString& path);
    // What came of a restore, and what its message names: the file name picked (WrongName),
    // why the file cannot be restored (NotRestorable) or why the restore failed (Failed).
    struct Restore {
        enum class Outcome { Restored, WrongName, NotConfirmed, InUse, NotRestorable, Failed };
        Outcome outcome = Outcome::Restored;
        QString detail;
    };
    // Restores the file picked in a folder over the database. Refused, in this order, and then
    // nothing changes: a file not named Tanzo.mdb (blanks around the name aside); the file
    // not confirmed (confirm is asked with the file's full name); the database itself picked;
    // a file that is no database of this program or is damaged (restoreProblem). Otherwise the
    // file takes the database's place in one step and a journal the old file left is dropped;
    // into a server, one transaction drops the program's tables there and makes them again
    // from the file's, rows and all. A failed copy leaves the database as it was.
    static Restore restore(const QString& folder, const QString& fileName, const QString& databasePath,
                           const std::function<bool(const QString& source)>& confirm);

private:
    ConfigCache& cache_;
};
