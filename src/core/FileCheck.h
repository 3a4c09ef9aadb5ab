#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class Database;

namespace management {

// Whether an open file is a database of this program, decided the same way for the start-up
// and for a restore. Besides the management table itself (its 43 columns in order and its
// seven rows), the file holds no triggers and no views; every table a management row names
// is the one its position allows (SHUMOKU1..6, SHUMOKU1SUB..6SUB, CODE1..8) and has exactly
// the columns the row defines, with their types; and there are no tables besides these and
// the management table (the engine's own aside). The answer is what is wrong, in Japanese,
// or nullopt for a file the program can use.
std::optional<QString> fileProblem(Database& db);

// Every table a database of this program may hold: the management table, SHUMOKU1..6,
// SHUMOKU1SUB..6SUB and CODE1..8.
QStringList programTables();

}  // namespace management
