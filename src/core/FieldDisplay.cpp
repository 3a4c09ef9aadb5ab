#include "core/FieldDisplay.h"

#include "core/CodeStore.h"

#include "core/App.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"

#include <algorithm>

FieldDisplay::Kind FieldDisplay::kindOf(const QString& typeWord)
{
    if (typeword::isCode(typeWord)) return Kind::Code;
    if (typeWord == QLatin1String("LONG")) return Kind::Long;
    if (typeWord == QLatin1String("CURRENCY")) return Kind::Currency;
    if (typeWord == QLatin1String("DATE")) return Kind::Date;
    return Kind::Text;
}

QString FieldDisplay::typeSuffix(const QString& typeWord)
{
    switch (kindOf(typeWord)) {
    case Kind::Long: return QStringLiteral("(数値)");
    case Kind::Currency: return QStringLiteral("(金額)");
    case Kind::Date: return QStringLiteral("(日付)");
    case Kind::Code: return typeWord;
    case Kind::Text: break;
    }
    // A code-linked text carries its table and link after "TEXT" (TEXT3D gives 3D).
    const QString link = typeword::isText(typeWord) ? typeWord.mid(4, 2) : QString();
    return QStringLiteral("(文字)") + text::Trim(link);
}

int FieldDisplay::detailWidth(const QString& typeWord)
{
    switch (kindOf(typeWord)) {
    case Kind::Long:
    case Kind::Currency: return 2500;
    case Kind::Date: return 1700;
    case Kind::Code: return 1000;
    case Kind::Text: break;
    }
    return 5295;
}

QString FieldDisplay::listText(const Value& v, const QString& typeWord, const QString& nullText)
{
    return listText(v, kindOf(typeWord), nullText);
}

QString FieldDisplay::listText(const Value& v, Kind kind, const QString& nullText)
{
    if (v.isNull()) return nullText;
    if (kind == Kind::Currency && (v.kind() == Value::Kind::Currency || v.kind() == Value::Kind::Integer))
        return text::formatYenList(v.currencyUnits());
    return v.toString();
}

QString FieldDisplay::codeName(App& app, const QString& typeWord, const QString& code)
{
    const int k = typeword::codeTableNumber(typeWord);
    if (k == 0) return QString();
    return CodeStore(app.cache).nameOf(app.cache.codeTableName(k - 1), code).value_or(QString());
}

std::vector<FieldDefinition> FieldDisplay::inUse(const std::array<FieldDefinition, 8>& fields, int count)
{
    const int n = std::clamp(count, 0, 8);
    return std::vector<FieldDefinition>(fields.begin(), fields.begin() + n);
}

qint64 FieldDisplay::wholeNumber(const QString& shown)
{
    const auto n = text::parseNumber(shown);
    return n ? text::roundHalfEven(*n) : 0;
}
