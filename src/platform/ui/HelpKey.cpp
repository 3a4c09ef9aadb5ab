#include "platform/ui/HelpKey.h"

#include "platform/ui/Ui.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Watches the key presses of the whole program and takes F1 when it is meant for a control
// of its window. Watching the program rather than the window itself lets F1 through to the
// help even when the focused control would have used the key.
class HelpKeyWatcher : public QObject {
public:
    HelpKeyWatcher(QWidget& window, Ui& ui) : QObject(&window), window_(window), ui_(ui) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1) return false;
        auto* target = static_cast<QWidget*>(watched);
        // isAncestorOf stops at window boundaries: a dialog opened over this window keeps
        // its own F1.
        if (target != &window_ && !window_.isAncestorOf(target)) return false;
        ui_.sendHelpKey(window_);
        return true;
    }

private:
    QWidget& window_;
    Ui& ui_;
};

}  // namespace

void installHelpKey(QWidget& window, Ui& ui)
{
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(new HelpKeyWatcher(window, ui));
}
