#include "platform/ui/ProgramFont.h"

QFont programFont()
{
    QFont f(QStringLiteral("IPAGothic"));
    f.setPointSize(10);
    return f;
}
