#include "reports/Form13a.h"

#include "core/App.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"

#include <QHash>

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
    for (auto& row : counts_) row.fill(0);

    const ConfigCache& c = app_.cache;
    const bool counted = app_.guard([&] {
        Database db = app_.openDatabase();
        for (int i = 0; i < 6; ++i)
            if (c.rows[size_t(i)].mainCreated != 0) DataSet(db, i);
    });
    if (StatusBar1) StatusBar1->setPanelText(3, QString());
    if (!counted) {
        // The engine's message has been shown; counts of part of the files would mislead.
        closeEarly();
        return;
    }
    ListViewSet();
}

void Form13a::DataSet(Database& db, int category)
{
    const CategoryDefinition& row = app_.cache.rows[size_t(category)];
    auto count = [&](int statistic) -> qint64& { return counts_[size_t(statistic)][size_t(category)]; };

    Recordset main = db.openTable(row.mainTableName);
    const qint64 total = main.recordCount();
    ReportProgress shown = progress();
    shown.start(total);

    // The sub rows of every registration number, from one walk of the sub table.
    QHash<qint64, qint64> subRows;
    if (row.subCreated != 0) {
        Recordset sub = db.openTable(row.subTableName);
        const int subKey = row.subFieldCount;
        for (sub.moveFirst(); !sub.eof(); sub.moveNext()) {
            const Value v = sub.field(subKey);
            if (!v.isNull()) ++subRows[v.toInt()];
        }
    }

    const int mainKey = row.mainFieldCount;
    qint64 done = 0;
    for (main.moveFirst(); !main.eof(); main.moveNext()) {
        shown.row(++done);
        ++count(MainRows);
        const Value key = main.field(mainKey);
        const qint64 n = key.isNull() ? 0 : subRows.value(key.toInt(), 0);
        if (n > 0) {
            ++count(MainWithSub);
            count(SubRows) += n;
            count(LargestSub) = std::max(count(LargestSub), n);
        } else {
            ++count(MainWithoutSub);
        }
    }
    if (count(SubRows) != 0)
        count(AverageSub) = text::roundHalfEven(static_cast<double>(count(SubRows)) / static_cast<double>(count(MainRows)));
    shown.finish();
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
        const QString& name = app_.cache.rows[size_t(i)].name;
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
