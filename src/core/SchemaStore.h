#pragma once
#include "core/ConfigCache.h"
#include "core/FieldDefinition.h"

#include <QString>
#include <vector>

class ConfigCache;

// The main and sub files of the categories and their record in the management table. Each
// change of a file and of the management row that records it is one transaction: on DbError
// neither the tables, nor the management table, nor the cache have changed.
class SchemaStore {
public:
    enum class File { Main, Sub };

    explicit SchemaStore(ConfigCache& cache) : cache_(cache) {}

    // The statement that creates a file with these fields (a code field takes a text column
    // of its code table's code length), the key columns last.
    QString createStatement(const QString& table, const std::vector<FieldDefinition>& fields, File file) const;
    // The same statement over fields whose type words are declared types (TEXT(n), LONG, …).
    static QString statementFor(const QString& table, const std::vector<FieldDefinition>& columns, File file);
    // Creates the file and records its table and fields in the category's row. Returns the
    // statement that ran.
    QString createFile(int category, File file, const QString& table, const std::vector<FieldDefinition>& fields);
    // How many rows the category's file holds.
    int rowCount(int category, File file);
    // Deletes every row of the file; emptying the main file restarts its registration numbers.
    void emptyFile(int category, File file);
    // Drops the file and forgets it in the category's row; the main file takes its sub file
    // with it.
    void dropFile(int category, File file);

    // The category's row without the file: not created, no table, no fields (and for the
    // main file the registration numbers restarted).
    static void forget(ConfigCache::Change& change, int category, File file);

private:
    ConfigCache& cache_;
};
