#include "platform/print/PrintFont.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>

QString PrintFont::familyFor(const QString& name)
{
    // Full-width and half-width spellings of the usual Japanese faces.
    QString key = name.trimmed();
    for (QChar& c : key)
        if (c.unicode() >= 0xFF01 && c.unicode() <= 0xFF5E) c = QChar(c.unicode() - 0xFEE0);
    key.replace(QChar(0x3000), QLatin1Char(' '));
    key = key.toLower().remove(QLatin1Char(' '));

    struct Map {
        const char16_t* key;
        const char* family;
    };
    static const Map kMap[] = {
        {u"msゴシック", "IPAGothic"},   {u"msgothic", "IPAGothic"},   {u"ms明朝", "IPAMincho"},
        {u"msmincho", "IPAMincho"},     {u"mspゴシック", "IPAPGothic"}, {u"mspgothic", "IPAPGothic"},
        {u"msp明朝", "IPAPMincho"},     {u"mspmincho", "IPAPMincho"},   {u"ipaゴシック", "IPAGothic"},
        {u"ipa明朝", "IPAMincho"},
    };
    for (const Map& m : kMap)
        if (key == QString::fromUtf16(m.key)) return QString::fromLatin1(m.family);
    return name.trimmed().isEmpty() ? QStringLiteral("IPAGothic") : name.trimmed();
}

QFont PrintFont::qfont() const
{
    QFont f(familyFor(name));
    f.setPointSizeF(size > 0 ? size : 10.0);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::NoSubpixelAntialias));
    f.setKerning(false);
    return f;
}

double PrintFont::widthMm(const QString& text, const QPaintDevice& device) const
{
    const QFontMetricsF fm(qfont(), &device);
    return fm.horizontalAdvance(text) * 25.4 / device.logicalDpiY();
}

double PrintFont::lineHeightMm(const QPaintDevice& device) const
{
    const QFontMetricsF fm(qfont(), &device);
    return fm.height() * 25.4 / device.logicalDpiY();
}

const QPaintDevice& PrintFont::fixedResolutionDevice()
{
    static const QImage device = [] {
        QImage img(1, 1, QImage::Format_ARGB32);
        const int dotsPerMeter = qRound(kFixedDpi / 0.0254);
        img.setDotsPerMeterX(dotsPerMeter);
        img.setDotsPerMeterY(dotsPerMeter);
        return img;
    }();
    return device;
}
