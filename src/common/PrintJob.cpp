#include "common/PrintJob.h"

#include "core/App.h"
#include "platform/print/Printer.h"
#include "platform/print/QtPrinterBackend.h"
#include "platform/ui/Ui.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QRegularExpression>
#include <QStandardPaths>

PrintJob::PrintJob(App& app, const QString& documentName, Draw draw)
    : app_(app), name_(documentName), draw_(std::move(draw))
{
}

bool PrintJob::run(Destination where)
{
    if (where == Destination::Printer && !app_.printer().available()) {
        const Ui::Answer a = app_.ui().msgBox(
            QStringLiteral("印刷できるプリンターが見つかりません。\r\n"
                           "「はい」で印刷プレビューを表示し、「いいえ」でPDFファイルに保存します。"),
            Ui::Buttons::YesNoCancel, Ui::Icon::Exclamation, QStringLiteral("注意メッセージ"));
        if (a == Ui::Answer::Yes)
            where = Destination::Preview;
        else if (a == Ui::Answer::No)
            where = Destination::Pdf;
        else
            return false;
    }
    if (prepare && !prepare()) return false;
    switch (where) {
    case Destination::Printer: return toPrinter();
    case Destination::Preview: return toPreview();
    case Destination::Pdf: return toPdf();
    }
    return false;
}

void PrintJob::begin()
{
    drawing_ = true;
    if (started) started();
}

void PrintJob::end()
{
    if (!drawing_) return;
    drawing_ = false;
    if (finished) finished();
}

bool PrintJob::toPrinter()
{
    bool printed = false;
    app_.guardPrint([&] {
        Printer& p = app_.printer();
        if (askForPrinter && !app_.ui().choosePrinter(p)) return;
        // The dialog may have put the device's own paper in place of the layout's.
        if (setUpPage) setUpPage(p);
        begin();
        draw_(p);
        p.endDoc();
        printed = true;
    });
    end();
    return printed;
}

bool PrintJob::toPreview()
{
    Ui::PreviewChoice choice = Ui::PreviewChoice::Close;
    begin();
    const bool shown = app_.guardPrint([&] {
        choice = app_.ui().printPreview(app_.printer(), [this](Printer& p) {
            if (setUpPage) setUpPage(p);
            draw_(p);
        });
    });
    end();
    if (!shown) return false;
    switch (choice) {
    case Ui::PreviewChoice::Print: return toPrinter();
    case Ui::PreviewChoice::SavePdf: return toPdf();
    case Ui::PreviewChoice::Close: break;
    }
    return false;
}

bool PrintJob::toPdf()
{
    const std::optional<QString> chosen = app_.ui().chooseSaveFile(
        QStringLiteral("PDFファイルに保存"), proposedPdfPath(), QStringLiteral("PDFファイル (*.pdf)"));
    if (!chosen || chosen->trimmed().isEmpty()) return false;
    app_.recentFolders.chose(RecentFolders::Kind::Pdf, *chosen);
    QString path = *chosen;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");

    Printer& program = app_.printer();
    Printer pdf(std::make_unique<QtPrinterBackend>(path));
    bool saved = false;
    try {
        // The page the printer has, margins included, so the file shows what the printer prints.
        if (QPrinter* device = program.backend().device()) pdf.backend().device()->setPageLayout(device->pageLayout());
        if (paper::pageSizeOf(program.paperSize())) pdf.setPage(program.paperSize(), program.orientation());
        pdf.setFont(program.font());
        if (setUpPage) setUpPage(pdf);
        begin();
        draw_(pdf);
        pdf.endDoc();
        saved = true;
    } catch (const PrinterError& e) {
        pdf.killDoc();
        app_.showPrinterError(e);
    }
    end();
    return saved;
}

QString PrintJob::proposedPdfPath() const
{
    QString name = name_.trimmed();
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]"));
    name.replace(unsafe, QStringLiteral("_"));
    if (name.isEmpty()) name = QStringLiteral("Tanzo");
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    return app_.recentFolders.proposed(RecentFolders::Kind::Pdf, documents, name + QStringLiteral(".pdf"));
}

namespace {
const QString kPreviewCaption = QStringLiteral("印刷プレビュー(&V)");
const QString kPdfCaption = QStringLiteral("PDFファイルに保存(&S)");

QAction* namedItem(QMenu& menu, const QString& caption, const QString& name)
{
    QAction* a = menu.addAction(caption);
    a->setObjectName(name);
    return a;
}
}  // namespace

PrintJob::MenuItems PrintJob::addMenuItems(QMenu& menu, const QString& name,
                                           const std::function<void(Destination)>& choose)
{
    MenuItems items;
    items.preview = namedItem(menu, kPreviewCaption + QStringLiteral("..."), name + QLatin1Char('v'));
    items.pdf = namedItem(menu, kPdfCaption + QStringLiteral("..."), name + QLatin1Char('d'));
    QObject::connect(items.preview, &QAction::triggered, &menu, [choose] { choose(Destination::Preview); });
    QObject::connect(items.pdf, &QAction::triggered, &menu, [choose] { choose(Destination::Pdf); });
    return items;
}

void PrintJob::addSubmenus(QMenu& menu, const QString& name, const std::vector<Choice>& choices)
{
    const std::pair<QString, Destination> kinds[] = {{QStringLiteral("v"), Destination::Preview},
                                                     {QStringLiteral("d"), Destination::Pdf}};
    for (const auto& [suffix, where] : kinds) {
        QMenu* sub = menu.addMenu(where == Destination::Preview ? kPreviewCaption : kPdfCaption);
        sub->setObjectName(name + suffix);
        for (const Choice& c : choices) {
            QAction* a = namedItem(*sub, c.caption, c.name + suffix);
            QObject::connect(a, &QAction::triggered, sub, [run = c.run, where = where] { run(where); });
        }
    }
}
