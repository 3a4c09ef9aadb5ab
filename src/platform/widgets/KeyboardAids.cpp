#include "platform/widgets/KeyboardAids.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

namespace {

const char* const kWatcherName = "keyboardAids";
// Set on a window once one of its controls had the focus.
const char* const kFocusSeen = "keyboardAidsFocusSeen";

class KeyboardAidsWatcher : public QObject {
public:
    explicit KeyboardAidsWatcher(QObject* parent) : QObject(parent) { setObjectName(QLatin1String(kWatcherName)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::KeyPress) {
            const auto& key = *static_cast<QKeyEvent*>(event);
            // Left and Right in a menu may leave the bar on an item that opens no menu.
            if (qobject_cast<QMenu*>(widget)) barReachedByKeys_ = key.key() == Qt::Key_Left || key.key() == Qt::Key_Right;
            return barItemKey(*widget, key) || menuKey(*widget, key);
        }
        if (event->type() == QEvent::MouseMove && qobject_cast<QMenuBar*>(widget)) barReachedByKeys_ = false;
        if (event->type() == QEvent::FocusIn) firstFocus(*widget, *static_cast<QFocusEvent*>(event));
        // A window closed and shown again opens anew.
        if (event->type() == QEvent::Hide && widget->isWindow() && !event->spontaneous())
            widget->setProperty(kFocusSeen, QVariant());
        return false;
    }

private:
    static bool menuKey(QWidget& widget, const QKeyEvent& key)
    {
        if (key.key() != Qt::Key_F10 || key.modifiers() != Qt::NoModifier) return false;
        auto* window = qobject_cast<QMainWindow*>(widget.window());
        QMenuBar* bar = window ? qobject_cast<QMenuBar*>(window->menuWidget()) : nullptr;
        if (!bar || !bar->isVisible()) return false;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator() || !a->isVisible() || !a->isEnabled()) continue;
            bar->setActiveAction(a);
            return true;
        }
        return false;
    }

    // The bar's item that opens no menu (such as 検索条件 or ヘルプ), reached from a menu with
    // Left or Right: Qt leaves it lit with the keys going on to the window's control. Return,
    // Enter or Space carries it out as a click does, Esc puts the bar away, Left and Right go on
    // along the bar.
    bool barItemKey(QWidget& widget, const QKeyEvent& key)
    {
        if (!barReachedByKeys_ || QApplication::activePopupWidget()) return false;
        auto* window = qobject_cast<QMainWindow*>(widget.window());
        QMenuBar* bar = window ? qobject_cast<QMenuBar*>(window->menuWidget()) : nullptr;
        QAction* item = bar ? bar->activeAction() : nullptr;
        if (!item || item->menu()) return false;
        switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            barReachedByKeys_ = false;
            bar->setActiveAction(nullptr);
            // After the key is done with, as a click's action runs after the click.
            QTimer::singleShot(0, item, [item = QPointer<QAction>(item)] {
                if (item && item->isEnabled()) item->trigger();
            });
            return true;
        case Qt::Key_Escape:
            barReachedByKeys_ = false;
            bar->setActiveAction(nullptr);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right: {
            const QList<QAction*> items = bar->actions();
            const int step = key.key() == Qt::Key_Right ? 1 : -1;
            int i = int(items.indexOf(item));
            for (int n = 0; n < items.size(); ++n) {
                i = (i + step + int(items.size())) % int(items.size());
                QAction* next = items[i];
                if (next->isSeparator() || !next->isVisible() || !next->isEnabled()) continue;
                bar->setActiveAction(next);  // a menu opens, as with F10
                return true;
            }
            return true;
        }
        default:
            barReachedByKeys_ = false;
            bar->setActiveAction(nullptr);
            return false;
        }
    }

    // Set while the bar's lit item was reached with the keys (not under the mouse).
    bool barReachedByKeys_ = false;

    static void firstFocus(QWidget& widget, const QFocusEvent& focus)
    {
        QWidget* window = widget.window();
        // The window itself takes the focus for a moment while it opens.
        if (!window || window == &widget || window->property(kFocusSeen).toBool()) return;
        // A pop-up menu or the drop-down list of a box is not the window opening.
        if (focus.reason() == Qt::PopupFocusReason || qobject_cast<QMenu*>(window)) return;
        window->setProperty(kFocusSeen, true);
        if (focus.reason() != Qt::ActiveWindowFocusReason) return;
        auto* box = qobject_cast<QLineEdit*>(&widget);
        if (!box || box->isReadOnly() || box->text().isEmpty()) return;
        // After the box has taken the focus its own way.
        QTimer::singleShot(0, box, [box = QPointer<QLineEdit>(box)] {
            if (box && box->hasFocus()) box->selectAll();
        });
    }
};

}  // namespace

void installKeyboardAids(QApplication& application)
{
    if (application.findChild<QObject*>(QLatin1String(kWatcherName), Qt::FindDirectChildrenOnly)) return;
    application.installEventFilter(new KeyboardAidsWatcher(&application));
}
