#include "reports/Form13b.h"

#include "core/App.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>

namespace {

constexpr int kListLeft = 120;
constexpr int kListTop = 1950;
constexpr int kListWidth = 11400;
constexpr int kListHeight = 4300;

}  // namespace

Form13b::Form13b(App& app) : ReportWindow(app, QStringLiteral("Form13b"), QStringLiteral("コード別利用件数調べ"), true)
{
    Label3 = NamedControls::label(client_, "Label3", QStringLiteral("コード・テーブル名"), 300, 820, 1900, 300);
    Combo1 = NamedControls::make<QComboBox>(client_, "Combo1", 2300, 760, 4200, 380);
    Combo1->setPlaceholderText(QStringLiteral("コード・テーブル名を選択してください"));
    Label2 = NamedControls::label(client_, "Label2",
                                  QStringLiteral("利用件数調べの対象は、「ファイル設定でコード使用の指定」及び"
                                                 "「コード・テーブル利用登録」で指定したファイル項目とします。"),
                                  300, 1280, 11100, 560);
    Label2->setWordWrap(true);

    setGeometryTwips(*ListView1, kListLeft, kListTop, kListWidth, kListHeight);
    setClientSizeTwips(kListLeft * 2 + kListWidth, kListTop + kListHeight + 120);

    connect(Combo1, &QComboBox::activated, this, &Form13b::Combo1_Click);
    Form_Load();
}

void Form13b::Form_Load()
{
    setCaption();
    // The code tables are offered in the first tick, when the window is on the screen.
    startTimer1([this] { Timer1_Timer(); });
}

void Form13b::Timer1_Timer()
{
    if (!stopTimer1()) return;  // one tick only
    const ConfigCache& c = app_.cache;
    if (c.row(ConfigCache::kSystemRow).subFieldCount == 0) {
        closeEmpty(QStringLiteral("コード・テーブルが作成未済みです。"));
        return;
    }
    // The register's free slots are left out, so an entry's place is not its table number.
    tables_.clear();
    Combo1->clear();
    for (int k = 1; k <= 8; ++k) {
        const QString name = text::Trim(c.codeTableNameOf(k));
        if (name.isEmpty()) continue;
        tables_.push_back(k);
        Combo1->addItem(name);
    }
    Combo1->setCurrentIndex(-1);
    // The keyboard starts on the window's one choice: Down or Alt+Down picks a table.
    Combo1->setFocus();
}

void Form13b::clearResult()
{
    chosen_ = 0;
    usage_ = {};
    ListView1->clearItems();
    ListView1->clearColumns();
}

void Form13b::Combo1_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(tables_.size())) return;
    Combo1->setCurrentIndex(index);
    clearResult();
    const int k = tables_[size_t(index)];
    ReportProgress shown = progress();
    const bool counted = app_.guard([&] {
        Database db = app_.openDatabase();
        usage_ = usage::codeUsage(app_.cache, db, k, shown);
    });
    if (StatusBar1) StatusBar1->setPanelText(3, QString());
    if (!counted) {
        // The engine's message has been shown; counts of part of the files would mislead.
        clearResult();
        return;
    }
    chosen_ = k;
    ListViewSet();
}

void Form13b::ListViewSet()
{
    ListView1->clearItems();
    ListView1->clearColumns();
    if (usage_.fields.empty()) {
        closeEmpty(QStringLiteral("登録が１件もありません。"));
        return;
    }

    QStringList entries;
    int widest = 0;
    for (int e = 0; e < usage_.codes.size(); ++e) {
        entries << usage_.codes[e] + QLatin1Char(' ') + usage_.names[e];
        widest = std::max(widest, headerWidth(entries.back()));
    }
    ListView1->addColumn(QStringLiteral("　コード名"), widest + 300);
    for (const UsingField& u : usage_.fields) ListView1->addColumn(u.header, headerWidth(u.header) + 300, true);

    std::vector<QStringList> rows;
    rows.reserve(size_t(entries.size()));
    for (int e = 0; e < entries.size(); ++e) {
        QStringList cells{entries[e]};
        for (size_t j = 0; j < usage_.fields.size(); ++j) cells << countText(usage_.counts[size_t(e)][j]);
        rows.push_back(std::move(cells));
    }
    ListView1->beginBulk();
    ListView1->addRows(std::move(rows));
    ListView1->endBulk();
}
