#include "printing/PrintLayout.h"

#include "core/PrintSettings.h"
#include "platform/print/Printer.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace printlayout {

namespace {
int roundMm(double mm) { return static_cast<int>(text::roundHalfEven(mm)); }
}  // namespace

QString cellText(const ReportListView& rows, int row, int field) { return text::Trim(rows.text(row, field)); }

ColumnMeasure measureColumn(const Printer& printer, const QString& heading, const ReportListView& rows, int field)
{
    const QString name = text::Trim(heading);
    ColumnMeasure m{roundMm(printer.textWidth(name)), text::LenMbcs(name)};
    const int n = rows.rowCount();
    for (int r = 0; r < n; ++r) {
        const QString cell = cellText(rows, r, field);
        m.widthMm = std::max(m.widthMm, roundMm(printer.textWidth(cell)));
        m.maxBytes = std::max(m.maxBytes, text::LenMbcs(cell));
    }
    return m;
}

void setLineMetrics(PrintSettings& s, const Printer& printer)
{
    switch (text::roundHalfEven(printer.fontSize())) {
    case 8:
    case 9:
        s.lineHeightMm = 4;
        s.ruleOffsetMm = 0.75f;
        break;
    case 10:
    case 11:
        s.lineHeightMm = 5;
        s.ruleOffsetMm = 1.0f;
        break;
    default:
        s.lineHeightMm = roundMm(printer.textHeight(QStringLiteral("A"))) + 1;
        s.ruleOffsetMm = 0.5f;
        break;
    }
}

void setPageMetrics(PrintSettings& s, const Printer& printer)
{
    if (s.reportKind == 2) {
        s.linesPerPage = 27;
        s.pageHeightMm = 27 * s.lineHeightMm;
        s.usableWidthMm = 130;
        return;
    }
    s.linesPerPage = s.lineHeightMm > 0 ? static_cast<qint32>(std::floor(printer.scaleHeight() / s.lineHeightMm)) : 0;
    s.pageHeightMm = s.linesPerPage * s.lineHeightMm;
    s.usableWidthMm = static_cast<qint32>(std::trunc(printer.scaleWidth() - 5));
}

std::optional<int> marginValue(const QString& typed)
{
    QString t = text::Trim(typed);
    if (t.isEmpty()) return 0;
    // Full-width digits, signs and points as a Japanese keyboard types them.
    for (QChar& c : t) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19) c = QChar(u - 0xFF10 + '0');
        else if (u == 0xFF0E) c = QLatin1Char('.');
        else if (u == 0xFF0B) c = QLatin1Char('+');
        else if (u == 0xFF0D || u == 0x2212) c = QLatin1Char('-');
    }
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)"));
    const QRegularExpressionMatch m = number.match(t);
    if (!m.hasMatch()) return std::nullopt;
    const double v = m.captured(0).toDouble();
    if (v < -0.5 || v > kMaxMarginMm + 0.5) return std::nullopt;
    const qint64 mm = text::roundHalfEven(v);
    if (mm < 0 || mm > kMaxMarginMm) return std::nullopt;
    return static_cast<int>(mm);
}

PageFit pageFit(const std::vector<int>& printedWidthsMm, int leftMarginMm, int usableWidthMm)
{
    PageFit fit;
    for (const int w : printedWidthsMm) fit.columnsMm += w;
    fit.totalMm = leftMarginMm + fit.columnsMm;
    fit.spareMm = usableWidthMm - fit.totalMm;
    return fit;
}

}  // namespace printlayout
