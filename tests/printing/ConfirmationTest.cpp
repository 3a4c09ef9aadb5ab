#include "PrintSettingsFixture.h"
#include "Find.h"
#include "printing/Form5pp.h"
#include "printing/Form5ps.h"
#include "printing/Form6pp.h"
#include "printing/Form6ps.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

struct PrintSettingsConfirmationTest : PrintSettingsFixture {};

// What the confirmation window showed.
struct Shown {
    QString caption, report, font, paper, orientation, margin, usable, leftOverCaption, leftOver, title1, title2, titleCaption;
    QStringList fields, fieldWidths, columns, columnWidths;
    QColor leftOverCaptionColour, leftOverColour;
};

QStringList items(const QListWidget* l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}

void capture(ScriptedUi& ui, const QString& name, Shown& out)
{
    ui.onShow(name, [&out](QWidget& w) {
        auto& c = static_cast<PrintSettingsConfirmation&>(w);
        out.caption = c.windowTitle();
        out.report = child<QLabel>(c, "Label4")->text();
        out.font = child<QLabel>(c, "Label16")->text();
        out.paper = child<QLabel>(c, "Label17")->text();
        out.orientation = child<QLabel>(c, "Label18")->text();
        out.margin = child<QLabel>(c, "Label8")->text();
        out.usable = child<QLabel>(c, "Label10")->text();
        out.leftOverCaption = child<QLabel>(c, "Label11")->text();
        out.leftOver = child<QLabel>(c, "Label12")->text();
        out.leftOverCaptionColour = child<QLabel>(c, "Label11")->palette().color(QPalette::WindowText);
        out.leftOverColour = child<QLabel>(c, "Label12")->palette().color(QPalette::WindowText);
        out.titleCaption = child<QLabel>(c, "Label19")->text();
        out.title1 = child<QLabel>(c, "Label20")->text();
        if (auto* sub = dynamic_cast<Form6pp*>(&c)) out.title2 = child<QLabel>(*sub, "Label22")->text();
        out.fields = items(child<QListWidget>(c, "List1"));
        out.fieldWidths = items(child<QListWidget>(c, "List2"));
        out.columns = items(child<QListWidget>(c, "List3"));
        out.columnWidths = items(child<QListWidget>(c, "List4"));
    });
}

}  // namespace

TEST_F(PrintSettingsConfirmationTest, Form5ppShowsEveryFieldsWidthTheChosenTotalAndWhatIsLeft)
{
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QPushButton>(d, "Command7")->click();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("作成する帳表が選択されていません。"));
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());

    child<QRadioButton>(d, "Option3_0")->click();
    choose(d, {QStringLiteral("価格"), QStringLiteral("タイトル")});
    child<QLineEdit>(d, "Text2")->setText(QStringLiteral("12"));
    child<QLineEdit>(d, "Text1")->setText(QStringLiteral("在庫一覧"));
    Shown shown;
    capture(t.ui, QStringLiteral("Form5pp"), shown);
    child<QPushButton>(d, "Command7")->click();
    ASSERT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form5pp")});

    const int title = mm(QStringLiteral("Morning Glory Extended Edition")) + 4;
    const int artist = mm(QStringLiteral("山田太郎と仲間たち")) + 4;
    const int price = std::max(mm(QStringLiteral("価格")), mm(QStringLiteral("¥12,345"))) + 4;
    const int date = std::max(mm(QStringLiteral("発売日")), mm(QStringLiteral("2024/03/05"))) + 4;
    EXPECT_EQ(shown.caption, t.app.cache.caption(QStringLiteral("印刷設定状況確認")));
    EXPECT_EQ(shown.report, QStringLiteral("種目明細一覧表"));
    EXPECT_EQ(shown.fields, (QStringList{"タイトル", "アーティスト", "価格", "発売日"}));
    EXPECT_EQ(shown.fieldWidths, (QStringList{QString::number(title), QString::number(artist), QString::number(price),
                                              QString::number(date)}));
    // The total leaves out the margin; what is left over counts it.
    EXPECT_EQ(shown.columns, (QStringList{"価格", "タイトル", "(** 合計 **)"}));
    EXPECT_EQ(shown.columnWidths,
              (QStringList{QString::number(price), QString::number(title), QString::number(price + title)}));
    EXPECT_EQ(shown.font, QStringLiteral("10"));
    EXPECT_EQ(shown.paper, QStringLiteral("A4"));
    EXPECT_EQ(shown.orientation, QStringLiteral("縦"));
    EXPECT_EQ(shown.margin, QStringLiteral("12"));
    EXPECT_EQ(shown.usable, QStringLiteral("197"));
    EXPECT_EQ(shown.leftOverCaption, QStringLiteral("差引余裕サイズ"));
    EXPECT_EQ(shown.leftOver, QString::number(197 - 12 - price - title));
    EXPECT_EQ(shown.leftOverCaptionColour, QColor(Qt::blue));
    EXPECT_EQ(shown.leftOverColour, QApplication::palette().color(QPalette::ButtonText));
    EXPECT_EQ(shown.titleCaption, QStringLiteral("ヘッダー・タイトル："));
    EXPECT_EQ(shown.title1, QStringLiteral("在庫一覧"));

    // Exactly as wide as the paper: nothing left, still no excess.
    child<QLineEdit>(d, "Text2")->setText(QString::number(197 - price - title));
    capture(t.ui, QStringLiteral("Form5pp"), shown);
    child<QPushButton>(d, "Command7")->click();
    EXPECT_EQ(shown.leftOverCaption, QStringLiteral("差引余裕サイズ"));
    EXPECT_EQ(shown.leftOver, QStringLiteral("0"));

    // One millimetre more: the excess in red. The confirmation makes no fit check of its own.
    child<QLineEdit>(d, "Text2")->setText(QString::number(197 - price - title + 1));
    capture(t.ui, QStringLiteral("Form5pp"), shown);
    child<QPushButton>(d, "Command7")->click();
    EXPECT_EQ(shown.leftOverCaption, QStringLiteral("差引サイズオーバー"));
    EXPECT_EQ(shown.leftOver, QStringLiteral("1"));
    EXPECT_EQ(shown.leftOverCaptionColour, QColor(Qt::red));
    EXPECT_EQ(shown.leftOverColour, QColor(Qt::red));
    EXPECT_EQ(t.ui.messages().size(), 1u);
    EXPECT_FALSE(d.settingsAccepted());
    EXPECT_EQ(t.app.printSettings.mainColumnCount, 0);
}

TEST_F(PrintSettingsConfirmationTest, Form5ppShowsThePrintersFontPaperAndOrientation)
{
    t.printer.setFontSize(9.75);
    rows.clearItems();  // with no rows every field is as wide as its heading plus 4
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QRadioButton>(d, "Option3_0")->click();
    child<QComboBox>(d, "Combo2")->setCurrentText(QStringLiteral("B5"));
    child<QRadioButton>(d, "Option2")->click();
    Shown shown;
    capture(t.ui, QStringLiteral("Form5pp"), shown);
    child<QPushButton>(d, "Command7")->click();
    EXPECT_EQ(shown.font, QStringLiteral("9.75"));
    EXPECT_EQ(shown.paper, QStringLiteral("B5"));
    EXPECT_EQ(shown.orientation, QStringLiteral("横"));
    EXPECT_EQ(shown.usable, QStringLiteral("244"));
    EXPECT_EQ(shown.fieldWidths,
              (QStringList{QString::number(mm(QStringLiteral("タイトル")) + 4), QString::number(mm(QStringLiteral("アーティスト")) + 4),
                           QString::number(mm(QStringLiteral("価格")) + 4), QString::number(mm(QStringLiteral("発売日")) + 4)}));
    EXPECT_EQ(shown.columns, QStringList{QStringLiteral("(** 合計 **)")});
    EXPECT_EQ(shown.columnWidths, QStringList{QStringLiteral("0")});
    EXPECT_EQ(shown.leftOver, QString::number(244 - 10));

    child<QRadioButton>(d, "Option3_1")->click();
    capture(t.ui, QStringLiteral("Form5pp"), shown);
    child<QPushButton>(d, "Command7")->click();
    EXPECT_EQ(shown.report, QStringLiteral("ＣＤケース背面用明細リスト"));
    EXPECT_EQ(shown.paper, QStringLiteral("ＣＤケース(A5)"));
    EXPECT_EQ(shown.font, QStringLiteral("8"));
    EXPECT_EQ(shown.usable, QStringLiteral("130"));
    EXPECT_EQ(d.settings().linesPerPage, 27);
}

TEST_F(PrintSettingsConfirmationTest, Form6ppNamesTheDetailListAndShowsBothTitles)
{
    Form6ps d(t.app, kCategory, subRows, mainRow, QStringLiteral("ＣＤ (サブ明細)"), &status);
    child<QRadioButton>(d, "Option3_0")->click();
    choose(d, {QStringLiteral("曲名")});
    child<QLineEdit>(d, "Text2")->setText(QStringLiteral("0"));
    Shown shown;
    capture(t.ui, QStringLiteral("Form6pp"), shown);
    child<QPushButton>(d, "Command9")->click();
    ASSERT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form6pp")});
    const int song = mm(QStringLiteral("一曲目のとても長い曲名です")) + 4;
    EXPECT_EQ(shown.report, QStringLiteral("種目明細一覧表"));
    EXPECT_EQ(shown.fields, (QStringList{"曲名", "時間"}));
    EXPECT_EQ(shown.fieldWidths,
              (QStringList{QString::number(song), QString::number(std::max(mm(QStringLiteral("時間")), mm("245")) + 4)}));
    EXPECT_EQ(shown.columnWidths, (QStringList{QString::number(song), QString::number(song)}));
    EXPECT_EQ(shown.leftOver, QString::number(197 - song));
    EXPECT_EQ(shown.titleCaption, QStringLiteral("ヘッダー・タイトル１："));
    EXPECT_EQ(shown.title1, QStringLiteral("ＣＤ (サブ明細)"));
    EXPECT_TRUE(shown.title2.isEmpty());

    child<QRadioButton>(d, "Option3_1")->click();
    child<QListWidget>(d, "List2")->setCurrentRow(3);
    child<QPushButton>(d, "Command8")->click();
    capture(t.ui, QStringLiteral("Form6pp"), shown);
    child<QPushButton>(d, "Command9")->click();
    EXPECT_EQ(shown.report, QStringLiteral("ＣＤケース背面用明細リスト"));
    EXPECT_EQ(shown.title1, QStringLiteral("Morning Glory"));
    EXPECT_EQ(shown.title2, QStringLiteral("2023/12/31"));
}
