#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class ConfigCache;
class Database;
class ReportProgress;

// The counts of the two usage reports, each from one walk of every file it reads, with the
// walk's progress reported. Raise DbError when a file cannot be read.
namespace usage {

// Registrations of one category's main file and of its sub file.
struct Registrations {
    qint64 mainRows = 0;
    qint64 mainWithSub = 0;
    qint64 mainWithoutSub = 0;
    qint64 subRows = 0;
    qint64 averageSub = 0;  // sub rows per main row, rounded half to even
    qint64 largestSub = 0;  // the most sub rows of one main row
};
// Every category with a main file; the others count nothing.
std::array<Registrations, 6> registrations(const ConfigCache& cache, Database& db, ReportProgress& progress);

// A field that uses a code table.
struct UsingField {
    int category = 0;
    bool sub = false;
    int field = 0;            // ordinal of the field in its file
    bool linkedText = false;  // a TEXT field linked to the table (else a CODE field)
    QString header;           // category name + "(MAIN)" or "(SUB)" + field name
};

// How many values of each using field hold each code of a code table.
struct CodeUsage {
    QStringList codes;  // the table's codes, then "0" for the values that match none
    QStringList names;  // their trimmed names, then "  該当なし"
    std::vector<UsingField> fields;  // by category, the main file before the sub file, in field order
    std::vector<std::vector<qint64>> counts;  // [entry][using field]
};
// Code table k (1..8). A code matches exactly, a linked text trimmed with the trimmed names;
// a blank or Null value counts nowhere; the first equal entry counts.
CodeUsage codeUsage(const ConfigCache& cache, Database& db, int k, ReportProgress& progress);

// Whether a field of this type word uses code table k.
bool usesTable(const QString& typeWord, int k);

}  // namespace usage
