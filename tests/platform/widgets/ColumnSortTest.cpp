#include "platform/widgets/ColumnSort.h"

#include <gtest/gtest.h>

namespace {

// The first column of the rows in the order the sort gives, one cell a row.
QStringList sorted(const QStringList& cells, Qt::SortOrder direction = Qt::AscendingOrder)
{
    std::vector<QStringList> rows;
    for (const QString& c : cells) rows.push_back({c});
    QStringList out;
    for (int r : column_sort::order(rows, 0, direction)) out << cells[r];
    return out;
}

}  // namespace

TEST(ColumnSort, NumbersDatesAndTextEachSortAsTheirKind)
{
    using column_sort::Kind;
    // Quantities and amounts by value, not by their first digits.
    EXPECT_EQ(
        sorted({QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("-3"), QString(), QStringLiteral("２")}),
        QStringList(
            {QString(), QStringLiteral("-3"), QStringLiteral("２"), QStringLiteral("9"), QStringLiteral("10")}));
    EXPECT_EQ(sorted({QStringLiteral("¥100,000"), QStringLiteral("¥15,000"), QStringLiteral("¥")}),
              QStringList({QStringLiteral("¥"), QStringLiteral("¥15,000"), QStringLiteral("¥100,000")}));

    // Dates by date, also where the text would order them otherwise.
    EXPECT_EQ(
        sorted({QStringLiteral("2024/1/5"), QStringLiteral("2023/12/31"), QString(), QStringLiteral("2024/01/04")},
               Qt::DescendingOrder),
        QStringList(
            {QStringLiteral("2024/1/5"), QStringLiteral("2024/01/04"), QStringLiteral("2023/12/31"), QString()}));

    // Text by Japanese collation: case and width do not part kin, which keep their order;
    // katakana after the Latin letters, empty first.
    const QStringList text = sorted({QStringLiteral("banana"), QStringLiteral("カメラ"), QStringLiteral("Apple"),
                                     QString(), QStringLiteral("ｂａｎａｎａ"), QStringLiteral("apple"),
                                     QStringLiteral("Banana"), QStringLiteral("アルバム")});
    EXPECT_EQ(text, QStringList({QString(), QStringLiteral("Apple"), QStringLiteral("apple"), QStringLiteral("banana"),
                                 QStringLiteral("ｂａｎａｎａ"), QStringLiteral("Banana"), QStringLiteral("アルバム"),
                                 QStringLiteral("カメラ")}));

    // One word among numbers makes the column text; an empty column is text too.
    std::vector<QStringList> mixed = {{QStringLiteral("12")}, {QStringLiteral("abc")}};
    EXPECT_EQ(column_sort::kindOf(mixed, 0), Kind::Text);
    EXPECT_EQ(column_sort::kindOf({{QStringLiteral("2024/01/04")}, {QString()}}, 0), Kind::Date);
    EXPECT_EQ(column_sort::kindOf({{QString()}}, 0), Kind::Text);
}
