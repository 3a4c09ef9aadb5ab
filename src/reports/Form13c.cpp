#include "reports/Form13c.h"

#include "core/App.h"
#include "core/FieldDisplay.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/Twips.h"

#include <algorithm>

namespace {

constexpr int kListLeft = 120;
constexpr int kListTop = 800;
constexpr int kListWidth = 14900;
constexpr int kListHeight = 4300;

Form13c::Entry entryOf(const QString& label, const std::array<FieldDefinition, 8>& fields, int count)
{
    Form13c::Entry e{label, {}};
    for (const FieldDefinition& f : FieldDisplay::inUse(fields, count))
        e.cells << f.name + QStringLiteral("：") + Form13c::typeCaption(f.typeWord);
    return e;
}

}  // namespace

Form13c::Form13c(App& app) : ReportWindow(app, QStringLiteral("Form13c"), QStringLiteral("種目別項目名一覧"), false)
{
    setGeometryTwips(*ListView1, kListLeft, kListTop, kListWidth, kListHeight);
    setClientSizeTwips(kListLeft * 2 + kListWidth, kListTop + kListHeight + 120);
    Form_Load();
}

QString Form13c::typeCaption(const QString& typeWord)
{
    // A code field names its table in brackets; the other kinds read as in the record lists.
    if (typeword::isCode(typeWord)) {
        const int k = typeword::codeTableNumber(typeWord);
        return QStringLiteral("(") + (k != 0 ? QStringLiteral("CODE") + QString::number(k) : text::Trim(typeWord)) + QStringLiteral(")");
    }
    return FieldDisplay::typeSuffix(typeWord);
}

void Form13c::Form_Load()
{
    setCaption();
    ListView1->clearItems();
    ListView1->clearColumns();
    entries_.clear();
    const ConfigCache& c = app_.cache;
    for (int i = 0; i < 6; ++i) {
        const CategoryDefinition& row = c.row(size_t(i));
        // Every file that exists has its entry: a sub file may be set up before its main file.
        const QString name = text::Trim(row.name);
        if (row.mainCreated != 0)
            entries_.push_back(entryOf(name + QStringLiteral("：[メイン]"), row.mainFields, row.mainFieldCount));
        if (row.subCreated != 0)
            entries_.push_back(entryOf(name + QStringLiteral("：[サブ]"), row.subFields, row.subFieldCount));
    }
    ListViewSet();
}

void Form13c::ListViewSet()
{
    if (entries_.empty()) {
        closeEmpty(QStringLiteral("種目登録が１件もありません。"));
        return;
    }
    int widest = 0;
    for (const Entry& e : entries_) widest = std::max(widest, headerWidth(e.label));
    ListView1->addColumn(QStringLiteral("　種目名"), widest + 500);
    static const QString kDigits = QStringLiteral("１２３４５６７８");
    for (int k = 0; k < kFieldColumns; ++k) {
        // A column is never narrower than its heading, also where no file has that many fields.
        const QString heading = QStringLiteral(" 項目") + kDigits.at(k);
        int width = headerWidth(heading);
        for (const Entry& e : entries_)
            if (k < e.cells.size()) width = std::max(width, headerWidth(e.cells[k]));
        ListView1->addColumn(heading, width + 300);
    }
    std::vector<QStringList> rows;
    for (const Entry& e : entries_) {
        QStringList cells{e.label};
        for (int k = 0; k < kFieldColumns; ++k) cells << (k < e.cells.size() ? e.cells[k] : QString());
        rows.push_back(std::move(cells));
    }
    ListView1->addRows(std::move(rows));
}
