#pragma once
#include "ScriptedUi.h"
#include "TempProgramDir.h"
#include "core/App.h"

// A second desk on a test's database: a person of its own and an App with the settings read
// from the database as its start reads them. On the server it connects under a name of its
// own, so its actions run on a connection other than the first desk's.
struct OtherDesk {
    explicit OtherDesk(const TempProgramDir& dir);

    ScriptedUi ui;
    App app;
};
