#pragma once
#include <QProcessEnvironment>
#include <QString>

// Where a start keeps its database and looks for a connection file.
//
// A program whose own folder this user can write (an install into a home folder, a copy on a
// USB stick) keeps Tanzo.mdb, its lock and its backups' starting folder beside itself. A
// program in a folder it cannot write, or anywhere under /usr (a system package, even when
// root starts it), keeps them in the user's data folder: $XDG_DATA_HOME/tanzo, by default
// ~/.local/share/tanzo.
//
// The connection file Tanzo.conn is looked for beside the program, then in the user's
// configuration folder ($XDG_CONFIG_HOME/tanzo, by default ~/.config/tanzo), then in the
// system's (/etc/tanzo, one file for every desk of a shop); the first found is the one used.
struct ProgramPlaces {
    static inline const QString kSystemConfigDir = QStringLiteral("/etc/tanzo");

    QString programDir;
    // Where Tanzo.mdb and its lock are; the backup and restore windows start here.
    QString dataDir;
    // The Tanzo.conn in use; empty when there is none (the database is Tanzo.mdb).
    QString connectionFile;

    // Everything beside the program and no connection file: what a test's program folder uses.
    static ProgramPlaces beside(const QString& programDir);
    // The places of a program in programDir for the user the environment describes (HOME,
    // XDG_DATA_HOME, XDG_CONFIG_HOME; a relative XDG value is ignored, as the XDG rules say).
    static ProgramPlaces find(const QString& programDir, const QProcessEnvironment& env,
                              const QString& systemConfigDir = kSystemConfigDir);
    // Whether the program keeps its data beside itself in that folder.
    static bool keepsDataBeside(const QString& programDir);

    QString databaseFile() const;
    // Two lines naming the database in use (a file's path, or the server) and the connection
    // file ("なし" when none is in use), as the version window shows them.
    QString describe(const QString& databaseLocation) const;
    // Makes the data folder when it is missing (the first start). False, with the Japanese
    // reason in *problem, when it cannot be made.
    bool makeDataDir(QString* problem) const;
};
