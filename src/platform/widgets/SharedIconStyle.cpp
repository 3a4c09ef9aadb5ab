#include "platform/widgets/SharedIconStyle.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>

SharedIconStyle::SharedIconStyle(QStyle* base) : QProxyStyle(base) {}

void SharedIconStyle::install(QApplication& application)
{
    if (dynamic_cast<SharedIconStyle*>(application.style())) return;
    // A style of the same kind as the application's; with none by that name the proxy takes
    // the platform's default style, which is what the application started with.
    QApplication::setStyle(new SharedIconStyle(QStyleFactory::create(application.style()->name())));
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
