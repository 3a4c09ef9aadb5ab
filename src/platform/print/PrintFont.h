#pragma once
#include <QFont>
#include <QString>

class QPaintDevice;

// The printer's font as the reports set it: a name as the person knows it ("ＭＳ ゴシック"),
// a size in points that may be fractional (9.75), bold and italic.
struct PrintFont {
    QString name = QStringLiteral("ＭＳ ゴシック");
    double size = 10.0;
    bool bold = false;
    bool italic = false;

    bool operator==(const PrintFont&) const = default;

    // The installed family that stands for a font name: the Gothic and Mincho faces map to
    // the IPA fonts (fixed pitch, a full-width character twice a half-width one).
    static QString familyFor(const QString& name);

    // The font to paint and measure with (outline metrics, no hinting, so that widths scale
    // exactly with the resolution).
    QFont qfont() const;

    // Text width and line height in millimetres on a device. The size resolves to whole dots
    // of the device, as the printed text does; measuring against fixedResolutionDevice()
    // gives the same numbers as a 1200 dpi printer.
    double widthMm(const QString& text, const QPaintDevice& device) const;
    double lineHeightMm(const QPaintDevice& device) const;

    static constexpr int kFixedDpi = 1200;
    static const QPaintDevice& fixedResolutionDevice();
};
