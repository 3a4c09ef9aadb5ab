#include "common/ListHeaders.h"

#include "core/FieldDisplay.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"

ListHeaders::Rules ListHeaders::mainList()
{
    return {14755, {QStringLiteral("登録ＮＯ")}, 0, kFirstTextMinimum};
}

ListHeaders::Rules ListHeaders::inquiryMainList()
{
    Rules r = mainList();
    r.freeWidth = 15045;
    return r;
}

ListHeaders::Rules ListHeaders::subList()
{
    return {15045, {QStringLiteral("登録ＮＯ"), QStringLiteral("サブＮＯ")}, 5295, 0};
}

ListHeaders::Rules ListHeaders::mainRowList()
{
    return {15045, {QStringLiteral("登録ＮＯ")}, 5295, 0};
}

namespace {

int fixedWidth(FieldDisplay::Kind k, const ListHeaders::Rules& rules)
{
    switch (k) {
    case FieldDisplay::Kind::Code: return rules.codeWidth;
    case FieldDisplay::Kind::Long:
    case FieldDisplay::Kind::Currency: return rules.numberWidth;
    case FieldDisplay::Kind::Date: return rules.dateWidth;
    case FieldDisplay::Kind::Text: break;
    }
    return 0;
}

}  // namespace

std::vector<int> ListHeaders::widths(const std::vector<FieldDefinition>& fields, const Rules& rules)
{
    // Every fixed-width column takes its width and its share; the key columns give up
    // theirs; what remains is shared by the text columns.
    int free = rules.freeWidth;
    int shares = static_cast<int>(fields.size()) + static_cast<int>(rules.keyCaptions.size());
    for (const FieldDefinition& f : fields) {
        const int w = fixedWidth(FieldDisplay::kindOf(f.typeWord), rules);
        if (w != 0) {
            free -= w;
            --shares;
        }
    }
    shares -= static_cast<int>(rules.keyCaptions.size());
    int textWidth = 0;
    if (shares >= 1) {
        textWidth = static_cast<int>(text::roundHalfEven(static_cast<double>(free) / shares));
        if (rules.shareCap > 0 && textWidth > rules.shareCap) textWidth = rules.shareCap;
    }

    std::vector<int> out;
    for (size_t i = 0; i < fields.size(); ++i) {
        int w = fixedWidth(FieldDisplay::kindOf(fields[i].typeWord), rules);
        if (w == 0) {
            w = textWidth;
            if (i == 0 && w < rules.firstTextMinimum) w = rules.firstTextMinimum;
        }
        out.push_back(w);
    }
    for (int k = 0; k < rules.keyCaptions.size(); ++k) out.push_back(rules.keyWidth);
    return out;
}

void ListHeaders::build(ReportListView& list, const std::vector<FieldDefinition>& fields, const Rules& rules)
{
    const std::vector<int> w = widths(fields, rules);
    std::vector<ReportListModel::Column> columns;
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldDisplay::Kind k = FieldDisplay::kindOf(fields[i].typeWord);
        const bool right = k == FieldDisplay::Kind::Long || k == FieldDisplay::Kind::Currency || k == FieldDisplay::Kind::Date;
        columns.push_back({fields[i].name, w[i], right && i > 0, right});
    }
    for (int k = 0; k < rules.keyCaptions.size(); ++k) columns.push_back({rules.keyCaptions[k], rules.keyWidth, true, true});
    list.setColumns(std::move(columns));
    list.setHeadersVisible(true);
}
