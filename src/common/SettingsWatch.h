#pragma once
#include <functional>

class ConfigCache;
class QComboBox;

// Keeps an open settings window showing what is stored: while it lives, every store of
// settings and every reading again (a press refused because another desk stored settings
// first reads them again) calls the window's redraw. It stops listening when the window goes.
class SettingsWatch {
public:
    SettingsWatch(ConfigCache& cache, std::function<void()> redraw);
    ~SettingsWatch();
    SettingsWatch(const SettingsWatch&) = delete;
    SettingsWatch& operator=(const SettingsWatch&) = delete;

    // Fills a list again through refill and chooses again the entry that was chosen, when
    // the list still holds it; the list's signals stay quiet while it is filled.
    static void keepChoice(QComboBox& list, const std::function<void()>& refill);

private:
    ConfigCache& cache_;
    int listener_ = -1;
};
