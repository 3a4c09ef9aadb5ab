#include "printing/Form6pp.h"

#include "core/PrintSettings.h"
#include "platform/text/TextUtil.h"

#include <QLabel>

Form6pp::Form6pp(App& app, PrintSettings& settings, const QStringList& fieldNames, const QStringList& chosen,
                 const ReportListView& rows)
    : PrintSettingsConfirmation(app, "Form6pp", settings, fieldNames, chosen, rows)
{
    Label19->setText(QStringLiteral("ヘッダー・タイトル１："));
    Label21 = new QLabel(QStringLiteral("ヘッダー・タイトル２："), this);
    Label21->setObjectName(QStringLiteral("Label21"));
    Label22 = new QLabel(this);
    Label22->setObjectName(QStringLiteral("Label22"));
    const QRect t1 = Label19->geometry();
    const QRect v1 = Label20->geometry();
    const int step = text::twipsToPixels(360);
    Label21->setGeometry(t1.translated(0, step));
    Label22->setGeometry(v1.translated(0, step));
    Form_Load();
}

void Form6pp::showTitles()
{
    Label20->setText(settings_.headerTitle1);
    Label22->setText(settings_.headerTitle2);
}
