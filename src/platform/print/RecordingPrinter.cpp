#include "platform/print/RecordingPrinter.h"

#include <QStringList>

bool RecordingBackend::setPaperSize(int code)
{
    if (refusedPapers_.contains(code) || !paper::pageSizeOf(code)) return false;
    paper_ = code;
    return true;
}

bool RecordingBackend::setOrientation(Orientation o)
{
    if (refusedOrientations_.contains(static_cast<int>(o))) return false;
    orientation_ = o;
    return true;
}

void RecordingBackend::acceptEverything()
{
    refusedPapers_.clear();
    refusedOrientations_.clear();
}

QSizeF RecordingBackend::printableSizeMm() const
{
    QSizeF paperMm = paper::pageSizeOf(paper_).value_or(QPageSize(QPageSize::A4)).size(QPageSize::Millimeter);
    if (orientation_ == Orientation::Landscape) paperMm.transpose();
    return QSizeF(paperMm.width() - margins_.left() - margins_.right(),
                  paperMm.height() - margins_.top() - margins_.bottom());
}

double RecordingBackend::textWidthMm(const QString& text, const PrintFont& font) const
{
    return font.widthMm(text, PrintFont::fixedResolutionDevice());
}

double RecordingBackend::lineHeightMm(const PrintFont& font) const
{
    return font.lineHeightMm(PrintFont::fixedResolutionDevice());
}

PrintOp RecordingBackend::op(PrintOp::Kind kind) const
{
    PrintOp o;
    o.kind = kind;
    o.paper = paper_;
    o.orientation = orientation_;
    o.document = documents_;
    o.page = page_;
    return o;
}

void RecordingBackend::beginDocument()
{
    if (offline_) throw PrinterError(PrinterError::kDeviceError, QStringLiteral("プリンター エラーです。(offline)"));
    ++documents_;
    page_ = 1;
}

void RecordingBackend::drawText(const QPointF& topLeftMm, const QString& text, const PrintFont& font)
{
    PrintOp o = op(PrintOp::Kind::Text);
    o.x1 = topLeftMm.x();
    o.y1 = topLeftMm.y();
    o.x2 = o.x1 + textWidthMm(text, font);
    o.y2 = o.y1 + lineHeightMm(font);
    o.text = text;
    o.font = font;
    ops_.push_back(o);
}

void RecordingBackend::drawLine(const QPointF& fromMm, const QPointF& toMm, const PrintPen& pen)
{
    PrintOp o = spanOp(PrintOp::Kind::Line, fromMm, toMm);
    o.pen = pen;
    ops_.push_back(o);
}

PrintOp RecordingBackend::spanOp(PrintOp::Kind kind, const QPointF& fromMm, const QPointF& toMm) const
{
    PrintOp o = op(kind);
    o.x1 = fromMm.x();
    o.y1 = fromMm.y();
    o.x2 = toMm.x();
    o.y2 = toMm.y();
    return o;
}

void RecordingBackend::drawBox(const QRectF& rectMm, const PrintPen& pen)
{
    PrintOp o = spanOp(PrintOp::Kind::Box, rectMm.topLeft(), rectMm.bottomRight());
    o.pen = pen;
    ops_.push_back(o);
}

void RecordingBackend::drawPicture(const QRectF& rectMm, const QImage& picture)
{
    PrintOp o = spanOp(PrintOp::Kind::Picture, rectMm.topLeft(), rectMm.bottomRight());
    o.picture = picture;
    ops_.push_back(o);
}

void RecordingBackend::newPage()
{
    ops_.push_back(op(PrintOp::Kind::NewPage));
    ++page_;
}

void RecordingBackend::endDocument()
{
    ops_.push_back(op(PrintOp::Kind::EndDoc));
    page_ = 0;
}

void RecordingBackend::abortDocument()
{
    ops_.push_back(op(PrintOp::Kind::KillDoc));
    page_ = 0;
}

RecordingPrinter::RecordingPrinter() : Printer(std::make_unique<RecordingBackend>()) {}

std::vector<PrintOp> RecordingPrinter::ops(PrintOp::Kind kind) const
{
    std::vector<PrintOp> out;
    for (const PrintOp& o : ops())
        if (o.kind == kind) out.push_back(o);
    return out;
}

QStringList RecordingPrinter::texts() const
{
    QStringList out;
    for (const PrintOp& o : ops())
        if (o.kind == PrintOp::Kind::Text) out << o.text;
    return out;
}

int RecordingPrinter::documentsPrinted() const
{
    int n = 0;
    for (const PrintOp& o : ops())
        if (o.kind == PrintOp::Kind::EndDoc) ++n;
    return n;
}

int RecordingPrinter::pagesPrinted() const
{
    int n = 0;
    for (const PrintOp& o : ops())
        if (o.kind == PrintOp::Kind::EndDoc) n += o.page;
    return n;
}
