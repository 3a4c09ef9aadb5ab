#include "app/WindowOpener.h"

#include "core/App.h"
#include "lists/Form5.h"
#include "lists/Form6.h"

WindowOpener::WindowOpener(App& app) : app_(app) { app_.setOpener(this); }

WindowOpener::~WindowOpener() { app_.setOpener(nullptr); }

void WindowOpener::openMainList(const ListRequest& request) { Form5::run(app_, request); }

void WindowOpener::openMainSubList(const ListRequest& request) { Form6::run(app_, request); }
