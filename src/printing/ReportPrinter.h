#pragma once
#include "core/FieldDefinition.h"
#include "common/PrintJob.h"

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class App;
class Printer;
class QWidget;
class ReportListView;
class StatusBar3;
struct PrintSettings;

// Prints the two category reports from what the list windows show: the main-record report
// (the rows of the main list) and the main-and-sub report (the one main record and its sub
// rows). Every position comes from the PrintSettings the settings window computed and from
// the printer's current paper, font and pen; nothing is read from the database, the rows are
// printed as displayed, in their shown order.
//
// Report kind 2 is the CD-case back list (130 mm wide, 27 lines); any other kind prints the
// detail list. Lengths are millimetres from the top-left corner of the printable area; line L
// has its top edge at L × lineHeightMm. The procedures keep their names and share
// their state through PrintSettings (pageNumber, currentLine) and the printer.
class ReportPrinter {
public:
    // Prints the files of category 0..5.
    ReportPrinter(App& app, int category);
    // Draws on another printer than the program's (a print preview's, a PDF file's).
    ReportPrinter(App& app, Printer& printer, int category);

    // Status panel 3 of this bar shows the progress while rows are printed (when the print
    // progress switch is on), and the window is refreshed with each change. Both may be null.
    void setProgressDisplay(StatusBar3* status, QWidget* window);
    // The date in the footer; today's date unless set.
    void setFooterDate(const QDate& date) { footerDate_ = date; }

    // The rows the procedures print: the main list's rows for the main-record report; the
    // main list row (its first row is the main record) and the sub rows for the other.
    void setMainReportRows(const ReportListView& rows);
    void setSubReportRows(const ReportListView& mainRow, const ReportListView& subRows);

    // A whole report from page 1: header and body. The document is left open; the caller
    // ends it (Printer::endDoc).
    void printMain(const ReportListView& rows);
    void printSub(const ReportListView& mainRow, const ReportListView& subRows);

    // Title, page number and column headings of a page.
    void PrintMainHeader();
    // Every row, with page breaks; the last page gets its rules and footer.
    void PrintMainBody();
    // Ruled lines and footer of the page just filled.
    void PrintMainRules();
    // As the main ones; the header also prints the second title (CD-case list) or, on page 1
    // of the detail list, the block with the main record.
    void PrintSubHeader();
    void PrintSubBody();
    void PrintSubRules();

    // The print command of the list windows: the settings window when there are no settings
    // accepted for this report and category, or the printer's page with the paper and
    // orientation they were made for is not the one they were laid out on (showSettings opens
    // it modally; printing stops unless it leaves such settings), the printer dialog (Cancel
    // stops silently), the settings' paper and orientation set again and checked (a device
    // that refuses them gets the advice), "印刷処理中" in status panel 3, the report from page
    // 1, the end of the document, panel 3 cleared. The report may instead go to the print
    // preview or into a PDF file; with no printer installed the person is offered those
    // first. A printing error is shown as every print shows one and the document is
    // abandoned. True when a document was printed or saved.
    static bool runMainPrint(App& app, int category, QWidget& window, StatusBar3* status, const ReportListView& rows,
                             const std::function<void()>& showSettings,
                             PrintJob::Destination where = PrintJob::Destination::Printer);
    static bool runSubPrint(App& app, int category, QWidget& window, StatusBar3* status, const ReportListView& mainRow,
                            const ReportListView& subRows, const std::function<void()>& showSettings,
                            PrintJob::Destination where = PrintJob::Destination::Printer);
    // Sets a printer to the paper and orientation the settings were made for; PrinterError 380
    // when it refuses them.
    static void setUpPage(const PrintSettings& settings, Printer& printer);

    // Status panel 3 while printing: "印刷処理中  " and 25 "□" (switch on) or "印刷処理中"
    // at the start; "印刷処理中　" followed by the cells done "■" and the cells left "□" as
    // rows are printed.
    static QString startStatusText(bool progressOn);
    static QString progressText(int cellsLeft);

private:
    enum class Report { Main, Sub };

    static bool runPrint(App& app, int category, Report report, QWidget& window, StatusBar3* status,
                         const ReportListView* mainRow, const ReportListView& rows,
                         const std::function<void()>& showSettings, PrintJob::Destination where);

    void printHeader(Report report);
    void printBody(Report report);
    void printRules(Report report);
    void printTitles(Report report);
    void printPageNumber(double y, int line, bool withUnit);
    void printHeadings(Report report);
    void printMainRecordBlock();
    void printFooter();
    void showProgress(int printed, int count);

    bool cdCase() const;
    int columnCount(Report report) const;
    // The fields of the printed file: the main file's for the main-record report, the sub
    // file's for the other.
    const std::array<FieldDefinition, 8>& fieldsOf(Report report) const;
    // The field index of printed column i (0..7).
    int fieldOfColumn(int i) const;
    // Where the numeric, amount and date values of each column end, counted in half-width
    // characters from the column's left edge.
    std::array<int, 8> rightEdges(Report report) const;
    int mainFieldCount() const;

    App& app_;
    Printer& printer_;
    const int category_;
    PrintSettings& settings_;
    const ReportListView* rows_ = nullptr;
    const ReportListView* mainRow_ = nullptr;
    StatusBar3* status_ = nullptr;
    QWidget* window_ = nullptr;
    QString lastProgress_;
    std::optional<QDate> footerDate_;
};
