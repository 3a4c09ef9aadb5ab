#pragma once
// Times a path against its baseline in interleaved pairs (ours, bare, ours, bare, …) after
// one warm-up pair that is not counted. What slows the machine for a moment slows both
// halves of a pair alike, so the median of the per-pair ratios holds still where two
// separate blocks of runs would not. The quartiles of those ratios tell how still.

#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// The part of one run that the path itself takes; its checks around stay untimed. A run
// that never calls time() is timed whole.
class Stopwatch {
public:
    void time(const std::function<void()>& fn)
    {
        QElapsedTimer t;
        t.start();
        fn();
        ns_ += t.nsecsElapsed();
        used_ = true;
    }
    bool used() const { return used_; }
    double ms() const { return static_cast<double>(ns_) / 1e6; }

private:
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
};

// One run of a path: returns the rows it read and may time only a part of itself.
using PairRun = std::function<long long(Stopwatch&)>;

class PairTimer {
public:
    static constexpr int kPairs = 11;

    // One unmeasured warm-up pair, then `pairs` pairs; each half runs right after the other.
    static PairResult run(const PairRun& ours, const PairRun& bare, int pairs = kPairs)
    {
        PairResult r;
        r.pairs = pairs;
        std::vector<double> oursMs, bareMs, ratios;
        auto once = [](const PairRun& fn, long long& rows) {
            Stopwatch w;
            QElapsedTimer whole;
            whole.start();
            const long long n = fn(w);
            const double ms = w.used() ? w.ms() : static_cast<double>(whole.nsecsElapsed()) / 1e6;
            if (rows == -1)
                rows = n;
            else if (rows != n)
                rows = -2;
            return ms;
        };
        long long warmOurs = -1, warmBare = -1;
        once(ours, warmOurs);
        once(bare, warmBare);
        for (int i = 0; i < pairs; ++i) {
            const double o = once(ours, r.oursRows);
            const double b = once(bare, r.bareRows);
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
    static PairResult runWhole(const std::function<long long()>& ours, const std::function<long long()>& bare,
                               int pairs = kPairs)
    {
        return run([&](Stopwatch&) { return ours(); }, [&](Stopwatch&) { return bare(); }, pairs);
    }
};

}  // namespace bench
