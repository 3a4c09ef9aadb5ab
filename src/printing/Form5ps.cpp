#include "printing/Form5ps.h"

#include "core/App.h"
#include "platform/ui/Ui.h"
#include "printing/Form5pp.h"

#include <QListWidget>
#include <QPushButton>
#include <algorithm>

Form5ps::Form5ps(App& app, int category, const ReportListView& rows, const QString& listHeading, StatusBar3* status)
    : PrintSettingsDialog(app, category,
                          Design{"Form5ps", QStringLiteral("印刷設定"), QStringLiteral("印 刷 設 定"),
                                 QStringLiteral("　種目明細一覧表"), "List2", "Command7"},
                          namesOf(app.cache.row(std::clamp(category, 0, 5)).mainFields,
                                  app.cache.row(std::clamp(category, 0, 5)).mainFieldCount),
                          rows, listHeading, status)
{
    List2 = chosen_;
    Command7 = confirm_;
    connect(Command7, &QPushButton::clicked, this, &Form5ps::Command7_Click);
    Form_Load();
}

void Form5ps::run(App& app, int category, const ReportListView& rows, const QString& listHeading, StatusBar3* status)
{
    Form5ps window(app, category, rows, listHeading, status);
    app.ui().showModal(window);
}

void Form5ps::showConfirmation()
{
    Form5pp window(app_, work_, fieldNames_, chosenColumns(), rows_);
    app_.ui().showModal(window);
}
