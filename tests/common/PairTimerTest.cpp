#include "PairTimer.h"

#include <gtest/gtest.h>
#include <QString>

// The bench's pairs: the path and its bare work take turns after one warm-up pair, every run
// reads the rows it should, and the figure is the median of the per-pair ratios.
TEST(PairTimer, RunsThePathAndItsBareWorkInTurnsAndTakesTheMedianOfTheirRatios)
{
    QString order;
    int oursRuns = 0;
    const bench::PairResult r = bench::PairTimer::run(
        [&](bench::Stopwatch& w) {
            order += QLatin1Char('o');
            ++oursRuns;
            // A path that times only a part of itself; the untimed part is not counted.
            w.time([] {
                volatile double x = 0;
                for (int i = 0; i < 200000; ++i) x = x + i;
            });
            return 10LL;
        },
        [&](bench::Stopwatch&) {
            order += QLatin1Char('b');
            volatile double x = 0;
            for (int i = 0; i < 100000; ++i) x = x + i;
            return 10LL;
        },
        bench::Clock::Cpu, 5);
    // Halves shorter than the least a half takes repeat the path; the turns stay whole halves.
    ASSERT_FALSE(order.isEmpty());
    EXPECT_EQ(order.front(), QLatin1Char('o'));
    const int turns = static_cast<int>(order.count(QStringLiteral("ob")) + order.count(QStringLiteral("bo")));
    EXPECT_EQ(turns, 2 * 6 - 1) << order.toStdString();  // warm-up pair and five pairs
    EXPECT_EQ(r.pairs, 5);
    EXPECT_EQ(r.oursRows, 10);
    EXPECT_EQ(r.bareRows, 10);
    EXPECT_GT(oursRuns, 6);
    EXPECT_GT(r.oursMs, 0);
    EXPECT_GT(r.bareMs, 0);
    EXPECT_LE(r.ratioLow, r.ratio);
    EXPECT_LE(r.ratio, r.ratioHigh);

    // Runs of a path that disagree on their rows are told apart from a steady count.
    int n = 0;
    const bench::PairResult unsteady =
        bench::PairTimer::runWhole([&] { return static_cast<long long>(++n); }, [] { return 1LL; }, bench::Clock::Cpu, 3);
    EXPECT_EQ(unsteady.oursRows, -2);
    EXPECT_EQ(unsteady.bareRows, 1);
}

TEST(PairTimer, QuartilesLieBetweenTheValuesAroundThem)
{
    EXPECT_DOUBLE_EQ(bench::quantile({4, 1, 3, 2, 5}, 0.5), 3);
    EXPECT_DOUBLE_EQ(bench::quantile({4, 1, 3, 2, 5}, 0.25), 2);
    EXPECT_DOUBLE_EQ(bench::quantile({1, 2, 3, 4}, 0.5), 2.5);
    EXPECT_DOUBLE_EQ(bench::quantile({1, 2, 3, 4}, 0.75), 3.25);
    EXPECT_DOUBLE_EQ(bench::quantile({7}, 0.25), 7);
    EXPECT_DOUBLE_EQ(bench::quantile({}, 0.5), 0);
}
