#include "ScriptedUi.h"
#include "platform/help/HelpWindow.h"

#include "platform/widgets/NamedControls.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
[[noreturn]] void unanswered(const QString& what)
{
    // A question nobody scripted: the test fails here, naming the text.
    ADD_FAILURE() << "unanswered question: " << what.toStdString();
    throw std::logic_error("unanswered question: " + what.toStdString());
}
}  // namespace

ScriptedUi::Reply ScriptedUi::next(const QString& what)
{
    if (replies_.empty()) unanswered(what);
    Reply r = replies_.front();
    replies_.pop_front();
    return r;
}

std::vector<ScriptedUi::Call> ScriptedUi::messages() const
{
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.kind == QLatin1String("msgBox")) out.push_back(c);
    return out;
}

QString ScriptedUi::lastMessage() const
{
    const auto m = messages();
    return m.empty() ? QString() : m.back().text;
}

QStringList ScriptedUi::shownWindows() const
{
    QStringList out;
    for (const Call& c : calls_)
        if (c.kind == QLatin1String("showModal")) out << c.text;
    return out;
}

Ui::Answer ScriptedUi::msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    calls_.push_back({QStringLiteral("msgBox"), text, title, icon, buttons});
    if (messageHook_) messageHook_(text);
    if (buttons == Buttons::Ok) return Answer::Ok;
    Reply r = next(text);
    if (!std::holds_alternative<Answer>(r)) unanswered(text + " (queued reply is not an answer)");
    return std::get<Answer>(r);
}

std::optional<QString> ScriptedUi::inputBox(const QString& prompt, const QString& title, const QString&)
{
    calls_.push_back({QStringLiteral("inputBox"), prompt, title});
    Reply r = next(prompt);
    if (!std::holds_alternative<std::optional<QString>>(r)) unanswered(prompt + " (queued reply is not a text)");
    return std::get<std::optional<QString>>(r);
}

std::optional<QColor> ScriptedUi::chooseColor(const QColor&)
{
    calls_.push_back({QStringLiteral("chooseColor"), QString(), QString()});
    Reply r = next(QStringLiteral("colour dialog"));
    if (!std::holds_alternative<std::optional<QColor>>(r)) unanswered(QStringLiteral("colour dialog"));
    return std::get<std::optional<QColor>>(r);
}

std::optional<Ui::FontSpec> ScriptedUi::chooseFont(const FontSpec&)
{
    calls_.push_back({QStringLiteral("chooseFont"), QString(), QString()});
    Reply r = next(QStringLiteral("font dialog"));
    if (!std::holds_alternative<std::optional<FontSpec>>(r)) unanswered(QStringLiteral("font dialog"));
    return std::get<std::optional<FontSpec>>(r);
}

std::optional<QString> ScriptedUi::chooseFolder(const QString& title, const QString&)
{
    calls_.push_back({QStringLiteral("chooseFolder"), QString(), title});
    Reply r = next(QStringLiteral("folder dialog ") + title);
    if (!std::holds_alternative<std::optional<QString>>(r)) unanswered(title);
    return std::get<std::optional<QString>>(r);
}

std::optional<QString> ScriptedUi::chooseOpenFile(const QString& title, const QString& startDir, const QString&)
{
    calls_.push_back({QStringLiteral("chooseOpenFile"), startDir, title});
    Reply r = next(QStringLiteral("file dialog ") + title);
    if (!std::holds_alternative<std::optional<QString>>(r)) unanswered(title);
    return std::get<std::optional<QString>>(r);
}

std::optional<QString> ScriptedUi::chooseSaveFile(const QString& title, const QString& proposedPath, const QString&)
{
    calls_.push_back({QStringLiteral("chooseSaveFile"), proposedPath, title});
    Reply r = next(QStringLiteral("save dialog ") + title);
    if (!std::holds_alternative<std::optional<QString>>(r)) unanswered(title);
    return std::get<std::optional<QString>>(r);
}

bool ScriptedUi::choosePrinter(Printer& printer)
{
    calls_.push_back({QStringLiteral("choosePrinter"), QString(), QString()});
    Reply r = next(QStringLiteral("printer dialog"));
    if (!std::holds_alternative<PrinterChoice>(r)) unanswered(QStringLiteral("printer dialog (queued reply is not a printer choice)"));
    const PrinterChoice& c = std::get<PrinterChoice>(r);
    if (c.ok && c.effect) c.effect(printer);
    return c.ok;
}

Ui::PreviewChoice ScriptedUi::printPreview(Printer& printer, const std::function<void(Printer&)>& draw)
{
    preview_ = std::make_shared<RecordingPrinter>();
    if (paper::pageSizeOf(printer.paperSize())) preview_->setPaperSize(printer.paperSize());
    preview_->setOrientation(printer.orientation());
    preview_->setFont(printer.font());
    calls_.push_back({QStringLiteral("printPreview"), QString(), QString()});
    draw(*preview_);
    const int pages = preview_->page();
    preview_->endDoc();
    calls_.back().text = QString::number(pages);
    Reply r = next(QStringLiteral("print preview"));
    if (!std::holds_alternative<PreviewChoice>(r)) unanswered(QStringLiteral("print preview (queued reply is not a preview choice)"));
    return std::get<PreviewChoice>(r);
}

ScriptedUi::~ScriptedUi()
{
    if (!replies_.empty()) ADD_FAILURE() << replies_.size() << " queued answer(s) never asked for";
    if (!menuReplies_.empty()) ADD_FAILURE() << "pop-up menu answer never asked for: " << menuReplies_.front().toStdString();
    for (auto it = hooks_.begin(); it != hooks_.end(); ++it) {
        if (!it->empty()) ADD_FAILURE() << "window never shown: " << it.key().toStdString();
    }
}

void ScriptedUi::showModal(QWidget& window)
{
    // Prepared as the program's Ui prepares every window it shows.
    NamedControls::nameInputs(window);
    calls_.push_back({QStringLiteral("showModal"), window.objectName(), window.windowTitle()});
    auto it = hooks_.find(window.objectName());
    if (it == hooks_.end() || it->empty()) return;  // shown and closed at once
    auto hook = std::move(it->front());
    it->erase(it->begin());
    hook(window);
}

QAction* ScriptedUi::popupMenu(QMenu& menu, const QPoint&)
{
    calls_.push_back({QStringLiteral("popupMenu"), menu.objectName(), menu.title()});
    if (menuReplies_.empty()) unanswered(QStringLiteral("pop-up menu ") + menu.objectName());
    const QString name = menuReplies_.front();
    menuReplies_.pop_front();
    if (name.isEmpty()) return nullptr;
    for (QAction* a : menu.actions()) {
        if (a->objectName() != name) continue;
        // A person cannot choose an entry that is greyed out.
        if (!a->isEnabled()) unanswered(QStringLiteral("pop-up menu entry is disabled: ") + name);
        return a;
    }
    unanswered(QStringLiteral("pop-up menu has no entry ") + name);
}

void ScriptedUi::defer(int, std::function<void()> fn) { fn(); }

void ScriptedUi::sendHelpKey(QWidget& window)
{
    calls_.push_back({QStringLiteral("help"), window.objectName(), QString()});
    if (openHelp_) HelpWindow::showFor(window);
}

void ScriptedUi::endProgram()
{
    calls_.push_back({QStringLiteral("endProgram"), QString(), QString()});
    ended_ = true;
    throw ProgramEnded();
}
