#pragma once
// Times a path against its baseline in interleaved pairs (ours, bare, ours, bare, …) after
// one warm-up pair that is not counted; a half shorter than kMinHalfMs repeats its path.
// What slows the machine for a moment slows both halves of a pair alike, so the median of the per-pair ratios holds still where two
// separate blocks of runs would not. The quartiles of those ratios tell how still.

#include <QtGlobal>
#include <time.h>
#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// What a path's time is measured on. Cpu: the processor time of the bench's thread, user
// and system, so that the time the path waits while other programs run is not counted (the
// reads, whose files are in the page cache). Wall: the time on the clock, for the writes,
// whose waiting for the disk is part of their work.
enum class Clock { Cpu, Wall };

inline qint64 nowNs(Clock clock)
{
    timespec t{};
    clock_gettime(clock == Clock::Cpu ? CLOCK_THREAD_CPUTIME_ID : CLOCK_MONOTONIC, &t);
    return static_cast<qint64>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The part of one run that the path itself takes; its checks around stay untimed. A run
// that never calls time() is timed whole.
class Stopwatch {
public:
    explicit Stopwatch(Clock clock = Clock::Wall) : clock_(clock) {}
    void time(const std::function<void()>& fn)
    {
        const qint64 start = nowNs(clock_);
        fn();
        ns_ += nowNs(clock_) - start;
        used_ = true;
    }
    bool used() const { return used_; }
    double ms() const { return static_cast<double>(ns_) / 1e6; }

private:
    Clock clock_;
    qint64 ns_ = 0;
    bool used_ = false;
};

// The value at fraction q (0..1) of sorted values, between neighbours when it falls between.
inline double quantile(std::vector<double> v, double q)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const double at = q * static_cast<double>(v.size() - 1);
    const auto lo = static_cast<size_t>(at);
    const size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (v[hi] - v[lo]) * (at - static_cast<double>(lo));
}

struct PairResult {
    double oursMs = 0;  // medians of the counted runs
    double bareMs = 0;
    double ratio = 0;  // median of ours / bare over the pairs
    double ratioLow = 0;  // lower and upper quartile of those ratios
    double ratioHigh = 0;
    long long oursRows = -1;  // rows read; -2 when the runs disagree
    long long bareRows = -1;
    int pairs = 0;
    Clock clock = Clock::Cpu;
};

// One run of a path: returns the rows it read and may time only a part of itself.
using PairRun = std::function<long long(Stopwatch&)>;

class PairTimer {
public:
    static constexpr int kPairs = 11;
    // A half of a pair shorter than this repeats its path until it lasts about as long, so
    // that a path of a fraction of a millisecond is not timed against the scheduler's tick.
    static constexpr double kMinHalfMs = 25;

    // One unmeasured warm-up pair, then `pairs` pairs; each half runs right after the other.
    // The times are per run of the path.
    static PairResult run(const PairRun& ours, const PairRun& bare, Clock clock, int pairs = kPairs)
    {
        PairResult r;
        r.pairs = pairs;
        r.clock = clock;
        std::vector<double> oursMs, bareMs, ratios;
        auto once = [clock](const PairRun& fn, long long& rows) {
            Stopwatch w(clock);
            const qint64 start = nowNs(clock);
            const long long n = fn(w);
            const double ms = w.used() ? w.ms() : static_cast<double>(nowNs(clock) - start) / 1e6;
            if (rows == -1)
                rows = n;
            else if (rows != n)
                rows = -2;
            return ms;
        };
        auto half = [&](const PairRun& fn, int times, long long& rows) {
            double ms = 0;
            for (int i = 0; i < times; ++i) ms += once(fn, rows);
            return ms / times;
        };
        auto repeats = [](double warmMs) { return std::clamp(static_cast<int>(kMinHalfMs / std::max(warmMs, 0.001)) + 1, 1, 1000); };
        long long warmOurs = -1, warmBare = -1;
        const int oursTimes = repeats(once(ours, warmOurs));
        const int bareTimes = repeats(once(bare, warmBare));
        for (int i = 0; i < pairs; ++i) {
            const double o = half(ours, oursTimes, r.oursRows);
            const double b = half(bare, bareTimes, r.bareRows);
            oursMs.push_back(o);
            bareMs.push_back(b);
            ratios.push_back(b > 0 ? o / b : 0);
        }
        r.oursMs = quantile(oursMs, 0.5);
        r.bareMs = quantile(bareMs, 0.5);
        r.ratio = quantile(ratios, 0.5);
        r.ratioLow = quantile(ratios, 0.25);
        r.ratioHigh = quantile(ratios, 0.75);
        return r;
    }

    // The same for runs timed whole.
    static PairResult runWhole(const std::function<long long()>& ours, const std::function<long long()>& bare, Clock clock,
                               int pairs = kPairs)
    {
        return run([&](Stopwatch&) { return ours(); }, [&](Stopwatch&) { return bare(); }, clock, pairs);
    }
};

}  // namespace bench
