#pragma once
#include "core/ConfigCache.h"
#include "core/PrintSettings.h"
#include "core/ProgramPlaces.h"
#include "core/RecentFolders.h"
#include "core/ScreenLayout.h"
#include "core/SearchConditions.h"

#include <QString>
#include <memory>

class Ui;
class Opener;
class Database;
class DbError;
class Printer;
class PrinterError;

// Everything a window needs: the program directory, the configuration cache, the Ui service
// and the printer. main() builds the real one; every test builds its own.
class App {
public:
    // Prints on a recording printer of its own (nothing reaches a device).
    App(const QString& programDir, Ui& ui);
    App(const QString& programDir, Ui& ui, Printer& printer);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    const QString& programDir() const { return programDir_; }
    // Where the database is: Tanzo.mdb in the program directory unless told otherwise.
    QString databasePath() const { return cache.databasePath(); }
    // Works on another database from now on: a file's path or a server location.
    void useDatabase(const QString& location);
    // The database a start is told to use: a --database option (a libpq connection string),
    // else the connection string in the places' connection file, else Tanzo.mdb in the data
    // folder. When the option names the database, no connection file is in use and
    // places.connectionFile is cleared. A Tanzo.conn that cannot be read or holds no
    // connection string, or an option without its value, gives the Japanese reason in
    // *problem and an empty location.
    static QString chooseDatabase(ProgramPlaces& places, const QStringList& arguments, QString* problem);
    Ui& ui() { return ui_; }
    // The printer every print goes to; it keeps its paper, orientation and font for the run.
    Printer& printer() { return *printer_; }

    // Opens windows across folders; the program installs it at start-up. Raises
    // std::logic_error when none is installed.
    Opener& opener() const;
    void setOpener(Opener* opener) { opener_ = opener; }

    // Opens Tanzo.mdb for one action.
    Database openDatabase() const;
    // On a server: when another desk has stored a change of categories, files, code tables or
    // settings, reads them again and says so in a short notice. Returns whether it did. When
    // the database cannot be asked, its message is shown and *failed (when given) is set: the
    // action does not go on to fail a second time.
    bool noticeChangesElsewhere(bool* failed = nullptr);
    // Shows an engine error the way every handler does: its message, title "Error".
    void showDbError(const DbError& e);
    // Runs a handler's body; an engine error is shown and the program stays usable.
    template <class F>
    bool guard(F&& body);
    // Shows a printing error, the open document abandoned: a refused setting (380) gets the
    // advice to set the paper in the printer's properties; any other error is shown with its
    // text, and the program goes on.
    void showPrinterError(const PrinterError& e);
    // Runs a printing handler's body; on a printing error the open document is abandoned and
    // the error shown. Returns false then.
    template <class F>
    bool guardPrint(F&& body);

    // Where the list and definition windows stand, set from the screen at start-up.
    const ScreenLayout& layout() const { return layout_; }
    void setLayout(const ScreenLayout& layout) { layout_ = layout; }

    // The last field search chosen in this run: its comparison is offered first at the next one.
    const SearchConditions& lastSearch() const { return lastSearch_; }
    void setLastSearch(const SearchConditions& conditions) { lastSearch_ = conditions; }

    ConfigCache cache;
    PrintSettings printSettings;
    // Where this run's CSV and PDF dialogs last found the person's files.
    RecentFolders recentFolders;
    // Where this start found its database and connection file (the version window says so);
    // everything beside the program until the start says otherwise.
    ProgramPlaces places;

private:
    ScreenLayout layout_;
    SearchConditions lastSearch_;
    QString programDir_;
    Ui& ui_;
    std::unique_ptr<Printer> ownPrinter_;
    Printer* printer_;
    Opener* opener_ = nullptr;
};

#include "platform/db/DbError.h"
#include "platform/print/PrinterError.h"

template <class F>
bool App::guard(F&& body)
{
    try {
        body();
        return true;
    } catch (const DbError& e) {
        showDbError(e);
        return false;
    }
}

template <class F>
bool App::guardPrint(F&& body)
{
    try {
        body();
        return true;
    } catch (const PrinterError& e) {
        showPrinterError(e);
        return false;
    }
}
