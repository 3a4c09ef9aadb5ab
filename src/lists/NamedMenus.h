#pragma once
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;

// Menus and menu items that carry their names as objectName, so that tests and
// accessibility find them.
class NamedMenus {
public:
    static QMenu* menu(QMenuBar* bar, const char* name, const QString& caption);
    static QMenu* submenu(QMenu* parent, const char* name, const QString& caption);
    static QAction* item(QMenu* menu, const char* name, const QString& caption);
    // An item standing on the menu bar itself.
    static QAction* barItem(QMenuBar* bar, const char* name, const QString& caption);
    // Runs `fill` once, when the menu first opens (by the pointer, a key or F10), before it
    // shows: a menu nobody opens costs no entries.
    static void fillOnFirstOpen(QMenu& menu, std::function<void()> fill);
};
