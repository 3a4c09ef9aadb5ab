#pragma once
#include "core/App.h"
#include "platform/ui/Ui.h"

// Shows a window modally, and a fresh one again as long as the closed one asked to be
// opened again.
template <class W>
void showUntilDone(App& app)
{
    for (;;) {
        W window(app);
        app.ui().showModal(window);
        if (!window.reopenRequested()) return;
    }
}
