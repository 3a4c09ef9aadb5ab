#pragma once
#include <QString>

class Database;

// The database as the program finds it at its start. The first start makes it in its
// first-installation state: the management table with its seven rows, in a new file or in
// an empty database on a server. What exists is never replaced, whatever it holds.
class FirstStart {
public:
    // Opens the database at the location, making it first when there is none: the file is
    // missing, or the server's database has no management table. Raises DbError with what is
    // wrong when it cannot be made or opened, or is not a database of this program.
    static Database open(const QString& location);

    // Makes the database in its first-installation state. Refuses (DbError) when the file
    // already exists, or when the server's database already has a management table; a file
    // it could not complete is removed again.
    static void createDatabase(const QString& location);
};
