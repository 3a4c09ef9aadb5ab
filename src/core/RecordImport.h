#pragma once
#include "core/FieldDefinition.h"
#include "platform/text/CsvFile.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class ConfigCache;

// Rows of a comma-separated file into the main or the sub file of a category. The columns
// are matched to the fields by their headings: the same text first, then the same after
// trimming and folding full- and half-width forms. Every row is checked by the rules of the
// record editor; then either every row is stored in one transaction with new registration
// (and sub) numbers, or nothing is and the refused rows are named. An empty cell stores
// nothing (Null).
class RecordImport {
public:
    struct Mapping {
        std::vector<int> columnOfField;  // per field, the column (from 0) or -1
        int registrationColumn = -1;     // sub files: the column of the main record's number
        QStringList unmapped;            // headings of the columns no field takes
    };
    struct Refusal {
        int row = 0;  // counted from 1 under the headings
        QString field;
        QString reason;
    };
    struct Result {
        int stored = 0;
        std::vector<Refusal> refused;  // empty when the rows were stored
    };
    // Called now and then with the work done out of the whole.
    using Progress = std::function<void(qint64 done, qint64 total)>;

    // How many refusals are gathered before the checking stops.
    static constexpr int kRefusalLimit = 1000;

    RecordImport(ConfigCache& cache, int category, bool sub);

    const std::vector<FieldDefinition>& fields() const { return fields_; }
    // The columns of the headings matched to the fields (and, for a sub file, to 登録ＮＯ).
    Mapping map(const QStringList& headings) const;
    // Checks and stores the records under the headings (the first record of the table).
    // Raises DbError when the engine refuses; then nothing is stored.
    Result run(const CsvFile::Table& table, const Mapping& mapping, const Progress& progress = {}) const;

    // A heading trimmed, with full-width letters and digits and half-width kana folded.
    static QString foldHeading(const QString& heading);

private:
    ConfigCache& cache_;
    int category_;
    bool sub_;
    std::vector<FieldDefinition> fields_;
};
