#include "lists/SearchMatcher.h"
#include "platform/db/Value.h"

#include <gtest/gtest.h>

namespace {

SearchMatcher matcher(const QString& type, int comparison = 0, int caseMode = 0)
{
    SearchMatcher::Conditions c;
    c.typeWord = type;
    c.text = QStringLiteral("Abc");
    c.code = QStringLiteral("A1");
    c.number = 42;
    c.amount = 1500 * 10000;
    c.date = QDate(2024, 3, 5);
    c.comparison = comparison;
    c.caseMode = caseMode;
    return SearchMatcher(c);
}

Value yen(qint64 y) { return Value::currency(y * 10000); }

}  // namespace

TEST(SearchMatcher, TextIsFoundAnywhereUnderEitherCaseMode)
{
    const auto textual = matcher("TEXT", 0, 0);
    for (const char* hay : {"xxABCyy", "abc", "ＡＢＣの歌", "Abc"}) EXPECT_TRUE(textual.matches(Value::text(QString::fromUtf8(hay)))) << hay;
    EXPECT_FALSE(textual.matches(Value::text("AB C")));

    const auto ordinal = matcher("TEXT", 0, 1);
    EXPECT_TRUE(ordinal.matches(Value::text("xxAbcyy")));
    for (const char* hay : {"abc", "ABC", "Ａｂｃ"}) EXPECT_FALSE(ordinal.matches(Value::text(QString::fromUtf8(hay)))) << hay;
}

TEST(SearchMatcher, CodesAndWholeNumbersMatchOnlyWhenEqual)
{
    const auto code = matcher("CODE");
    EXPECT_TRUE(code.matches(Value::text("A1")));
    EXPECT_FALSE(code.matches(Value::text("a1")));
    EXPECT_FALSE(code.matches(Value::text("A1 ")));  // no trimming
    EXPECT_FALSE(code.matches(Value::text("A12")));

    // A whole number is always compared for equality, whatever comparison is chosen.
    const auto number = matcher("LONG", 1);
    EXPECT_TRUE(number.matches(Value::integer(42)));
    EXPECT_FALSE(number.matches(Value::integer(43)));
}

TEST(SearchMatcher, AmountsAndDatesCompareAsChosen)
{
    // Which of ¥1,499.9999, ¥1,500 and ¥1,501 meet equal, greater and less.
    const Value amounts[] = {Value::currency(1500 * 10000 - 1), yen(1500), yen(1501)};
    const bool expected[3][3] = {{false, true, false}, {false, false, true}, {true, false, false}};
    for (int c = 0; c < 3; ++c)
        for (int v = 0; v < 3; ++v) EXPECT_EQ(matcher("CURRENCY", c).matches(amounts[v]), expected[c][v]) << c << v;

    EXPECT_TRUE(matcher("DATE", 0).matches(Value::date(QDate(2024, 3, 5))));
    EXPECT_TRUE(matcher("DATE", 1).matches(Value::date(QDate(2024, 3, 6))));
    EXPECT_FALSE(matcher("DATE", 1).matches(Value::date(QDate(2024, 3, 4))));
    EXPECT_TRUE(matcher("DATE", 2).matches(Value::date(QDate(2023, 12, 31))));
    EXPECT_FALSE(matcher("DATE", 2).matches(Value::date(QDate(2024, 3, 5))));
}

TEST(SearchMatcher, NullNeverMatchesNumbersAmountsDatesOrCodes)
{
    for (const char* type : {"CODE", "LONG", "CURRENCY", "DATE"})
        for (int comparison : {0, 1, 2}) EXPECT_FALSE(matcher(type, comparison).matches(Value::null())) << type << comparison;
}

