#include "lists/SearchMatcher.h"

#include "core/ConfigCache.h"
#include "platform/db/Database.h"
#include "platform/db/Value.h"
#include "platform/text/TextFinder.h"
#include "platform/text/TextUtil.h"

#include <memory>

SearchMatcher::SearchMatcher(Conditions conditions)
    : c_(std::move(conditions)), preparedText_(c_.caseMode == 1 ? c_.text : text::foldText(c_.text))
{
}


template <class T>
bool SearchMatcher::compared(const T& value, const T& given) const
{
    switch (c_.comparison) {
    case 0: return value == given;
    case 1: return value > given;
    case 2: return value < given;
    default: return false;
    }
}

bool SearchMatcher::matches(const Value& value) const
{
    const QString& type = c_.typeWord;
    if (type == QLatin1String("TEXT")) return text::containsPrepared(value.toString(), preparedText_, c_.caseMode);
    if (value.isNull()) return false;
    if (type == QLatin1String("CODE")) return value.toString() == c_.code;
    if (type == QLatin1String("LONG")) return value.toInt() == c_.number;
    if (type == QLatin1String("CURRENCY")) return compared(value.currencyUnits(), c_.amount);
    if (type == QLatin1String("DATE")) return compared(value.toDate(), c_.date);
    return false;
}

RecordReader::RowFilter SearchMatcher::rowFilter() const
{
    if (c_.typeWord == QLatin1String("TEXT")) {
        // A text is looked for in the engine's own bytes, without a value made for each row.
        auto finder = std::make_shared<text::TextFinder>(c_.text, c_.caseMode);
        return [matcher = *this, finder](const Recordset& rs) {
            const Recordset::RawCell cell = rs.raw(matcher.fieldIndex());
            bool found = false;
            if (cell.kind == Recordset::RawCell::Kind::Text) found = finder->in(cell.text, cell.bytes);
            else if (cell.kind == Recordset::RawCell::Kind::Null) found = finder->in("", 0);
            else found = matcher.matches(rs.field(matcher.fieldIndex()));
            return found ? RecordReader::Take::Yes : RecordReader::Take::No;
        };
    }
    return [matcher = *this](const Recordset& rs) {
        return matcher.matches(rs.field(matcher.fieldIndex())) ? RecordReader::Take::Yes : RecordReader::Take::No;
    };
}

RecordReader::Request SearchMatcher::reading(RecordReader::Request request) const
{
    request.filter = rowFilter();
    request.filterColumn = fieldIndex();
    if (c_.typeWord == QLatin1String("TEXT")) request.holdsOneOf = text::TextFinder(c_.text, c_.caseMode).anchors();
    return request;
}
