#include "Builders.h"
#include "TestApp.h"
#include "platform/print/QtPrinterBackend.h"
#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "printing/ReportPrinter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr double kExact = 1e-9;
const QDate kToday(2024, 3, 5);

// Text widths as the recording printer measures them, in a given font.
double widthIn(const PrintFont& font, const QString& text)
{
    static RecordingPrinter measure;
    measure.setFont(font);
    return measure.textWidth(text);
}
double rnd(double v) { return static_cast<double>(text::roundHalfEven(v)); }
PrintFont gothic(double size, bool bold = false, bool italic = false)
{
    return PrintFont{QStringLiteral("ＭＳ ゴシック"), size, bold, italic};
}

std::vector<PrintOp> opsOf(const RecordingPrinter& p, PrintOp::Kind kind, int page)
{
    std::vector<PrintOp> out;
    for (const PrintOp& o : p.ops(kind))
        if (o.page == page) out.push_back(o);
    return out;
}

// The one text op with this text on the page; fails the test when there is not exactly one.
PrintOp textOp(const RecordingPrinter& p, const QString& text, int page = 1)
{
    std::vector<PrintOp> found;
    for (const PrintOp& o : opsOf(p, PrintOp::Kind::Text, page))
        if (o.text == text) found.push_back(o);
    EXPECT_EQ(found.size(), 1u) << "text \"" << text.toStdString() << "\" on page " << page;
    return found.empty() ? PrintOp{} : found.front();
}

#define EXPECT_AT(op, x, y)                  \
    do {                                     \
        EXPECT_NEAR((op).x1, (x), kExact);   \
        EXPECT_NEAR((op).y1, (y), kExact);   \
    } while (0)

#define EXPECT_LINE(op, ax, ay, bx, by, w, st)  \
    do {                                        \
        EXPECT_NEAR((op).x1, (ax), kExact);     \
        EXPECT_NEAR((op).y1, (ay), kExact);     \
        EXPECT_NEAR((op).x2, (bx), kExact);     \
        EXPECT_NEAR((op).y2, (by), kExact);     \
        EXPECT_EQ((op).pen.width, (w));         \
        EXPECT_EQ((op).pen.style, (st));        \
    } while (0)

// A category with a main file (タイトル TEXT, 枚数 LONG, 価格 CURRENCY) and a sub file
// (曲名 TEXT, 発売日 DATE), and lists to print from.
struct ReportFixture {
    ReportFixture()
    {
        CategoryDefinition c = t.app.cache.row(2);
        c.name = QStringLiteral("ＣＤ");
        c.mainFieldCount = 3;
        c.mainFields[0] = {QStringLiteral("タイトル"), QStringLiteral("TEXT")};
        c.mainFields[1] = {QStringLiteral("枚数"), QStringLiteral("LONG")};
        c.mainFields[2] = {QStringLiteral("価格"), QStringLiteral("CURRENCY")};
        c.subFieldCount = 2;
        c.subFields[0] = {QStringLiteral("曲名"), QStringLiteral("TEXT")};
        c.subFields[1] = {QStringLiteral("発売日"), QStringLiteral("DATE")};
        t.app.cache.setRow(2, c);
        engine.setFooterDate(kToday);
    }

    // A detail list on A4 portrait in 10 point: lines 5 mm apart, 197 mm wide.
    void detailSettings(int columns)
    {
        t.printer.setFont(gothic(10));
        s.reportKind = 1;
        s.leftMarginMm = 10;
        s.headerTitle1 = QStringLiteral("ＣＤ (明細)");
        s.mainColumnCount = static_cast<qint16>(columns);
        s.columnField = {0, 1, 2, 0, 0, 0, 0, 0};
        s.columnMaxBytes = {20, 6, 9, 0, 0, 0, 0, 0};
        s.columnWidthMm = {60, 30, 87, 0, 0, 0, 0, 0};
        s.lineHeightMm = 5;
        s.ruleOffsetMm = 1.0f;
        s.linesPerPage = 57;
        s.usableWidthMm = 197;
        s.settingsCategory = 2;
    }

    // The CD-case back list: A5, 8 point, 130 mm and 27 lines of 4 mm.
    void cdCaseSettings()
    {
        t.printer.setPaperSize(paper::A5);
        t.printer.setFont(gothic(8));
        s.reportKind = 2;
        s.leftMarginMm = 10;
        s.headerTitle1 = QStringLiteral("名盤");
        s.headerTitle2 = QStringLiteral("第２集");
        s.mainColumnCount = 2;
        s.subColumnCount = 2;
        s.columnField = {0, 1, 0, 0, 0, 0, 0, 0};
        s.columnMaxBytes = {12, 10, 0, 0, 0, 0, 0, 0};
        s.columnWidthMm = {50, 30, 0, 0, 0, 0, 0, 0};
        s.lineHeightMm = 4;
        s.ruleOffsetMm = 0.75f;
        s.linesPerPage = 27;
        s.usableWidthMm = 130;
        s.settingsCategory = 2;
    }

    void addMainRows(int count)
    {
        std::vector<QStringList> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back({QStringLiteral("盤%1").arg(i), QString::number(i), QStringLiteral("¥1,000"), QString::number(i)});
        mainList.addRows(rows);
    }
    void addSubRows(int count)
    {
        std::vector<QStringList> rows;
        for (int i = 1; i <= count; ++i)
            rows.push_back({QStringLiteral("曲%1").arg(i), QStringLiteral("2001/02/%1").arg(i, 2, 10, QLatin1Char('0')),
                            QStringLiteral("7"), QString::number(i)});
        subList.addRows(rows);
    }

    TestApp t;
    PrintSettings& s = t.app.printSettings;
    ReportListView mainList, mainRow, subList;
    ReportPrinter engine{t.app, 2};
};

}  // namespace

// One page of a detail list: every position, font, width and style.
TEST(ReportPrinter, DetailListPageLayout)
{
    ReportFixture f;
    f.detailSettings(3);
    f.mainList.addRows({{QStringLiteral("  青い鳥  "), QStringLiteral("12"), QStringLiteral("¥1,000"), QStringLiteral("1")},
                        {QStringLiteral("赤"), QStringLiteral("3"), QStringLiteral("¥500"), QStringLiteral("2")},
                        {QStringLiteral("Blue"), QStringLiteral(""), QStringLiteral("¥12,000"), QStringLiteral("3")}});
    f.engine.printMain(f.mainList);
    f.t.printer.endDoc();
    const RecordingPrinter& p = f.t.printer;

    // Title: 12 pt bold, centred between 0 and W − margin, on line 1.
    const PrintOp title = textOp(p, QStringLiteral("ＣＤ (明細)"));
    const double tw = rnd(widthIn(gothic(12, true), title.text));
    EXPECT_AT(title, rnd((197 - 10 - tw) / 2), 5);
    EXPECT_EQ(title.font, gothic(12, true));

    // Page number right-aligned on W, line 2, back in the report's font.
    const PrintOp number = textOp(p, QStringLiteral("1 頁"));
    EXPECT_AT(number, 197 - widthIn(gothic(10), number.text), 10);
    EXPECT_EQ(number.font, gothic(10));

    // Headings centred in their columns on line 3.
    const double lefts[] = {10, 70, 100};
    const QString names[] = {QStringLiteral("タイトル"), QStringLiteral("枚数"), QStringLiteral("価格")};
    const double widths[] = {60, 30, 87};
    for (int i = 0; i < 3; ++i) {
        const PrintOp h = textOp(p, names[i]);
        EXPECT_AT(h, lefts[i] + rnd((widths[i] - rnd(widthIn(gothic(10), names[i]))) / 2), 15);
    }

    // Rows from line 4: text with one leading space, numbers right-aligned to their widest
    // value by spaces (枚数: widest 6 − 2 = 4 characters, 価格: 9 − 2 = 7).
    EXPECT_AT(textOp(p, QStringLiteral(" 青い鳥")), 10, 20);
    EXPECT_AT(textOp(p, QStringLiteral("  12")), 70, 20);
    EXPECT_AT(textOp(p, QStringLiteral(" ¥1,000")), 100, 20);
    EXPECT_AT(textOp(p, QStringLiteral(" 赤")), 10, 25);
    EXPECT_AT(textOp(p, QStringLiteral("   3")), 70, 25);
    EXPECT_AT(textOp(p, QStringLiteral("   ¥500")), 100, 25);
    EXPECT_AT(textOp(p, QStringLiteral(" Blue")), 10, 30);
    EXPECT_AT(textOp(p, QStringLiteral("    ")), 70, 30);  // an empty number is spaces only
    EXPECT_AT(textOp(p, QStringLiteral("¥12,000")), 100, 30);
    EXPECT_EQ(p.texts().size(), 1u + 1u + 3u + 9u + 1u);

    // Frame around headings and rows, line under the headings (width 8, solid).
    const auto boxes = opsOf(p, PrintOp::Kind::Box, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_LINE(boxes[0], 10, 14, 197, 34, 8, LineStyle::Solid);
    const auto lines = opsOf(p, PrintOp::Kind::Line, 1);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_LINE(lines[0], 10, 19, 197, 19, 8, LineStyle::Solid);
    // Separators (width 2) after columns 1 and 2; the last column ends exactly 10 mm from W
    // and gets none.
    EXPECT_LINE(lines[1], 70, 14, 70, 34, 2, LineStyle::Solid);
    EXPECT_LINE(lines[2], 100, 14, 100, 34, 2, LineStyle::Solid);
    // Dotted rules (width 1) between the data lines.
    EXPECT_LINE(lines[3], 10, 24, 197, 24, 1, LineStyle::Dot);
    EXPECT_LINE(lines[4], 10, 29, 197, 29, 1, LineStyle::Dot);

    // Footer in italics, right-aligned, on the line after the table.
    const PrintOp footer = textOp(p, QStringLiteral("Tanzo  2024/03/05"));
    EXPECT_AT(footer, 197 - widthIn(gothic(10, false, true), footer.text), 35);
    EXPECT_EQ(footer.font, gothic(10, false, true));
    EXPECT_EQ(f.t.printer.font(), gothic(10));  // italics off again
    EXPECT_EQ(f.s.currentLine, 8);
    EXPECT_EQ(p.pagesPrinted(), 1);
}

// Pages break before a row that would run into the last four lines; every page gets its
// header, rules and footer, and no empty page follows the last row.
TEST(ReportPrinter, PageBreaksAndPageNumbers)
{
    for (int rows : {10, 12}) {
        ReportFixture f;
        f.detailSettings(3);
        f.s.linesPerPage = 12;  // data on lines 4..8: five rows a page
        f.addMainRows(rows);
        f.engine.printMain(f.mainList);
        f.t.printer.endDoc();
        const RecordingPrinter& p = f.t.printer;
        const int pages = rows == 10 ? 2 : 3;
        SCOPED_TRACE(rows);
        EXPECT_EQ(p.pagesPrinted(), pages);
        EXPECT_EQ(f.s.pageNumber, pages);
        for (int page = 1; page <= pages; ++page) {
            const QString number = QStringLiteral("%1 頁").arg(page);
            EXPECT_AT(textOp(p, number, page), 197 - widthIn(gothic(10), number), 10);
            EXPECT_NEAR(textOp(p, QStringLiteral("タイトル"), page).y1, 15, kExact) << page;
            const int first = (page - 1) * 5 + 1;
            const int onPage = std::min(5, rows - (page - 1) * 5);
            EXPECT_AT(textOp(p, QStringLiteral(" 盤%1").arg(first), page), 10, 20);
            EXPECT_AT(textOp(p, QStringLiteral(" 盤%1").arg(first + onPage - 1), page), 10, 15 + 5 * onPage);
            const auto boxes = opsOf(p, PrintOp::Kind::Box, page);
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_NEAR(boxes[0].y2, (4 + onPage) * 5 - 1, kExact);
            EXPECT_NEAR(textOp(p, QStringLiteral("Tanzo  2024/03/05"), page).y1, (4 + onPage) * 5, kExact);
            // Dotted rules only between this page's rows.
            int dots = 0;
            for (const PrintOp& l : opsOf(p, PrintOp::Kind::Line, page)) dots += l.pen.style == LineStyle::Dot;
            EXPECT_EQ(dots, onPage - 1);
        }
        EXPECT_TRUE(opsOf(p, PrintOp::Kind::Text, pages + 1).empty());
    }
}

// An empty list prints title, page number and headings, nothing more. A title wider than
// the page starts at its left edge, not off the paper.
TEST(ReportPrinter, EmptyListPrintsOnlyTheHeader)
{
    ReportFixture f;
    f.detailSettings(2);
    f.s.headerTitle1 = QString(50, QChar(0x76E4));
    f.engine.printMain(f.mainList);
    f.t.printer.endDoc();
    EXPECT_EQ(f.t.printer.texts(), (QStringList{f.s.headerTitle1, QStringLiteral("1 頁"),
                                                QStringLiteral("タイトル"), QStringLiteral("枚数")}));
    EXPECT_AT(textOp(f.t.printer, f.s.headerTitle1), 0, 5);
    EXPECT_TRUE(f.t.printer.ops(PrintOp::Kind::Line).empty());
    EXPECT_TRUE(f.t.printer.ops(PrintOp::Kind::Box).empty());
    EXPECT_EQ(f.t.printer.pagesPrinted(), 1);
}

// A single printed column: the main report draws no separator, the sub report draws one.
// A fractional font size prints the report at the whole size; bold stays as chosen.
TEST(ReportPrinter, SingleColumnSeparatorsAndFractionalFont)
{
    ReportFixture f;
    f.detailSettings(1);
    f.s.columnWidthMm[0] = 60;
    f.t.printer.setFont(gothic(9.75, true));
    f.addMainRows(2);
    f.engine.printMain(f.mainList);
    f.t.printer.endDoc();
    EXPECT_EQ(textOp(f.t.printer, QStringLiteral("ＣＤ (明細)")).font, gothic(12, true));
    EXPECT_EQ(textOp(f.t.printer, QStringLiteral(" 盤1")).font, gothic(10, true));
    EXPECT_EQ(textOp(f.t.printer, QStringLiteral("タイトル")).font, gothic(10, true));
    for (const PrintOp& l : f.t.printer.ops(PrintOp::Kind::Line)) EXPECT_NE(l.pen.width, 2) << l.x1;

    f.t.printer.recorder().clear();
    f.s.subColumnCount = 1;
    f.s.columnField[0] = 0;
    f.mainRow.addRows({{QStringLiteral("盤"), QStringLiteral("1"), QStringLiteral("¥10"), QStringLiteral("5")}});
    f.addSubRows(2);
    f.engine.printSub(f.mainRow, f.subList);
    f.t.printer.endDoc();
    int separators = 0;
    for (const PrintOp& l : f.t.printer.ops(PrintOp::Kind::Line))
        if (l.pen.width == 2) {
            ++separators;
            EXPECT_NEAR(l.x1, 70, kExact);
        }
    EXPECT_EQ(separators, 1);
}

// Values of a number column longer than its heading stay right-aligned: their right edges
// line up, and the widest value gets no leading space.
TEST(ReportPrinter, NumberColumnsStayRightAligned)
{
    ReportFixture f;
    f.detailSettings(2);
    f.s.columnMaxBytes[1] = 5;  // heading "枚数" 4 bytes, widest value 5
    f.mainList.addRows({{QStringLiteral("a"), QStringLiteral("12345"), QString(), QString()},
                        {QStringLiteral("b"), QStringLiteral("1234"), QString(), QString()},
                        {QStringLiteral("c"), QStringLiteral("123"), QString(), QString()},
                        {QStringLiteral("d"), QStringLiteral("1"), QString(), QString()}});
    f.engine.printMain(f.mainList);
    f.t.printer.endDoc();
    const QStringList expected = {QStringLiteral("12345"), QStringLiteral(" 1234"), QStringLiteral("  123"),
                                  QStringLiteral("    1")};
    for (const QString& e : expected) {
        const PrintOp o = textOp(f.t.printer, e);
        EXPECT_NEAR(o.x1, 70, kExact);
        EXPECT_NEAR(o.x2, 70 + widthIn(gothic(10), QStringLiteral("12345")), 1e-6) << e.toStdString();
    }
}

// The CD-case back list: title on line 0, bare page number on line 1, bracketed headings on
// line 2, data from line 3 to line 25, one rule under the titles and one at line 26.
TEST(ReportPrinter, CdCaseMainList)
{
    ReportFixture f;
    f.cdCaseSettings();
    f.addMainRows(24);
    f.engine.printMain(f.mainList);
    f.t.printer.endDoc();
    const RecordingPrinter& p = f.t.printer;
    EXPECT_EQ(p.pagesPrinted(), 2);

    const PrintOp title = textOp(p, QStringLiteral("名盤"));
    EXPECT_AT(title, rnd((130 - 10 - rnd(widthIn(gothic(12, true), title.text))) / 2), 0);
    EXPECT_EQ(title.font, gothic(12, true));
    EXPECT_AT(textOp(p, QStringLiteral("1")), 130 - widthIn(gothic(8), QStringLiteral("1")), 4);
    const QString heading = QStringLiteral("[タイトル]");
    EXPECT_AT(textOp(p, heading), 10 + rnd((50 - rnd(widthIn(gothic(8), heading))) / 2), 8);
    EXPECT_AT(textOp(p, QStringLiteral("[枚数]")), 60 + rnd((30 - rnd(widthIn(gothic(8), QStringLiteral("[枚数]")))) / 2), 8);
    EXPECT_AT(textOp(p, QStringLiteral(" 盤1")), 10, 12);
    EXPECT_AT(textOp(p, QStringLiteral(" 盤23")), 10, 100);  // the page holds 23 rows
    EXPECT_AT(textOp(p, QString(7, QLatin1Char(' ')) + QStringLiteral("1")), 60, 12);  // widest 10 − 2 = 8 characters

    EXPECT_TRUE(p.ops(PrintOp::Kind::Box).empty());
    for (int page = 1; page <= 2; ++page) {
        const auto lines = opsOf(p, PrintOp::Kind::Line, page);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_LINE(lines[0], 10, 7.25, 130, 7.25, 8, LineStyle::Solid);
        EXPECT_LINE(lines[1], 10, 103.25, 130, 103.25, 8, LineStyle::Solid);
        EXPECT_AT(textOp(p, QStringLiteral("Tanzo  2024/03/05"), page),
                  130 - widthIn(gothic(8, false, true), QStringLiteral("Tanzo  2024/03/05")), 104);
    }
    EXPECT_AT(textOp(p, QStringLiteral("2"), 2), 130 - widthIn(gothic(8), QStringLiteral("2")), 4);
    EXPECT_AT(textOp(p, QStringLiteral(" 盤24"), 2), 10, 12);
}

// Page 1 of the sub detail list carries the main record in a frame; the table starts below
// it. Later pages start their table on line 3.
TEST(ReportPrinter, SubDetailListWithMainRecordBlock)
{
    ReportFixture f;
    f.detailSettings(2);
    f.s.subColumnCount = 2;
    f.s.columnField = {0, 1, 0, 0, 0, 0, 0, 0};
    f.s.columnMaxBytes = {8, 12, 0, 0, 0, 0, 0, 0};
    f.s.columnWidthMm = {40, 30, 0, 0, 0, 0, 0, 0};
    f.s.headerTitle1 = QStringLiteral("ＣＤ (サブ明細)");
    f.s.linesPerPage = 14;  // limit 50 mm: page 1 holds lines 8..10, page 2 lines 4..10
    f.mainRow.addRows({{QStringLiteral("  青い鳥 "), QStringLiteral("2"), QStringLiteral("¥3,000"), QStringLiteral("9")}});
    f.addSubRows(5);
    f.engine.printSub(f.mainRow, f.subList);
    f.t.printer.endDoc();
    const RecordingPrinter& p = f.t.printer;
    ASSERT_EQ(p.pagesPrinted(), 2);

    EXPECT_AT(textOp(p, QStringLiteral("1 頁")), 197 - widthIn(gothic(10), QStringLiteral("1 頁")), 10);
    EXPECT_AT(textOp(p, QStringLiteral("メイン明細")), 12, 15);
    EXPECT_AT(textOp(p, QStringLiteral("タイトル")), 40, 15);
    EXPECT_AT(textOp(p, QStringLiteral("青い鳥")), 74, 15);
    EXPECT_AT(textOp(p, QStringLiteral("枚数")), 40, 20);
    EXPECT_AT(textOp(p, QStringLiteral("2")), 74, 20);
    EXPECT_AT(textOp(p, QStringLiteral("価格")), 40, 25);
    EXPECT_AT(textOp(p, QStringLiteral("¥3,000")), 74, 25);
    EXPECT_AT(textOp(p, QStringLiteral(" ")), 12, 30);
    // Headings on line 7, rows from line 8.
    EXPECT_AT(textOp(p, QStringLiteral("曲名")), 10 + rnd((40 - rnd(widthIn(gothic(10), QStringLiteral("曲名")))) / 2), 35);
    EXPECT_AT(textOp(p, QStringLiteral(" 曲1")), 10, 40);
    EXPECT_AT(textOp(p, QStringLiteral("2001/02/01")), 50, 40);
    EXPECT_AT(textOp(p, QStringLiteral(" 曲3")), 10, 50);

    double vw = 0;
    for (const QString& v : {QStringLiteral("青い鳥"), QStringLiteral("2"), QStringLiteral("¥3,000")})
        vw = std::max(vw, rnd(widthIn(gothic(10), v)));
    const double right = 80 + vw;
    const auto boxes = opsOf(p, PrintOp::Kind::Box, 1);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_LINE(boxes[0], 10, 14, right, 29, 8, LineStyle::Solid);   // the main record
    EXPECT_LINE(boxes[1], 10, 34, 197, 54, 8, LineStyle::Solid);     // the table, lines 7..10
    const auto lines = opsOf(p, PrintOp::Kind::Line, 1);
    ASSERT_EQ(lines.size(), 4u + 1u + 2u + 2u);
    EXPECT_LINE(lines[0], 38, 14, 38, 29, 5, LineStyle::Solid);
    EXPECT_LINE(lines[1], 72, 14, 72, 29, 5, LineStyle::Solid);
    EXPECT_LINE(lines[2], 38, 19, right, 19, 4, LineStyle::Solid);
    EXPECT_LINE(lines[3], 38, 24, right, 24, 4, LineStyle::Solid);
    EXPECT_LINE(lines[4], 10, 39, 197, 39, 8, LineStyle::Solid);
    EXPECT_LINE(lines[5], 50, 34, 50, 54, 2, LineStyle::Solid);
    EXPECT_LINE(lines[6], 80, 34, 80, 54, 2, LineStyle::Solid);
    EXPECT_LINE(lines[7], 10, 44, 197, 44, 1, LineStyle::Dot);
    EXPECT_LINE(lines[8], 10, 49, 197, 49, 1, LineStyle::Dot);
    EXPECT_NEAR(textOp(p, QStringLiteral("Tanzo  2024/03/05")).y1, 55, kExact);

    // Page 2: no main record, headings on line 3, table frame from line 3.
    for (const PrintOp& o : opsOf(p, PrintOp::Kind::Text, 2)) EXPECT_NE(o.text, QStringLiteral("メイン明細"));
    EXPECT_NEAR(textOp(p, QStringLiteral("2 頁"), 2).y1, 10, kExact);
    EXPECT_NEAR(textOp(p, QStringLiteral("曲名"), 2).y1, 15, kExact);
    EXPECT_AT(textOp(p, QStringLiteral(" 曲4"), 2), 10, 20);
    const auto boxes2 = opsOf(p, PrintOp::Kind::Box, 2);
    ASSERT_EQ(boxes2.size(), 1u);
    EXPECT_LINE(boxes2[0], 10, 14, 197, 29, 8, LineStyle::Solid);
    const auto lines2 = opsOf(p, PrintOp::Kind::Line, 2);
    ASSERT_EQ(lines2.size(), 4u);
    EXPECT_LINE(lines2[0], 10, 19, 197, 19, 8, LineStyle::Solid);
    EXPECT_LINE(lines2[3], 10, 24, 197, 24, 1, LineStyle::Dot);
}

// A sub report whose main list lost its row still prints the block, with empty values.
TEST(ReportPrinter, SubDetailWithoutMainRowPrintsEmptyValues)
{
    ReportFixture f;
    f.detailSettings(1);
    f.s.subColumnCount = 1;
    f.addSubRows(1);
    f.engine.printSub(f.mainRow, f.subList);
    f.t.printer.endDoc();
    EXPECT_AT(textOp(f.t.printer, QStringLiteral("価格")), 40, 25);
    EXPECT_LINE(f.t.printer.ops(PrintOp::Kind::Box).front(), 10, 14, 80, 29, 8, LineStyle::Solid);
    EXPECT_AT(textOp(f.t.printer, QStringLiteral(" 曲1")), 10, 40);
}

// The CD-case list of sub records: the second title in 10 point under the first, the page
// number on line 2, headings on line 3 and the first rule under both titles.
TEST(ReportPrinter, CdCaseSubList)
{
    ReportFixture f;
    f.cdCaseSettings();
    f.mainRow.addRows({{QStringLiteral("盤"), QStringLiteral("1"), QStringLiteral("¥10"), QStringLiteral("5")}});
    f.addSubRows(23);  // lines 4..25 hold 22 rows
    f.engine.printSub(f.mainRow, f.subList);
    f.t.printer.endDoc();
    const RecordingPrinter& p = f.t.printer;
    EXPECT_EQ(p.pagesPrinted(), 2);
    EXPECT_NEAR(textOp(p, QStringLiteral("名盤")).y1, 0, kExact);
    const PrintOp title2 = textOp(p, QStringLiteral("第２集"));
    EXPECT_AT(title2, rnd((130 - 10 - rnd(widthIn(gothic(10, true), title2.text))) / 2), 5);
    EXPECT_EQ(title2.font, gothic(10));
    EXPECT_AT(textOp(p, QStringLiteral("1")), 130 - widthIn(gothic(8), QStringLiteral("1")), 8);
    EXPECT_NEAR(textOp(p, QStringLiteral("[曲名]")).y1, 12, kExact);
    EXPECT_AT(textOp(p, QStringLiteral(" 曲1")), 10, 16);
    EXPECT_AT(textOp(p, QStringLiteral(" 曲22")), 10, 100);
    EXPECT_AT(textOp(p, QStringLiteral(" 曲23"), 2), 10, 16);
    EXPECT_EQ(textOp(p, QStringLiteral(" 曲1")).font, gothic(8));
    for (int page = 1; page <= 2; ++page) {
        const auto lines = opsOf(p, PrintOp::Kind::Line, page);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_LINE(lines[0], 10, 11.25, 130, 11.25, 8, LineStyle::Solid);
        EXPECT_LINE(lines[1], 10, 103.25, 130, 103.25, 8, LineStyle::Solid);
    }
    EXPECT_TRUE(p.ops(PrintOp::Kind::Box).empty());
}

namespace {

// A list window stand-in: shown, with the status bar, remembering status panel 3 at each
// repaint.
struct PrintingWindow : QWidget {
    PrintingWindow()
    {
        setObjectName(QStringLiteral("Form5"));
        auto* layout = new QVBoxLayout(this);
        status = new StatusBar3;
        layout->addWidget(status);
        resize(600, 200);
        show();
        QApplication::processEvents();
        painted.clear();
    }
    void paintEvent(QPaintEvent*) override { painted << status->panelText(3); }
    StatusBar3* status = nullptr;
    QStringList painted;
};

}  // namespace

// The print command: settings window when needed, printer dialog, status text with the
// progress bar, the report, end of document, status cleared.
TEST(ReportPrinter, PrintCommandRunsSettingsPrinterDialogAndProgress)
{
    ReportFixture f;
    f.detailSettings(3);
    f.addMainRows(30);
    build::setPrintProgress(f.t.app, true);
    PrintingWindow w;

    // No columns: the settings window opens; left without columns, nothing more happens
    // (an unqueued printer dialog would fail the test).
    f.s.mainColumnCount = 0;
    int settingsShown = 0;
    EXPECT_FALSE(ReportPrinter::runMainPrint(f.t.app, 2, w, w.status, f.mainList, [&] { ++settingsShown; }));
    EXPECT_EQ(settingsShown, 1);
    EXPECT_TRUE(f.t.printer.ops().empty());

    // Settings of another category: the window opens again; this time it sets the columns.
    f.s.settingsCategory = 4;
    f.t.ui.answerPrinter(false);
    EXPECT_FALSE(ReportPrinter::runMainPrint(f.t.app, 2, w, w.status, f.mainList, [&] {
        ++settingsShown;
        f.s.mainColumnCount = 3;
        f.s.settingsCategory = 2;
    }));
    EXPECT_EQ(settingsShown, 2);
    // Printer dialog cancelled: nothing printed, nothing said, the status untouched.
    EXPECT_TRUE(f.t.printer.ops().empty());
    EXPECT_TRUE(f.t.ui.messages().empty());
    EXPECT_TRUE(w.painted.isEmpty());

    // Settings of this category are reused.
    f.t.ui.answerPrinter(true);
    EXPECT_TRUE(ReportPrinter::runMainPrint(f.t.app, 2, w, w.status, f.mainList, [&] { ++settingsShown; }));
    EXPECT_EQ(settingsShown, 2);
    EXPECT_EQ(f.t.printer.documentsPrinted(), 1);
    EXPECT_EQ(f.t.printer.ops().back().kind, PrintOp::Kind::EndDoc);
    EXPECT_EQ(f.t.printer.pagesPrinted(), 1);
    EXPECT_EQ(textOp(f.t.printer, QStringLiteral("Tanzo  ") + text::formatDate(QDate::currentDate())).y1,
              (4 + 30) * 5);

    // Panel 3: the empty bar, then the bar filling from the left, changed only when it moves,
    // then cleared.
    ASSERT_GE(w.painted.size(), 3);
    EXPECT_EQ(w.painted.front(), QStringLiteral("印刷処理中  □□□□□□□□□□□□□□□□□□□□□□□□□"));
    EXPECT_EQ(w.painted[w.painted.size() - 2], QStringLiteral("印刷処理中　■■■■■■■■■■■■■■■■■■■■■■■■■"));
    EXPECT_EQ(w.painted.back(), QString());
    EXPECT_LE(w.painted.size(), 26 + 2);
    for (int i = 1; i + 1 < w.painted.size(); ++i) {
        EXPECT_NE(w.painted[i], w.painted[i - 1]);
        EXPECT_EQ(w.painted[i].size(), 6 + 25);
        EXPECT_GE(w.painted[i].count(QChar(0x25A0)), w.painted[i - 1].count(QChar(0x25A0)));
    }
    EXPECT_EQ(w.status->panelText(3), QString());
    EXPECT_EQ(f.s.pageNumber, 1);

    // Switch off: the plain status text and no repaint per row.
    build::setPrintProgress(f.t.app, false);
    w.painted.clear();
    f.t.ui.answerPrinter(true);
    EXPECT_TRUE(ReportPrinter::runMainPrint(f.t.app, 2, w, w.status, f.mainList, {}));
    EXPECT_EQ(w.painted, (QStringList{QStringLiteral("印刷処理中"), QString()}));
}

// A printer that cannot print: the message, the document abandoned, the status cleared.
TEST(ReportPrinter, PrintCommandReportsAPrinterErrorAndClearsTheStatus)
{
    ReportFixture f;
    f.detailSettings(2);
    f.s.subColumnCount = 2;
    f.addSubRows(3);
    f.mainRow.addRows({{QStringLiteral("盤"), QStringLiteral("1"), QStringLiteral("¥10"), QStringLiteral("5")}});
    f.t.printer.recorder().setOffline(true);
    PrintingWindow w;
    f.t.ui.answerPrinter(true);
    EXPECT_FALSE(ReportPrinter::runSubPrint(f.t.app, 2, w, w.status, f.mainRow, f.subList, {}));
    ASSERT_EQ(f.t.ui.messages().size(), 1u);
    EXPECT_EQ(f.t.ui.messages()[0].title, QStringLiteral("注意メッセージ"));
    EXPECT_EQ(w.status->panelText(3), QString());
    EXPECT_EQ(f.t.printer.documentsPrinted(), 0);
    EXPECT_FALSE(f.t.printer.documentOpen());
    EXPECT_FALSE(f.t.ui.programEnded());
}

namespace {
int pdfPages(const QByteArray& bytes)
{
    return static_cast<int>(
        QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
}
}  // namespace

// The report printed into a PDF file through Qt: two pages, and the rendered first page shows
// the frame, the heading rule and the text where the layout put them.
TEST(ReportPrinter, PrintsAReportIntoAPdfFile)
{
    ReportFixture f;
    QTemporaryDir tmp;
    // TANZO_REPORT_DIR keeps the files for a look.
    const QString keep = qEnvironmentVariable("TANZO_REPORT_DIR");
    const QDir out(keep.isEmpty() ? tmp.path() : keep);
    const QString path = out.filePath(QStringLiteral("report.pdf"));
    Printer pdf(std::make_unique<QtPrinterBackend>(path));
    App app(f.t.dir.path(), f.t.ui, pdf);
    app.cache = f.t.app.cache;
    f.detailSettings(3);
    app.printSettings = f.s;
    pdf.setFont(gothic(10));
    f.mainList.addRows({{QStringLiteral("青い鳥"), QStringLiteral("12"), QStringLiteral("¥1,000"), QStringLiteral("1")},
                        {QStringLiteral("Blue Sky"), QStringLiteral("3"), QStringLiteral("¥500"), QStringLiteral("2")}});
    f.addMainRows(58);  // 60 rows: 50 on page 1 (lines 4..53), 10 on page 2
    StatusBar3 status;
    QWidget window;
    f.t.ui.answerPrinter(true);
    ASSERT_TRUE(ReportPrinter::runMainPrint(app, 2, window, &status, f.mainList, {}));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(pdfPages(bytes), 2);

    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    ASSERT_FALSE(gs.isEmpty()) << "Ghostscript (gs) is missing: tools/packages.sh installs it";
    const int dpi = 150;
    QProcess render;
    render.start(gs, {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"), QStringLiteral("-dSAFER"),
                      QStringLiteral("-sDEVICE=pnggray"), QStringLiteral("-r%1").arg(dpi), QStringLiteral("-dFirstPage=1"),
                      QStringLiteral("-dLastPage=1"),
                      QStringLiteral("-sOutputFile=") + tmp.filePath(QStringLiteral("page1.png")), path});
    ASSERT_TRUE(render.waitForFinished(60000));
    const QImage page(tmp.filePath(QStringLiteral("page1.png")));
    ASSERT_FALSE(page.isNull());

    // Print-area millimetres to pixels (the PDF's print area starts 4 mm in).
    auto px = [&](double mm) { return qRound((mm + 4) * dpi / 25.4); };
    auto darkNear = [&](double xMm, double yMm) {
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (qGray(page.pixel(px(xMm) + dx, px(yMm) + dy)) < 128) return true;
        return false;
    };
    auto darkIn = [&](double x1, double y1, double x2, double y2) {
        int n = 0;
        for (int y = px(y1); y <= px(y2); ++y)
            for (int x = px(x1); x <= px(x2); ++x) n += qGray(page.pixel(x, y)) < 128;
        return n;
    };
    EXPECT_TRUE(darkNear(10, 100));     // left side of the frame
    EXPECT_TRUE(darkNear(197, 100));    // right side
    EXPECT_TRUE(darkNear(100, 14));     // top
    EXPECT_TRUE(darkNear(100, 19));     // under the headings
    EXPECT_TRUE(darkNear(70, 100));     // column separator
    EXPECT_FALSE(darkNear(150, 100.5)); // inside the table, between rule and text
    EXPECT_GT(darkIn(60, 5, 140, 9.5), 50);   // the title
    EXPECT_GT(darkIn(11, 20, 30, 23.5), 20);  // the first row's text
    EXPECT_EQ(darkIn(0, 0, 50, 4.5), 0);      // nothing left of the centred title
}
