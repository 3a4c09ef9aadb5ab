#pragma once
#include "core/UsageCounts.h"
#include "reports/ReportWindow.h"

#include <QStringList>
#include <array>

// 種目別登録件数調べ: per category with main rows, how many main rows there are, how many of
// them have sub rows and how many have none, how many sub rows belong to them, and the
// average and largest number of sub rows of one main row. Read in the first tick of the
// timer, so the window is on the screen first.
class Form13a : public ReportWindow {
    Q_OBJECT
public:
    // The statistics, one list row each.
    enum Statistic { MainRows, MainWithSub, MainWithoutSub, SubRows, AverageSub, LargestSub };
    static constexpr int kStatistics = 6;

    explicit Form13a(App& app);

private slots:
    // Opening: caption, then the counting in the first tick of the timer.
    void Form_Load();
    void Timer1_Timer();
public:
    // Fills the list with the categories that have main rows.
    void ListViewSet();

    // The label of a statistic's row, leading spaces included.
    static QString rowLabel(int statistic);
    // A counter after the counting (category 0..5).
    qint64 counter(int statistic, int category) const;

private:
    std::array<usage::Registrations, 6> counts_{};
};
