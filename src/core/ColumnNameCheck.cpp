#include "core/ColumnNameCheck.h"

#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"

namespace schema {

namespace {

bool isAsciiPunctuation(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x21 && u <= 0x2F) || (u >= 0x3A && u <= 0x40) || (u >= 0x5B && u <= 0x60) ||
           (u >= 0x7B && u <= 0x7E);
}

bool isControl(QChar c)
{
    const ushort u = c.unicode();
    return u < 0x20 || u == 0x7F || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
}

QString quoted(const QString& what, const QString& name)
{
    return what + QStringLiteral("「") + name + QStringLiteral("」");
}

}  // namespace

std::optional<QString> checkColumnName(const QString& name, const QString& what, const QStringList& taken)
{
    if (text::isBlank(name)) return what + QStringLiteral("を入力してください");

    for (QChar c : name) {
        if (c.isSpace())
            return quoted(what, name) + QStringLiteral("に空白が含まれています。名称の中に空白（半角・全角）は使用できません。");
    }
    for (QChar c : name) {
        if (isControl(c)) return text::controlCharacterMessage(quoted(what, name));
    }
    for (QChar c : name) {
        if (isAsciiPunctuation(c))
            return quoted(what, name) + QStringLiteral("に記号「%1」が含まれています。").arg(c) +
                   QStringLiteral(", . - = ( ) / 等の半角記号は使用できません。");
    }
    if (name.at(0) >= QLatin1Char('0') && name.at(0) <= QLatin1Char('9'))
        return quoted(what, name) + QStringLiteral("は半角数字で始まっています。先頭に半角数字は使用できません。");

    const QString folded = text::foldText(name);
    // The engine's own names for a row's id: a column of that name would hide the id that
    // every walk of the table goes by.
    QStringList reserved = taken;
    reserved << QStringLiteral("rowid") << QStringLiteral("oid") << QStringLiteral("_rowid_");
    for (const QString& t : reserved) {
        if (folded == text::foldText(t))
            return quoted(what, name) + QStringLiteral("はシステムが使用する名前です。別の名前を入力してください。");
    }

    if (Database::isKeyword(name))
        return quoted(what, name) + QStringLiteral("はデータベースの予約語です。別の名前を入力してください。");

    return std::nullopt;
}

std::optional<QString> checkColumnNames(const QStringList& names, const QString& what, const QStringList& taken)
{
    for (const QString& n : names) {
        if (auto problem = checkColumnName(n, what, taken)) return problem;
    }
    for (int a = 0; a < names.size(); ++a) {
        for (int b = 0; b < a; ++b) {
            if (text::foldText(names[a]) == text::foldText(names[b]))
                return quoted(what, names[a]) + QStringLiteral("が重複しています。同じファイルの中で同じ名前は使用できません。");
        }
    }
    return std::nullopt;
}

}  // namespace schema
