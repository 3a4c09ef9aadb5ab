#pragma once
#include "core/ReportProgress.h"

#include <QMainWindow>
#include <QString>
#include <functional>

class App;
class QAction;
class QLabel;
class QMenu;
class ReportListView;
class StatusBar3;

// What the three management reports share: the caption "照会", the heading, the one report
// list, the menu (ファイル with 画面印刷(ActiveWindow) and 閉じる, then ヘルプ), the optional
// status bar with the reading progress, header widths measured at 10 points, the count
// format, and the window that closes again when it has nothing to show.
class ReportWindow : public QMainWindow {
    Q_OBJECT
public:
    // Shows a report modally, unless it closed while it was being made.
    template <class W>
    static void run(App& app)
    {
        W window(app);
        if (!window.closedEarly()) showWindow(app, window);
    }

    // The report closed itself: it had nothing to show, or its files could not be read;
    // the person was told either way.
    bool closedEarly() const { return closedEarly_; }

private slots:
    void mf11_Click();  // 画面印刷(ActiveWindow)
    void mf12_Click();  // 閉じる
    void mh1_Click();   // ヘルプ

public:
    // A count as the reports show it ("#,###,###"): digits grouped in threes, zero empty.
    static QString countText(qint64 n);

protected:
    QLabel* Label1 = nullptr;
    ReportListView* ListView1 = nullptr;
    StatusBar3* StatusBar1 = nullptr;  // null in a report without a status bar
    QMenu* mf1 = nullptr;
    QAction* mf11 = nullptr;
    QAction* mf12 = nullptr;
    QAction* mh1 = nullptr;

    ReportWindow(App& app, const QString& objectName, const QString& heading, bool withStatusBar);

    // The caption of every report: title + " Tanzo - 照会".
    void setCaption();
    // Width in twips of a header text in the window's font at 10 points.
    int headerWidth(const QString& text) const;
    // Makes the client area this size (twips), the menu and status bars coming on top.
    void setClientSizeTwips(int width, int height);
    // The reading progress, shown in panel 3 of the status bar (nothing without one).
    ReportProgress progress();
    // Tells the person there is nothing to show (title "Error", critical icon) and closes the
    // report alone; the program goes on.
    void closeEmpty(const QString& message);
    // Closes the report before it is used.
    void closeEarly();
    // Starts Timer1: one tick 100 ms after the load, so the window is on the screen while
    // the report reads its files.
    void startTimer1(std::function<void()> tick);
    // The tick stops the timer: true the first time, false for any later tick.
    bool stopTimer1();

    App& app_;
    QWidget* client_ = nullptr;

private:
    static void showWindow(App& app, QWidget& window);

    bool closedEarly_ = false;
    bool timer1Stopped_ = false;
};
