#include "PrintSettingsFixture.h"
#include "Find.h"
#include "printing/Form6ps.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace {
struct Form6psTest : PrintSettingsFixture {};
const QString kHeading = QStringLiteral("ＣＤ (サブ明細)");
}  // namespace

TEST_F(Form6psTest, Form6psOffersTheSubFieldsAndTheMainRecordsValuesAsTitles)
{
    Form6ps d(t.app, kCategory, subRows, mainRow, kHeading, &status);
    EXPECT_EQ(d.objectName(), QStringLiteral("Form6ps"));
    EXPECT_EQ(d.windowTitle(), t.app.cache.caption(QStringLiteral("印刷設定(サブ)")));
    EXPECT_EQ(child<QLabel>(d, "Label6")->text(), QStringLiteral("印 刷 設 定 (サブ明細)"));
    EXPECT_EQ(child<QRadioButton>(d, "Option3_0")->text(), QStringLiteral("　種目サブ明細一覧表"));
    EXPECT_EQ(texts(child<QListWidget>(d, "List1")), (QStringList{"曲名", "時間"}));
    // The main record's four values, trimmed; the number column is not offered.
    EXPECT_EQ(texts(child<QListWidget>(d, "List2")), (QStringList{"Morning Glory", "山田太郎", "¥12,345", "2023/12/31"}));
    for (QWidget* w : std::initializer_list<QWidget*>{child<QLabel>(d, "Label13"), child<QLabel>(d, "Label14"), child<QLabel>(d, "Label15"), child<QLabel>(d, "Label16"), child<QLineEdit>(d, "Text3"), child<QListWidget>(d, "List2"),
                                                      child<QPushButton>(d, "Command7"), child<QPushButton>(d, "Command8")})
        EXPECT_TRUE(w->isHidden());
    EXPECT_EQ(child<QLabel>(d, "Label4")->text(), QStringLiteral("ヘッダー・タイトル"));
    EXPECT_EQ(child<QLabel>(d, "Label5")->text(), QStringLiteral("(入力ない場合は種目名とする)"));

    child<QLineEdit>(d, "Text1")->setText(QStringLiteral("typed"));
    child<QRadioButton>(d, "Option3_1")->click();
    EXPECT_EQ(d.settings().reportKind, 2);
    EXPECT_TRUE(child<QLineEdit>(d, "Text1")->text().isEmpty());
    for (QWidget* w : std::initializer_list<QWidget*>{child<QLabel>(d, "Label13"), child<QLabel>(d, "Label14"), child<QLabel>(d, "Label15"), child<QLabel>(d, "Label16"), child<QLineEdit>(d, "Text3"), child<QListWidget>(d, "List2"),
                                                      child<QPushButton>(d, "Command7"), child<QPushButton>(d, "Command8")})
        EXPECT_FALSE(w->isHidden());
    EXPECT_EQ(child<QLabel>(d, "Label4")->text(), QStringLiteral("ヘッダー・タイトル．１"));
    EXPECT_EQ(child<QLabel>(d, "Label5")->text(), QStringLiteral("(入力ない場合は項目１のデータとする)"));
    EXPECT_EQ(child<QLabel>(d, "Label13")->text(), QStringLiteral("ヘッダー・タイトル．２"));
    EXPECT_EQ(child<QLabel>(d, "Label14")->text(), QStringLiteral("(入力ない場合は項目２のデータとする)"));

    // 挿入 ≫ copies the chosen value; with none chosen nothing happens.
    child<QPushButton>(d, "Command7")->click();
    EXPECT_TRUE(child<QLineEdit>(d, "Text1")->text().isEmpty());
    child<QListWidget>(d, "List2")->setCurrentRow(1);
    child<QPushButton>(d, "Command8")->click();
    EXPECT_EQ(child<QLineEdit>(d, "Text3")->text(), QStringLiteral("山田太郎"));
    child<QListWidget>(d, "List2")->setCurrentRow(2);
    child<QPushButton>(d, "Command7")->click();
    EXPECT_EQ(child<QLineEdit>(d, "Text1")->text(), QStringLiteral("¥12,345"));

    // The detail list clears title 1 only and hides title 2 again.
    child<QRadioButton>(d, "Option3_0")->click();
    EXPECT_TRUE(child<QLineEdit>(d, "Text1")->text().isEmpty());
    EXPECT_EQ(child<QLineEdit>(d, "Text3")->text(), QStringLiteral("山田太郎"));
    EXPECT_TRUE(child<QLineEdit>(d, "Text3")->isHidden());
    EXPECT_EQ(child<QLabel>(d, "Label4")->text(), QStringLiteral("ヘッダー・タイトル"));
}

TEST_F(Form6psTest, Form6psTitlesDefaultByReport)
{
    Form6ps d(t.app, kCategory, subRows, mainRow, QStringLiteral(" ＣＤ (サブ明細) "), &status);
    child<QRadioButton>(d, "Option3_1")->click();
    choose(d, {QStringLiteral("曲名")});
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_EQ(d.settings().headerTitle1, QStringLiteral("Morning Glory"));
    EXPECT_EQ(d.settings().headerTitle2, QStringLiteral("山田太郎"));
    child<QLineEdit>(d, "Text3")->setText(QStringLiteral(" 第二 "));
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_EQ(d.settings().headerTitle2, QStringLiteral("第二"));

    child<QRadioButton>(d, "Option3_0")->click();
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_EQ(d.settings().headerTitle1, QStringLiteral("ＣＤ (サブ明細)"));
    EXPECT_EQ(d.settings().headerTitle2, QStringLiteral("第二"));  // title 2 kept as typed
    child<QLineEdit>(d, "Text3")->clear();
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_TRUE(d.settings().headerTitle2.isEmpty());

    // Without a main row there is nothing to offer and the CD-case titles stay empty.
    mainRow.clearItems();
    Form6ps empty(t.app, kCategory, subRows, mainRow, kHeading, &status);
    EXPECT_EQ(child<QListWidget>(empty, "List2")->count(), 0);
    child<QRadioButton>(empty, "Option3_1")->click();
    choose(empty, {QStringLiteral("曲名")});
    ASSERT_TRUE(empty.PrinterSet());
    EXPECT_TRUE(empty.settings().headerTitle1.isEmpty());
    EXPECT_TRUE(empty.settings().headerTitle2.isEmpty());
}

TEST_F(Form6psTest, Form6psMeasuresTheSubRowsAndOwnsTheSubColumnCount)
{
    t.app.printSettings.mainColumnCount = 3;
    t.app.printSettings.settingsCategory = kCategory;
    Form6ps d(t.app, kCategory, subRows, mainRow, kHeading, &status);
    child<QRadioButton>(d, "Option3_0")->click();
    choose(d, {QStringLiteral("時間"), QStringLiteral("曲名")});
    child<QPushButton>(d, "Command4")->click();
    ASSERT_TRUE(d.settingsAccepted());
    const PrintSettings& s = t.app.printSettings;
    EXPECT_EQ(s.subColumnCount, 2);
    // The shared columns are the sub report's now: the main list asks for its own again.
    EXPECT_EQ(s.mainColumnCount, 0);
    EXPECT_EQ(s.columnField[0], 1);
    EXPECT_EQ(s.columnField[1], 0);
    EXPECT_EQ(s.columnWidthMm[0], mm(QStringLiteral("時間")) + 4);
    EXPECT_EQ(s.columnMaxBytes[0], 4);
    EXPECT_EQ(s.columnWidthMm[1], mm(QStringLiteral("一曲目のとても長い曲名です")) + 4);
    EXPECT_EQ(s.columnMaxBytes[1], 26);
    EXPECT_EQ(status.panelText(3), QString());

    Form6ps again(t.app, kCategory, subRows, mainRow, kHeading, &status);
    child<QPushButton>(again, "Command3")->click();
    EXPECT_EQ(s.subColumnCount, 0);
    EXPECT_FALSE(printSub());  // the window, shown without an answer, leaves no columns
    EXPECT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form6ps")});
}
