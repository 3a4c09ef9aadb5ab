#include "reports/Form13a.h"

#include "core/App.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"


#include <algorithm>

namespace {

constexpr int kListLeft = 120;
constexpr int kListTop = 800;
constexpr int kListWidth = 11400;
constexpr int kListHeight = 2900;

}  // namespace

Form13a::Form13a(App& app) : ReportWindow(app, QStringLiteral("Form13a"), QStringLiteral("種目別登録件数調べ"), true)
{
    setGeometryTwips(*ListView1, kListLeft, kListTop, kListWidth, kListHeight);
    setClientSizeTwips(kListLeft * 2 + kListWidth, kListTop + kListHeight + 120);
    Form_Load();
}

QString Form13a::rowLabel(int statistic)
{
    switch (statistic) {
    case MainRows: return QStringLiteral("メイン明細：登録件数");
    case MainWithSub: return QStringLiteral("            (内、サブ明細あり)");
    case MainWithoutSub: return QStringLiteral("            (内、サブ明細なし)");
    case SubRows: return QStringLiteral("サブ明細　：登録件数");
    case AverageSub: return QStringLiteral("          ：１メイン当りの平均登録件数");
    case LargestSub: return QStringLiteral("          ：１メイン当りの最大登録件数");
    }
    return QString();
}

void Form13a::Form_Load()
{
    setCaption();
    // The counting waits for the first tick, so the window is on the screen while it reads.
    startTimer1([this] { Timer1_Timer(); });
}

void Form13a::Timer1_Timer()
{
    if (!stopTimer1()) return;  // one tick only
    counts_ = {};
    ReportProgress shown = progress();
    const bool counted = app_.guard([&] {
        Database db = app_.openDatabase();
        counts_ = usage::registrations(app_.cache, db, shown);
    });
    if (StatusBar1) StatusBar1->setPanelText(3, QString());
    if (!counted) {
        // The engine's message has been shown; counts of part of the files would mislead.
        counts_ = {};
        closeEarly();
        return;
    }
    ListViewSet();
}

qint64 Form13a::counter(int statistic, int category) const
{
    const usage::Registrations& r = counts_[size_t(category)];
    switch (statistic) {
    case MainRows: return r.mainRows;
    case MainWithSub: return r.mainWithSub;
    case MainWithoutSub: return r.mainWithoutSub;
    case SubRows: return r.subRows;
    case AverageSub: return r.averageSub;
    case LargestSub: return r.largestSub;
    }
    return 0;
}

void Form13a::ListViewSet()
{
    ListView1->clearItems();
    ListView1->clearColumns();
    std::vector<int> listed;
    for (int i = 0; i < 6; ++i)
        if (counter(MainRows, i) != 0) listed.push_back(i);
    if (listed.empty()) {
        closeEmpty(QStringLiteral("登録が１件もありません。"));
        return;
    }

    ListView1->addColumn(QStringLiteral("種　　目"), headerWidth(rowLabel(AverageSub)) + 500);
    for (int i : listed) {
        const QString& name = app_.cache.row(size_t(i)).name;
        ListView1->addColumn(name, headerWidth(name) + 600, true);
    }
    std::vector<QStringList> rows;
    for (int s = 0; s < kStatistics; ++s) {
        QStringList cells{rowLabel(s)};
        for (int i : listed) cells << countText(counter(s, i));
        rows.push_back(std::move(cells));
    }
    ListView1->addRows(std::move(rows));
}
