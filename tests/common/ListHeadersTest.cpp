#include "common/ListHeaders.h"
#include "platform/widgets/ReportListView.h"

#include <gtest/gtest.h>

namespace {

std::vector<FieldDefinition> fields(const QStringList& types)
{
    std::vector<FieldDefinition> out;
    for (const QString& t : types) out.push_back({QStringLiteral("項目"), t});
    return out;
}

}  // namespace

TEST(ListHeaders, TextColumnsShareWhatTheFixedColumnsLeave)
{
    const auto main = ListHeaders::mainList();
    // Three text fields: 14755 / 3, rounded.
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT", "TEXT3D", "TEXT2C"}), main), std::vector<int>({4918, 4918, 4918, 1350}));
    // One text field and seven whole numbers: 1455 left, the first column widened to 3500.
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT", "LONG", "LONG", "LONG", "LONG", "LONG", "LONG", "LONG"}), main),
              std::vector<int>({3500, 1900, 1900, 1900, 1900, 1900, 1900, 1900, 1350}));
    // No text field: only the fixed widths.
    EXPECT_EQ(ListHeaders::widths(fields({"LONG", "CURRENCY", "DATE", "CODE1", "CODE8", "DATE", "LONG", "CURRENCY"}), main),
              std::vector<int>({1900, 1900, 1600, 1350, 1350, 1600, 1900, 1900, 1350}));
    // Two text columns among many fixed ones: 3355 / 2 = 1677.5 rounds to even; only the
    // first is widened.
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT", "TEXT", "LONG", "LONG", "LONG", "LONG", "LONG", "LONG"}), main)[1], 1678);
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT", "TEXT", "LONG", "LONG", "LONG", "LONG", "LONG", "LONG"}), main)[0], 3500);
    // The main list has no cap: one text field takes all 14755 twips.
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT"}), main)[0], 14755);
}

TEST(ListHeaders, SubListStartsWiderAndCapsTheShare)
{
    const auto sub = ListHeaders::subList();
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT"}), sub), std::vector<int>({5295, 1350, 1350}));
    const auto eight = ListHeaders::widths(fields({"TEXT", "TEXT", "TEXT", "TEXT", "TEXT", "TEXT", "TEXT", "TEXT"}), sub);
    for (int c = 0; c < 8; ++c) EXPECT_EQ(eight[size_t(c)], 1881);  // the first one too
    // Many fixed columns leave the first text column narrow in the sub list: no 3500 here.
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT", "LONG", "LONG", "LONG", "LONG", "LONG", "LONG", "LONG"}), sub)[0], 1745);
    // A share under the cap stays as computed: 8295 / 2 = 4147.5, rounded to even.
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT", "LONG", "CURRENCY", "DATE", "CODE1", "TEXT"}), sub),
              std::vector<int>({4148, 1900, 1900, 1600, 1350, 4148, 1350, 1350}));
    EXPECT_EQ(ListHeaders::widths(fields({"TEXT", "TEXT"}), ListHeaders::mainRowList()), std::vector<int>({5295, 5295, 1350}));
}

TEST(ListHeaders, BuildCaptionsAndAlignsTheColumns)
{
    ReportListView list;
    list.addColumn(QStringLiteral("古い列"), 1000);
    std::vector<FieldDefinition> f = {{QStringLiteral("発売日"), "DATE"}, {QStringLiteral("価格"), "CURRENCY"},
                                      {QStringLiteral("分類"), "CODE2"}, {QStringLiteral("曲名"), "TEXT"}};
    ListHeaders::build(list, f, ListHeaders::subList());
    ASSERT_EQ(list.columnCount(), 6);
    const QStringList captions = {"発売日", "価格", "分類", "曲名", "登録ＮＯ", "サブＮＯ"};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(list.columnCaption(c), captions[c]);
    EXPECT_FALSE(list.columnRightAligned(0));  // a date in the first column stays left
    EXPECT_TRUE(list.columnRightAligned(1));
    EXPECT_FALSE(list.columnRightAligned(2));
    EXPECT_FALSE(list.columnRightAligned(3));
    EXPECT_TRUE(list.columnRightAligned(4) && list.columnRightAligned(5));
    EXPECT_EQ(list.columnWidthTwips(3), 5295);
    EXPECT_TRUE(list.headersVisible());
}
