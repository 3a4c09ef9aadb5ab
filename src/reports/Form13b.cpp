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
#include <QHash>
#include <QLabel>

#include <algorithm>

namespace {

constexpr int kListLeft = 120;
constexpr int kListTop = 1950;
constexpr int kListWidth = 11400;
constexpr int kListHeight = 4300;

const QString kNoMatchCode = QStringLiteral("0");
const QString kNoMatchName = QStringLiteral("  該当なし");

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

bool Form13b::usesTable(const QString& typeWord, int k)
{
    if (typeWord == QStringLiteral("CODE") + QString::number(k)) return true;
    return typeword::isText(typeWord) && typeword::codeTableNumber(typeWord) == k;
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
    if (c.rows[ConfigCache::kSystemRow].subFieldCount == 0) {
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
}

void Form13b::clearResult()
{
    chosen_ = 0;
    codes_.clear();
    names_.clear();
    fields_.clear();
    counts_.clear();
    ListView1->clearItems();
    ListView1->clearColumns();
}

void Form13b::Combo1_Click(int index)
{
    if (index < 0 || index >= static_cast<int>(tables_.size())) return;
    Combo1->setCurrentIndex(index);
    clearResult();
    const int k = tables_[size_t(index)];
    const ConfigCache& c = app_.cache;

    const bool counted = app_.guard([&] {
        Database db = app_.openDatabase();
        {
            Recordset table = db.openTable(c.codeTableName[size_t(k - 1)]);
            for (table.moveFirst(); !table.eof(); table.moveNext()) {
                codes_ << table.field(0).toString();
                names_ << text::Trim(table.field(1).toString());
            }
        }
        codes_ << kNoMatchCode;
        names_ << kNoMatchName;

        // Columns follow the categories, the main file before the sub file, and the fields
        // in their order.
        for (int i = 0; i < 6; ++i) {
            const CategoryDefinition& row = c.rows[size_t(i)];
            if (row.mainCreated != 0) {
                for (int f = 0; f < std::min<int>(row.mainFieldCount, 8); ++f) {
                    const FieldDefinition& d = row.mainFields[size_t(f)];
                    if (usesTable(d.typeWord, k))
                        fields_.push_back({i, false, f, typeword::isText(d.typeWord), row.name + QStringLiteral("(MAIN)") + d.name});
                }
            }
            if (row.subCreated != 0) {
                for (int f = 0; f < std::min<int>(row.subFieldCount, 8); ++f) {
                    const FieldDefinition& d = row.subFields[size_t(f)];
                    if (usesTable(d.typeWord, k))
                        fields_.push_back({i, true, f, typeword::isText(d.typeWord), row.name + QStringLiteral("(SUB)") + d.name});
                }
            }
        }
        counts_.assign(size_t(codes_.size()), std::vector<qint64>(fields_.size(), 0));

        for (int i = 0; i < 6; ++i) {
            if (c.rows[size_t(i)].mainCreated != 0) MainDataSet(db, i);
            if (c.rows[size_t(i)].subCreated != 0) SubDataSet(db, i);
        }
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

void Form13b::MainDataSet(Database& db, int category) { DataSet(db, category, false); }

void Form13b::SubDataSet(Database& db, int category) { DataSet(db, category, true); }

void Form13b::DataSet(Database& db, int category, bool sub)
{
    std::vector<int> columns;
    for (int j = 0; j < static_cast<int>(fields_.size()); ++j)
        if (fields_[size_t(j)].category == category && fields_[size_t(j)].sub == sub) columns.push_back(j);
    if (columns.empty()) return;

    // The first equal entry counts: a code compares exactly, a linked text trimmed with the
    // trimmed code names. A blank text matches no name, not even a blank one.
    const int noMatch = static_cast<int>(codes_.size()) - 1;
    QHash<QString, int> byCode;
    QHash<QString, int> byName;
    for (int e = noMatch - 1; e >= 0; --e) {
        byCode.insert(codes_[e], e);
        if (!names_[e].isEmpty()) byName.insert(names_[e], e);
    }

    const CategoryDefinition& row = app_.cache.rows[size_t(category)];
    Recordset rs = db.openTable(sub ? row.subTableName : row.mainTableName);
    ReportProgress shown = progress();
    shown.start(rs.recordCount());
    qint64 done = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        shown.row(++done);
        for (int j : columns) {
            const UsingField& u = fields_[size_t(j)];
            const Value v = rs.field(u.field);
            if (v.isNull()) continue;
            const QString value = v.toString();
            if (value.isEmpty()) continue;
            const int entry = u.linkedText ? byName.value(text::Trim(value), noMatch) : byCode.value(value, noMatch);
            ++counts_[size_t(entry)][size_t(j)];
        }
    }
    shown.finish();
}

void Form13b::ListViewSet()
{
    ListView1->clearItems();
    ListView1->clearColumns();
    if (fields_.empty()) {
        closeEmpty(QStringLiteral("登録が１件もありません。"));
        return;
    }

    QStringList entries;
    int widest = 0;
    for (int e = 0; e < codes_.size(); ++e) {
        entries << codes_[e] + QLatin1Char(' ') + names_[e];
        widest = std::max(widest, headerWidth(entries.back()));
    }
    ListView1->addColumn(QStringLiteral("　コード名"), widest + 300);
    for (const UsingField& u : fields_) ListView1->addColumn(u.header, headerWidth(u.header) + 300, true);

    std::vector<QStringList> rows;
    rows.reserve(size_t(entries.size()));
    for (int e = 0; e < entries.size(); ++e) {
        QStringList cells{entries[e]};
        for (size_t j = 0; j < fields_.size(); ++j) cells << countText(counts_[size_t(e)][j]);
        rows.push_back(std::move(cells));
    }
    ListView1->beginBulk();
    ListView1->addRows(std::move(rows));
    ListView1->endBulk();
}
