#pragma once
#include "platform/ui/Ui.h"

// The Ui service with real Qt dialogs and windows.
class QtUi : public Ui {
public:
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
    QString clipboardText() override;
    void setClipboardText(const QString& text) override;
    void clearClipboard() override;
    void endProgram() override;

    bool ended() const { return ended_; }

private:
    bool ended_ = false;
};
