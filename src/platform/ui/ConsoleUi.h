#pragma once
#include "platform/ui/QtUi.h"

// The Ui service of a start that shows no window (the --start-only option): a message is
// written to standard error as "title: text" instead of being shown, and answered as the
// box's close button would answer it (OK, else Cancel, else No).
class ConsoleUi : public QtUi {
public:
    Answer msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title) override;
};
