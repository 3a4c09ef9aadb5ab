#pragma once
#include "printing/PrintSettingsConfirmation.h"

// What the print settings of the main record report will produce (opened by Form5ps).
class Form5pp : public PrintSettingsConfirmation {
    Q_OBJECT
public:
    Form5pp(App& app, PrintSettings& settings, const QStringList& fieldNames, const QStringList& chosen,
            const ReportListView& rows);
};
