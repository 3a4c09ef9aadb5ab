#pragma once
#include <QString>

class App;

// Large databases for the benchmark: category 1 with eight fields of mixed types
// (TEXT, TEXT, LONG, CURRENCY, DATE, CODE1, TEXT, LONG) and a sub file of three fields,
// filled in one transaction: plain SQLite inserts into a file, the engine's inserter on a
// server (the same values either way; fillSub writes files only).
namespace benchdata {

void defineCategory(App& app);
void fillMain(App& app, int rows);
// Categories 2 to 6 named, each with an empty main file of the same fields.
void defineMoreCategories(App& app);
// Sub rows: `perMain` rows for registration number `focus`, the rest spread over the others.
void fillSub(App& app, int rows, int focus, int perMain);

}  // namespace benchdata
