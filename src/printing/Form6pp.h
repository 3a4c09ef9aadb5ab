#pragma once
#include "printing/PrintSettingsConfirmation.h"

// What the print settings of the main-and-sub report will produce (opened by Form6ps); it
// shows both header titles.
class Form6pp : public PrintSettingsConfirmation {
    Q_OBJECT
public:
    Form6pp(App& app, PrintSettings& settings, const QStringList& fieldNames, const QStringList& chosen,
            const ReportListView& rows);

    QLabel* Label21 = nullptr;
    QLabel* Label22 = nullptr;  // header title 2

protected:
    void showTitles() override;
};
