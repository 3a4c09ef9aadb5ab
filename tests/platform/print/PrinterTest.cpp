#include "platform/print/RecordingPrinter.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace {
constexpr double kExact = 1e-9;
}

TEST(Printer, RecordsTextLinesBoxesAndPagesInMillimetres)
{
    RecordingPrinter p;
    p.setFont(PrintFont{QStringLiteral("ＭＳ ゴシック"), 10.0, false, false});
    const double abc = p.textWidth(QStringLiteral("ABC"));
    const double lh = p.textHeight();
    ASSERT_GT(abc, 0);
    ASSERT_GT(lh, 0);
    EXPECT_EQ(p.page(), 0);
    EXPECT_FALSE(p.documentOpen());

    // Text staying on the line moves right by its width; ending the line goes to the next line.
    p.setCurrentX(10);
    p.setCurrentY(20);
    p.print(QStringLiteral("ABC"), false);
    EXPECT_NEAR(p.currentX(), 10 + abc, kExact);
    EXPECT_EQ(p.currentY(), 20);
    p.print(QStringLiteral("DEF"));
    EXPECT_EQ(p.currentX(), 0);
    EXPECT_NEAR(p.currentY(), 20 + lh, kExact);
    EXPECT_TRUE(p.documentOpen());
    EXPECT_EQ(p.page(), 1);

    p.setDrawWidth(8);
    p.line(10, 30.25, 190, 30.25);
    EXPECT_EQ(p.currentX(), 190);
    EXPECT_EQ(p.currentY(), 30.25);
    p.setDrawWidth(1);
    p.setDrawStyle(LineStyle::Dot);
    p.box(190, 60, 10, 40);  // corners in any order

    p.newPage();
    EXPECT_EQ(p.page(), 2);
    EXPECT_EQ(p.currentX(), 0);
    EXPECT_EQ(p.currentY(), 0);
    p.setCurrentX(5);
    p.print(QStringLiteral("頁２"));
    p.endDoc();
    EXPECT_FALSE(p.documentOpen());

    const auto& ops = p.ops();
    ASSERT_EQ(ops.size(), 7u);
    using K = PrintOp::Kind;
    EXPECT_EQ(ops[0].kind, K::Text);
    EXPECT_EQ(ops[0].text, QStringLiteral("ABC"));
    EXPECT_EQ(ops[0].x1, 10);
    EXPECT_EQ(ops[0].y1, 20);
    EXPECT_NEAR(ops[0].x2, 10 + abc, kExact);
    EXPECT_NEAR(ops[0].y2, 20 + lh, kExact);
    EXPECT_EQ(ops[0].font.name, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(ops[1].text, QStringLiteral("DEF"));
    EXPECT_NEAR(ops[1].x1, 10 + abc, kExact);

    EXPECT_EQ(ops[2].kind, K::Line);
    EXPECT_EQ(ops[2].pen.width, 8);
    EXPECT_EQ(ops[2].pen.style, LineStyle::Solid);
    EXPECT_EQ(QRectF(QPointF(ops[2].x1, ops[2].y1), QPointF(ops[2].x2, ops[2].y2)), QRectF(QPointF(10, 30.25), QPointF(190, 30.25)));

    EXPECT_EQ(ops[3].kind, K::Box);
    EXPECT_EQ(ops[3].pen.width, 1);
    EXPECT_EQ(ops[3].pen.style, LineStyle::Dot);
    EXPECT_EQ(ops[3].x1, 10);
    EXPECT_EQ(ops[3].y1, 40);
    EXPECT_EQ(ops[3].x2, 190);
    EXPECT_EQ(ops[3].y2, 60);
    EXPECT_EQ(ops[3].page, 1);

    EXPECT_EQ(ops[4].kind, K::NewPage);
    EXPECT_EQ(ops[5].kind, K::Text);
    EXPECT_EQ(ops[5].page, 2);
    EXPECT_EQ(ops[5].x1, 5);
    EXPECT_EQ(ops[5].y1, 0);
    EXPECT_EQ(ops[6].kind, K::EndDoc);
    EXPECT_EQ(p.documentsPrinted(), 1);
    EXPECT_EQ(p.pagesPrinted(), 2);

    // Printing nothing but line ends writes nothing; the next output starts a second document.
    p.print(QString());
    EXPECT_FALSE(p.documentOpen());
    EXPECT_NEAR(p.currentY(), lh, kExact);
    p.print(QStringLiteral("次"));
    EXPECT_EQ(p.ops().back().document, 2);
    p.killDoc();
    EXPECT_EQ(p.ops().back().kind, K::KillDoc);
    EXPECT_EQ(p.documentsPrinted(), 1);
    // An end without a document does nothing.
    p.endDoc();
    EXPECT_EQ(p.ops().back().kind, K::KillDoc);
}

TEST(Printer, MeasuresWithTheMappedJapaneseFonts)
{
    EXPECT_EQ(PrintFont::familyFor(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(PrintFont::familyFor(QStringLiteral("ＭＳ 明朝")), QStringLiteral("IPAMincho"));
    EXPECT_EQ(PrintFont::familyFor(QStringLiteral("MS Gothic")), QStringLiteral("IPAGothic"));
    EXPECT_EQ(PrintFont::familyFor(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(PrintFont::familyFor(QStringLiteral("DejaVu Sans")), QStringLiteral("DejaVu Sans"));
    // The faces are installed, so the mapping reaches real fonts.
    EXPECT_EQ(QFontInfo(PrintFont{QStringLiteral("ＭＳ ゴシック")}.qfont()).family(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(QFontInfo(PrintFont{QStringLiteral("ＭＳ 明朝")}.qfont()).family(), QStringLiteral("IPAMincho"));

    RecordingPrinter p;
    p.setFont(PrintFont{QStringLiteral("ＭＳ ゴシック"), 10.0, false, false});
    // Fixed pitch: a half-width character is half an em (10 pt = 3.528 mm; the size resolves
    // to whole dots of the device, as on paper), a full-width one twice that.
    EXPECT_NEAR(p.textWidth(QStringLiteral("A")), 10 * 25.4 / 72 / 2, 0.01);
    EXPECT_NEAR(p.textWidth(QStringLiteral("ＡＢ在庫")), 2 * p.textWidth(QStringLiteral("AB12")), kExact);
    EXPECT_NEAR(p.textWidth(QStringLiteral("ｱｲｳ")), p.textWidth(QStringLiteral("abc")), kExact);
    const double w10 = p.textWidth(QStringLiteral("在庫管理 Tanzo"));
    const double h10 = p.textHeight();
    // Metrics follow the size (up to the whole-dot size); several lines measure as the widest
    // and all together.
    p.setFontSize(20);
    EXPECT_NEAR(p.textWidth(QStringLiteral("在庫管理 Tanzo")), 2 * w10, 2 * w10 * 0.005);
    EXPECT_NEAR(p.textHeight(), 2 * h10, 2 * h10 * 0.005);
    EXPECT_NEAR(p.textHeight(QStringLiteral("一行\r\n二行")), 2 * p.textHeight(), kExact);
    EXPECT_NEAR(p.textWidth(QStringLiteral("AB\r\nABCD\r\nA")), p.textWidth(QStringLiteral("ABCD")), kExact);

    // The proportional Mincho face differs from the fixed-pitch one.
    p.setFontName(QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_GT(std::abs(p.textWidth(QStringLiteral("iiii")) - p.textWidth(QStringLiteral("MMMM"))), 0.5);
}

TEST(Printer, KeepsPaperOrientationAndFontBetweenDocuments)
{
    RecordingPrinter p;
    EXPECT_EQ(p.paperSize(), paper::A4);
    EXPECT_EQ(p.orientation(), Orientation::Portrait);
    // The printable area is the paper less 4 mm on every side.
    EXPECT_NEAR(p.scaleWidth(), 202, 1e-6);
    EXPECT_NEAR(p.scaleHeight(), 289, 1e-6);

    p.setPaperSize(paper::B5);  // JIS B5, 182 × 257 mm
    EXPECT_NEAR(p.scaleWidth(), 174, 1e-6);
    EXPECT_NEAR(p.scaleHeight(), 249, 1e-6);

    p.setPaperSize(paper::A5);
    p.setOrientation(Orientation::Landscape);
    p.setFont(PrintFont{QStringLiteral("ＭＳ 明朝"), 9.75, true, true});
    p.print(QStringLiteral("一"));
    p.endDoc();
    p.print(QStringLiteral("二"));
    p.endDoc();

    EXPECT_EQ(p.paperSize(), paper::A5);
    EXPECT_EQ(p.paperSize(), 11);
    EXPECT_EQ(p.orientation(), Orientation::Landscape);
    EXPECT_NEAR(p.scaleWidth(), 202, 1e-6);
    EXPECT_NEAR(p.scaleHeight(), 140, 1e-6);
    EXPECT_EQ(p.fontName(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(p.fontSize(), 9.75);
    EXPECT_TRUE(p.fontBold());
    EXPECT_TRUE(p.fontItalic());
    const auto texts = p.ops(PrintOp::Kind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].document, 2);
    EXPECT_EQ(texts[1].paper, paper::A5);
    EXPECT_EQ(texts[1].orientation, Orientation::Landscape);
    EXPECT_EQ(texts[1].font, (PrintFont{QStringLiteral("ＭＳ 明朝"), 9.75, true, true}));
}

TEST(Printer, RefusedSettingsAreError380AndChangeNothing)
{
    RecordingPrinter p;
    p.recorder().refusePaper(paper::A5);
    p.recorder().refuseOrientation(Orientation::Landscape);
    auto codeOf = [](auto&& f) {
        try {
            f();
        } catch (const PrinterError& e) {
            return e.code();
        }
        return 0;
    };
    EXPECT_EQ(codeOf([&] { p.setPaperSize(paper::A5); }), 380);
    EXPECT_EQ(codeOf([&] { p.setPaperSize(77); }), 380);  // a code no device knows
    EXPECT_EQ(codeOf([&] { p.setOrientation(Orientation::Landscape); }), 380);
    EXPECT_EQ(codeOf([&] { p.setFontSize(0); }), 380);
    EXPECT_EQ(codeOf([&] { p.setDrawWidth(0); }), 380);
    EXPECT_EQ(p.paperSize(), paper::A4);
    EXPECT_EQ(p.orientation(), Orientation::Portrait);
    EXPECT_EQ(p.fontSize(), 10.0);
    EXPECT_EQ(p.drawWidth(), 1);

    // Accepted settings go through.
    EXPECT_EQ(codeOf([&] { p.setPaperSize(paper::B5); }), 0);
    EXPECT_EQ(p.paperSize(), paper::B5);
    p.recorder().acceptEverything();
    EXPECT_EQ(codeOf([&] { p.setOrientation(Orientation::Landscape); }), 0);

    // Paper and orientation together: taken, or refused as soon as either is.
    EXPECT_EQ(codeOf([&] { p.setPage(paper::A5, Orientation::Portrait); }), 0);
    EXPECT_EQ(p.paperSize(), paper::A5);
    EXPECT_EQ(p.orientation(), Orientation::Portrait);
    p.recorder().refuseOrientation(Orientation::Landscape);
    EXPECT_EQ(codeOf([&] { p.setPage(paper::B5, Orientation::Landscape); }), 380);

    // An offline device fails when the document starts, with another code.
    p.recorder().setOffline(true);
    EXPECT_EQ(codeOf([&] { p.print(QStringLiteral("x")); }), 482);
    EXPECT_FALSE(p.documentOpen());
}

// A device that says it took a paper but keeps its own: the page is checked after it is set.
TEST(Printer, APageTheDeviceDoesNotReportBackIsRefused)
{
    struct Stubborn : RecordingBackend {
        int paperSize() const override { return paper::A4; }
    };
    Printer p(std::make_unique<Stubborn>());
    try {
        p.setPage(paper::A5, Orientation::Portrait);
        ADD_FAILURE() << "a page the device does not report was taken";
    } catch (const PrinterError& e) {
        EXPECT_EQ(e.code(), 380);
    }
    EXPECT_NO_THROW(p.setPage(paper::A4, Orientation::Landscape));
}
