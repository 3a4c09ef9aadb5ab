#pragma once
#include "core/ConfigCache.h"

#include <QString>

class Ui;
class Database;
class DbError;

// Everything a window needs: the program directory, the configuration cache and the Ui
// service. main() builds the real one; every test builds its own.
class App {
public:
    App(const QString& programDir, Ui& ui);

    const QString& programDir() const { return programDir_; }
    QString databasePath() const;
    QString helpPath() const;
    Ui& ui() { return ui_; }

    // Opens Tanzo.mdb for one action.
    Database openDatabase() const;
    // Shows an engine error the way every handler does: its message, title "Error".
    void showDbError(const DbError& e);
    // Runs a handler's body; an engine error is shown and the program stays usable.
    template <class F>
    bool guard(F&& body);

    ConfigCache cache;

private:
    QString programDir_;
    Ui& ui_;
};

#include "platform/db/DbError.h"

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
