#pragma once
#include "common/RecordReader.h"
#include "core/SearchConditions.h"

#include <QDate>
#include <QString>

class Value;

// The condition of a field search and the rule that decides whether a field value meets
// it. Text is found anywhere in the value (ordinally with case mode 1, textually
// otherwise); a code must be equal; a whole number equal; an amount or a date equal,
// greater or less as the comparison says. A Null value meets no condition on numbers,
// amounts, dates and codes.
class SearchMatcher {
public:
    using Conditions = SearchConditions;

    explicit SearchMatcher(Conditions conditions);

    int fieldIndex() const { return c_.fieldIndex; }
    const Conditions& conditions() const { return c_; }
    bool matches(const Value& value) const;
    // A reading filter taking the rows whose searched field meets the condition.
    RecordReader::RowFilter rowFilter() const;
    // The reading of a file's rows with this search: its filter, the one column it reads and,
    // for a text, the few texts every row it takes holds (so a server can pass over the rest).
    RecordReader::Request reading(RecordReader::Request request) const;

private:
    template <class T>
    bool compared(const T& value, const T& given) const;

    Conditions c_;
    QString preparedText_;  // the search text as compared: folded once for the textual mode
};
