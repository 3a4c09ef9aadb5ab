#include "common/SettingsWatch.h"

#include "core/ConfigCache.h"

#include <QComboBox>
#include <QSignalBlocker>

SettingsWatch::SettingsWatch(ConfigCache& cache, std::function<void()> redraw) : cache_(cache)
{
    listener_ = cache_.onChanged(std::move(redraw));
}

SettingsWatch::~SettingsWatch() { cache_.removeListener(listener_); }

void SettingsWatch::keepChoice(QComboBox& list, const std::function<void()>& refill)
{
    const QString chosen = list.currentIndex() < 0 ? QString() : list.currentText();
    const QSignalBlocker quiet(&list);
    refill();
    if (chosen.isEmpty()) return;
    const int again = list.findText(chosen);
    if (again >= 0) list.setCurrentIndex(again);
}
