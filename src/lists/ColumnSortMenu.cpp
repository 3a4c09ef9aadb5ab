#include "lists/ColumnSortMenu.h"

#include "platform/ui/Ui.h"
#include "platform/widgets/NamedControls.h"
#include "platform/widgets/ReportListView.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

ColumnSortMenu::ColumnSortMenu(Ui& ui, ReportListView& list, std::function<void(int column)> sortBy)
    : QObject(&list), ui_(ui), list_(list), sortBy_(std::move(sortBy))
{
    list.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&list, &QWidget::customContextMenuRequested, this, &ColumnSortMenu::offer);
    list.installEventFilter(this);
}

bool ColumnSortMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &list_ || event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
    const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
    if (!menuKey && !shiftF10) return false;
    // The menu opens at the current cell, or at the list's corner when there is none.
    const QRect cell = list_.visualRect(list_.currentIndex());
    offer(cell.isValid() ? cell.center() : QPoint(0, 0));
    return true;
}

void ColumnSortMenu::offer(const QPoint& at)
{
    if (list_.rowCount() == 0) return;
    // The menu is made the first time it is offered.
    if (!menu_) {
        menu_ = NamedControls::popupMenu(&list_, QStringLiteral("SortMenu"), QStringLiteral("並べ替え"));
        ascending_ = menu_->addAction(QStringLiteral("この列で昇順に並べ替え(&A)"));
        ascending_->setObjectName(QStringLiteral("SortAscending"));
        descending_ = menu_->addAction(QStringLiteral("この列で降順に並べ替え(&D)"));
        descending_->setObjectName(QStringLiteral("SortDescending"));
    }
    QAction* chosen = ui_.popupMenu(*menu_, list_.viewport()->mapToGlobal(at));
    if (chosen != ascending_ && chosen != descending_) return;
    const int column = std::max(0, list_.currentIndex().column());
    // A list sorted by another column is sorted once, by the new column in the new order.
    if (list_.isSorted() && list_.sortKey() != column) list_.setSorted(false);
    list_.setSortOrder(chosen == ascending_ ? Qt::AscendingOrder : Qt::DescendingOrder);
    sortBy_(column);
}
