#pragma once
#include "platform/print/PrintFont.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPrinter;

// Orientation codes as the print settings store them.
enum class Orientation { Portrait = 1, Landscape = 2 };
enum class LineStyle { Solid, Dot };

// A line's pen. The width is counted in printer dots of 1/600 inch (widths 8, 5, 4, 2, 1 are
// what the reports use); a dotted line is drawn as dots.
struct PrintPen {
    int width = 1;
    LineStyle style = LineStyle::Solid;

    static constexpr double kDotsPerInch = 600.0;
    double widthMm() const { return width * 25.4 / kDotsPerInch; }
};

// What a printing device does for the Printer: it keeps the paper and orientation (the device
// remembers them between documents), reports the printable area, measures text and draws in
// millimetres from the top-left corner of the printable area.
class PrinterBackend {
public:
    virtual ~PrinterBackend() = default;

    virtual int paperSize() const = 0;
    // false when the device cannot take the paper code.
    virtual bool setPaperSize(int code) = 0;
    virtual Orientation orientation() const = 0;
    virtual bool setOrientation(Orientation o) = 0;
    // Width and height of the printable area in millimetres, for the current paper and orientation.
    virtual QSizeF printableSizeMm() const = 0;

    virtual double textWidthMm(const QString& text, const PrintFont& font) const = 0;
    virtual double lineHeightMm(const PrintFont& font) const = 0;

    // A document starts before its first output and ends with endDocument (the job goes to the
    // device) or abortDocument (nothing is printed). Errors are PrinterError.
    virtual void beginDocument() = 0;
    virtual void drawText(const QPointF& topLeftMm, const QString& text, const PrintFont& font) = 0;
    virtual void drawLine(const QPointF& fromMm, const QPointF& toMm, const PrintPen& pen) = 0;
    virtual void drawBox(const QRectF& rectMm, const PrintPen& pen) = 0;
    virtual void drawPicture(const QRectF& rectMm, const QImage& picture) = 0;
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
    virtual void abortDocument() = 0;

    // False when there is nothing to print on (no printer installed or reachable).
    virtual bool deviceAvailable() const { return true; }

    // The Qt printer underneath, for the printer dialog; null for a device without one.
    virtual QPrinter* device() { return nullptr; }
};
