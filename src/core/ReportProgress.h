#pragma once
#include <QString>
#include <QtGlobal>
#include <functional>

// The reading progress of a report in status-bar panel 3: "ファイル読込中" when the reading
// progress setting is off; with it on, the same text followed by 25 cells that fill from the
// left as the rows are done. A text is passed on only when it changes, so a walk of any
// length reports at most 27 texts.
class ReportProgress {
public:
    using Sink = std::function<void(const QString&)>;

    ReportProgress(Sink sink, bool cells) : sink_(std::move(sink)), cells_(cells) {}

    // Before the first row of a table of `total` rows.
    void start(qint64 total);
    // After `done` rows of the table.
    void row(qint64 done);
    // The reading is over: the panel is emptied.
    void finish();

private:
    void report(const QString& s);

    Sink sink_;
    bool cells_ = false;
    qint64 total_ = 0;
    int shown_ = -1;
};
