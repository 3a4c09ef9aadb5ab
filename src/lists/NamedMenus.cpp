#include "lists/NamedMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QMenu* NamedMenus::menu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QMenu* NamedMenus::submenu(QMenu* parent, const char* name, const QString& caption)
{
    QMenu* m = parent->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* NamedMenus::item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QAction* NamedMenus::barItem(QMenuBar* bar, const char* name, const QString& caption)
{
    QAction* a = bar->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

void NamedMenus::fillOnFirstOpen(QMenu& menu, std::function<void()> fill)
{
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, std::move(fill), Qt::SingleShotConnection);
}
