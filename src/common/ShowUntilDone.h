#pragma once
#include "core/App.h"
#include "platform/ui/Ui.h"

// Shows a window modally, and a fresh one again as long as the closed one asked to be
// opened again.
template <class W, class... Args>
void showUntilDone(App& app, const Args&... args)
{
    for (;;) {
        W window(app, args...);
        app.ui().showModal(window);
        if (!window.reopenRequested()) return;
    }
}
