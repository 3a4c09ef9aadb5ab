#pragma once
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class ConfigCache;

// The code tables (CODE1..CODE8) with their register in the system row, the codes in them,
// and which fields draw on them. Table changes and the management rows that record them are
// one transaction; on DbError neither the tables, the management table nor the cache change.
class CodeStore {
public:
    explicit CodeStore(ConfigCache& cache) : cache_(cache) {}

    // The statement that creates the table of register slot `slot` (0..7) with a code column
    // of `length` characters and a name column of 30.
    QString createStatement(int slot, int length, const QString& name) const;
    // The same statement for a table with these declared types of its two columns.
    static QString statementFor(const QString& table, const QString& codeType, const QString& name, const QString& nameType);
    // Creates the table and registers its name and code length. Returns the statement run.
    QString createTable(int slot, const QString& name, int length);
    // Drops the table, frees its slot, and the fields that drew on it become plain text
    // fields (their columns and values stay).
    void dropTable(int slot);

    // The name of a code of a table, or nothing when the table has no such code.
    std::optional<QString> nameOf(const QString& table, const QString& code);
    // A code of a table, found by a bound statement. Adding refuses a code already there
    // (false, nothing written).
    bool addCode(const QString& table, const QString& code, const QString& name);
    // Renaming and removing write over the code only while its name is still `shownName`, the
    // one the person saw; else DbError says another desk renamed or deleted it.
    void renameCode(const QString& table, const QString& code, const QString& shownName, const QString& name);
    void removeCode(const QString& table, const QString& code, const QString& shownName);

    // Stores the type words of fields of a category's main or sub file (field ordinal, word)
    // with the management row.
    void linkFields(int category, bool sub, const std::vector<std::pair<int, QString>>& typeWords);

    // Whether a field of this type word draws on code table k: CODEk, TEXTkD or TEXTkC.
    static bool drawsOn(const QString& typeWord, int k);

private:
    ConfigCache& cache_;
};
