#pragma once
#include <QString>
#include <QStringList>

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
    // Puts the file in the place of the database in one step, and drops a journal the old
    // file left. Into a server, one transaction drops the program's tables there and makes
    // them again from the file's, rows and all. Returns why the restore failed (the database
    // is then as it was), or empty.
    static QString restore(const QString& source, const QString& databasePath);

private:
    ConfigCache& cache_;
};
