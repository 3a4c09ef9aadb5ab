#include "printing/ReportPrinter.h"

#include "core/App.h"
#include "core/ProgressText.h"
#include "platform/print/Printer.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "printing/PrintLayout.h"

#include <QWidget>
#include <algorithm>

namespace {

constexpr int kColumns = 8;
const QString kPrinting = QStringLiteral("印刷処理中");

// Lengths the printer reports are reals; layouts use them rounded half to even.
double rounded(double mm) { return static_cast<double>(text::roundHalfEven(mm)); }

// Amounts, whole numbers and dates stand right-aligned in their column.
bool rightAlignedType(const QString& typeWord)
{
    return typeWord == QLatin1String("LONG") || typeWord == QLatin1String("CURRENCY") ||
           typeWord == QLatin1String("DATE");
}

using printlayout::cellText;

}  // namespace

ReportPrinter::ReportPrinter(App& app, int category) : ReportPrinter(app, app.printer(), category) {}

ReportPrinter::ReportPrinter(App& app, Printer& printer, int category)
    : app_(app), printer_(printer), category_(std::clamp(category, 0, 5)), settings_(app.printSettings)
{
}

void ReportPrinter::setProgressDisplay(StatusBar3* status, QWidget* window)
{
    status_ = status;
    window_ = window;
}

void ReportPrinter::setMainReportRows(const ReportListView& rows)
{
    rows_ = &rows;
    mainRow_ = nullptr;
}

void ReportPrinter::setSubReportRows(const ReportListView& mainRow, const ReportListView& subRows)
{
    rows_ = &subRows;
    mainRow_ = &mainRow;
}

void ReportPrinter::printMain(const ReportListView& rows)
{
    setMainReportRows(rows);
    settings_.pageNumber = 1;
    PrintMainHeader();
    PrintMainBody();
}

void ReportPrinter::printSub(const ReportListView& mainRow, const ReportListView& subRows)
{
    setSubReportRows(mainRow, subRows);
    settings_.pageNumber = 1;
    PrintSubHeader();
    PrintSubBody();
}

void ReportPrinter::PrintMainHeader() { printHeader(Report::Main); }
void ReportPrinter::PrintMainBody() { printBody(Report::Main); }
void ReportPrinter::PrintMainRules() { printRules(Report::Main); }
void ReportPrinter::PrintSubHeader() { printHeader(Report::Sub); }
void ReportPrinter::PrintSubBody() { printBody(Report::Sub); }
void ReportPrinter::PrintSubRules() { printRules(Report::Sub); }

// ---- what the settings say ----

bool ReportPrinter::cdCase() const { return settings_.reportKind == 2; }

int ReportPrinter::columnCount(Report report) const
{
    const int n = report == Report::Main ? settings_.mainColumnCount : settings_.subColumnCount;
    return std::clamp(n, 0, kColumns);
}

const std::array<FieldDefinition, 8>& ReportPrinter::fieldsOf(Report report) const
{
    const CategoryDefinition& c = app_.cache.row(category_);
    return report == Report::Main ? c.mainFields : c.subFields;
}

int ReportPrinter::fieldOfColumn(int i) const { return std::clamp<int>(settings_.columnField[i], 0, kColumns - 1); }

int ReportPrinter::mainFieldCount() const
{
    const CategoryDefinition& c = app_.cache.row(category_);
    return std::clamp<int>(c.mainFieldCount, 0, kColumns);
}

// ---- header ----

void ReportPrinter::printHeader(Report report)
{
    printTitles(report);
    const bool subDetail = report == Report::Sub && !cdCase();
    if (cdCase() && report == Report::Main)
        printPageNumber(settings_.lineHeightMm, 1, false);
    else
        printPageNumber(2.0 * settings_.lineHeightMm, 2, !cdCase());
    if (subDetail && settings_.pageNumber == 1) printMainRecordBlock();
    printHeadings(report);
}

// The title in 12 point bold, centred over the print width; for the CD-case list of sub
// records the second title under it in 10 point. The font is then back to its own (whole)
// size, so a fractional size such as 9.75 prints the rest of the report at 10.
void ReportPrinter::printTitles(Report report)
{
    Printer& p = printer_;
    const double wholeSize = static_cast<double>(text::roundHalfEven(p.fontSize()));
    const bool bold = p.fontBold();
    const double width = settings_.usableWidthMm;
    const double left = settings_.leftMarginMm;
    // A title wider than the page starts at the left edge rather than off the paper.
    auto centredX = [&](const QString& title) {
        const double tw = rounded(p.textWidth(title));
        return std::max(0.0, rounded((width - left - tw) / 2));
    };

    p.setFontSize(12);
    p.setFontBold(true);
    p.setCurrentY(cdCase() ? 0.0 : settings_.lineHeightMm);
    p.setCurrentX(centredX(settings_.headerTitle1));
    p.print(settings_.headerTitle1);

    if (report == Report::Sub && cdCase()) {
        p.setFontSize(10);
        const double x = centredX(settings_.headerTitle2);  // measured in bold
        p.setCurrentX(x);
        p.setCurrentY(5);
        p.setFontBold(false);
        p.print(settings_.headerTitle2);
    }

    p.setFontSize(wholeSize);
    p.setFontBold(bold);
}

// The page number right-aligned on the print width: "2 頁" on detail lists, "2" alone on
// CD-case lists. The headings follow on the next line.
void ReportPrinter::printPageNumber(double y, int line, bool withUnit)
{
    Printer& p = printer_;
    QString number = QString::number(settings_.pageNumber);
    if (withUnit) number += QStringLiteral(" 頁");
    p.setCurrentY(y);
    settings_.currentLine = line;
    p.setCurrentX(settings_.usableWidthMm - p.textWidth(number));
    p.print(number);
    settings_.currentLine += 1;
}

// The column headings on line currentLine, each centred in its column ("[name]" on CD-case
// lists); the unused columns print nothing.
void ReportPrinter::printHeadings(Report report)
{
    Printer& p = printer_;
    const int n = columnCount(report);
    const auto& fields = fieldsOf(report);
    std::array<QString, kColumns> headings;
    std::array<double, kColumns> xs{};
    double x = settings_.leftMarginMm;
    for (int i = 0; i < kColumns; ++i) {
        if (i < n) {
            QString heading = text::Trim(fields[fieldOfColumn(i)].name);
            if (cdCase()) heading = QLatin1Char('[') + heading + QLatin1Char(']');
            const double hw = rounded(p.textWidth(heading));
            headings[i] = heading;
            xs[i] = x + rounded((settings_.columnWidthMm[i] - hw) / 2);
            x += settings_.columnWidthMm[i];
        } else {
            xs[i] = settings_.usableWidthMm + 2.0;
        }
    }
    p.setCurrentY(static_cast<double>(settings_.currentLine) * settings_.lineHeightMm);
    for (int i = 0; i < kColumns; ++i) {
        p.setCurrentX(xs[i]);
        p.print(headings[i], i == kColumns - 1);
    }
    settings_.currentLine += 1;
}

// Page 1 of the sub detail list: the main record field by field (label, name, value) on lines
// 3.., a blank line, and a frame around it with the fields separated.
void ReportPrinter::printMainRecordBlock()
{
    Printer& p = printer_;
    const CategoryDefinition& c = app_.cache.row(category_);
    const int f = mainFieldCount();
    const double left = settings_.leftMarginMm;
    const double lh = settings_.lineHeightMm;
    const double off = settings_.ruleOffsetMm;
    // A main list without its row (the record went away) prints the names with empty values.
    const bool hasRow = mainRow_ && mainRow_->rowCount() > 0;

    double valueWidth = 0;
    for (int k = 0; k < f; ++k) {
        p.setCurrentY(settings_.currentLine * lh);
        if (k == 0) {
            p.setCurrentX(left + 2);
            p.print(QStringLiteral("メイン明細"), false);
        }
        p.setCurrentX(left + 30);
        p.print(c.mainFields[k].name, false);
        const QString value = hasRow ? cellText(*mainRow_, 0, k) : QString();
        p.setCurrentX(left + 64);
        p.print(value);
        valueWidth = std::max(valueWidth, rounded(p.textWidth(value)));
        settings_.currentLine += 1;
    }
    p.setCurrentY(settings_.currentLine * lh);
    p.setCurrentX(12);
    p.print(QStringLiteral(" "));
    settings_.currentLine += 1;

    const double top = 3 * lh - off;
    const double bottom = (settings_.currentLine - 1) * lh - off;
    const double right = left + 70 + valueWidth;
    p.setDrawStyle(LineStyle::Solid);
    p.setDrawWidth(8);
    p.box(left, top, right, bottom);
    p.setDrawWidth(5);
    p.line(left + 28, top, left + 28, bottom);
    p.line(left + 62, top, left + 62, bottom);
    p.setDrawWidth(4);
    for (int j = 4; j <= f + 2; ++j) p.line(left + 28, j * lh - off, right, j * lh - off);
}

// ---- body ----

std::array<int, 8> ReportPrinter::rightEdges(Report report) const
{
    // A value ends two half-width characters before the widest text of its column (heading
    // included); a value longer than that moves the edge for the whole column, so that the
    // column stays right-aligned instead of its longest values starting at the left edge.
    std::array<int, kColumns> edges{};
    const int n = columnCount(report);
    const auto& fields = fieldsOf(report);
    for (int i = 0; i < n; ++i) {
        if (!rightAlignedType(fields[fieldOfColumn(i)].typeWord)) continue;
        int edge = settings_.columnMaxBytes[i] - 2;
        for (int r = 0; r < rows_->rowCount(); ++r)
            edge = std::max(edge, text::LenMbcs(cellText(*rows_, r, fieldOfColumn(i))));
        edges[i] = edge;
    }
    return edges;
}

void ReportPrinter::printBody(Report report)
{
    if (!rows_) return;
    const int count = rows_->rowCount();
    if (count == 0) return;

    Printer& p = printer_;
    const int n = columnCount(report);
    const auto& fields = fieldsOf(report);
    const double lh = settings_.lineHeightMm;
    const int reserve = cdCase() ? 2 : 4;
    const std::array<int, kColumns> edges = rightEdges(report);
    std::array<bool, kColumns> rightAligned{};
    for (int i = 0; i < n; ++i) rightAligned[i] = rightAlignedType(fields[fieldOfColumn(i)].typeWord);

    for (int r = 0; r < count; ++r) {
        if (p.currentY() > (settings_.linesPerPage - reserve) * lh) {
            printRules(report);
            p.newPage();
            settings_.pageNumber += 1;
            printHeader(report);
        }

        std::array<QString, kColumns> cells;
        std::array<double, kColumns> xs{};
        double x = settings_.leftMarginMm;
        for (int i = 0; i < n; ++i) {
            const QString value = cellText(*rows_, r, fieldOfColumn(i));
            const int pad = rightAligned[i] ? edges[i] - text::LenMbcs(value) : 1;
            cells[i] = QString(std::max(pad, 0), QLatin1Char(' ')) + value;
            xs[i] = x;
            x += settings_.columnWidthMm[i];
        }

        p.setCurrentY(settings_.currentLine * lh);
        for (int i = 0; i < kColumns; ++i) {
            p.setCurrentX(xs[i]);
            p.print(cells[i], i == kColumns - 1);
        }
        settings_.currentLine += 1;

        if (app_.cache.printProgressOn()) showProgress(r + 1, count);
    }
    printRules(report);
}

void ReportPrinter::showProgress(int printed, int count)
{
    const QString t = progressText(ProgressText::remainingCells(printed, count));
    if (t == lastProgress_) return;  // the window is refreshed only when the bar moves
    lastProgress_ = t;
    if (status_) status_->setPanelText(3, t);
    if (window_) window_->repaint();
}

// ---- rules and footer ----

void ReportPrinter::printRules(Report report)
{
    Printer& p = printer_;
    const int n = columnCount(report);
    const double left = settings_.leftMarginMm;
    const double width = settings_.usableWidthMm;
    const double lh = settings_.lineHeightMm;
    const double off = settings_.ruleOffsetMm;
    const int line = settings_.currentLine;
    auto at = [&](int l) { return l * lh - off; };

    // The table's top line and the line under its headings: on page 1 of the sub detail
    // list the table stands below the main record block.
    int top = 3;
    int headingBottom = 4;
    if (report == Report::Sub && !cdCase() && settings_.pageNumber == 1) {
        top = mainFieldCount() + 4;
        headingBottom = mainFieldCount() + 5;
    }

    p.setDrawStyle(LineStyle::Solid);
    p.setDrawWidth(8);
    if (cdCase()) {
        const double y = at(report == Report::Sub ? 3 : 2);
        p.line(left, y, width, y);
    } else {
        p.box(left, at(top), width, at(line));
        p.line(left, at(headingBottom), width, at(headingBottom));
    }

    p.setDrawWidth(2);
    if (!cdCase() && (report == Report::Sub || n > 1)) {
        double x = left;
        for (int i = 0; i < n; ++i) {
            x += settings_.columnWidthMm[i];
            if (rounded(width - x) > 10) p.line(x, at(top), x, at(line));
        }
    }

    p.setDrawWidth(1);
    p.setDrawStyle(LineStyle::Dot);
    if (!cdCase())
        for (int j = headingBottom + 1; j <= line - 1; ++j) p.line(left, at(j), width, at(j));

    if (cdCase()) {
        settings_.currentLine = 26;
        p.setDrawStyle(LineStyle::Solid);
        p.setDrawWidth(8);
        p.line(left, at(26), width, at(26));
    }

    printFooter();
}

// "Tanzo  " and the date, in italics, right-aligned on the print width.
void ReportPrinter::printFooter()
{
    Printer& p = printer_;
    p.setDrawStyle(LineStyle::Solid);
    p.setCurrentY(static_cast<double>(settings_.currentLine) * settings_.lineHeightMm);
    p.setFontItalic(true);
    const QString footer = QStringLiteral("Tanzo  ") + text::formatDate(footerDate_.value_or(QDate::currentDate()));
    p.setCurrentX(settings_.usableWidthMm - p.textWidth(footer));
    p.print(footer);
    settings_.currentLine += 1;
    p.setFontItalic(false);
}

// ---- the print command ----

QString ReportPrinter::startStatusText(bool progressOn) { return ProgressText::start(kPrinting, progressOn); }

QString ReportPrinter::progressText(int cellsLeft) { return ProgressText::bar(kPrinting, cellsLeft); }

bool ReportPrinter::runMainPrint(App& app, int category, QWidget& window, StatusBar3* status,
                                 const ReportListView& rows, const std::function<void()>& showSettings,
                                 PrintJob::Destination where)
{
    return runPrint(app, category, Report::Main, window, status, nullptr, rows, showSettings, where);
}

bool ReportPrinter::runSubPrint(App& app, int category, QWidget& window, StatusBar3* status, const ReportListView& mainRow,
                                const ReportListView& subRows, const std::function<void()>& showSettings,
                                PrintJob::Destination where)
{
    return runPrint(app, category, Report::Sub, window, status, &mainRow, subRows, showSettings, where);
}

void ReportPrinter::setUpPage(const PrintSettings& s, Printer& printer)
{
    if (s.paperSize != 0)
        printer.setPage(s.paperSize, s.orientation == 2 ? Orientation::Landscape : Orientation::Portrait);
}

bool ReportPrinter::runPrint(App& app, int category, Report report, QWidget& window, StatusBar3* status,
                             const ReportListView* mainRow, const ReportListView& rows,
                             const std::function<void()>& showSettings, PrintJob::Destination where)
{
    const PrintSettings& s = app.printSettings;
    // Settings accepted for this report and category, and a printer that takes their page
    // again (a screen print or the printer dialog may have changed it) with the same
    // printable area: another printer's margins could leave the layout off the page.
    auto ready = [&] {
        const int columns = report == Report::Main ? s.mainColumnCount : s.subColumnCount;
        if (columns == 0 || s.settingsCategory != category) return false;
        setUpPage(s, app.printer());
        PrintSettings onThisPage = s;
        printlayout::setPageMetrics(onThisPage, app.printer());
        return onThisPage.linesPerPage == s.linesPerPage && onThisPage.usableWidthMm == s.usableWidthMm;
    };

    PrintJob job(app, s.headerTitle1, [&](Printer& printer) {
        ReportPrinter engine(app, printer, category);
        engine.setProgressDisplay(status, &window);
        if (report == Report::Main)
            engine.printMain(rows);
        else
            engine.printSub(*mainRow, rows);
    });
    job.prepare = [&] {
        bool isReady = false;
        if (!app.guardPrint([&] { isReady = ready(); })) return false;
        if (isReady) return true;
        if (showSettings) showSettings();
        return app.guardPrint([&] { isReady = ready(); }) && isReady;
    };
    job.setUpPage = [&](Printer& printer) { setUpPage(s, printer); };
    job.askForPrinter = true;
    job.started = [&] {
        if (status) status->setPanelText(3, startStatusText(app.cache.printProgressOn()));
        window.repaint();
    };
    // Also after a printing error: the panel does not go on saying that printing runs.
    job.finished = [&] {
        if (status) status->setPanelText(3, QString());
        window.repaint();
    };
    return job.run(where);
}
