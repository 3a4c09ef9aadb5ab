#include "platform/print/Printer.h"

#include <QStringList>
#include <algorithm>

namespace {
// The lines of a text: a CR LF, CR or LF breaks it.
QStringList linesOf(const QString& text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.split(QLatin1Char('\n'));
}
}  // namespace

Printer::Printer(std::unique_ptr<PrinterBackend> backend) : backend_(std::move(backend)) {}

Printer::~Printer()
{
    // A document still open when the program ends is printed, as the device would on exit.
    if (open_) {
        try {
            backend_->endDocument();
        } catch (const PrinterError&) {
        }
    }
}

void Printer::refuse(const QString& what)
{
    throw PrinterError(PrinterError::kInvalidSetting, QStringLiteral("プロパティの値が不正です。(%1)").arg(what));
}

int Printer::paperSize() const { return backend_->paperSize(); }

void Printer::setPaperSize(int code)
{
    if (!paper::pageSizeOf(code) || !backend_->setPaperSize(code)) refuse(QStringLiteral("PaperSize = %1").arg(code));
}

Orientation Printer::orientation() const { return backend_->orientation(); }

void Printer::setOrientation(Orientation o)
{
    if ((o != Orientation::Portrait && o != Orientation::Landscape) || !backend_->setOrientation(o))
        refuse(QStringLiteral("Orientation = %1").arg(static_cast<int>(o)));
}

void Printer::setPage(int code, Orientation o)
{
    setPaperSize(code);
    setOrientation(o);
    if (backend_->paperSize() != code || backend_->orientation() != o)
        refuse(QStringLiteral("PaperSize = %1, Orientation = %2").arg(code).arg(static_cast<int>(o)));
}

double Printer::scaleWidth() const { return backend_->printableSizeMm().width(); }
double Printer::scaleHeight() const { return backend_->printableSizeMm().height(); }

namespace {
bool sizeTaken(double points) { return points > 0 && points <= 2160; }
}  // namespace

void Printer::setFont(const PrintFont& font)
{
    if (!sizeTaken(font.size)) refuse(QStringLiteral("FontSize = %1").arg(font.size));
    font_ = font;
}

void Printer::setFontName(const QString& name) { font_.name = name; }

void Printer::setFontSize(double points)
{
    if (!sizeTaken(points)) refuse(QStringLiteral("FontSize = %1").arg(points));
    font_.size = points;
}

double Printer::textWidth(const QString& text) const
{
    double w = 0;
    for (const QString& l : linesOf(text)) w = std::max(w, backend_->textWidthMm(l, font_));
    return w;
}

double Printer::textHeight(const QString& text) const
{
    return backend_->lineHeightMm(font_) * linesOf(text).size();
}

void Printer::print(const QString& text, bool endLine)
{
    const QStringList lines = linesOf(text);
    const double lineHeight = backend_->lineHeightMm(font_);
    for (int i = 0; i < lines.size(); ++i) {
        const QString& l = lines[i];
        if (!l.isEmpty()) {
            ensureDocument();
            backend_->drawText(QPointF(x_, y_), l, font_);
        }
        if (i + 1 < lines.size() || endLine) {
            x_ = 0;
            y_ += lineHeight;
        } else {
            x_ += backend_->textWidthMm(l, font_);
        }
    }
}

void Printer::setDrawWidth(int dots)
{
    if (dots < 1 || dots > 32767) refuse(QStringLiteral("DrawWidth = %1").arg(dots));
    pen_.width = dots;
}

void Printer::line(double x1, double y1, double x2, double y2)
{
    ensureDocument();
    backend_->drawLine(QPointF(x1, y1), QPointF(x2, y2), pen_);
    x_ = x2;
    y_ = y2;
}

void Printer::box(double x1, double y1, double x2, double y2)
{
    ensureDocument();
    backend_->drawBox(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(), pen_);
    x_ = x2;
    y_ = y2;
}

void Printer::paintPicture(const QImage& picture, double x, double y, double width, double height)
{
    if (picture.isNull() || !(width > 0) || !(height > 0)) return;
    ensureDocument();
    backend_->drawPicture(QRectF(x, y, width, height), picture);
}

void Printer::newPage()
{
    ensureDocument();
    backend_->newPage();
    ++page_;
    x_ = 0;
    y_ = 0;
}

void Printer::endDoc()
{
    x_ = 0;
    y_ = 0;
    if (!open_) return;
    open_ = false;
    page_ = 0;
    backend_->endDocument();
}

void Printer::killDoc()
{
    x_ = 0;
    y_ = 0;
    if (!open_) return;
    open_ = false;
    page_ = 0;
    backend_->abortDocument();
}

void Printer::ensureDocument()
{
    if (open_) return;
    backend_->beginDocument();
    open_ = true;
    page_ = 1;
}
