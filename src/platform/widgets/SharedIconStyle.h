#pragma once
#include <QHash>
#include <QIcon>
#include <QProxyStyle>

class QApplication;

// The program's style with its standard icons loaded once for the whole program. The style
// reads an icon's images from its files every time a window asks for it, and every tool bar
// and menu bar asks for the arrow of its overflow button as it is made; here each icon is
// read the first time and handed out again after that.
class SharedIconStyle : public QProxyStyle {
public:
    // Makes it the application's style, once: in all but its icons the style the application
    // would have started with.
    static void install(QApplication& application);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;

private:
    explicit SharedIconStyle(QStyle* base);

    // By icon and direction (an arrow points the other way from right to left).
    mutable QHash<quint64, QIcon> icons_;
};
