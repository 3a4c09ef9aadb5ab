#include "printing/Form6pp.h"

#include "core/PrintSettings.h"
#include "platform/widgets/NamedControls.h"

#include <QLabel>

Form6pp::Form6pp(App& app, PrintSettings& settings, const QStringList& fieldNames, const QStringList& chosen,
                 const ReportListView& rows)
    : PrintSettingsConfirmation(app, "Form6pp", settings, fieldNames, chosen, rows)
{
    // The second title on the line under the first.
    Label19->setText(QStringLiteral("ヘッダー・タイトル１："));
    Label21 = NamedControls::label(this, "Label21", QStringLiteral("ヘッダー・タイトル２："), 240, 6060, 2200);
    Label22 = NamedControls::label(this, "Label22", QString(), 2520, 6060, 5700);
    Form_Load();
}

void Form6pp::showTitles()
{
    Label20->setText(settings_.headerTitle1);
    Label22->setText(settings_.headerTitle2);
}
