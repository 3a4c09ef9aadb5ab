#pragma once
#include <QString>
#include <functional>
#include <vector>

class App;
class Printer;
class QAction;
class QMenu;

// The road of one report or screen print: to the printer, into a print preview (from which
// the person may still print it or save it as a PDF), or straight into a PDF file. With no
// printer installed the person is told before anything is drawn and offered the preview or
// a PDF instead; the job is not lost. A printing error is shown and the program goes on.
class PrintJob {
public:
    enum class Destination { Printer, Preview, Pdf };
    // Draws the whole document on a printer, page by page, and leaves it open.
    using Draw = std::function<void(Printer&)>;

    // documentName: the PDF file proposed is named after it.
    PrintJob(App& app, const QString& documentName, Draw draw);

    // Runs once the destination is settled, before anything is drawn; false ends the job
    // quietly (a report's settings window left without settings).
    std::function<bool()> prepare;
    // Sets a printer's page up before the document is drawn on it: on the program's printer
    // after the printer dialog, on the preview's and the PDF's printer before they draw.
    // Throws PrinterError 380 when the device refuses.
    std::function<void(Printer&)> setUpPage;
    // The printer dialog before printing (reports show it; screen prints do not).
    bool askForPrinter = false;
    // Just before the document is drawn, and once it is done (also after an error).
    std::function<void()> started;
    std::function<void()> finished;

    // True when the document was printed or saved.
    bool run(Destination where);

    // The PDF file proposed: the name in the person's documents folder, ending ".pdf".
    QString proposedPdfPath() const;

    // The two menu items that send a print to the preview or into a PDF file,
    // "印刷プレビュー(&V)..." and "PDFファイルに保存(&S)...", added to menu and named name + "v"
    // and name + "d" (without "..." when each opens a submenu of its own, see below).
    struct MenuItems {
        QAction* preview = nullptr;
        QAction* pdf = nullptr;
    };
    static MenuItems addMenuItems(QMenu& menu, const QString& name, const std::function<void(Destination)>& choose);
    // The same two as submenus, for a print that is chosen among several (the screen print's
    // captures): each holds one item per choice, named choiceName + "v" or + "d".
    struct Choice {
        QString caption;
        QString name;
        std::function<void(Destination)> run;
    };
    static void addSubmenus(QMenu& menu, const QString& name, const std::vector<Choice>& choices);

private:
    bool toPrinter();
    bool toPreview();
    bool toPdf();
    void begin();
    void end();

    App& app_;
    QString name_;
    Draw draw_;
    bool drawing_ = false;
};
