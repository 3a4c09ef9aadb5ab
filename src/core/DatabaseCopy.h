#pragma once

class Database;

// The program's tables carried from one database into another: the management table and
// every table its rows name (the categories' main and sub files, the code tables). Each is
// made as the program makes it, with the same columns, declared types and keys, and its rows
// are added in their natural order. A backup from a server and a restore into one are this
// copy between the server and a file.
class DatabaseCopy {
public:
    // Drops every table of the program that `to` holds and makes them again from `from`.
    // Runs inside the caller's transaction on `to`; raises DbError, and the caller's rollback
    // then leaves `to` as it was.
    static void replaceTables(Database& from, Database& to);
};
