#include "core/FieldRule.h"

#include "core/FieldDefinition.h"
#include "platform/text/TextUtil.h"

namespace fieldrule {

namespace {
bool isNumberType(const QString& typeWord)
{
    return typeWord == QLatin1String("LONG") || typeWord == QLatin1String("CURRENCY");
}
}  // namespace

Fault textFault(const QString& typeWord, const QString& value, int codeLength)
{
    if (text::hasControlCharacter(value)) return Fault::ControlCharacter;
    // A box holding only blanks counts as empty, as everywhere a value is tested.
    if (typeword::isCode(typeWord) && value.size() != codeLength && !text::isBlank(value)) return Fault::CodeLength;
    if (typeword::isText(typeWord) && text::LenMbcs(value) > kTextBytes) return Fault::TextTooLong;
    return Fault::None;
}

Fault typeFault(const QString& typeWord, const QString& value)
{
    if (isNumberType(typeWord) && !text::isBlank(value) && !text::IsNumeric(value)) return Fault::NotNumber;
    if (typeWord == QLatin1String("DATE") && !text::IsDate(value)) return Fault::NotDate;
    return Fault::None;
}

Fault faultOf(const QString& typeWord, const QString& value, int codeLength)
{
    const Fault fault = textFault(typeWord, value, codeLength);
    return fault != Fault::None ? fault : typeFault(typeWord, value);
}

QString storedText(const QString& typeWord, const QString& value)
{
    if (!text::isBlank(value)) return value;
    return isNumberType(typeWord) ? QStringLiteral("0") : QStringLiteral("   ");
}

QString reason(Fault fault, const QString& fieldName)
{
    switch (fault) {
    case Fault::None: return QString();
    case Fault::ControlCharacter: return text::controlCharacterMessage(fieldName);
    case Fault::CodeLength: return QStringLiteral("コードの桁数が相違しています。");
    case Fault::TextTooLong: return QStringLiteral("入力したテキストの桁数が長がすぎます。");
    case Fault::NotNumber:
    case Fault::NotDate: return fieldName + QStringLiteral("が相違しています。");
    }
    return QString();
}

}  // namespace fieldrule
