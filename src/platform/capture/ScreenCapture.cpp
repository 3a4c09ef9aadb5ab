#include "platform/capture/ScreenCapture.h"

#include "platform/print/Printer.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// Platforms whose screen pixels Qt cannot read back, or that draw no window frames.
bool screenUnreadable()
{
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("offscreen") || p == QLatin1String("minimal") || p.startsWith(QLatin1String("wayland"));
}

// The part of the window below its menu bar, in window coordinates.
QRect clientRect(QWidget& window)
{
    QRect r = window.rect();
    if (auto* mw = qobject_cast<QMainWindow*>(&window)) {
        QWidget* bar = mw->menuWidget();
        if (bar && bar->isVisibleTo(mw)) r.setTop(bar->geometry().bottom() + 1);
    }
    return r;
}

QImage widgetPicture(QWidget& w, const QRect& area)
{
    const QRect r = area.intersected(w.rect());
    if (r.isEmpty()) return QImage();
    return w.grab(r).toImage();
}

QScreen* screenOf(QWidget* window)
{
    if (window) {
        if (QScreen* s = window->screen()) return s;
    }
    return QGuiApplication::primaryScreen();
}

}  // namespace

QImage CaptureWindowArea(QWidget& window, bool clientOnly, int left, int top, int width, int height)
{
    QWidget& w = *window.window();
    if (width <= 0 || height <= 0) return QImage();
    if (clientOnly) {
        const QRect client = clientRect(w);
        QRect r(client.topLeft() + QPoint(left, top), QSize(width, height));
        return widgetPicture(w, r.intersected(client));
    }
    // With a frame on the screen, read the screen under the frame; otherwise the window itself.
    if (!screenUnreadable() && w.isVisible() && !w.isMinimized()) {
        const QRect frame = w.frameGeometry();
        if (QScreen* s = screenOf(&w)) {
            const QPoint origin = frame.topLeft() - s->geometry().topLeft();
            const QImage img = s->grabWindow(0, origin.x() + left, origin.y() + top, width, height).toImage();
            if (!img.isNull()) return img;
        }
    }
    // Where no frame can be read, the window itself stands for it.
    return widgetPicture(w, QRect(left, top, width, height));
}

QImage CaptureWholeWindow(QWidget& window)
{
    QWidget& w = *window.window();
    const QSize size = (w.isVisible() && !screenUnreadable()) ? w.frameGeometry().size() : w.size();
    return CaptureWindowArea(w, false, 0, 0, size.width(), size.height());
}

QImage CaptureClientArea(QWidget& window)
{
    QWidget& w = *window.window();
    const QRect client = clientRect(w);
    return CaptureWindowArea(w, true, 0, 0, client.width(), client.height());
}

QImage CaptureWholeScreen(QWidget* window)
{
    QScreen* screen = screenOf(window ? window->window() : nullptr);
    if (!screen) return QImage();
    if (!screenUnreadable()) {
        const QImage img = screen->grabWindow(0).toImage();
        if (!img.isNull()) return img;
    }
    // The screen as the person sees it: the visible windows, bottom first, over the desktop.
    const QRect geometry = screen->geometry();
    QImage img(geometry.size(), QImage::Format_RGB32);
    img.fill(QApplication::palette().color(QPalette::Window).darker(150));
    QPainter p(&img);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top->isMinimized() || top->screen() != screen) continue;
        if (top == QApplication::activeWindow()) continue;
        p.drawPixmap(top->geometry().topLeft() - geometry.topLeft(), top->grab());
    }
    if (QWidget* active = QApplication::activeWindow(); active && active->isVisible() && active->screen() == screen)
        p.drawPixmap(active->geometry().topLeft() - geometry.topLeft(), active->grab());
    return img;
}

QSizeF FittedPictureSize(const QSize& pictureSize, const QSizeF& pageSize)
{
    if (pictureSize.isEmpty() || pageSize.isEmpty()) return QSizeF();
    // Both sizes in hundredths of a millimetre, as the page is measured for the fitting.
    const double r = double(pictureSize.width()) / pictureSize.height();
    const double pw = pageSize.width() * 100.0;
    const double ph = pageSize.height() * 100.0;
    const double rp = pw / ph;
    double w, h;
    if (r >= rp) {
        w = pw;
        h = pw / r;
    } else {
        h = ph;
        w = ph * r;
    }
    return QSizeF(w / 100.0, h / 100.0);
}

bool PrintPictureFitted(Printer& printer, const QImage& picture)
{
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return false;
    printer.setOrientation(picture.height() < picture.width() ? Orientation::Landscape : Orientation::Portrait);
    const QSizeF size = FittedPictureSize(picture.size(), QSizeF(printer.scaleWidth(), printer.scaleHeight()));
    if (size.isEmpty()) return false;
    printer.paintPicture(picture, 0, 0, size.width(), size.height());
    return true;
}
