#include "core/FieldDefinition.h"

namespace typeword {

int codeTableNumber(const QString& typeWord)
{
    if (typeWord.size() < 5) return 0;
    const QChar c = typeWord.at(4);
    if (c >= QLatin1Char('1') && c <= QLatin1Char('8')) return c.digitValue();
    return 0;
}

bool isCode(const QString& typeWord) { return typeWord.startsWith(QLatin1String("CODE")); }
bool isText(const QString& typeWord) { return typeWord.startsWith(QLatin1String("TEXT")); }
bool isDirectText(const QString& typeWord)
{
    return isText(typeWord) && codeTableNumber(typeWord) != 0 && typeWord.mid(5, 1) == QLatin1String("D");
}

}  // namespace typeword
