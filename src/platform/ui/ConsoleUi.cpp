#include "platform/ui/ConsoleUi.h"

#include <cstdio>

Ui::Answer ConsoleUi::msgBox(const QString& text, Buttons buttons, Icon, const QString& title)
{
    QString line = title + QStringLiteral(": ") + text;
    line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    std::fflush(stderr);
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel: return Answer::Cancel;
    case Buttons::YesNo: return Answer::No;
    }
    return Answer::Cancel;
}
