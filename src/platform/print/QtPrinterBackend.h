#pragma once
#include "platform/print/PrinterBackend.h"

#include <QPainter>
#include <QPrinter>
#include <memory>

// Prints through Qt: on the system's printer, or into a PDF file. The QPrinter keeps the
// paper, orientation and copy count the person chose in the printer dialog.
class QtPrinterBackend : public PrinterBackend {
public:
    // The system's default printer.
    QtPrinterBackend();
    // A PDF file at the path (A4 portrait, 4 mm margins to begin with); each document
    // replaces the file.
    explicit QtPrinterBackend(const QString& pdfPath);
    // Paints on a Qt printer owned by someone else (a print preview's), as it is set up.
    explicit QtPrinterBackend(QPrinter& printer);
    ~QtPrinterBackend() override;

    int paperSize() const override;
    bool setPaperSize(int code) override;
    Orientation orientation() const override;
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

    bool deviceAvailable() const override;
    QPrinter* device() override { return &printer_; }

private:
    double px(double mm) const;
    QPointF px(const QPointF& mm) const;
    void applyPen(const PrintPen& pen);
    void requirePainting() const;

    std::unique_ptr<QPrinter> own_;
    QPrinter& printer_;
    QPainter painter_;
};
