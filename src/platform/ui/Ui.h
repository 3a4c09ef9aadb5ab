#pragma once
#include <QColor>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;
class QMenu;
class QAction;
class Printer;

// Everything the program says to the person, and every dialog it opens, goes through this
// service: QtUi shows real windows, the tests answer from a script.
class Ui {
public:
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };
    // How the person leaves a print preview: closed, or asking to print or to save a PDF.
    enum class PreviewChoice { Close, Print, SavePdf };

    struct FontSpec {
        QString name;
        double size = 10.0;
        bool bold = false;
        bool italic = false;
    };

    virtual ~Ui() = default;

    virtual Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title) = 0;
    // nullopt when the person cancels.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    virtual std::optional<QColor> chooseColor(const QColor& initial) = 0;
    virtual std::optional<FontSpec> chooseFont(const FontSpec& initial) = 0;
    // A folder or file chosen by the person; nullopt when cancelled.
    virtual std::optional<QString> chooseFolder(const QString& title, const QString& startDir) = 0;
    virtual std::optional<QString> chooseOpenFile(const QString& title, const QString& startDir, const QString& filter) = 0;
    // A file to write, proposed as proposedPath; the dialog asks before replacing a file.
    virtual std::optional<QString> chooseSaveFile(const QString& title, const QString& proposedPath, const QString& filter) = 0;
    // The printer dialog over the program's printer: the person picks the device, paper,
    // orientation and copies, which the printer keeps. false when cancelled.
    virtual bool choosePrinter(Printer& printer) = 0;
    // The print preview: the pages draw paints on a printer set up as this one (paper,
    // orientation, margins, font), page by page; draw leaves the document open. Printing is
    // offered only when the printer has a device. A printing error thrown by draw closes the
    // preview and is thrown again from here.
    virtual PreviewChoice printPreview(Printer& printer, const std::function<void(Printer&)>& draw) = 0;

    // Shows a window modally and returns when it has closed.
    virtual void showModal(QWidget& window) = 0;
    // Shows a pop-up menu at a point; returns the chosen action, or null.
    virtual QAction* popupMenu(QMenu& menu, const QPoint& globalPos) = 0;
    // Runs fn once after ms milliseconds (the program) or at once (the tests).
    virtual void defer(int ms, std::function<void()> fn) = 0;
    // The help key F1: opens the help book at the window's page.
    virtual void sendHelpKey(QWidget& window) = 0;

    virtual QString clipboardText() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void clearClipboard() = 0;

    // Ends the program at once. Callers return straight after it; under the tests the call
    // unwinds the handler.
    virtual void endProgram() = 0;
};
