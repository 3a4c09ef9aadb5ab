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
        if (event->type() == QEvent::KeyPress) return menuKey(*widget, *static_cast<QKeyEvent*>(event));
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
