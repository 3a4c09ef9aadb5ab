#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class Printer;
class ReportListView;
struct PrintSettings;

// The measures a report layout is built from, shared by the print settings windows and their
// confirmation windows. Lengths are millimetres in the printer's current font; a measured
// length is rounded half to even.
namespace printlayout {

// The widest text and the most bytes (code page 932) of one printed column.
struct ColumnMeasure {
    int widthMm = 0;
    int maxBytes = 0;
};

// A list cell as it is printed: the row's item text for field 0, else its sub-item `field`,
// trimmed.
QString cellText(const ReportListView& rows, int row, int field);

// Measures a column over its heading and over the cells of field `field` in every row of the
// list as it shows them. The width has no gap added.
ColumnMeasure measureColumn(const Printer& printer, const QString& heading, const ReportListView& rows, int field);

// Every printed column is this much wider than its widest text: the gap before the next one.
constexpr int kColumnGapMm = 4;
// The width a column takes on the page, from its measured width.
constexpr int printedWidth(int measuredMm) { return measuredMm + kColumnGapMm; }

// Whether columns of these printed widths fit the page beside the left margin, and what the
// page's usable width leaves over (negative: how much too wide they are).
struct PageFit {
    int columnsMm = 0;  // every printed width
    int totalMm = 0;    // the margin and the columns
    int spareMm = 0;    // the usable width less the total
    bool fits() const { return spareMm >= 0; }
};
PageFit pageFit(const std::vector<int>& printedWidthsMm, int leftMarginMm, int usableWidthMm);

// Lines per page, page height and the usable width from the printer's printable area and the
// line height already in the settings; the CD-case back list has a fixed 27-line, 130 mm area.
void setPageMetrics(PrintSettings& settings, const Printer& printer);

// Line height and how far above a line its rules are drawn, from the printer's font size.
void setLineMetrics(PrintSettings& settings, const Printer& printer);

// The left margin as typed: blanks around it and full-width digits allowed, the number at the
// start of the text taken ("12mm" is 12) and rounded half to even; an empty text is 0.
// nullopt when the text starts with no number or the margin is outside 0..kMaxMarginMm.
std::optional<int> marginValue(const QString& typed);
constexpr int kMaxMarginMm = 999;

}  // namespace printlayout
