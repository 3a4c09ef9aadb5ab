#pragma once

class QApplication;

// Keys and focus that hold for every window of the program, watched in one place:
// - F10 opens the first menu of the window's menu bar, whatever control has the focus, as
//   on the Linux desktops (a window without a menu bar lets the key through); an item of the
//   bar that opens no menu, reached from a menu with Left or Right, is carried out with
//   Return, Enter or Space, and Esc puts the bar away;
// - the box a window opens on has its text selected, as Tab into it selects it, so that
//   typing replaces what the box held. Only the window's first focus does this: coming back
//   to a window leaves its boxes as they were.
// Installed once on the application; a second call does nothing.
void installKeyboardAids(QApplication& application);
