#pragma once
#include "core/FieldDefinition.h"
#include "core/ProgressText.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <functional>
#include <vector>

class App;
class Database;
class Recordset;
class Value;
class ReportListModel;
class ReportListView;
class StatusBar3;

// Reads the rows of a main or sub file into a list in one walk of the table: the first
// field as the row text, the other fields as sub-items in their list format, then the key
// columns. A filter decides which rows are taken. While reading, a progress text of 25
// cells can be reported; it is reported only when it changes, so a reading of any size
// reports it at most 26 times.
class RecordReader {
public:
    enum class Take { No, Yes, YesAndStop };
    using RowFilter = std::function<Take(const Recordset&)>;
    using ProgressSink = std::function<void(const QString&)>;

    static constexpr int kCells = ProgressText::kCells;

    struct Request {
        QString table;
        std::vector<FieldDefinition> fields;  // the user fields, in column order
        int keyColumns = 1;                   // registration number (and sub number)
        RowFilter filter;                     // none: every row is taken
        QString nullText;                     // what a Null cell shows
        // When set, only the rows with these column values are read, found through the
        // file's key instead of a walk of the whole file; still in the file's order.
        std::vector<Recordset::Equals> where{};
        // The one column the filter reads, when it reads no other: on a server the walk then
        // carries that column alone, and the taken rows are read whole after it.
        int filterColumn = -1;
        // Texts one of which that column holds in every row the filter takes (none: any row
        // may be taken). A server then gives only the rows that hold one.
        std::vector<QString> holdsOneOf{};
    };

    // Without a sink nothing is reported. With one, the reading says "ファイル読込中" and
    // clears the text at the end; with cells on it also fills the 25 cells as it goes.
    explicit RecordReader(ProgressSink sink = {}, bool cells = false) : sink_(std::move(sink)), cells_(cells) {}

    // Appends the taken rows to a list's rows and returns how many were taken; the list's
    // view is not needed for it. A database error is raised after the rows read so far are
    // in the list and the progress is cleared.
    int read(Database& db, const Request& request, ReportListModel& list) const;

    // Reads the rows into a list of a window: the database is opened for the reading, a
    // database error is shown and the rows read before it stay. With a status bar, its panel
    // 3 shows the progress (the 25 cells when the reading progress is switched on). Returns
    // the rows taken.
    static int readShown(App& app, ReportListView& list, const Request& request, StatusBar3* progressBar);

    // Whether a key column holds this number (a Null holds none).
    static bool keyEquals(const Value& v, qint64 key);
    // The condition for the sub rows of one main record, read through the sub file's key.
    static std::vector<Recordset::Equals> subRowsOf(qint64 registrationNo);
    // The condition for one main record, read through the main file's key.
    static std::vector<Recordset::Equals> mainRowOf(qint64 registrationNo) { return subRowsOf(registrationNo); }
    // A filter taking the rows whose key column holds this number.
    static RowFilter keyFilter(int column, qint64 key, Take onMatch = Take::Yes);

    // The text before the first row: "ファイル読込中" with 25 empty cells when cells are on.
    static QString startText(bool cells);
    // The text with `remaining` empty cells of 25 ("■" done, "□" to do).
    static QString progressText(int remaining);
    // Empty cells left after r of n rows: round((n - r) / n * 25), halves to even.
    static int remainingCells(qint64 r, qint64 n);

private:
    void report(const QString& s) const
    {
        if (sink_) sink_(s);
    }

    ProgressSink sink_;
    bool cells_ = false;
};
