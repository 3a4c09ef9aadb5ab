#pragma once
#include <QString>

class Database;

// A trigger named "refuse" that makes the engine refuse every write of one kind (UPDATE,
// INSERT or DELETE) to a table, on the file or on a server alike, to see that a failed write
// leaves everything as it was.
void refuseWrites(Database db, const QString& table, const QString& event = QStringLiteral("UPDATE"));
void allowWrites(Database db, const QString& table);
