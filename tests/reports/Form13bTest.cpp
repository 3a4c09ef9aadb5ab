#include "../schema/SchemaChecks.h"
#include "Find.h"
#include "Person.h"
#include "platform/widgets/ReportListView.h"
#include "ReportFixture.h"
#include "platform/widgets/StatusBar3.h"
#include "reports/Form13b.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>

using report::Rows;

namespace {

const QString kNoMatch = QStringLiteral("0   該当なし");

QStringList comboItems(const Form13b& f)
{
    QStringList out;
    for (int i = 0; i < child<QComboBox>(f, "Combo1")->count(); ++i) out << child<QComboBox>(f, "Combo1")->itemText(i);
    return out;
}

// Code table 2 "区分" (code length 3) with three codes; its names carry blanks that the
// report trims.
void kinds(TestApp& t)
{
    build::createCodeTable(t.app, 2, QStringLiteral("区分"), 3);
    build::addCode(t.app, 2, QStringLiteral("01"), QStringLiteral("ポップス"));
    build::addCode(t.app, 2, QStringLiteral("02"), QStringLiteral(" ジャズ　"));
    build::addCode(t.app, 2, QStringLiteral("03"), QStringLiteral("クラシック"));
}

}  // namespace

TEST(Form13b, CountsEachCodeInEveryFieldThatUsesTheTable)
{
    TestApp t;
    report::progressOn(t);
    build::createCodeTable(t.app, 1, QStringLiteral("社員"), 2);
    kinds(t);

    // Category 1: a linked text and a code field in the main file, a code field and a linked
    // text in the sub file; fields of another table or of no table are left out.
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0,
                      {{QStringLiteral("品名"), QStringLiteral("TEXT2C")},
                       {QStringLiteral("担当"), QStringLiteral("CODE1")},
                       {QStringLiteral("区分"), QStringLiteral("CODE2")},
                       {QStringLiteral("数量"), QStringLiteral("LONG")}});
    build::defineSub(t.app, 0,
                     {{QStringLiteral("種別"), QStringLiteral("CODE2")}, {QStringLiteral("備考"), QStringLiteral("TEXT2D")}});
    // Category 3 (category 2 has no files): a sub file alone, then category 4's main file.
    build::nameCategory(t.app, 2, QStringLiteral("ＬＰ"));
    build::defineSub(t.app, 2, {{QStringLiteral("分類"), QStringLiteral("CODE2")}});
    build::nameCategory(t.app, 3, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 3, {{QStringLiteral("メモ"), QStringLiteral("TEXT")}, {QStringLiteral("分類"), QStringLiteral("CODE2")}});

    const QString null;
    report::addRows(t, QStringLiteral("SHUMOKU1"),
                    {
                        // A linked text counts under the code whose trimmed name it equals.
                        {QStringLiteral(" ジャズ "), QStringLiteral("01"), QStringLiteral("01"), QStringLiteral("1")},
                        {QStringLiteral("ポップス"), null, QStringLiteral("02"), QStringLiteral("2")},
                        // A code with a trailing blank, and a text holding a code, match nothing.
                        {QStringLiteral("01"), null, QStringLiteral("01 "), QStringLiteral("3")},
                        // Null and empty values are not counted; a stored blank matches nothing.
                        {null, null, null, QStringLiteral("4")},
                        {QString(""), null, QString(""), QStringLiteral("5")},
                        {QStringLiteral("   "), null, QStringLiteral("   "), QStringLiteral("6")},
                    },
                    {{1}, {2}, {3}, {4}, {5}, {6}});
    report::addRows(t, QStringLiteral("SHUMOKU1SUB"),
                    {{QStringLiteral("03"), QStringLiteral("クラシック")},
                     {QStringLiteral("03"), QStringLiteral("クラシック")},
                     {QStringLiteral("04"), QStringLiteral("演歌")}},
                    {{1, 1}, {1, 2}, {2, 1}});
    report::addRows(t, QStringLiteral("SHUMOKU3SUB"), {{QStringLiteral("02")}}, {{7, 1}});
    report::addRows(t, QStringLiteral("SHUMOKU4"), {{QStringLiteral("x"), QStringLiteral("02")}}, {{1}});

    Form13b f(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - 照会"));
    EXPECT_EQ(child<QLabel>(f, "Label1")->text(), QStringLiteral("コード別利用件数調べ"));
    EXPECT_EQ(child<QLabel>(f, "Label3")->text(), QStringLiteral("コード・テーブル名"));
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->placeholderText(), QStringLiteral("コード・テーブル名を選択してください"));
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->currentIndex(), -1);
    EXPECT_EQ(comboItems(f), QStringList({"社員", "区分"}));
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnCount(), 0);

    person::choose(child<QComboBox>(f, "Combo1"), 1);  // 区分, table 2
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(f.chosenTable(), 2);
    EXPECT_EQ(report::headers(*child<ReportListView>(f, "ListView1")), QStringList({"　コード名", "ＣＤ(MAIN)品名", "ＣＤ(MAIN)区分", "ＣＤ(SUB)種別",
                                                           "ＣＤ(SUB)備考", "ＬＰ(SUB)分類", "ＤＶＤ(MAIN)分類"}));
    EXPECT_EQ(report::rows(*child<ReportListView>(f, "ListView1")), Rows({
                                              {"01 ポップス", "1", "1", "", "", "", ""},
                                              {"02 ジャズ", "1", "1", "", "", "1", "1"},
                                              {"03 クラシック", "", "", "2", "2", "", ""},
                                              {kNoMatch, "2", "2", "1", "1", "", ""},
                                          }));
    EXPECT_EQ(child<StatusBar3>(f, "StatusBar1")->panelText(3), QString());

    // Widths: the widest code and name + 300, each header + 300; the counts right-aligned.
    int widest = 0;
    for (const QString& s : QStringList{"01 ポップス", "02 ジャズ", "03 クラシック", "0   該当なし"}) widest = std::max(widest, report::measured(f, s));
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnWidthTwips(0), widest + 300);
    for (int c = 1; c < child<ReportListView>(f, "ListView1")->columnCount(); ++c) {
        EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnWidthTwips(c), report::measured(f, child<ReportListView>(f, "ListView1")->columnCaption(c)) + 300) << c;
        EXPECT_TRUE(child<ReportListView>(f, "ListView1")->columnRightAligned(c)) << c;
    }

    // Another table replaces the columns and rows: 社員 has no codes but one using field.
    person::choose(child<QComboBox>(f, "Combo1"), 0);
    EXPECT_EQ(f.chosenTable(), 1);
    EXPECT_EQ(report::headers(*child<ReportListView>(f, "ListView1")), QStringList({"　コード名", "ＣＤ(MAIN)担当"}));
    EXPECT_EQ(report::rows(*child<ReportListView>(f, "ListView1")), Rows({{kNoMatch, "1"}}));
}

TEST(Form13b, TheNoMatchRowIsThereWhenNothingIsCounted)
{
    TestApp t;
    kinds(t);
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("区分"), QStringLiteral("CODE2")}});

    Form13b f(t.app);
    person::choose(child<QComboBox>(f, "Combo1"), 0);
    EXPECT_EQ(report::rows(*child<ReportListView>(f, "ListView1")), Rows({{"01 ポップス", ""}, {"02 ジャズ", ""}, {"03 クラシック", ""}, {kNoMatch, ""}}));
}

TEST(Form13b, MoreThanTwelveUsingFieldsAllGetAColumn)
{
    TestApp t;
    kinds(t);
    std::vector<FieldDefinition> fields;
    for (int k = 1; k <= 7; ++k) fields.push_back({QStringLiteral("項目%1").arg(k), QStringLiteral("CODE2")});
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, fields);
    build::defineSub(t.app, 0, fields);
    QStringList values(7, QStringLiteral("03"));
    report::addRows(t, QStringLiteral("SHUMOKU1SUB"), {values}, {{1, 1}});

    Form13b f(t.app);
    person::choose(child<QComboBox>(f, "Combo1"), 0);
    ASSERT_EQ(child<ReportListView>(f, "ListView1")->columnCount(), 1 + 14);
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->columnCaption(14), QStringLiteral("ＣＤ(SUB)項目7"));
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->text(2, 14), QStringLiteral("1"));
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->text(2, 7), QString());
}

TEST(Form13b, WithoutCodeTablesSaysSoAndOnlyTheReportCloses)
{
    TestApp t;
    ReportWindow::run<Form13b>(t.app);
    check::messages(t.ui, {{QStringLiteral("コード・テーブルが作成未済みです。"), QStringLiteral("Error"), Ui::Icon::Critical}});
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());
    EXPECT_FALSE(t.ui.programEnded());
}

TEST(Form13b, WithCodeTablesTheReportIsShown)
{
    TestApp t;
    kinds(t);
    ReportWindow::run<Form13b>(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form13b"}));
}

TEST(Form13b, ATableNoFieldUsesSaysSoAndOnlyTheReportCloses)
{
    TestApp t;
    kinds(t);
    build::createCodeTable(t.app, 5, QStringLiteral("色"), 1);
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("区分"), QStringLiteral("CODE2")}});
    report::addRows(t, QStringLiteral("SHUMOKU1"), {{QStringLiteral("01")}}, {{1}});

    Form13b f(t.app);
    EXPECT_EQ(f.listedTables(), std::vector<int>({2, 5}));
    person::choose(child<QComboBox>(f, "Combo1"), 0);
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->rowCount(), 4);
    t.ui.clearLog();

    person::choose(child<QComboBox>(f, "Combo1"), 1);  // 色: no field uses it
    check::messages(t.ui, {{QStringLiteral("登録が１件もありません。"), QStringLiteral("Error"), Ui::Icon::Critical}});
    EXPECT_FALSE(t.ui.programEnded());
    EXPECT_TRUE(f.closedEarly());
}

TEST(Form13b, AnUnreadableFileShowsTheEngineErrorAndLeavesTheListEmpty)
{
    TestApp t;
    kinds(t);
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("区分"), QStringLiteral("CODE2")}});
    build::nameCategory(t.app, 1, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 1, {{QStringLiteral("区分"), QStringLiteral("CODE2")}});
    report::addRows(t, QStringLiteral("SHUMOKU1"), {{QStringLiteral("01")}}, {{1}});
    t.db().execute(QStringLiteral("DROP TABLE SHUMOKU2"));

    Form13b f(t.app);
    person::choose(child<QComboBox>(f, "Combo1"), 0);
    check::engineError(t.ui);
    EXPECT_EQ(child<ReportListView>(f, "ListView1")->rowCount(), 0);
    EXPECT_EQ(f.chosenTable(), 0);
    EXPECT_EQ(child<StatusBar3>(f, "StatusBar1")->panelText(3), QString());
    EXPECT_FALSE(t.ui.programEnded());
}
