#include "printing/Form5ps.h"

#include "core/App.h"
#include "platform/ui/Ui.h"
#include "printing/Form5pp.h"

#include <QListWidget>
#include <QPushButton>

Form5ps::Form5ps(App& app, const ReportListView& rows, const QString& listHeading, StatusBar3* status)
    : PrintSettingsDialog(app,
                          Design{"Form5ps", QStringLiteral("印刷設定"), QStringLiteral("印 刷 設 定"),
                                 QStringLiteral("　種目明細一覧表"), "List2", "Command7"},
                          namesOf(app.cache.rows[categoryIndex(app)].mainFields,
                                  app.cache.rows[categoryIndex(app)].mainFieldCount),
                          rows, listHeading, status)
{
    List2 = chosen_;
    Command7 = confirm_;
    connect(Command7, &QPushButton::clicked, this, &Form5ps::Command7_Click);
    Form_Load();
}

void Form5ps::run(App& app, const ReportListView& rows, const QString& listHeading, StatusBar3* status)
{
    Form5ps window(app, rows, listHeading, status);
    app.ui().showModal(window);
}

void Form5ps::showConfirmation()
{
    Form5pp window(app_, work_, fieldNames_, chosenColumns(), rows_);
    app_.ui().showModal(window);
}
