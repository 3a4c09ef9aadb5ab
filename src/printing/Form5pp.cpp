#include "printing/Form5pp.h"

Form5pp::Form5pp(App& app, PrintSettings& settings, const QStringList& fieldNames, const QStringList& chosen,
                 const ReportListView& rows)
    : PrintSettingsConfirmation(app, "Form5pp", settings, fieldNames, chosen, rows)
{
    Form_Load();
}
