#include "PrintSettingsFixture.h"
#include "Find.h"
#include "common/ScreenPrint.h"
#include "printing/Form5ps.h"

#include <QPushButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

namespace {

struct Form5psTest : PrintSettingsFixture {};

const QString kNoReport = QStringLiteral("作成する帳表が選択されていません。");
const QString kFiveLines = QStringLiteral(
    "印刷データが多いため、用紙の横幅に入りません。\r\n  ①用紙を横方向にするか、\r\n  ②印刷項目を減らすか、\r\n"
    "  ③フォントサイズを小さくするか\r\nの対策をお願いします。");
const QString kRefused = QStringLiteral(
    "使用中のプリンターのドライバーでは、プログラム側からの\r\n印刷設定変更が認めてくれません。\r\n"
    "そのため、プリンターのプロパティにて、「フチなし印刷」の\r\nチェックをはずして､用紙の設定を行ってください。");

QColor textColour(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

// A device that fails in a way the program does not know.
class BrokenBackend : public RecordingBackend {
public:
    double textWidthMm(const QString&, const PrintFont&) const override { throw PrinterError(5, QStringLiteral("broken")); }
};
class BrokenPrinter : public Printer {
public:
    BrokenPrinter() : Printer(std::make_unique<BrokenBackend>()) {}
};

}  // namespace

TEST_F(Form5psTest, Form5psOpensWithItsDefaultsAndFollowsTheReportChoice)
{
    t.printer.setFont(PrintFont{QStringLiteral("ＭＳ ゴシック"), 12, true, false});
    t.app.printSettings.reportKind = 2;
    t.app.printSettings.leftMarginMm = 30;
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);

    EXPECT_EQ(d.objectName(), QStringLiteral("Form5ps"));
    EXPECT_EQ(d.windowTitle(), t.app.cache.caption(QStringLiteral("印刷設定")));
    EXPECT_EQ(child<QLabel>(d, "Label6")->text(), QStringLiteral("印 刷 設 定"));
    EXPECT_EQ(texts(child<QListWidget>(d, "List1")), (QStringList{"タイトル", "アーティスト", "価格", "発売日"}));
    EXPECT_EQ(child<QListWidget>(d, "List2")->count(), 0);
    EXPECT_EQ(child<QComboBox>(d, "Combo2")->currentText(), QStringLiteral("A4"));
    EXPECT_EQ(child<QTabWidget>(d, "SSTab1")->currentIndex(), 0);
    EXPECT_EQ(child<QLineEdit>(d, "Text2")->text(), QStringLiteral("10"));
    EXPECT_TRUE(child<QRadioButton>(d, "Option1")->isChecked());
    EXPECT_FALSE(child<QLabel>(d, "Image1")->isHidden());
    EXPECT_TRUE(child<QLabel>(d, "Image2")->isHidden());
    // Each opening starts from the window's own defaults, not from earlier values.
    EXPECT_EQ(d.settings().reportKind, 0);
    EXPECT_EQ(d.settings().leftMarginMm, 10);
    for (QLabel* l : {child<QLabel>(d, "Label7"), child<QLabel>(d, "Label8"), child<QLabel>(d, "Label10")}) {
        EXPECT_TRUE(l->isHidden());
        EXPECT_EQ(textColour(l), QColor(Qt::red));
    }
    EXPECT_EQ(textColour(child<QLabel>(d, "Label12")), QColor(128, 0, 0));

    child<QRadioButton>(d, "Option2")->click();
    EXPECT_TRUE(child<QLabel>(d, "Image1")->isHidden());
    EXPECT_FALSE(child<QLabel>(d, "Image2")->isHidden());
    child<QRadioButton>(d, "Option1")->click();
    EXPECT_FALSE(child<QLabel>(d, "Image1")->isHidden());

    child<QRadioButton>(d, "Option3_1")->click();
    EXPECT_EQ(d.settings().reportKind, 2);
    EXPECT_EQ(child<QTabWidget>(d, "SSTab1")->currentIndex(), 1);
    for (QWidget* w : std::initializer_list<QWidget*>{child<QLabel>(d, "Label7"), child<QLabel>(d, "Label8"), child<QLabel>(d, "Label10")}) EXPECT_FALSE(w->isHidden());
    for (QWidget* w : std::initializer_list<QWidget*>{child<QComboBox>(d, "Combo2"), child<QRadioButton>(d, "Option1"), child<QRadioButton>(d, "Option2")}) EXPECT_TRUE(w->isHidden());
    child<QRadioButton>(d, "Option3_0")->click();
    EXPECT_EQ(d.settings().reportKind, 1);
    for (QWidget* w : std::initializer_list<QWidget*>{child<QLabel>(d, "Label7"), child<QLabel>(d, "Label8"), child<QLabel>(d, "Label10")}) EXPECT_TRUE(w->isHidden());
    for (QWidget* w : std::initializer_list<QWidget*>{child<QComboBox>(d, "Combo2"), child<QRadioButton>(d, "Option1"), child<QRadioButton>(d, "Option2")}) EXPECT_FALSE(w->isHidden());
    EXPECT_TRUE(t.ui.messages().empty());

    child<QPushButton>(d, "Command6")->click();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
}

TEST_F(Form5psTest, Form5psTabsWantAReportAndTheFontTabSetsThePrinterFont)
{
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QTabWidget>(d, "SSTab1")->setCurrentIndex(3);
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(t.ui.messages()[0].text, kNoReport);
    EXPECT_EQ(t.ui.messages()[0].title, QStringLiteral("作成帳表選択洩れ"));
    EXPECT_EQ(t.ui.messages()[0].icon, Ui::Icon::Critical);
    EXPECT_EQ(child<QTabWidget>(d, "SSTab1")->currentIndex(), 3);  // the tab change stands

    child<QRadioButton>(d, "Option3_0")->click();
    t.ui.answerFont(Ui::FontSpec{QStringLiteral("ＭＳ 明朝"), 12, true, true});
    child<QTabWidget>(d, "SSTab1")->setCurrentIndex(2);
    EXPECT_EQ(t.printer.fontName(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(t.printer.fontSize(), 12);
    EXPECT_TRUE(t.printer.fontBold());
    EXPECT_TRUE(t.printer.fontItalic());
    EXPECT_EQ(child<QTabWidget>(d, "SSTab1")->currentIndex(), 1);

    // A cancelled font dialog changes nothing and is no error.
    const int before = static_cast<int>(t.ui.messages().size());
    t.ui.answerFont(std::nullopt);
    child<QTabWidget>(d, "SSTab1")->setCurrentIndex(2);
    EXPECT_EQ(t.printer.fontSize(), 12);
    EXPECT_EQ(child<QTabWidget>(d, "SSTab1")->currentIndex(), 1);
    EXPECT_EQ(static_cast<int>(t.ui.messages().size()), before);

    // The CD-case back list prints at 8 points: the font tab asks nothing.
    auto fontDialogs = [&] {
        int n = 0;
        for (const auto& c : t.ui.calls()) n += c.kind == QLatin1String("chooseFont");
        return n;
    };
    EXPECT_EQ(fontDialogs(), 2);
    child<QRadioButton>(d, "Option3_1")->click();
    child<QTabWidget>(d, "SSTab1")->setCurrentIndex(2);
    EXPECT_EQ(child<QTabWidget>(d, "SSTab1")->currentIndex(), 2);
    EXPECT_EQ(fontDialogs(), 2);
}

TEST_F(Form5psTest, Form5psMovesFieldsBetweenTheLists)
{
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QPushButton>(d, "Command1")->click();  // nothing selected
    EXPECT_EQ(child<QListWidget>(d, "List2")->count(), 0);

    choose(d, {QStringLiteral("価格"), QStringLiteral("タイトル")});
    EXPECT_EQ(texts(child<QListWidget>(d, "List2")), (QStringList{"価格", "タイトル"}));
    EXPECT_EQ(texts(child<QListWidget>(d, "List1")), (QStringList{"アーティスト", "発売日"}));

    // A field taken back goes to the end of the printable fields.
    child<QListWidget>(d, "List2")->setCurrentRow(1);
    child<QPushButton>(d, "Command2")->click();
    EXPECT_EQ(texts(child<QListWidget>(d, "List1")), (QStringList{"アーティスト", "発売日", "タイトル"}));
    EXPECT_EQ(texts(child<QListWidget>(d, "List2")), (QStringList{"価格"}));
    child<QPushButton>(d, "Command2")->click();  // nothing selected any more
    EXPECT_EQ(child<QListWidget>(d, "List2")->count(), 1);

    child<QPushButton>(d, "Command5")->click();
    EXPECT_EQ(texts(child<QListWidget>(d, "List2")), (QStringList{"価格", "アーティスト", "発売日", "タイトル"}));
    EXPECT_EQ(child<QListWidget>(d, "List1")->count(), 0);
}

TEST_F(Form5psTest, Form5psOkWantsAReportAndColumnsAndAUsableMargin)
{
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    choose(d, {QStringLiteral("タイトル")});
    child<QPushButton>(d, "Command4")->click();
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(t.ui.messages()[0].text, kNoReport);
    EXPECT_EQ(t.ui.messages()[0].title, QStringLiteral("Error"));

    // Choosing the report moves to tab 1 with its message-free check.
    child<QRadioButton>(d, "Option3_0")->click();
    child<QListWidget>(d, "List2")->setCurrentRow(0);
    child<QPushButton>(d, "Command2")->click();
    child<QPushButton>(d, "Command4")->click();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("印刷項目が選択されていません。"));
    EXPECT_EQ(t.ui.messages().back().icon, Ui::Icon::Critical);

    choose(d, {QStringLiteral("タイトル")});
    for (const char* bad : {"-3", "abc", "1000"}) {
        child<QLineEdit>(d, "Text2")->setText(QString::fromLatin1(bad));
        child<QPushButton>(d, "Command4")->click();
        EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("左余白(mm)には、0～999 の数値を入力して下さい。")) << bad;
        EXPECT_EQ(child<QTabWidget>(d, "SSTab1")->currentIndex(), 3);
    }
    EXPECT_FALSE(d.settingsAccepted());
    EXPECT_EQ(t.app.printSettings.mainColumnCount, 0);
    EXPECT_EQ(status.panelText(3), QString());
}

TEST_F(Form5psTest, PrinterSetMeasuresHeadingsAndEveryRowTheListShows)
{
    Form5ps d(t.app, kCategory, rows, QStringLiteral(" ＣＤ (明細) "), &status);
    child<QRadioButton>(d, "Option3_0")->click();
    // Out of field order: the mapping follows the names.
    choose(d, {QStringLiteral("アーティスト"), QStringLiteral("タイトル"), QStringLiteral("価格")});
    ASSERT_TRUE(d.PrinterSet());
    const PrintSettings& s = d.settings();

    EXPECT_EQ(t.printer.paperSize(), paper::A4);
    EXPECT_EQ(t.printer.orientation(), Orientation::Portrait);
    EXPECT_EQ(s.mainColumnCount, 3);
    EXPECT_EQ(s.columnField[0], 1);
    EXPECT_EQ(s.columnField[1], 0);
    EXPECT_EQ(s.columnField[2], 2);
    // The widest cell wins, measured trimmed; bytes count full-width characters twice.
    EXPECT_EQ(s.columnWidthMm[0], mm(QStringLiteral("山田太郎と仲間たち")) + 4);
    EXPECT_EQ(s.columnMaxBytes[0], 18);
    EXPECT_EQ(s.columnWidthMm[1], mm(QStringLiteral("Morning Glory Extended Edition")) + 4);
    EXPECT_EQ(s.columnMaxBytes[1], 30);
    // A column whose cells are all shorter than its heading takes the heading's width.
    const int price = std::max(mm(QStringLiteral("価格")), mm(QStringLiteral("¥12,345")));
    EXPECT_EQ(s.columnWidthMm[2], price + 4);
    EXPECT_EQ(s.columnMaxBytes[2], text::LenMbcs(QStringLiteral("¥12,345")));

    // The default font of 10 points and A4 portrait (202 × 289 mm printable).
    EXPECT_EQ(s.lineHeightMm, 5);
    EXPECT_FLOAT_EQ(s.ruleOffsetMm, 1.0f);
    EXPECT_EQ(s.linesPerPage, 57);
    EXPECT_EQ(s.pageHeightMm, 285);
    EXPECT_EQ(s.usableWidthMm, 197);
    EXPECT_EQ(s.headerTitle1, QStringLiteral("ＣＤ (明細)"));
    EXPECT_EQ(d.totalWidthMm(), 10 + s.columnWidthMm[0] + s.columnWidthMm[1] + s.columnWidthMm[2]);

    // Only the rows shown count: with a shorter list the columns narrow; with none, headings.
    rows.clearItems();
    rows.addRows({{QStringLiteral("ab"), QStringLiteral("c"), QString(), QString(), "9"}});
    child<QLineEdit>(d, "Text1")->setText(QStringLiteral("  在庫一覧 "));
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_EQ(s.columnWidthMm[0], mm(QStringLiteral("アーティスト")) + 4);
    EXPECT_EQ(s.columnMaxBytes[0], 12);
    EXPECT_EQ(s.columnWidthMm[1], std::max(mm(QStringLiteral("タイトル")), mm(QStringLiteral("ab"))) + 4);
    EXPECT_EQ(s.headerTitle1, QStringLiteral("在庫一覧"));
    rows.clearItems();
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_EQ(s.columnWidthMm[1], mm(QStringLiteral("タイトル")) + 4);
    EXPECT_EQ(s.columnMaxBytes[1], 8);
    // Nothing is handed over before OK.
    EXPECT_EQ(t.app.printSettings.mainColumnCount, 0);
}

TEST_F(Form5psTest, PrinterSetTakesPaperOrientationMarginAndLineMetrics)
{
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QRadioButton>(d, "Option3_0")->click();
    choose(d, {QStringLiteral("タイトル")});
    const PrintSettings& s = d.settings();

    child<QComboBox>(d, "Combo2")->setCurrentText(QStringLiteral("B5"));
    child<QRadioButton>(d, "Option2")->click();
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_EQ(t.printer.paperSize(), paper::B5);
    EXPECT_EQ(t.printer.orientation(), Orientation::Landscape);
    EXPECT_EQ(s.usableWidthMm, 244);  // 257 − 8 − 5
    EXPECT_EQ(s.linesPerPage, 34);    // floor(174 / 5)
    child<QComboBox>(d, "Combo2")->setCurrentText(QStringLiteral("A5"));
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_EQ(t.printer.paperSize(), paper::A5);

    const std::pair<const char*, int> margins[] = {{"", 0}, {"12.6", 13}, {"12.5", 12}, {"13.5", 14}, {"１５", 15}, {"20mm", 20}};
    for (const auto& [typed, mmValue] : margins) {
        child<QLineEdit>(d, "Text2")->setText(QString::fromUtf8(typed));
        ASSERT_TRUE(d.PrinterSet());
        EXPECT_EQ(s.leftMarginMm, mmValue) << typed;
    }

    struct Case {
        double size;
        int lineHeight;
        float offset;
    };
    for (const Case c : {Case{8, 4, 0.75f}, Case{9, 4, 0.75f}, Case{9.75, 5, 1.0f}, Case{11, 5, 1.0f}}) {
        t.printer.setFontSize(c.size);
        ASSERT_TRUE(d.PrinterSet());
        EXPECT_EQ(s.lineHeightMm, c.lineHeight) << c.size;
        EXPECT_FLOAT_EQ(s.ruleOffsetMm, c.offset) << c.size;
    }
    // Other sizes: the height of "A" plus a millimetre.
    t.printer.setFontSize(14);
    ASSERT_TRUE(d.PrinterSet());
    EXPECT_EQ(s.lineHeightMm, text::roundHalfEven(t.printer.textHeight(QStringLiteral("A"))) + 1);
    EXPECT_GT(s.lineHeightMm, 5);
    EXPECT_FLOAT_EQ(s.ruleOffsetMm, 0.5f);
}

TEST_F(Form5psTest, ALayoutAsWideAsThePaperIsAcceptedOneMillimetreMoreIsRefused)
{
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QRadioButton>(d, "Option3_0")->click();
    choose(d, {QStringLiteral("タイトル"), QStringLiteral("アーティスト"), QStringLiteral("価格"), QStringLiteral("発売日")});
    child<QLineEdit>(d, "Text2")->setText(QStringLiteral("0"));
    ASSERT_TRUE(d.PrinterSet());
    const int columns = d.totalWidthMm();
    const int usable = d.settings().usableWidthMm;
    ASSERT_LT(columns, usable);

    child<QLineEdit>(d, "Text2")->setText(QString::number(usable - columns + 1));
    child<QPushButton>(d, "Command4")->click();
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(t.ui.messages()[0].text, kFiveLines);
    EXPECT_EQ(t.ui.messages()[0].title, QStringLiteral("Error"));
    EXPECT_EQ(t.ui.messages()[0].icon, Ui::Icon::Critical);
    EXPECT_EQ(status.panelText(3), QStringLiteral("設定作業中"));
    EXPECT_FALSE(d.settingsAccepted());
    EXPECT_EQ(t.app.printSettings.mainColumnCount, 0);
    EXPECT_EQ(t.app.printSettings.settingsCategory, 0);

    child<QLineEdit>(d, "Text2")->setText(QString::number(usable - columns));
    child<QPushButton>(d, "Command4")->click();
    EXPECT_EQ(t.ui.messages().size(), 1u);
    EXPECT_TRUE(d.settingsAccepted());
    EXPECT_EQ(status.panelText(3), QString());
    const PrintSettings& shared = t.app.printSettings;
    EXPECT_EQ(shared.settingsCategory, kCategory);
    EXPECT_EQ(shared.mainColumnCount, 4);
    EXPECT_EQ(shared.reportKind, 1);
    EXPECT_EQ(shared.leftMarginMm, usable - columns);
    EXPECT_EQ(shared.usableWidthMm, usable);
    EXPECT_EQ(shared.columnWidthMm, d.settings().columnWidthMm);
    EXPECT_EQ(shared.headerTitle1, QStringLiteral("ＣＤ (明細)"));

    // Accepted settings of this category let the print go on to the printer dialog without
    // the window.
    t.ui.answerPrinter(false);
    EXPECT_FALSE(printMain());
    EXPECT_EQ(t.ui.pendingReplies(), 0);
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());
}

TEST_F(Form5psTest, TheCdCaseReportPrintsOnA5AtEightPointsIn130Millimetres)
{
    t.printer.setFont(PrintFont{QStringLiteral("ＭＳ ゴシック"), 12, true, false});
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QRadioButton>(d, "Option3_1")->click();
    child<QComboBox>(d, "Combo2")->setCurrentText(QStringLiteral("B5"));  // hidden for this report, and ignored
    child<QRadioButton>(d, "Option2")->setChecked(true);                      // the orientation still applies
    choose(d, {QStringLiteral("タイトル"), QStringLiteral("価格")});
    child<QLineEdit>(d, "Text2")->setText(QStringLiteral("5"));
    ASSERT_TRUE(d.PrinterSet());
    const PrintSettings& s = d.settings();
    EXPECT_EQ(t.printer.paperSize(), paper::A5);
    EXPECT_EQ(t.printer.fontSize(), 8);
    EXPECT_FALSE(t.printer.fontBold());
    EXPECT_EQ(t.printer.orientation(), Orientation::Landscape);
    EXPECT_EQ(s.lineHeightMm, 4);
    EXPECT_FLOAT_EQ(s.ruleOffsetMm, 0.75f);
    EXPECT_EQ(s.linesPerPage, 27);
    EXPECT_EQ(s.pageHeightMm, 108);
    EXPECT_EQ(s.usableWidthMm, 130);
    EXPECT_EQ(s.columnWidthMm[0], mm(QStringLiteral("Morning Glory Extended Edition")) + 4);

    // Too wide for the case: the two-line message.
    child<QLineEdit>(d, "Text2")->setText(QString::number(130 - d.totalWidthMm() + 5 + 1));
    child<QPushButton>(d, "Command4")->click();
    EXPECT_EQ(t.ui.lastMessage(),
              QStringLiteral("印刷データが多いため、用紙の横幅に入りません。\r\n印刷項目を減らして下さい。"));
    EXPECT_FALSE(d.settingsAccepted());
    child<QLineEdit>(d, "Text2")->setText(QString::number(130 - d.totalWidthMm() + 5 + 1 - 1));
    child<QPushButton>(d, "Command4")->click();
    EXPECT_TRUE(d.settingsAccepted());
    EXPECT_EQ(t.app.printSettings.reportKind, 2);
}

TEST_F(Form5psTest, CancelClearsTheColumnCountAndClosingKeepsTheAcceptedSettingsWhole)
{
    {
        Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
        child<QRadioButton>(d, "Option3_1")->click();
        choose(d, {QStringLiteral("タイトル")});
        child<QLineEdit>(d, "Text2")->setText(QStringLiteral("5"));
        child<QPushButton>(d, "Command4")->click();
        ASSERT_TRUE(d.settingsAccepted());
    }
    const PrintSettings accepted = t.app.printSettings;
    ASSERT_EQ(accepted.mainColumnCount, 1);

    // Another look at the settings, a confirmation, then the close box: nothing of it stays,
    // neither in the settings nor in the printer.
    {
        Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
        child<QRadioButton>(d, "Option3_0")->click();
        child<QRadioButton>(d, "Option2")->click();
        t.ui.answerFont(Ui::FontSpec{QStringLiteral("ＭＳ ゴシック"), 14, false, false});
        child<QTabWidget>(d, "SSTab1")->setCurrentIndex(2);
        choose(d, {QStringLiteral("タイトル"), QStringLiteral("アーティスト")});
        child<QLineEdit>(d, "Text2")->setText(QStringLiteral("20"));
        child<QPushButton>(d, "Command7")->click();
        EXPECT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form5pp")});
        EXPECT_EQ(t.printer.paperSize(), paper::A4);
        d.close();
    }
    const PrintSettings& now = t.app.printSettings;
    EXPECT_EQ(now.reportKind, 2);
    EXPECT_EQ(now.leftMarginMm, 5);
    EXPECT_EQ(now.mainColumnCount, 1);
    EXPECT_EQ(now.columnWidthMm, accepted.columnWidthMm);
    EXPECT_EQ(now.usableWidthMm, 130);
    EXPECT_EQ(t.printer.paperSize(), paper::A5);
    EXPECT_EQ(t.printer.orientation(), Orientation::Portrait);
    EXPECT_EQ(t.printer.fontSize(), 8);

    // Cancel: the next print asks again, and stops when the window is cancelled.
    t.ui.onShow(QStringLiteral("Form5ps"), [](QWidget& w) { child<QPushButton>(w, "Command3")->click(); });
    t.app.printSettings.settingsCategory = 0;  // settings of another category are not reused
    EXPECT_FALSE(printMain());  // no printer dialog either
    EXPECT_EQ(t.app.printSettings.mainColumnCount, 0);
    EXPECT_EQ(t.ui.shownWindows().back(), QStringLiteral("Form5ps"));

    t.ui.onShow(QStringLiteral("Form5ps"), [](QWidget& w) {
        auto& d = static_cast<Form5ps&>(w);
        child<QRadioButton>(d, "Option3_0")->click();
        choose(d, {QStringLiteral("価格")});
        child<QPushButton>(d, "Command4")->click();
    });
    t.ui.answerPrinter(false);
    EXPECT_FALSE(printMain());
    EXPECT_EQ(t.ui.pendingReplies(), 0);
    EXPECT_EQ(t.app.printSettings.mainColumnCount, 1);
    EXPECT_EQ(t.app.printSettings.columnField[0], 2);
}

TEST_F(Form5psTest, ARefusedPrinterSettingIsReportedAndNothingIsAccepted)
{
    {
        Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
        child<QRadioButton>(d, "Option3_0")->click();
        choose(d, {QStringLiteral("価格"), QStringLiteral("発売日")});
        child<QPushButton>(d, "Command4")->click();
        ASSERT_TRUE(d.settingsAccepted());
    }
    const PrintSettings before = t.app.printSettings;
    t.ui.clearLog();

    t.printer.recorder().refuseOrientation(Orientation::Landscape);
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QRadioButton>(d, "Option3_1")->click();
    child<QRadioButton>(d, "Option2")->click();
    choose(d, {QStringLiteral("タイトル")});
    child<QPushButton>(d, "Command4")->click();
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(t.ui.messages()[0].text, kRefused);
    EXPECT_EQ(t.ui.messages()[0].title, QStringLiteral("注意メッセージ"));
    EXPECT_EQ(t.ui.messages()[0].buttons, Ui::Buttons::Ok);
    // The window stays open and the settings last accepted stand.
    EXPECT_FALSE(d.settingsAccepted());
    EXPECT_EQ(status.panelText(3), QString());
    const PrintSettings& now = t.app.printSettings;
    EXPECT_EQ(now.reportKind, 1);
    EXPECT_EQ(now.mainColumnCount, 2);
    EXPECT_EQ(now.columnField, before.columnField);
    EXPECT_EQ(now.usableWidthMm, before.usableWidthMm);

    // The confirmation is not shown for settings that were not made.
    child<QPushButton>(d, "Command7")->click();
    EXPECT_EQ(t.ui.lastMessage(), kRefused);
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());

    // The paper was changed before the orientation was refused: closing puts it back.
    EXPECT_EQ(t.printer.paperSize(), paper::A5);
    d.close();
    EXPECT_EQ(t.printer.paperSize(), paper::A4);
    EXPECT_EQ(t.printer.fontSize(), 10);
}

TEST_F(Form5psTest, AnUnexpectedPrinterErrorIsShownWithItsTextAndTheWindowStays)
{
    BrokenPrinter broken;
    App app(t.dir.path(), t.ui, broken);
    app.cache = t.app.cache;
    Form5ps d(app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QRadioButton>(d, "Option3_0")->click();
    choose(d, {QStringLiteral("タイトル")});
    child<QPushButton>(d, "Command4")->click();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("印刷中にエラーが発生しました。\r\nbroken"));
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("エラー発生"));
    EXPECT_FALSE(t.ui.programEnded());
    EXPECT_FALSE(d.settingsAccepted());
    EXPECT_EQ(app.printSettings.mainColumnCount, 0);
}

// The print reuses accepted settings only while they are the report's own: the other list's
// settings take the shared columns. A screen print turns the paper to suit its picture; the
// report's own paper and orientation are set again for its next print.
TEST_F(Form5psTest, ThePrintAsksAgainWhenTheColumnsOrThePageAreNoLongerItsOwn)
{
    auto acceptMain = [](QWidget& w) {
        auto& d = static_cast<Form5ps&>(w);
        child<QRadioButton>(d, "Option3_0")->click();
        choose(d, {QStringLiteral("タイトル"), QStringLiteral("価格")});
        child<QPushButton>(d, "Command4")->click();
    };
    auto cancel = [](QWidget& w) { child<QPushButton>(w, "Command3")->click(); };
    auto settingsShown = [&] { return static_cast<int>(t.ui.shownWindows().count(QStringLiteral("Form5ps"))); };

    t.ui.onShow(QStringLiteral("Form5ps"), acceptMain);
    t.ui.answerPrinter(true);
    ASSERT_TRUE(printMain());
    ASSERT_EQ(settingsShown(), 1);

    // The sub list's settings accepted in between: the main print asks again rather than
    // printing the main rows under the sub file's columns.
    t.ui.onShow(QStringLiteral("Form6ps"), [](QWidget& w) {
        auto& d = static_cast<Form6ps&>(w);
        child<QRadioButton>(d, "Option3_0")->click();
        choose(d, {QStringLiteral("曲名")});
        child<QPushButton>(d, "Command4")->click();
    });
    t.ui.answerPrinter(true);
    ASSERT_TRUE(printSub());
    t.ui.onShow(QStringLiteral("Form5ps"), cancel);
    EXPECT_FALSE(printMain());
    EXPECT_EQ(settingsShown(), 2);

    t.ui.onShow(QStringLiteral("Form5ps"), acceptMain);
    t.ui.answerPrinter(true);
    ASSERT_TRUE(printMain());
    EXPECT_EQ(settingsShown(), 3);

    // A screen print of a wide window leaves the paper on its side; the report turns it back
    // to its own portrait page without asking for its settings again.
    QWidget wide;
    wide.resize(600, 200);
    ASSERT_TRUE(ScreenPrint::run(t.app, wide, ScreenPrint::Capture::ActiveWindow, nullptr));
    ASSERT_EQ(t.printer.orientation(), Orientation::Landscape);
    t.ui.answerPrinter(true);
    ASSERT_TRUE(printMain());
    EXPECT_EQ(settingsShown(), 3);
    EXPECT_EQ(t.printer.ops().back().orientation, Orientation::Portrait);
    EXPECT_EQ(t.printer.documentsPrinted(), 5);  // three main reports, the sub report, the screen

    // A printer of smaller printable area (another device's margins): the layout would run off
    // the page, so the window is shown again, and closing it prints nothing.
    t.printer.recorder().setMarginsMm(QMarginsF(10, 10, 10, 10));
    t.ui.onShow(QStringLiteral("Form5ps"), [](QWidget& w) { w.close(); });
    EXPECT_FALSE(printMain());
    EXPECT_EQ(settingsShown(), 4);
    EXPECT_EQ(t.ui.pendingReplies(), 0);
}

// A layout refused for its width leaves "設定作業中" only while the window is open.
TEST_F(Form5psTest, TheWorkingTextGoesWithTheWindow)
{
    Form5ps d(t.app, kCategory, rows, QStringLiteral("ＣＤ (明細)"), &status);
    child<QRadioButton>(d, "Option3_0")->click();
    choose(d, {QStringLiteral("タイトル"), QStringLiteral("アーティスト")});
    child<QLineEdit>(d, "Text2")->setText(QStringLiteral("900"));
    child<QPushButton>(d, "Command4")->click();
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(status.panelText(3), QStringLiteral("設定作業中"));
    child<QPushButton>(d, "Command3")->click();
    EXPECT_EQ(status.panelText(3), QString());
}
