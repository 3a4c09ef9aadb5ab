#include "platform/print/RecordingPrinter.h"
#include "platform/ui/QtUi.h"

#include <QAction>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <QCoreApplication>
#include <gtest/gtest.h>

namespace {

// Acts on the preview once it is open and has its pages: the first step gets the dialog.
void whenPreviewOpen(const std::function<void(QPrintPreviewDialog&)>& act)
{
    auto* timer = new QTimer;
    int tries = 0;
    QObject::connect(timer, &QTimer::timeout, [=]() mutable {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        auto* view = dialog ? dialog->findChild<QPrintPreviewWidget*>() : nullptr;
        if ((view && view->pageCount() > 0) || ++tries > 200) {
            timer->stop();
            timer->deleteLater();
            if (dialog) act(*dialog);
        }
    });
    timer->start(20);
}

void drawPages(Printer& p, int count)
{
    for (int i = 0; i < count; ++i) {
        if (i > 0) p.newPage();
        p.setCurrentX(10);
        p.setCurrentY(10);
        p.print(QStringLiteral("%1 頁").arg(i + 1));
    }
}

}  // namespace

// Qt's print preview of what the program draws: every page, on the printer's paper, with the
// program's own print and PDF in place of the preview's print, page setup and orientation.
TEST(QtUiPreview, ShowsEveryPageOnThePrintersPaperAndHandsPrintAndPdfBack)
{
    QtUi ui;
    RecordingPrinter printer;
    printer.setPaperSize(paper::B5);
    printer.setOrientation(Orientation::Landscape);
    QSizeF drawnOn;
    auto draw = [&](Printer& p) {
        drawnOn = QSizeF(p.scaleWidth(), p.scaleHeight());
        drawPages(p, 3);
    };

    int pages = 0;
    QStringList shownActions;
    whenPreviewOpen([&](QPrintPreviewDialog& d) {
        pages = d.findChild<QPrintPreviewWidget*>()->pageCount();
        for (QAction* a : d.findChild<QToolBar*>()->actions())
            if (a->isVisible() && !a->isSeparator()) shownActions << (a->objectName().isEmpty() ? a->text() : a->objectName());
        d.findChild<QAction*>(QStringLiteral("previewSavePdf"))->trigger();
    });
    EXPECT_EQ(ui.printPreview(printer, draw), Ui::PreviewChoice::SavePdf);
    EXPECT_EQ(pages, 3);
    EXPECT_NEAR(drawnOn.width(), 257 - 8, 0.01);
    EXPECT_NEAR(drawnOn.height(), 182 - 8, 0.01);
    EXPECT_TRUE(shownActions.contains(QStringLiteral("previewPrint")));
    EXPECT_TRUE(shownActions.contains(QStringLiteral("previewSavePdf")));
    // Qt's own actions are told by their texts, in whatever language Qt's texts were loaded.
    const auto qtText = [](const char* text) { return QCoreApplication::translate("QPrintPreviewDialog", text); };
    EXPECT_TRUE(shownActions.contains(qtText("Next page")));
    for (const char* hidden : {"Print", "Page setup", "Portrait", "Landscape"})
        EXPECT_FALSE(shownActions.contains(qtText(hidden))) << hidden;

    // With no printer installed the preview offers no print; closing it prints nothing.
    printer.recorder().setInstalled(false);
    bool printOffered = true;
    whenPreviewOpen([&](QPrintPreviewDialog& d) {
        printOffered = d.findChild<QAction*>(QStringLiteral("previewPrint"))->isEnabled();
        d.reject();
    });
    EXPECT_EQ(ui.printPreview(printer, [](Printer& p) { drawPages(p, 1); }), Ui::PreviewChoice::Close);
    EXPECT_FALSE(printOffered);

    // A printing error while drawing closes the preview and reaches the caller.
    EXPECT_THROW(ui.printPreview(printer, [](Printer& p) { p.setFontSize(-1); }), PrinterError);
}
