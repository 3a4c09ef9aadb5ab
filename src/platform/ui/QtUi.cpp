#include "platform/ui/QtUi.h"

#include "platform/help/HelpWindow.h"
#include "platform/print/PrintFont.h"
#include "platform/print/Printer.h"
#include "platform/print/QtPrinterBackend.h"
#include "platform/widgets/NamedControls.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QToolBar>
#include <exception>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace {

// Ends a local event loop when the watched window is hidden or closed.
class CloseWatcher : public QObject {
public:
    CloseWatcher(QWidget& w, QEventLoop& loop) : loop_(loop) { w.installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Hide || e->type() == QEvent::Close) {
            if (auto* w = qobject_cast<QWidget*>(o); w && (e->type() == QEvent::Close || !w->isVisible()))
                QTimer::singleShot(0, &loop_, [this] { loop_.quit(); });
        }
        return false;
    }

private:
    QEventLoop& loop_;
};

// A dialog without a default button of its own would make its first button the default
// as it shows, and Return anywhere in it would press that button. While it shows, its
// buttons do not offer themselves; afterwards a button takes Return only while it has the
// focus.
class KeepReturnFromButtons {
public:
    explicit KeepReturnFromButtons(QDialog& dialog)
    {
        const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
        for (QPushButton* b : buttons)
            if (b->isDefault()) return;
        for (QPushButton* b : buttons)
            if (b->autoDefault()) {
                b->setAutoDefault(false);
                buttons_.push_back(b);
            }
        QTimer::singleShot(0, &dialog, [buttons = buttons_] {
            for (const QPointer<QPushButton>& b : buttons)
                if (b) b->setAutoDefault(true);
        });
    }

private:
    QList<QPointer<QPushButton>> buttons_;
};

}  // namespace

Ui::Answer QtUi::msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    box.setWindowTitle(title);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    QMessageBox::StandardButtons sb;
    switch (buttons) {
    case Buttons::Ok: sb = QMessageBox::Ok; break;
    case Buttons::OkCancel: sb = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: sb = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: sb = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    }
    box.setStandardButtons(sb);
    if (auto* b = box.button(QMessageBox::Ok)) b->setText(QStringLiteral("OK"));
    if (auto* b = box.button(QMessageBox::Cancel)) b->setText(QStringLiteral("キャンセル"));
    if (auto* b = box.button(QMessageBox::Yes)) b->setText(QStringLiteral("はい(&Y)"));
    if (auto* b = box.button(QMessageBox::No)) b->setText(QStringLiteral("いいえ(&N)"));
    const int r = box.exec();
    switch (r) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::optional<QString> QtUi::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString s = QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    if (!ok) return std::nullopt;
    return s;
}

std::optional<QColor> QtUi::chooseColor(const QColor& initial)
{
    const QColor c = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!c.isValid()) return std::nullopt;
    return c;
}

std::optional<Ui::FontSpec> QtUi::chooseFont(const FontSpec& initial)
{
    bool ok = false;
    // The dialog finds the installed face that stands for the name the settings use.
    QFont f(PrintFont::familyFor(initial.name));
    f.setPointSizeF(initial.size);
    f.setBold(initial.bold);
    f.setItalic(initial.italic);
    const QFont chosen = QFontDialog::getFont(&ok, f, QApplication::activeWindow());
    if (!ok) return std::nullopt;
    return FontSpec{chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic()};
}

std::optional<QString> QtUi::chooseFolder(const QString& title, const QString& startDir)
{
    const QString d = QFileDialog::getExistingDirectory(QApplication::activeWindow(), title, startDir);
    if (d.isEmpty()) return std::nullopt;
    return d;
}

std::optional<QString> QtUi::chooseOpenFile(const QString& title, const QString& startDir, const QString& filter)
{
    const QString f = QFileDialog::getOpenFileName(QApplication::activeWindow(), title, startDir, filter);
    if (f.isEmpty()) return std::nullopt;
    return f;
}

std::optional<QString> QtUi::chooseSaveFile(const QString& title, const QString& proposedPath, const QString& filter)
{
    const QString f = QFileDialog::getSaveFileName(QApplication::activeWindow(), title, proposedPath, filter);
    if (f.isEmpty()) return std::nullopt;
    return f;
}

bool QtUi::choosePrinter(Printer& printer)
{
    // The printer keeps what is chosen here; a device without a Qt printer has nothing to choose.
    QPrinter* device = printer.backend().device();
    if (!device) return true;
    QPrintDialog dialog(device, QApplication::activeWindow());
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

Ui::PreviewChoice QtUi::printPreview(Printer& printer, const std::function<void(Printer&)>& draw)
{
    // The preview paints on a printer of the same page: the program printer's own layout when
    // it has one (margins included), else its paper and orientation with 4 mm margins.
    QPrinter target(QPrinter::HighResolution);
    target.setOutputFormat(QPrinter::PdfFormat);
    if (QPrinter* device = printer.backend().device()) {
        target.setPageLayout(device->pageLayout());
    } else {
        target.setPageLayout(QPageLayout(paper::pageSizeOf(printer.paperSize()).value_or(QPageSize(QPageSize::A4)),
                                         printer.orientation() == Orientation::Landscape ? QPageLayout::Landscape
                                                                                         : QPageLayout::Portrait,
                                         QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter));
    }

    QPrintPreviewDialog dialog(&target, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    std::exception_ptr failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* onto) {
        if (failure) return;
        try {
            Printer page(std::make_unique<QtPrinterBackend>(*onto));
            page.setFont(printer.font());
            draw(page);
            page.endDoc();
        } catch (...) {
            failure = std::current_exception();
            QTimer::singleShot(0, &dialog, &QDialog::reject);
        }
    });

    // The page is the layout's: the preview's own orientation, page setup and print (which
    // would print without the program's checks) give way to the program's print and PDF.
    PreviewChoice choice = PreviewChoice::Close;
    if (QToolBar* bar = dialog.findChild<QToolBar*>()) {
        const QList<QAction*> actions = bar->actions();
        int separators = 0;
        QList<QActionGroup*> hidden;
        for (QAction* a : actions) {
            if (a->isSeparator()) {
                ++separators;
                continue;
            }
            if (separators == 2 && a->actionGroup()) hidden << a->actionGroup();
        }
        if (!actions.isEmpty() && actions.back()->actionGroup()) hidden << actions.back()->actionGroup();
        for (QActionGroup* g : hidden)
            for (QAction* a : g->actions()) a->setVisible(false);
        QAction* print = bar->addAction(QStringLiteral("印刷(&P)..."));
        print->setObjectName(QStringLiteral("previewPrint"));
        print->setEnabled(printer.available());
        QAction* pdf = bar->addAction(QStringLiteral("PDFファイルに保存(&S)..."));
        pdf->setObjectName(QStringLiteral("previewSavePdf"));
        QObject::connect(print, &QAction::triggered, &dialog, [&] {
            choice = PreviewChoice::Print;
            dialog.accept();
        });
        QObject::connect(pdf, &QAction::triggered, &dialog, [&] {
            choice = PreviewChoice::SavePdf;
            dialog.accept();
        });
    }
    dialog.exec();
    if (failure) std::rethrow_exception(failure);
    return choice;
}

void QtUi::showModal(QWidget& window)
{
    if (ended_) return;
    // A window that placed itself keeps its place; the others open in the middle of the screen.
    if (!window.testAttribute(Qt::WA_Moved)) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r(QPoint(0, 0), window.sizeHint().expandedTo(window.size()));
            r.moveCenter(screen->availableGeometry().center());
            window.move(r.topLeft());
        }
    }
    NamedControls::nameInputs(window);
    if (auto* dlg = qobject_cast<QDialog*>(&window)) {
        const KeepReturnFromButtons keep(*dlg);
        dlg->exec();
        return;
    }
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    CloseWatcher watcher(window, loop);
    window.show();
    loop.exec();
    window.hide();
}

QAction* QtUi::popupMenu(QMenu& menu, const QPoint& globalPos) { return menu.exec(globalPos); }

void QtUi::defer(int ms, std::function<void()> fn) { QTimer::singleShot(ms, qApp, std::move(fn)); }

void QtUi::sendHelpKey(QWidget& window) { HelpWindow::showFor(window); }

QString QtUi::clipboardText() { return QApplication::clipboard()->text(); }
void QtUi::setClipboardText(const QString& text) { QApplication::clipboard()->setText(text); }
void QtUi::clearClipboard() { QApplication::clipboard()->clear(); }

void QtUi::endProgram()
{
    if (ended_) return;  // closing the main window ends the program too
    ended_ = true;
    for (QWidget* w : QApplication::topLevelWidgets()) w->close();
    QCoreApplication::exit(0);
}
