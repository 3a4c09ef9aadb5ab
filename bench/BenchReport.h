#pragma once
// What the bench prints: one line per path, or with --json one JSON document at the end
// for scripts. A path that reads no rows or the wrong number is a failure, and the bench
// then exits non-zero.

#include "PairTimer.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>

namespace bench {

class BenchReport {
public:
    static BenchReport& instance();

    void setJson(bool on) { json_ = on; }
    bool json() const { return json_; }

    // One path beside its baseline; expected -1 means "some rows" (the baseline's count
    // must then match ours).
    // Line: "name: ours_ms bare_ms | ratio median (q1 – q3) | rows N | pairs P cpu|wall".
    void path(const QByteArray& name, const PairResult& r, long long expected);
    // Peak memory with a list open beside the table's bytes.
    void memory(const QByteArray& name, long long peakKiB, double grownMB, double tableMB);
    // A time of its own: the median and the spread of several runs, in ms.
    void single(const QByteArray& name, double medianMs, double lowMs, double highMs, int runs);
    // A count that is not what it should be.
    void fail(const QByteArray& what, long long rows, long long expected);
    // Prints the JSON document (or the failure line) and returns the exit code.
    int finish();
    int failures() const { return failures_; }

private:
    void check(const QByteArray& name, long long rows, long long expected);
    void line(const QByteArray& text);

    bool json_ = false;
    int failures_ = 0;
    QJsonArray paths_, others_, failed_;
};

}  // namespace bench
