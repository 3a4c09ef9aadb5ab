#pragma once
#include <QString>

class Database;

// A trigger that makes the engine refuse every change of a table's rows, on the file or on a
// server alike, to see that a failed write leaves everything as it was.
void refuseUpdates(Database& db, const QString& table);
void allowUpdates(Database& db, const QString& table);
