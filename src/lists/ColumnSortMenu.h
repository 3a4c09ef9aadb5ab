#pragma once
#include <QObject>
#include <functional>

class QAction;
class QMenu;
class ReportListView;
class Ui;

// The keyboard's way to sort a record list: the list's context menu (the menu key, Shift+F10
// or the right button) offers the column of the current cell in ascending or descending
// order. The choice sorts at once, as a click on that column's heading does, in that order.
// The twins of the list windows and the inquiry window share it. The menu is made the first
// time it is offered.
class ColumnSortMenu : public QObject {
    Q_OBJECT
public:
    // sortBy: what a click on the heading of a column does in the list's window.
    ColumnSortMenu(Ui& ui, ReportListView& list, std::function<void(int column)> sortBy);

protected:
    // The menu key and Shift+F10 on the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // at: where the menu opens, in the list's viewport.
    void offer(const QPoint& at);

    Ui& ui_;
    ReportListView& list_;
    std::function<void(int)> sortBy_;
    QMenu* menu_ = nullptr;  // made when first offered
    QAction* ascending_ = nullptr;
    QAction* descending_ = nullptr;
};
