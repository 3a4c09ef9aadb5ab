#include "TestApp.h"
#include "common/ScreenPrint.h"
#include "platform/print/QtPrinterBackend.h"
#include "platform/widgets/StatusBar3.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A list-like window: menu bar, contents and the three-panel status bar.
struct ListLikeWindow {
    ListLikeWindow()
    {
        win.setObjectName(QStringLiteral("Form5"));
        win.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
        win.setCentralWidget(new QLabel(QStringLiteral("明細")));
        status = new StatusBar3;
        win.setStatusBar(status);
        win.resize(800, 400);
    }
    QMainWindow win;
    StatusBar3* status = nullptr;
};

}  // namespace

TEST(ScreenPrint, PrintsTheWindowWithItsStatusTextOnOnePage)
{
    TestApp t;
    ListLikeWindow w;
    w.status->setPanelText(1, QStringLiteral("種目名"));
    ASSERT_TRUE(ScreenPrint::run(t.app, w.win, ScreenPrint::Capture::ActiveWindow, w.status));

    EXPECT_EQ(w.status->panelText(3), QString());
    EXPECT_EQ(w.status->panelText(1), QStringLiteral("種目名"));
    EXPECT_EQ(t.printer.documentsPrinted(), 1);
    EXPECT_EQ(t.printer.pagesPrinted(), 1);
    const auto pictures = t.printer.ops(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    const PrintOp& pic = pictures.front();
    EXPECT_EQ(pic.orientation, Orientation::Landscape);  // the window is wider than tall
    EXPECT_EQ(pic.x1, 0);
    EXPECT_EQ(pic.y1, 0);
    EXPECT_NEAR(pic.x2, t.printer.scaleWidth(), 1e-9);
    EXPECT_LE(pic.y2, t.printer.scaleHeight() + 1e-9);
    EXPECT_EQ(t.printer.ops().back().kind, PrintOp::Kind::EndDoc);
    EXPECT_TRUE(t.ui.messages().empty());

    // The picture shows the status text: it is the window as drawn with the text in panel 3.
    const QImage withoutText = w.win.grab().toImage().convertToFormat(QImage::Format_RGB32);
    w.status->setPanelText(3, QStringLiteral("画面印刷中　ActiveWindow"));
    const QImage withText = w.win.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage printed = pic.picture.convertToFormat(QImage::Format_RGB32);
    EXPECT_NE(withText, withoutText);
    EXPECT_EQ(printed, withText);
}

TEST(ScreenPrint, ClientAreaScreenAndNoStatusText)
{
    TestApp t;
    ListLikeWindow w;
    w.win.show();
    QApplication::processEvents();

    ASSERT_TRUE(ScreenPrint::run(t.app, w.win, ScreenPrint::Capture::UserData, w.status));
    auto pictures = t.printer.ops(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 1u);
    EXPECT_EQ(pictures[0].picture.height(), w.win.height() - w.win.menuBar()->height());
    EXPECT_EQ(w.status->panelText(3), QString());

    ASSERT_TRUE(ScreenPrint::run(t.app, w.win, ScreenPrint::Capture::EntireScreen, w.status));
    pictures = t.printer.ops(PrintOp::Kind::Picture);
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[1].picture.size(), w.win.screen()->geometry().size() * w.win.screen()->devicePixelRatio());
    EXPECT_EQ(pictures[1].document, 2);

    // A window without status text (null status bar) prints all the same.
    ASSERT_TRUE(ScreenPrint::run(t.app, w.win, ScreenPrint::Capture::ActiveWindow, nullptr));
    EXPECT_EQ(t.printer.documentsPrinted(), 3);
    EXPECT_EQ(t.printer.pagesPrinted(), 3);
    EXPECT_EQ(ScreenPrint::statusText(ScreenPrint::Capture::UserData), QStringLiteral("画面印刷中　UserData"));
    EXPECT_EQ(ScreenPrint::statusText(ScreenPrint::Capture::EntireScreen), QStringLiteral("画面印刷中　EntireScreen"));
}

TEST(ScreenPrint, PrinterErrorsAreShownAndTheStatusCleared)
{
    TestApp t;
    ListLikeWindow w;

    // A driver that will not turn the page: the advice message, nothing printed.
    t.printer.recorder().refuseOrientation(Orientation::Landscape);
    EXPECT_FALSE(ScreenPrint::run(t.app, w.win, ScreenPrint::Capture::ActiveWindow, w.status));
    ASSERT_EQ(t.ui.messages().size(), 1u);
    const auto advice = t.ui.messages().front();
    EXPECT_EQ(advice.title, QStringLiteral("注意メッセージ"));
    EXPECT_EQ(advice.buttons, Ui::Buttons::Ok);
    EXPECT_EQ(advice.text.split(QStringLiteral("\r\n")).size(), 4);
    EXPECT_TRUE(advice.text.startsWith(QStringLiteral("使用中のプリンターのドライバーでは、")));
    EXPECT_EQ(t.printer.documentsPrinted(), 0);
    EXPECT_EQ(w.status->panelText(3), QString());
    EXPECT_FALSE(t.ui.programEnded());
    t.printer.recorder().acceptEverything();

    // A printer that fails when the page starts: what the device said, and the program goes on.
    t.printer.recorder().setOffline(true);
    EXPECT_FALSE(ScreenPrint::run(t.app, w.win, ScreenPrint::Capture::ActiveWindow, w.status));
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("プリンター エラーです。(offline)"));
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("注意メッセージ"));
    EXPECT_FALSE(t.ui.programEnded());
    EXPECT_EQ(t.printer.documentsPrinted(), 0);
    EXPECT_EQ(w.status->panelText(3), QString());

    // Any other printing failure: its text under "エラー発生", and the windows stay.
    t.app.showPrinterError(PrinterError(9999, QStringLiteral("用紙づまり")));
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("印刷中にエラーが発生しました。\r\n用紙づまり"));
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("エラー発生"));
    EXPECT_EQ(t.ui.messages().back().icon, Ui::Icon::Critical);
    EXPECT_FALSE(t.ui.programEnded());
}

TEST(ScreenPrint, OnARealPrinterTheJobHasOneLandscapePage)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("screen.pdf"));
    TempProgramDir dir;
    ScriptedUi ui;
    Printer printer(std::make_unique<QtPrinterBackend>(path));
    App app(dir.path(), ui, printer);
    ListLikeWindow w;

    ASSERT_TRUE(ScreenPrint::run(app, w.win, ScreenPrint::Capture::ActiveWindow, w.status));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![s\\w])"))), 1);
    // A4 landscape: the page is wider than tall.
    const auto m = QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)")).match(QString::fromLatin1(pdf));
    ASSERT_TRUE(m.hasMatch());
    EXPECT_GT(m.captured(1).toDouble(), m.captured(2).toDouble());
    EXPECT_EQ(printer.orientation(), Orientation::Landscape);
    EXPECT_FALSE(printer.documentOpen());
}
