#pragma once

class QWidget;
class Ui;

// F1 pressed anywhere in the window, whichever of its controls has the focus, asks the Ui for
// the window's help, as the window's help button does. The key goes no further. The watcher
// belongs to the window and ends with it; windows of their own opened from it (dialogs) are
// not covered and install their own.
void installHelpKey(QWidget& window, Ui& ui);
