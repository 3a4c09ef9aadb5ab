#pragma once
#include "ScriptedUi.h"
#include "TempProgramDir.h"
#include "core/App.h"
#include "platform/print/RecordingPrinter.h"

#include <memory>

// The management table of a database file as stored, read into a cache of its own.
ConfigCache storedCache(const QString& databasePath);

// A program directory, a scripted person, a recording printer and an App over them, with the
// configuration cache loaded from the database as the main window's start-up does.
struct TestApp {
    TestApp();
    // Reads the cache again from the database, as a restart would.
    void reload();
    // Opens the test's database for direct checks.
    Database db() const;
    // The management table as stored, read into a cache of its own.
    ConfigCache stored() const;

    TempProgramDir dir;
    ScriptedUi ui;
    // The program's printer: it records every print for the checks.
    RecordingPrinter printer;
    App app;
};
