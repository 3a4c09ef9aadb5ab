#include "reports/ReportWindow.h"

#include "core/App.h"
#include "common/ScreenPrint.h"
#include "csv/CsvExport.h"
#include "platform/ui/HelpKey.h"
#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

ReportWindow::ReportWindow(App& app, const QString& objectName, const QString& heading, bool withStatusBar)
    : app_(app), client_(new QWidget)
{
    setObjectName(objectName);
    installHelpKey(*this, app_.ui());
    NamedControls::setClient(*this, client_);

    Label1 = NamedControls::heading(client_, "Label1", heading, 300, 150, 6000, 450);

    ListView1 = new ReportListView(client_);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setHeadersVisible(true);
    ListView1->setGridLines(true);

    if (withStatusBar) {
        StatusBar1 = NamedControls::statusBar(*this);
    }

    QMenuBar* bar = menuBar();
    mf1 = bar->addMenu(QStringLiteral("ファイル    "));
    mf1->setObjectName(QStringLiteral("mf1"));
    mf11 = mf1->addAction(QStringLiteral("画面印刷(ActiveWindow)"));
    mf11->setObjectName(QStringLiteral("mf11"));
    PrintJob::addMenuItems(*mf1, QStringLiteral("mf11"), [this](PrintJob::Destination where) {
        ScreenPrint::run(app_, *this, ScreenPrint::Capture::ActiveWindow, StatusBar1, where);
    });
    CsvExport::addTo(*mf1, nullptr, app_, *this, *ListView1, StatusBar1);
    mf1->addSeparator();
    mf12 = mf1->addAction(QStringLiteral("閉じる"));
    mf12->setObjectName(QStringLiteral("mf12"));
    mh1 = bar->addAction(QStringLiteral("ヘルプ　　"));
    mh1->setObjectName(QStringLiteral("mh1"));

    // Esc and Ctrl+W close a report, as 閉じる does, without a mark in the menu.
    QAction* closeKeys = new QAction(this);
    closeKeys->setObjectName(QStringLiteral("closeKeys"));
    closeKeys->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(closeKeys, &QAction::triggered, this, &ReportWindow::mf12_Click);
    addAction(closeKeys);

    connect(mf11, &QAction::triggered, this, &ReportWindow::mf11_Click);
    connect(mf12, &QAction::triggered, this, &ReportWindow::mf12_Click);
    connect(mh1, &QAction::triggered, this, &ReportWindow::mh1_Click);
}

void ReportWindow::setCaption() { setWindowTitle(app_.cache.caption(QStringLiteral("照会"))); }

void ReportWindow::showWindow(App& app, QWidget& window) { app.ui().showModal(window); }

void ReportWindow::mf11_Click()
{
    // The window with its frame, on one page; panel 3 carries the printing text meanwhile.
    ScreenPrint::run(app_, *this, ScreenPrint::Capture::ActiveWindow, StatusBar1);
}

void ReportWindow::mf12_Click() { close(); }

void ReportWindow::mh1_Click() { app_.ui().sendHelpKey(*this); }

QString ReportWindow::countText(qint64 n)
{
    if (n == 0) return QString();
    const QString digits = QString::number(n < 0 ? -n : n);
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += QLatin1Char(',');
        out += digits.at(i);
    }
    return n < 0 ? QLatin1Char('-') + out : out;
}

int ReportWindow::headerWidth(const QString& text) const
{
    // Measured as the headers are laid out: the window's font at 10 points.
    QFont f = font();
    f.setPointSizeF(10);
    return pixelsToTwipsX(*this, QFontMetrics(f, this).horizontalAdvance(text));
}

void ReportWindow::setClientSizeTwips(int width, int height)
{
    int bars = menuBar()->sizeHint().height();
    if (StatusBar1) bars += StatusBar1->sizeHint().height();
    resize(twipsToPixelsX(*this, width), twipsToPixelsY(*this, height) + bars);
}

ReportProgress ReportWindow::progress()
{
    if (!StatusBar1) return ReportProgress({}, false);
    return ReportProgress(
        [bar = StatusBar1](const QString& s) {
            bar->setPanelText(3, s);
            bar->panel(3)->repaint();
        },
        app_.cache.readProgressOn());
}

void ReportWindow::closeEmpty(const QString& message)
{
    // Only the report closes: the person goes on from the window that opened it.
    app_.ui().msgBox(message, Ui::Buttons::Ok, Ui::Icon::Critical, QStringLiteral("Error"));
    closeEarly();
}

void ReportWindow::startTimer1(std::function<void()> tick)
{
    // The tick is dropped when the window has gone before it.
    app_.ui().defer(100, [w = QPointer<ReportWindow>(this), tick = std::move(tick)] {
        if (w) tick();
    });
}

bool ReportWindow::stopTimer1()
{
    if (timer1Stopped_) return false;
    timer1Stopped_ = true;
    return true;
}

void ReportWindow::closeEarly()
{
    closedEarly_ = true;
    close();
}
