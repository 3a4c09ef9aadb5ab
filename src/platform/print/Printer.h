#pragma once
#include "platform/print/PaperCodes.h"
#include "platform/print/PrintFont.h"
#include "platform/print/PrinterBackend.h"
#include "platform/print/PrinterError.h"

#include <memory>

// The printer as the reports use it: every length in millimetres from the top-left corner of
// the printable area. The paper, orientation, font, pen and current position stay as last set
// for the whole run of the program, across documents.
//
// A document starts with the first output, newPage breaks it, endDoc sends it to the device.
// print() places text with its top edge at the current position; ending the line moves the
// current position to the left edge of the next line (down by the text height), otherwise it
// moves right by the text width. line() and box() leave the current position at their end
// point. A setting the device refuses throws PrinterError 380 and changes nothing.
class Printer {
public:
    explicit Printer(std::unique_ptr<PrinterBackend> backend);
    virtual ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    PrinterBackend& backend() { return *backend_; }
    // False when there is no device to print on (no printer installed or reachable).
    bool available() const { return backend_->deviceAvailable(); }
    const PrinterBackend& backend() const { return *backend_; }

    // Paper codes: paper::A4 (9), paper::A5 (11), paper::B5 (13), …
    int paperSize() const;
    void setPaperSize(int code);
    Orientation orientation() const;
    void setOrientation(Orientation o);
    // Sets paper and orientation together and checks what the device then reports: a device
    // that refuses either, or reports another page afterwards, throws PrinterError 380.
    void setPage(int code, Orientation o);
    // The printable area of the current paper and orientation.
    double scaleWidth() const;
    double scaleHeight() const;

    const PrintFont& font() const { return font_; }
    void setFont(const PrintFont& font);
    QString fontName() const { return font_.name; }
    double fontSize() const { return font_.size; }
    bool fontBold() const { return font_.bold; }
    bool fontItalic() const { return font_.italic; }
    void setFontName(const QString& name);
    void setFontSize(double points);
    void setFontBold(bool on) { font_.bold = on; }
    void setFontItalic(bool on) { font_.italic = on; }

    double currentX() const { return x_; }
    double currentY() const { return y_; }
    void setCurrentX(double mm) { x_ = mm; }
    void setCurrentY(double mm) { y_ = mm; }

    // Width of the widest line and height of all lines of a text in the current font.
    double textWidth(const QString& text) const;
    double textHeight(const QString& text = QStringLiteral("A")) const;
    void print(const QString& text, bool endLine = true);

    int drawWidth() const { return pen_.width; }
    void setDrawWidth(int dots);
    LineStyle drawStyle() const { return pen_.style; }
    void setDrawStyle(LineStyle style) { pen_.style = style; }
    void line(double x1, double y1, double x2, double y2);
    void box(double x1, double y1, double x2, double y2);
    // Draws a picture scaled into the rectangle (x, y, width, height).
    void paintPicture(const QImage& picture, double x, double y, double width, double height);

    void newPage();
    void endDoc();
    // Abandons the open document, if any: nothing of it is printed.
    void killDoc();
    bool documentOpen() const { return open_; }
    // The page being printed, 1 for the first; 0 when no document is open.
    int page() const { return open_ ? page_ : 0; }

private:
    void ensureDocument();
    [[noreturn]] static void refuse(const QString& what);

    std::unique_ptr<PrinterBackend> backend_;
    PrintFont font_;
    PrintPen pen_;
    double x_ = 0;
    double y_ = 0;
    bool open_ = false;
    int page_ = 0;
};
