#include "platform/widgets/Twips.h"

#include <QFontMetrics>
#include <QWidget>

#include "platform/text/TextUtil.h"

int twipsToPixelsX(const QWidget& w, int twips)
{
    return text::twipsToPixels(twips, w.logicalDpiX());
}

int twipsToPixelsY(const QWidget& w, int twips)
{
    return text::twipsToPixels(twips, w.logicalDpiY());
}

int pixelsToTwipsX(const QWidget& w, int pixels)
{
    return text::pixelsToTwips(pixels, w.logicalDpiX());
}

int pixelsToTwipsY(const QWidget& w, int pixels)
{
    return text::pixelsToTwips(pixels, w.logicalDpiY());
}

void setGeometryTwips(QWidget& w, int left, int top, int width, int height)
{
    if (w.isWindow()) {
        w.resize(twipsToPixelsX(w, width), twipsToPixelsY(w, height));
        w.move(twipsToPixelsX(w, left), twipsToPixelsY(w, top));
        return;
    }
    w.setGeometry(twipsToPixelsX(w, left), twipsToPixelsY(w, top),
                  twipsToPixelsX(w, width), twipsToPixelsY(w, height));
}

void moveTwips(QWidget& w, int left, int top)
{
    w.move(twipsToPixelsX(w, left), twipsToPixelsY(w, top));
}

void setWidthTwips(QWidget& w, int width)
{
    w.resize(twipsToPixelsX(w, width), w.height());
}

void setHeightTwips(QWidget& w, int height)
{
    w.resize(w.width(), twipsToPixelsY(w, height));
}

void setLeftTwips(QWidget& w, int left)
{
    w.move(twipsToPixelsX(w, left), w.y());
}

void setTopTwips(QWidget& w, int top)
{
    w.move(w.x(), twipsToPixelsY(w, top));
}

int leftTwips(const QWidget& w)
{
    return pixelsToTwipsX(w, w.x());
}

int topTwips(const QWidget& w)
{
    return pixelsToTwipsY(w, w.y());
}

int widthTwips(const QWidget& w)
{
    return pixelsToTwipsX(w, w.width());
}

int heightTwips(const QWidget& w)
{
    return pixelsToTwipsY(w, w.height());
}

int textWidthTwips(const QWidget& w, const QString& text)
{
    return pixelsToTwipsX(w, w.fontMetrics().horizontalAdvance(text));
}
