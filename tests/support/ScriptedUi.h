#pragma once
#include "QtPrinters.h"
#include "platform/print/RecordingPrinter.h"
#include "platform/ui/Ui.h"

#include <QMap>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <variant>
#include <vector>

// Thrown by ScriptedUi::endProgram to unwind the handler that ended the program.
struct ProgramEnded : std::runtime_error {
    ProgramEnded() : std::runtime_error("program ended") {}
};

// The person, played by a test: every call is logged, questions are answered from a queue,
// and a question that finds no queued answer fails the test at once, naming its text. An
// answer or a window hook still waiting when the test ends fails it too: the question or
// the window it was meant for never came.
class ScriptedUi : public Ui {
public:
    ScriptedUi() = default;
    ~ScriptedUi() override;
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    struct Call {
        QString kind;  // "msgBox", "inputBox", "chooseColor", "choosePrinter", "showModal", "popupMenu", "help", ...
        QString text;
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
    };
    struct PrinterChoice {
        bool ok = true;
        // What the dialog does to the printer on OK (the person's choices, or a device's
        // defaults put in place of the program's).
        std::function<void(Printer&)> effect;
    };
    using Reply = std::variant<Answer, std::optional<QString>, std::optional<QColor>, std::optional<FontSpec>, PrinterChoice,
                               PreviewChoice>;

    // Queue the answer to the next question.
    // (Each reply is made in its place in the queue: moving a reply in makes GCC warn of
    // members it cannot see are set.)
    void answer(Answer a) { replies_.emplace_back(std::in_place_type<Answer>, a); }
    void answerText(std::optional<QString> s) { replies_.emplace_back(std::in_place_type<std::optional<QString>>, std::move(s)); }
    void answerColor(std::optional<QColor> c) { replies_.emplace_back(std::in_place_type<std::optional<QColor>>, c); }
    void answerFont(std::optional<FontSpec> f) { replies_.emplace_back(std::in_place_type<std::optional<FontSpec>>, std::move(f)); }
    // true = the printer dialog is closed with OK, false = Cancel.
    void answerPrinter(bool ok, std::function<void(Printer&)> effect = {})
    {
        replies_.emplace_back(std::in_place_type<PrinterChoice>, PrinterChoice{ok, std::move(effect)});
    }
    // How the next print preview is left. The preview draws its pages on a recording printer
    // set up as the program's; the call's text is the page count.
    void answerPreview(PreviewChoice c) { replies_.emplace_back(std::in_place_type<PreviewChoice>, c); }
    // The pages the last preview drew, or null.
    const RecordingPrinter* lastPreview() const { return preview_.get(); }
    // Chooses the action with this objectName (or "" for none) at the next pop-up menu.
    void answerMenu(const QString& objectName) { menuReplies_.push_back(objectName); }
    // Runs when a window of this objectName (e.g. "Form7") is shown modally.
    void onShow(const QString& objectName, std::function<void(QWidget&)> hook) { hooks_[objectName].push_back(std::move(hook)); }
    // Runs at every message box with its text, while the box would be on the screen.
    void onMessage(std::function<void(const QString&)> hook) { messageHook_ = std::move(hook); }

    // The help key opens the program's real help window too, as it does for the person.
    void openHelpWindows() { openHelp_ = true; }

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> messages() const;   // msgBox calls only
    QString lastMessage() const;          // text of the last msgBox, "" when none
    void clearLog() { calls_.clear(); }
    int pendingReplies() const { return static_cast<int>(replies_.size() + menuReplies_.size()); }
    bool programEnded() const { return ended_; }
    QStringList shownWindows() const;

    Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    std::optional<QColor> chooseColor(const QColor& initial) override;
    std::optional<FontSpec> chooseFont(const FontSpec& initial) override;
    std::optional<QString> chooseFolder(const QString& title, const QString& startDir) override;
    std::optional<QString> chooseOpenFile(const QString& title, const QString& startDir, const QString& filter) override;
    std::optional<QString> chooseSaveFile(const QString& title, const QString& proposedPath, const QString& filter) override;
    bool choosePrinter(Printer& printer) override;
    PreviewChoice printPreview(Printer& printer, const std::function<void(Printer&)>& draw) override;
    void showModal(QWidget& window) override;
    QAction* popupMenu(QMenu& menu, const QPoint& globalPos) override;
    void defer(int ms, std::function<void()> fn) override;
    void sendHelpKey(QWidget& window) override;
    QString clipboardText() override { return clipboard_; }
    void setClipboardText(const QString& text) override { clipboard_ = text; }
    void clearClipboard() override { clipboard_.clear(); }
    void endProgram() override;

private:
    Reply next(const QString& what);
    std::vector<Call> calls_;
    std::deque<Reply> replies_;
    std::deque<QString> menuReplies_;
    QMap<QString, std::vector<std::function<void(QWidget&)>>> hooks_;
    std::function<void(const QString&)> messageHook_;
    QString clipboard_;
    bool ended_ = false;
    bool openHelp_ = false;
    std::shared_ptr<RecordingPrinter> preview_;
};
