#include "platform/widgets/ColumnSort.h"

#include "platform/text/TextUtil.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <optional>

namespace column_sort {

namespace {

QString cellOf(const QStringList& cells, int col) { return col < cells.size() ? text::Trim(cells[col]) : QString(); }

}  // namespace

Kind kindOf(const std::vector<QStringList>& rows, int col)
{
    bool numbers = true;
    bool dates = true;
    bool any = false;
    for (const QStringList& cells : rows) {
        const QString s = cellOf(cells, col);
        if (s.isEmpty()) continue;
        any = true;
        numbers = numbers && text::parseNumber(s).has_value();
        dates = dates && text::parseDate(s).has_value();
        if (!numbers && !dates) return Kind::Text;
    }
    if (!any) return Kind::Text;
    return numbers ? Kind::Number : Kind::Date;
}

std::vector<int> order(const std::vector<QStringList>& rows, int col, Qt::SortOrder direction)
{
    const size_t n = rows.size();
    std::vector<int> perm(n);
    std::iota(perm.begin(), perm.end(), 0);
    if (n < 2 || col < 0) return perm;

    // One key a row, made once: empty cells stand before every value.
    std::vector<bool> empty(n);
    std::vector<double> value(n, 0.0);
    std::vector<std::optional<QCollatorSortKey>> collated(n);
    const Kind kind = kindOf(rows, col);
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    for (size_t r = 0; r < n; ++r) {
        const QString s = cellOf(rows[r], col);
        empty[r] = s.isEmpty();
        if (empty[r]) continue;
        if (kind == Kind::Number) value[r] = *text::parseNumber(s);
        else if (kind == Kind::Date) value[r] = static_cast<double>(text::parseDate(s)->toJulianDay());
        else collated[r].emplace(collator.sortKey(s));
    }
    auto less = [&](int a, int b) {
        if (empty[size_t(a)] || empty[size_t(b)]) return empty[size_t(a)] && !empty[size_t(b)];
        if (kind == Kind::Text) return collated[size_t(a)]->compare(*collated[size_t(b)]) < 0;
        return value[size_t(a)] < value[size_t(b)];
    };
    if (direction == Qt::AscendingOrder)
        std::stable_sort(perm.begin(), perm.end(), less);
    else
        std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) { return less(b, a); });
    return perm;
}

}  // namespace column_sort
