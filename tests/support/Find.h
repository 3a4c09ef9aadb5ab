#pragma once
#include <QList>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QObject>
#include <QString>
#include <gtest/gtest.h>

namespace person {

// Opens a menu and closes it again, as a person looking through it does: a menu that makes
// its entries when it first opens has them then.
inline void openMenu(QMenu* menu)
{
    if (!menu) return;
    menu->popup(QPoint(0, 0));
    menu->hide();
}

// Opens every menu of a window's menu bar and every menu within them, one after another.
inline void openMenus(const QObject& window)
{
    const auto* main = qobject_cast<const QMainWindow*>(&window);
    if (!main || !main->menuWidget()) return;
    QList<QMenu*> pending;
    for (QAction* a : main->menuWidget()->actions())
        if (a->menu()) pending << a->menu();
    while (!pending.isEmpty()) {
        QMenu* m = pending.takeFirst();
        openMenu(m);
        for (QAction* a : m->actions())
            if (a->menu()) pending << a->menu();
    }
}

}  // namespace person

// A control of a window found by its object name, as a person finds it by its place; the test
// fails (and gets null) when the window has no such control. An entry of a menu that is made
// when the menu first opens is found after opening the window's menus.
template <class T>
T* child(const QObject& window, const QString& name)
{
    T* found = window.findChild<T*>(name);
    if (!found) {
        person::openMenus(window);
        found = window.findChild<T*>(name);
    }
    if (!found) ADD_FAILURE() << "no control named " << name.toStdString() << " in " << window.objectName().toStdString();
    return found;
}
