#include "platform/print/QtPrinterBackend.h"
#include "platform/print/RecordingPrinter.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct PdfFile {
    QByteArray bytes;
    int pages = 0;
    QList<QSizeF> mediaBoxes;  // points
};

PdfFile readPdf(const QString& path)
{
    PdfFile pdf;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return pdf;
    pdf.bytes = f.readAll();
    const QString text = QString::fromLatin1(pdf.bytes);
    pdf.pages = static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))));
    QRegularExpression box(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]"));
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        pdf.mediaBoxes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return pdf;
}

double mmToPt(double mm) { return mm * 72 / 25.4; }

}  // namespace

TEST(QtPrinterBackend, MeasuresTextAsTheRecordingPrinterDoes)
{
    QTemporaryDir tmp;
    Printer real(std::make_unique<QtPrinterBackend>(tmp.filePath(QStringLiteral("m.pdf"))));
    RecordingPrinter recording;
    const PrintFont fonts[] = {
        {QStringLiteral("ＭＳ ゴシック"), 9.75, false, false},
        {QStringLiteral("ＭＳ ゴシック"), 12, true, false},
        {QStringLiteral("ＭＳ 明朝"), 8, false, true},
    };
    const QString texts[] = {QStringLiteral("A"), QStringLiteral("登録ＮＯ"), QStringLiteral("¥1,234,567"),
                             QStringLiteral("Tanzo  2024/01/31"), QStringLiteral(" ｶﾅ まじり Text")};
    for (const PrintFont& f : fonts) {
        real.setFont(f);
        recording.setFont(f);
        EXPECT_NEAR(real.textHeight(), recording.textHeight(), 1e-6) << f.name.toStdString() << f.size;
        for (const QString& t : texts)
            EXPECT_NEAR(real.textWidth(t), recording.textWidth(t), 1e-6) << t.toStdString() << " " << f.size;
    }
    // Same page too: A4 portrait less 4 mm margins.
    EXPECT_NEAR(real.scaleWidth(), recording.scaleWidth(), 1e-6);
    EXPECT_NEAR(real.scaleHeight(), recording.scaleHeight(), 1e-6);
}

TEST(QtPrinterBackend, PrintsPagesIntoAPdfFileAndKeepsItsSettings)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("out.pdf"));
    Printer p(std::make_unique<QtPrinterBackend>(path));
    EXPECT_EQ(p.paperSize(), paper::A4);
    EXPECT_EQ(p.orientation(), Orientation::Portrait);
    EXPECT_NEAR(p.scaleWidth(), 202, 0.01);
    EXPECT_NEAR(p.scaleHeight(), 289, 0.01);

    p.setCurrentX(20);
    p.setCurrentY(10);
    p.print(QStringLiteral("在庫管理Tanzo 一覧表"));
    p.setDrawWidth(8);
    p.box(10, 20, 190, 100);
    p.setDrawWidth(1);
    p.setDrawStyle(LineStyle::Dot);
    p.line(10, 30, 190, 30);
    p.newPage();
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    p.paintPicture(picture, 0, 0, 80, 60);
    p.print(QStringLiteral("２頁"));
    EXPECT_TRUE(p.documentOpen());
    EXPECT_EQ(p.page(), 2);
    p.endDoc();

    PdfFile pdf = readPdf(path);
    ASSERT_FALSE(pdf.bytes.isEmpty());
    EXPECT_TRUE(pdf.bytes.startsWith("%PDF"));
    EXPECT_EQ(pdf.pages, 2);
    ASSERT_FALSE(pdf.mediaBoxes.isEmpty());
    for (const QSizeF& b : pdf.mediaBoxes) {
        EXPECT_NEAR(b.width(), mmToPt(210), 0.5);
        EXPECT_NEAR(b.height(), mmToPt(297), 0.5);
    }

    // The next document inherits the last settings: A5 landscape here.
    p.setPaperSize(paper::A5);
    p.setOrientation(Orientation::Landscape);
    EXPECT_NEAR(p.scaleWidth(), 202, 0.01);
    EXPECT_NEAR(p.scaleHeight(), 140, 0.01);
    p.print(QStringLiteral("横"));
    p.endDoc();
    EXPECT_EQ(p.paperSize(), paper::A5);
    EXPECT_EQ(p.orientation(), Orientation::Landscape);
    pdf = readPdf(path);
    EXPECT_EQ(pdf.pages, 1);
    ASSERT_FALSE(pdf.mediaBoxes.isEmpty());
    EXPECT_NEAR(pdf.mediaBoxes.front().width(), mmToPt(210), 0.5);
    EXPECT_NEAR(pdf.mediaBoxes.front().height(), mmToPt(148), 0.5);

    // JIS B5, and a code the device does not know is refused.
    p.setPaperSize(paper::B5);
    p.setOrientation(Orientation::Portrait);
    EXPECT_NEAR(p.scaleWidth(), 174, 0.01);
    EXPECT_NEAR(p.scaleHeight(), 249, 0.01);
    try {
        p.setPaperSize(4242);
        ADD_FAILURE() << "an unknown paper was taken";
    } catch (const PrinterError& e) {
        EXPECT_EQ(e.code(), 380);
    }
    EXPECT_EQ(p.paperSize(), paper::B5);
}

TEST(QtPrinterBackend, AbandonedDocumentLeavesNoFile)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("abandoned.pdf"));
    Printer p(std::make_unique<QtPrinterBackend>(path));
    p.print(QStringLiteral("途中"));
    p.killDoc();
    EXPECT_FALSE(p.documentOpen());
    EXPECT_TRUE(!QFile::exists(path) || readPdf(path).pages == 0);
}

TEST(QtPrinterBackend, ThePrintedPageShowsTheDrawingWhereItWasPlaced)
{
    const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
    ASSERT_FALSE(gs.isEmpty()) << "Ghostscript (gs) is missing: tools/packages.sh installs it";
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("look.pdf"));
    const QString title = QStringLiteral("在庫管理Tanzo ■■■■");
    double titleWidth = 0, titleHeight = 0;
    {
        Printer p(std::make_unique<QtPrinterBackend>(path));
        p.setFont(PrintFont{QStringLiteral("ＭＳ ゴシック"), 12, true, false});
        titleWidth = p.textWidth(title);
        titleHeight = p.textHeight();
        p.setCurrentX(20);
        p.setCurrentY(10);
        p.print(title);
        p.setDrawWidth(8);
        p.box(10, 20, 190, 100);
        p.setDrawWidth(1);
        p.setDrawStyle(LineStyle::Dot);
        p.line(10, 60, 190, 60);
        p.newPage();
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        p.paintPicture(picture, 0, 0, 80, 60);
        p.endDoc();
    }
    const int dpi = 150;
    QProcess render;
    render.start(gs, {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"), QStringLiteral("-dSAFER"),
                      QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r%1").arg(dpi),
                      QStringLiteral("-sOutputFile=") + tmp.filePath(QStringLiteral("page%d.png")), path});
    ASSERT_TRUE(render.waitForFinished(60000));
    const QImage page1(tmp.filePath(QStringLiteral("page1.png")));
    const QImage page2(tmp.filePath(QStringLiteral("page2.png")));
    ASSERT_FALSE(page1.isNull());
    ASSERT_FALSE(page2.isNull());
    EXPECT_TRUE(QImage(tmp.filePath(QStringLiteral("page3.png"))).isNull());

    // Print-area millimetres to pixels of the rendered page (the print area starts 4 mm in).
    auto px = [&](double mm) { return qRound((mm + 4) * dpi / 25.4); };
    auto dark = [](const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 128; };
    auto darkAround = [&](const QImage& img, int x, int y) {
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (dark(img, x + dx, y + dy)) return true;
        return false;
    };
    auto darkIn = [&](const QImage& img, QRect r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += dark(img, x, y);
        return n;
    };

    // The box's four sides, and nothing inside it but the dotted rule.
    EXPECT_TRUE(darkAround(page1, px(100), px(20)));
    EXPECT_TRUE(darkAround(page1, px(100), px(100)));
    EXPECT_TRUE(darkAround(page1, px(10), px(40)));
    EXPECT_TRUE(darkAround(page1, px(190), px(40)));
    EXPECT_FALSE(darkAround(page1, px(100), px(40)));
    EXPECT_FALSE(darkAround(page1, px(100), px(110)));
    // The dotted rule is broken into dots.
    int marked = 0, columns = 0;
    for (int x = px(12); x <= px(188); ++x, ++columns) {
        bool any = false;
        for (int y = px(60) - 2; y <= px(60) + 2; ++y) any = any || qGray(page1.pixel(x, y)) < 230;
        marked += any;
    }
    EXPECT_GT(marked, columns / 5);
    EXPECT_LT(marked, columns * 4 / 5);
    // The title stands in the rectangle it was measured to fill, ending with its black squares.
    const QRect titleRect(QPoint(px(20), px(10)), QPoint(px(20 + titleWidth), px(10 + titleHeight)));
    EXPECT_GT(darkIn(page1, titleRect), 100);
    EXPECT_TRUE(dark(page1, px(20 + titleWidth - 1.5), px(10 + titleHeight / 2)));
    EXPECT_EQ(darkIn(page1, QRect(QPoint(px(22 + titleWidth), px(10)), QPoint(px(60 + titleWidth), px(10 + titleHeight)))), 0);
    EXPECT_EQ(darkIn(page1, QRect(QPoint(px(0), px(0)), QPoint(px(18), px(18)))), 0);

    // Page 2: the picture scaled into its rectangle at the corner of the print area.
    auto blue = [&](int x, int y) {
        const QRgb c = page2.pixel(x, y);
        return qBlue(c) > 200 && qRed(c) < 50 && qGreen(c) < 50;
    };
    auto white = [&](int x, int y) { return qGray(page2.pixel(x, y)) > 240; };
    EXPECT_TRUE(blue(px(40), px(30)));
    EXPECT_TRUE(blue(px(2), px(2)));
    EXPECT_TRUE(blue(px(78), px(58)));
    EXPECT_TRUE(white(px(83), px(30)));
    EXPECT_TRUE(white(px(40), px(63)));
    EXPECT_TRUE(white(px(-2), px(30)));
}
