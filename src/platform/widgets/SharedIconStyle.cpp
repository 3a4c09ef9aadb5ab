#include "platform/widgets/SharedIconStyle.h"

#include <QApplication>
#include <QStyleOption>

SharedIconStyle::SharedIconStyle(QStyle* base) : QProxyStyle(base) {}

void SharedIconStyle::install(QApplication& application)
{
    static SharedIconStyle* installed = nullptr;
    if (installed && application.style() == installed) return;
    // Without a style of its own the proxy takes the one the application would have started
    // with (its -style option, else the platform's), made once: the application's own style
    // is not made first.
    installed = new SharedIconStyle(nullptr);
    QApplication::setStyle(installed);
}

QIcon SharedIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    // Of what an option tells, the style's icons depend on the direction alone (an arrow turns
    // from right to left); without one, the application's direction counts.
    const bool rightToLeft = option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    const quint64 key = (quint64(quint32(icon)) << 1) | (rightToLeft ? 1u : 0u);
    const auto found = icons_.constFind(key);
    if (found != icons_.constEnd()) return *found;
    const QIcon made = QProxyStyle::standardIcon(icon, option, widget);
    icons_.insert(key, made);
    return made;
}
