#include "core/FieldRule.h"

#include "core/FieldDefinition.h"
#include "platform/text/TextUtil.h"

namespace fieldrule {

namespace {

bool isNumberType(const QString& typeWord)
{
    return typeWord == QLatin1String("LONG") || typeWord == QLatin1String("CURRENCY");
}

QString storedText(const QString& typeWord, const QString& value)
{
    if (!text::isBlank(value)) return value;
    return isNumberType(typeWord) ? QStringLiteral("0") : QStringLiteral("   ");
}

Fault faultOf(const QString& typeWord, const QString& value, int codeLength, const CodeLookup& lookup)
{
    if (text::hasControlCharacter(value)) return Fault::ControlCharacter;
    // A box holding only blanks counts as empty, as everywhere a value is tested.
    const bool blank = text::isBlank(value);
    if (typeword::isCode(typeWord) && !blank) {
        if (!hasCodeLength(value, codeLength)) return Fault::CodeLength;
        const std::optional<QString> name = lookup(typeWord, value);
        if (!name) return Fault::CodeNotFound;
        if (name->isEmpty()) return Fault::CodeWithoutName;
    }
    if (typeword::isText(typeWord) && text::LenMbcs(value) > kTextBytes) return Fault::TextTooLong;
    if (isNumberType(typeWord) && !blank && !text::IsNumeric(value)) return Fault::NotNumber;
    if (typeWord == QLatin1String("DATE") && !text::IsDate(value)) return Fault::NotDate;
    return Fault::None;
}

}  // namespace

bool hasCodeLength(const QString& code, int codeLength) { return code.toUcs4().size() == codeLength; }

Checked check(const QString& typeWord, const QString& value, int codeLength, const CodeLookup& lookup)
{
    Checked checked;
    checked.fault = faultOf(typeWord, value, codeLength, lookup);
    if (checked.fault == Fault::None) checked.stored = storedText(typeWord, value);
    return checked;
}

bool isTypeFault(Fault fault) { return fault == Fault::NotNumber || fault == Fault::NotDate; }

QString reason(Fault fault, const QString& fieldName, const QString& value)
{
    switch (fault) {
    case Fault::None: return QString();
    case Fault::ControlCharacter: return text::controlCharacterMessage(fieldName);
    case Fault::CodeLength: return QStringLiteral("コードの桁数が相違しています。");
    case Fault::CodeNotFound:
    case Fault::CodeWithoutName: return value + QStringLiteral("  コードが相違しています。");
    case Fault::TextTooLong: return QStringLiteral("入力したテキストの桁数が長がすぎます。");
    case Fault::NotNumber:
    case Fault::NotDate: return fieldName + QStringLiteral("が相違しています。");
    }
    return QString();
}

}  // namespace fieldrule
