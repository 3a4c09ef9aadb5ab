#pragma once
#include "core/Opener.h"

class App;

// The opener of the program: it shows the windows themselves. It installs itself in the
// App for its lifetime.
class WindowOpener : public Opener {
public:
    explicit WindowOpener(App& app);
    ~WindowOpener() override;
    WindowOpener(const WindowOpener&) = delete;
    WindowOpener& operator=(const WindowOpener&) = delete;

    void openMainList(const ListRequest& request) override;
    void openMainSubList(const ListRequest& request) override;

private:
    App& app_;
};
