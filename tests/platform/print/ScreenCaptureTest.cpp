#include "platform/capture/ScreenCapture.h"
#include "platform/print/RecordingPrinter.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

// A window whose parts have colours of their own: a menu bar, a red contents area and a
// status bar.
struct ColouredWindow {
    ColouredWindow()
    {
        win.menuBar()->addMenu(QStringLiteral("ファイル"));
        auto* contents = new QLabel;
        contents->setAutoFillBackground(true);
        QPalette pal = contents->palette();
        pal.setColor(QPalette::Window, Qt::red);
        contents->setPalette(pal);
        win.setCentralWidget(contents);
        win.statusBar()->showMessage(QStringLiteral("状態"));
        win.resize(400, 300);
    }
    QMainWindow win;
};

bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 50 && qBlue(c) < 50; }

PrintOp onlyPicture(const RecordingPrinter& p)
{
    const auto pics = p.ops(PrintOp::Kind::Picture);
    EXPECT_EQ(pics.size(), 1u);
    return pics.empty() ? PrintOp{} : pics.front();
}

}  // namespace

TEST(PictureFitting, KeepsProportionsAndFillsOneSide)
{
    const QSizeF portrait(202, 289);
    const QSizeF landscape(289, 202);
    // A square fills the width of a portrait page.
    EXPECT_EQ(FittedPictureSize(QSize(500, 500), portrait), QSizeF(202, 202));
    // Relatively wider than the page: full width.
    const QSizeF wide = FittedPictureSize(QSize(1600, 900), landscape);
    EXPECT_DOUBLE_EQ(wide.width(), 289);
    EXPECT_NEAR(wide.height(), 289 * 900.0 / 1600, 1e-9);
    // Relatively taller: full height.
    const QSizeF tall = FittedPictureSize(QSize(300, 900), portrait);
    EXPECT_DOUBLE_EQ(tall.height(), 289);
    EXPECT_NEAR(tall.width(), 289 / 3.0, 1e-9);
    // Same proportions as the page: both sides.
    const QSizeF same = FittedPictureSize(QSize(2890, 2020), landscape);
    EXPECT_NEAR(same.width(), 289, 1e-9);
    EXPECT_NEAR(same.height(), 202, 1e-9);
    EXPECT_TRUE(FittedPictureSize(QSize(0, 10), portrait).isEmpty());
}

TEST(PictureFitting, PrintsInTheOrientationOfThePicture)
{
    RecordingPrinter p;
    QImage square(300, 300, QImage::Format_RGB32);
    square.fill(Qt::white);
    p.setOrientation(Orientation::Landscape);
    ASSERT_TRUE(PrintPictureFitted(p, square));
    PrintOp op = onlyPicture(p);
    EXPECT_EQ(op.orientation, Orientation::Portrait);
    EXPECT_EQ(op.x1, 0);
    EXPECT_EQ(op.y1, 0);
    EXPECT_NEAR(op.x2, p.scaleWidth(), 1e-9);
    EXPECT_NEAR(op.y2, p.scaleWidth(), 1e-9);
    EXPECT_EQ(op.picture.size(), square.size());
    p.endDoc();
    p.recorder().clear();

    // Wider than tall: landscape, and the printer stays landscape afterwards.
    QImage wide(800, 200, QImage::Format_RGB32);
    wide.fill(Qt::white);
    ASSERT_TRUE(PrintPictureFitted(p, wide));
    p.endDoc();
    op = onlyPicture(p);
    EXPECT_EQ(op.orientation, Orientation::Landscape);
    EXPECT_EQ(p.orientation(), Orientation::Landscape);
    EXPECT_NEAR(op.x2, 289, 1e-9);  // the whole width of an A4 landscape print area
    EXPECT_NEAR(op.y2, 289 / 4.0, 1e-9);
    p.recorder().clear();

    // A picture of the page's own proportions fills it exactly.
    QImage page(2890, 2020, QImage::Format_RGB32);
    page.fill(Qt::white);
    ASSERT_TRUE(PrintPictureFitted(p, page));
    op = onlyPicture(p);
    EXPECT_NEAR(op.x2, p.scaleWidth(), 1e-9);
    EXPECT_NEAR(op.y2, p.scaleHeight(), 1e-9);
    p.endDoc();
    p.recorder().clear();

    // An empty picture prints nothing.
    EXPECT_FALSE(PrintPictureFitted(p, QImage()));
    EXPECT_TRUE(p.ops().empty());

    // A device that refuses the orientation: error 380, nothing printed.
    p.recorder().refuseOrientation(Orientation::Portrait);
    try {
        PrintPictureFitted(p, square);
        ADD_FAILURE() << "a refused orientation went through";
    } catch (const PrinterError& e) {
        EXPECT_EQ(e.code(), 380);
    }
    EXPECT_TRUE(p.ops().empty());
}

TEST(ScreenCapture, WindowClientAreaAndScreen)
{
    ColouredWindow w;
    w.win.move(100, 80);
    w.win.show();
    QApplication::processEvents();
    const int menuHeight = w.win.menuBar()->height();
    ASSERT_GT(menuHeight, 0);

    // The whole window starts with its menu bar.
    const QImage whole = CaptureWholeWindow(w.win);
    ASSERT_FALSE(whole.isNull());
    EXPECT_GE(whole.width(), w.win.width());
    EXPECT_GE(whole.height(), w.win.height());
    EXPECT_FALSE(isRed(whole.pixel(whole.width() / 2, 1)));

    // The client area starts below the menu bar, with the contents at its top, and keeps the
    // status bar at its bottom.
    const QImage client = CaptureClientArea(w.win);
    ASSERT_FALSE(client.isNull());
    EXPECT_EQ(client.width(), w.win.width());
    EXPECT_EQ(client.height(), w.win.height() - menuHeight);
    EXPECT_TRUE(isRed(client.pixel(client.width() / 2, 1)));
    EXPECT_FALSE(isRed(client.pixel(client.width() / 2, client.height() - 2)));
    // Asked for from a child, the pictures are still of its window.
    EXPECT_EQ(CaptureClientArea(*w.win.centralWidget()).size(), client.size());

    // A rectangle inside the client area.
    const QImage part = CaptureWindowArea(w.win, true, 10, 5, 50, 20);
    EXPECT_EQ(part.size(), QSize(50, 20));
    EXPECT_TRUE(isRed(part.pixel(25, 10)));

    // The whole screen, with the window where it stands.
    const QImage screen = CaptureWholeScreen(&w.win);
    const QRect sg = w.win.screen()->geometry();
    EXPECT_EQ(screen.size(), sg.size() * w.win.screen()->devicePixelRatio());
    const QPoint inside = w.win.centralWidget()->mapToGlobal(w.win.centralWidget()->rect().center()) - sg.topLeft();
    EXPECT_TRUE(isRed(screen.pixel(inside)));
    EXPECT_FALSE(isRed(screen.pixel(sg.width() - 2, sg.height() - 2)));
}
