#include "RecordFixture.h"
#include "Find.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form5kf.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace fixture;

namespace {

// Opens the dialog on a field of category 1 with the last conditions, types a value and presses
// 検索; returns the message shown, or "" when the search was accepted. The last conditions
// become what was chosen, as the opener keeps them.
QString search(TestApp& t, SearchConditions& last, int field, const QString& value, int comparison = -1)
{
    t.ui.clearLog();
    Form5kf f(t.app, 0, last);
    child<QRadioButton>(f, QStringLiteral("Option1_%1").arg(field))->click();
    if (comparison >= 0) child<QRadioButton>(f, QStringLiteral("Option2_%1").arg(comparison))->click();
    child<MaskedEdit>(f, "MaskEdBox1")->setText(value);
    child<QPushButton>(f, "Command1")->click();
    last = f.chosen();
    const auto m = t.ui.messages();
    if (m.empty()) {
        EXPECT_TRUE(f.conditions());
        if (f.conditions()) {
            EXPECT_EQ(f.conditions()->typeWord, last.typeWord);
        }
        return QString();
    }
    EXPECT_EQ(m.back().title, QStringLiteral("ERROR"));
    EXPECT_EQ(m.back().icon, Ui::Icon::None);
    EXPECT_EQ(m.back().buttons, Ui::Buttons::Ok);
    EXPECT_FALSE(f.conditions());
    return m.back().text;
}

const QString kEmpty = QStringLiteral("検索文字が入力されていません");
const QString kNotNumber = QStringLiteral("検索文字が数値ではありません");
const QString kNotDate = QStringLiteral("検索文字が日付ではありません");

}  // namespace

TEST(Form5kf, OpeningOffersTheMainFieldsAndResetsTheConditions)
{
    TestApp t;
    makeCategories(t);
    SearchConditions before;
    before.text = QStringLiteral("前回");
    before.number = 9;
    Form5kf f(t.app, 0, before);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - レコード別検索条件"));
    EXPECT_EQ(child<QLabel>(f, "Label1")->text(), QStringLiteral("検索して開く  （レコードの選択）"));
    EXPECT_EQ(child<QGroupBox>(f, "Frame1")->title(), QStringLiteral("検索する項目"));
    EXPECT_EQ(child<QGroupBox>(f, "Frame2")->title(), QStringLiteral("検索条件（金額、日付）"));
    EXPECT_EQ(child<QRadioButton>(f, "Option2_0")->text(), QStringLiteral("検索文字と　一致"));
    EXPECT_EQ(child<QRadioButton>(f, "Option2_1")->text(), QStringLiteral("検索文字より 大きい"));
    EXPECT_EQ(child<QRadioButton>(f, "Option2_2")->text(), QStringLiteral("検索文字より 小さい"));
    EXPECT_EQ(child<QCheckBox>(f, "Check1")->text(), QStringLiteral("大/小文字、全角/半角、カナ/ひらがなを区別する"));
    EXPECT_EQ(child<QPushButton>(f, "Command1")->text(), QStringLiteral("検　索"));
    EXPECT_EQ(child<QPushButton>(f, "Command2")->text(), QStringLiteral("ヘルプ"));

    const QStringList offered = {"品名 ：(文字)", "枚数 ：(数値)", "価格 ：(金額)", "購入日 ：(日付)", "ジャンル ：(コード)"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(child<QRadioButton>(f, QStringLiteral("Option1_%1").arg(k))->text(), offered[k]);
        EXPECT_FALSE(child<QRadioButton>(f, QStringLiteral("Option1_%1").arg(k))->isHidden());
    }
    EXPECT_TRUE(child<QRadioButton>(f, "Option1_5")->isHidden());
    EXPECT_TRUE(child<QGroupBox>(f, "Frame2")->isHidden());
    EXPECT_TRUE(child<QCheckBox>(f, "Check1")->isHidden());
    EXPECT_TRUE(child<MaskedEdit>(f, "MaskEdBox1")->isHidden());
    EXPECT_TRUE(child<QPushButton>(f, "Command1")->isHidden());
    EXPECT_FALSE(f.conditions());
    EXPECT_EQ(f.chosen().text, QString());
    EXPECT_EQ(f.chosen().number, 0);

    // One field per opening; an amount brings the comparison and the amount format.
    child<QRadioButton>(f, QStringLiteral("Option1_%1").arg(Price))->click();
    EXPECT_FALSE(child<QGroupBox>(f, "Frame1")->isEnabled());
    EXPECT_FALSE(child<QGroupBox>(f, "Frame2")->isHidden());
    EXPECT_FALSE(child<MaskedEdit>(f, "MaskEdBox1")->isHidden());
    EXPECT_TRUE(child<QCheckBox>(f, "Check1")->isHidden());
    EXPECT_EQ(child<MaskedEdit>(f, "MaskEdBox1")->format(), QStringLiteral("\\\\###,###,###,##0"));
    EXPECT_EQ(f.chosen().typeWord, QStringLiteral("CURRENCY"));
    EXPECT_EQ(f.chosen().fieldIndex, Price);

    // Leaving without a search keeps the search cancelled.
    f.reject();
    EXPECT_FALSE(f.conditions());
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
}

TEST(Form5kf, EachSearchTypeIsCheckedAndRecorded)
{
    TestApp t;
    makeCategories(t);
    SearchConditions c;

    EXPECT_EQ(search(t, c, Count, QString()), kEmpty);
    EXPECT_EQ(search(t, c, Count, QStringLiteral("十")), kNotNumber);
    EXPECT_EQ(search(t, c, Count, QStringLiteral("2147483648")), kNotNumber);
    EXPECT_EQ(search(t, c, Count, QStringLiteral("１,２３４")), QString());
    EXPECT_EQ(c.typeWord, QStringLiteral("LONG"));
    EXPECT_EQ(c.number, 1234);

    EXPECT_EQ(search(t, c, Price, QStringLiteral("abc")), kNotNumber);
    EXPECT_EQ(search(t, c, Price, QStringLiteral("¥1,500.5")), QString());
    EXPECT_EQ(c.typeWord, QStringLiteral("CURRENCY"));
    EXPECT_EQ(c.amount, 15005000);

    // An untouched date mask counts as nothing typed.
    EXPECT_EQ(search(t, c, Bought, QString()), kEmpty);
    EXPECT_EQ(search(t, c, Bought, QStringLiteral("2024/02/30")), kNotDate);
    EXPECT_EQ(search(t, c, Bought, QStringLiteral("2024/02/__")), kNotDate);
    EXPECT_EQ(search(t, c, Bought, QStringLiteral("2024/02/29")), QString());
    EXPECT_EQ(c.typeWord, QStringLiteral("DATE"));
    EXPECT_EQ(c.date, QDate(2024, 2, 29));

    EXPECT_EQ(search(t, c, Genre, QStringLiteral("zz")), QString());  // codes are not looked up
    EXPECT_EQ(c.typeWord, QStringLiteral("CODE"));
    EXPECT_EQ(c.code, QStringLiteral("zz"));

    EXPECT_EQ(search(t, c, Name, QStringLiteral(" 　")), kEmpty);  // blanks are nothing typed
    EXPECT_EQ(search(t, c, Name, QStringLiteral("ベスト")), QString());
    EXPECT_EQ(c.typeWord, QStringLiteral("TEXT"));
    EXPECT_EQ(c.text, QStringLiteral("ベスト"));
    EXPECT_EQ(c.caseMode, 0);
    EXPECT_EQ(c.code, QString());  // reset by the opening

    Form5kf f(t.app, 0, c);
    child<QRadioButton>(f, QStringLiteral("Option1_%1").arg(Name))->click();
    EXPECT_FALSE(child<QCheckBox>(f, "Check1")->isHidden());
    child<QCheckBox>(f, "Check1")->click();
    EXPECT_EQ(f.chosen().caseMode, 1);
    // Return in the box searches: 検索 is the dialog's own default button (the program gives
    // Return to no button a dialog has not chosen).
    EXPECT_TRUE(child<QPushButton>(f, "Command1")->isDefault());
    f.show();
    QTest::keyClicks(child<MaskedEdit>(f, "MaskEdBox1"), QStringLiteral("ABC"));
    QTest::keyClick(child<MaskedEdit>(f, "MaskEdBox1"), Qt::Key_Return);
    EXPECT_EQ(f.chosen().caseMode, 1);
    ASSERT_TRUE(f.conditions());
    EXPECT_EQ(f.conditions()->text, QStringLiteral("ABC"));
    EXPECT_EQ(f.conditions()->caseMode, 1);
    EXPECT_EQ(f.conditions()->fieldIndex, Name);
    EXPECT_EQ(f.result(), QDialog::Accepted);
}

TEST(Form5kf, TheComparisonIsKeptAcrossOpenings)
{
    TestApp t;
    makeCategories(t);
    SearchConditions c = t.app.lastSearch();
    EXPECT_EQ(c.comparison, 0);
    {
        Form5kf f(t.app, 0, c);
        EXPECT_TRUE(child<QRadioButton>(f, "Option2_0")->isChecked());
    }
    EXPECT_EQ(search(t, c, Bought, QStringLiteral("2024/01/01"), 2), QString());
    EXPECT_EQ(c.comparison, 2);

    // The next opening shows it and a search without a new choice uses it.
    Form5kf f(t.app, 0, c);
    EXPECT_TRUE(child<QRadioButton>(f, "Option2_2")->isChecked());
    EXPECT_EQ(search(t, c, Price, QStringLiteral("100")), QString());
    EXPECT_EQ(c.comparison, 2);
    EXPECT_EQ(search(t, c, Price, QStringLiteral("100"), 1), QString());
    EXPECT_EQ(c.comparison, 1);

    // The opener keeps the choice in the App, also when the dialog is left without a search.
    t.ui.onShow("Form5kf", [](QWidget& shown) {
        child<QRadioButton>(shown, QStringLiteral("Option1_%1").arg(Price))->click();
        child<QRadioButton>(shown, "Option2_1")->click();
    });
    EXPECT_FALSE(Form5kf::ask(t.app, 0));
    EXPECT_EQ(t.app.lastSearch().comparison, 1);
    t.ui.onShow("Form5kf", [](QWidget& shown) {
        EXPECT_TRUE(child<QRadioButton>(shown, "Option2_1")->isChecked());
        child<QRadioButton>(shown, QStringLiteral("Option1_%1").arg(Price))->click();
        child<MaskedEdit>(shown, "MaskEdBox1")->setText(QStringLiteral("100"));
        child<QPushButton>(shown, "Command1")->click();
    });
    const std::optional<SearchConditions> found = Form5kf::ask(t.app, 0);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->comparison, 1);
    EXPECT_EQ(found->amount, 1000000);
}
