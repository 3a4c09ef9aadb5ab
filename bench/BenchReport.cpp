#include "BenchReport.h"

#include <QJsonDocument>
#include <algorithm>
#include <cstdio>

namespace bench {

BenchReport& BenchReport::instance()
{
    static BenchReport r;
    return r;
}

void BenchReport::line(const QByteArray& text)
{
    if (json_) return;
    std::printf("%s\n", text.constData());
    std::fflush(stdout);
}

void BenchReport::fail(const QByteArray& what, long long rows, long long expected)
{
    ++failures_;
    const QByteArray wanted = (expected >= 0 ? QByteArray() : QByteArray("more than ")) + QByteArray::number(std::max(expected, 0LL));
    failed_.append(QJsonObject{{QStringLiteral("name"), QString::fromUtf8(what)},
                               {QStringLiteral("rows"), rows},
                               {QStringLiteral("expected"), QString::fromUtf8(wanted)}});
    line("FAIL " + what + ": read " + QByteArray::number(rows) + " rows, expected " + wanted);
}

void BenchReport::check(const QByteArray& name, long long rows, long long expected)
{
    const bool ok = expected >= 0 ? rows == expected : rows > 0;
    if (!ok) fail(name, rows, expected);
}

void BenchReport::path(const QByteArray& name, const PairResult& r, long long expected)
{
    check(name, r.oursRows, expected);
    check(name + " (bare)", r.bareRows, expected >= 0 ? expected : std::max(r.oursRows, 0LL));
    paths_.append(QJsonObject{{QStringLiteral("name"), QString::fromUtf8(name)},
                              {QStringLiteral("ours_ms"), r.oursMs},
                              {QStringLiteral("bare_ms"), r.bareMs},
                              {QStringLiteral("ratio"), r.ratio},
                              {QStringLiteral("ratio_q1"), r.ratioLow},
                              {QStringLiteral("ratio_q3"), r.ratioHigh},
                              {QStringLiteral("rows"), r.oursRows},
                              {QStringLiteral("pairs"), r.pairs},
                              {QStringLiteral("clock"), r.clock == Clock::Cpu ? QStringLiteral("cpu") : QStringLiteral("wall")}});
    line(name + QByteArray(": ") + QByteArray::number(r.oursMs, 'f', 2) + ' ' + QByteArray::number(r.bareMs, 'f', 2) + " | ratio " +
         QByteArray::number(r.ratio, 'f', 2) + " (" + QByteArray::number(r.ratioLow, 'f', 2) + " – " +
         QByteArray::number(r.ratioHigh, 'f', 2) + ") | rows " + QByteArray::number(r.oursRows) + " | pairs " +
         QByteArray::number(r.pairs) + (r.clock == Clock::Cpu ? " cpu" : " wall"));
}

void BenchReport::memory(const QByteArray& name, long long peakKiB, double grownMB, double tableMB)
{
    const double ratio = tableMB > 0 ? grownMB / tableMB : 0.0;
    others_.append(QJsonObject{{QStringLiteral("name"), QString::fromUtf8(name)},
                               {QStringLiteral("peak_kib"), peakKiB},
                               {QStringLiteral("grown_mb"), grownMB},
                               {QStringLiteral("table_mb"), tableMB},
                               {QStringLiteral("ratio"), ratio}});
    char text[200];
    std::snprintf(text, sizeof text, ": peak %lld KiB, grown %.1f MB, table %.1f MB, ratio %.2f", peakKiB, grownMB, tableMB, ratio);
    line(name + text);
}

void BenchReport::single(const QByteArray& name, double medianMs, double lowMs, double highMs, int runs)
{
    others_.append(QJsonObject{{QStringLiteral("name"), QString::fromUtf8(name)},
                               {QStringLiteral("ms"), medianMs},
                               {QStringLiteral("ms_q1"), lowMs},
                               {QStringLiteral("ms_q3"), highMs},
                               {QStringLiteral("runs"), runs}});
    char text[200];
    std::snprintf(text, sizeof text, ": %.1f ms (%.1f – %.1f) | runs %d", medianMs, lowMs, highMs, runs);
    line(name + text);
}

int BenchReport::finish()
{
    if (json_) {
        const QJsonObject doc{{QStringLiteral("paths"), paths_},
                              {QStringLiteral("other"), others_},
                              {QStringLiteral("failures"), failed_}};
        std::printf("%s", QJsonDocument(doc).toJson(QJsonDocument::Indented).constData());
    } else if (failures_) {
        std::printf("%d path(s) read the wrong rows\n", failures_);
    }
    std::fflush(stdout);
    return failures_ ? 1 : 0;
}

}  // namespace bench
