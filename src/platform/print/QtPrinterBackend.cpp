#include "platform/print/QtPrinterBackend.h"

#include "platform/print/PaperCodes.h"
#include "platform/print/PrinterError.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinterInfo>
#include <algorithm>

namespace {
constexpr double kDotMm = 0.35;

[[noreturn]] void deviceError(const QString& what)
{
    throw PrinterError(PrinterError::kDeviceError, QStringLiteral("プリンター エラーです。(%1)").arg(what));
}
}  // namespace

QtPrinterBackend::QtPrinterBackend()
    : own_(std::make_unique<QPrinter>(QPrinter::HighResolution)), printer_(*own_)
{
}

QtPrinterBackend::QtPrinterBackend(QPrinter& printer) : printer_(printer) {}

QtPrinterBackend::QtPrinterBackend(const QString& pdfPath)
    : own_(std::make_unique<QPrinter>(QPrinter::HighResolution)), printer_(*own_)
{
    printer_.setOutputFormat(QPrinter::PdfFormat);
    printer_.setOutputFileName(pdfPath);
    printer_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(4, 4, 4, 4),
                                       QPageLayout::Millimeter));
}

QtPrinterBackend::~QtPrinterBackend()
{
    if (painter_.isActive()) painter_.end();
}

int QtPrinterBackend::paperSize() const { return paper::codeOf(printer_.pageLayout().pageSize()); }

bool QtPrinterBackend::setPaperSize(int code)
{
    const auto size = paper::pageSizeOf(code);
    if (!size) return false;
    if (!printer_.setPageSize(*size)) return false;
    return printer_.pageLayout().pageSize().isEquivalentTo(*size);
}

Orientation QtPrinterBackend::orientation() const
{
    return printer_.pageLayout().orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                                         : Orientation::Portrait;
}

bool QtPrinterBackend::setOrientation(Orientation o)
{
    const auto want = o == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    if (!printer_.setPageOrientation(want)) return false;
    return printer_.pageLayout().orientation() == want;
}

QSizeF QtPrinterBackend::printableSizeMm() const { return printer_.pageLayout().paintRect(QPageLayout::Millimeter).size(); }

double QtPrinterBackend::textWidthMm(const QString& text, const PrintFont& font) const
{
    return font.widthMm(text, printer_);
}

double QtPrinterBackend::lineHeightMm(const PrintFont& font) const { return font.lineHeightMm(printer_); }

double QtPrinterBackend::px(double mm) const { return mm * printer_.resolution() / 25.4; }
QPointF QtPrinterBackend::px(const QPointF& mm) const { return QPointF(px(mm.x()), px(mm.y())); }

bool QtPrinterBackend::deviceAvailable() const
{
    if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) return true;
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void QtPrinterBackend::beginDocument()
{
    if (painter_.isActive()) return;
    if (!painter_.begin(&printer_)) {
        if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
            throw PrinterError(PrinterError::kDeviceError,
                               QStringLiteral("PDFファイルを作成できません。(%1)").arg(printer_.outputFileName()));
        if (printer_.printerName().isEmpty())
            throw PrinterError(PrinterError::kDeviceError,
                               QStringLiteral("印刷できるプリンターが見つかりません。プリンターの接続と設定を確認して下さい。"));
        deviceError(printer_.printerName());
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    painter_.setBrush(Qt::NoBrush);
}

void QtPrinterBackend::requirePainting() const
{
    if (!painter_.isActive()) deviceError(QStringLiteral("no document"));
}

void QtPrinterBackend::drawText(const QPointF& topLeftMm, const QString& text, const PrintFont& font)
{
    requirePainting();
    const QFont f = font.qfont();
    painter_.setFont(f);
    painter_.setPen(Qt::black);
    const QFontMetricsF fm(f, &printer_);
    painter_.drawText(QPointF(px(topLeftMm.x()), px(topLeftMm.y()) + fm.ascent()), text);
}

void QtPrinterBackend::applyPen(const PrintPen& pen)
{
    QPen p(Qt::black);
    p.setWidthF(px(pen.widthMm()));
    if (pen.style == LineStyle::Dot) {
        // Dots and gaps of about a third of a millimetre, whatever the pen's width, so that a
        // thin dotted rule still reads as dotted on paper.
        const double unit = std::max(1.0, kDotMm / pen.widthMm());
        p.setDashPattern({unit, unit});
    }
    p.setCapStyle(Qt::FlatCap);
    painter_.setPen(p);
    painter_.setBrush(Qt::NoBrush);
}

void QtPrinterBackend::drawLine(const QPointF& fromMm, const QPointF& toMm, const PrintPen& pen)
{
    requirePainting();
    applyPen(pen);
    painter_.drawLine(px(fromMm), px(toMm));
}

void QtPrinterBackend::drawBox(const QRectF& rectMm, const PrintPen& pen)
{
    requirePainting();
    applyPen(pen);
    painter_.drawRect(QRectF(px(rectMm.topLeft()), px(rectMm.bottomRight())));
}

void QtPrinterBackend::drawPicture(const QRectF& rectMm, const QImage& picture)
{
    requirePainting();
    painter_.drawImage(QRectF(px(rectMm.topLeft()), px(rectMm.bottomRight())), picture);
}

void QtPrinterBackend::newPage()
{
    requirePainting();
    if (!printer_.newPage()) deviceError(QStringLiteral("new page"));
}

void QtPrinterBackend::endDocument()
{
    if (!painter_.isActive()) return;
    if (!painter_.end()) deviceError(QStringLiteral("end of document"));
}

void QtPrinterBackend::abortDocument()
{
    if (!painter_.isActive()) return;
    const bool aborted = printer_.abort();
    painter_.end();
    // A file cannot take its pages back: an abandoned document leaves no file.
    if (!aborted && printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
        QFile::remove(printer_.outputFileName());
}
