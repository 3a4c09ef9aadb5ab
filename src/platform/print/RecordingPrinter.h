#pragma once
#include "platform/print/Printer.h"

#include <QList>
#include <QMarginsF>
#include <QSet>
#include <QStringList>
#include <vector>

// One thing a recording printer was asked to do. Coordinates are millimetres from the top-left
// corner of the printable area: a text's top-left corner and its far corner (width and line
// height in the font), a line's two ends, a box's or picture's corners.
struct PrintOp {
    enum class Kind { Text, Line, Box, Picture, NewPage, EndDoc, KillDoc };
    Kind kind = Kind::Text;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QString text;
    PrintFont font;
    PrintPen pen;
    QImage picture;
    int paper = 0;
    Orientation orientation = Orientation::Portrait;
    int document = 0;  // 1 for the first document
    int page = 0;      // 1 for a document's first page
};

// A printing device that prints nothing and records everything. It measures text with the
// same font metrics a 1200 dpi printer has, so layouts computed against it are the real ones.
// Its printable area is the paper less a margin (4 mm on every side unless set), and a test
// may make it refuse paper codes or orientations as a fussy driver would, or go offline.
class RecordingBackend : public PrinterBackend {
public:
    int paperSize() const override { return paper_; }
    bool setPaperSize(int code) override;
    Orientation orientation() const override { return orientation_; }
    bool setOrientation(Orientation o) override;
    QSizeF printableSizeMm() const override;
    double textWidthMm(const QString& text, const PrintFont& font) const override;
    double lineHeightMm(const PrintFont& font) const override;

    void beginDocument() override;
    void drawText(const QPointF& topLeftMm, const QString& text, const PrintFont& font) override;
    void drawLine(const QPointF& fromMm, const QPointF& toMm, const PrintPen& pen) override;
    void drawBox(const QRectF& rectMm, const PrintPen& pen) override;
    void drawPicture(const QRectF& rectMm, const QImage& picture) override;
    void newPage() override;
    void endDocument() override;
    void abortDocument() override;

    void setMarginsMm(const QMarginsF& m) { margins_ = m; }
    void refusePaper(int code) { refusedPapers_.insert(code); }
    void refuseOrientation(Orientation o) { refusedOrientations_.insert(static_cast<int>(o)); }
    void acceptEverything();
    // An offline device: starting a document fails with PrinterError 482.
    void setOffline(bool offline) { offline_ = offline; }
    // A machine without any printer installed.
    bool deviceAvailable() const override { return installed_; }
    void setInstalled(bool installed) { installed_ = installed; }

    const std::vector<PrintOp>& ops() const { return ops_; }
    void clear() { ops_.clear(); }
    int documentsStarted() const { return documents_; }

private:
    PrintOp op(PrintOp::Kind kind) const;
    // An operation between two points (a line, or the corners of a box or picture).
    PrintOp spanOp(PrintOp::Kind kind, const QPointF& fromMm, const QPointF& toMm) const;

    int paper_ = paper::A4;
    Orientation orientation_ = Orientation::Portrait;
    QMarginsF margins_{4, 4, 4, 4};
    QSet<int> refusedPapers_;
    QSet<int> refusedOrientations_;
    std::vector<PrintOp> ops_;
    int documents_ = 0;
    bool offline_ = false;
    bool installed_ = true;
    int page_ = 0;
};

// A Printer over a RecordingBackend, with the record at hand.
class RecordingPrinter : public Printer {
public:
    RecordingPrinter();

    RecordingBackend& recorder() { return static_cast<RecordingBackend&>(backend()); }
    const std::vector<PrintOp>& ops() const { return static_cast<const RecordingBackend&>(backend()).ops(); }
    // The operations of one kind, in order.
    std::vector<PrintOp> ops(PrintOp::Kind kind) const;
    // The texts printed, in order.
    QStringList texts() const;
    // Documents sent to the device (ended, not killed).
    int documentsPrinted() const;
    // Pages of the print jobs sent to the device.
    int pagesPrinted() const;
};
