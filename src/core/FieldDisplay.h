#pragma once
#include "core/FieldDefinition.h"

#include <QString>
#include <array>
#include <vector>

class App;
class Value;

// How the record screens show a field: its kind, the caption suffix and box width of its
// detail row, its text in a list, and the code name of a code value.
class FieldDisplay {
public:
    enum class Kind { Text, Long, Currency, Date, Code };

    // A code field is known by its first four characters; LONG, CURRENCY and DATE by the
    // whole word; everything else is free text.
    static Kind kindOf(const QString& typeWord);
    static bool isFixedWidth(Kind k) { return k != Kind::Text; }

    // "(数値)", "(金額)", "(日付)", the code word itself ("CODE3"), "(文字)" and for a
    // code-linked text "(文字)" followed by its link ("(文字)3D").
    static QString typeSuffix(const QString& typeWord);
    // Width of the value box of a detail row, in twips.
    static int detailWidth(const QString& typeWord);
    // The list text of a value: amounts as "\\###,###,###" (zero shows the yen sign alone),
    // dates as yyyy/MM/dd, the rest as stored. Null gives nullText.
    static QString listText(const Value& v, const QString& typeWord, const QString& nullText = QString());
    // The same for a kind already known (a reading decides the kinds once per column).
    static QString listText(const Value& v, Kind kind, const QString& nullText = QString());

    // The code name of a code in the code table of a code field, read by a scan of that
    // table; empty when no row has the code. Raises DbError when the table cannot be read.
    static QString codeName(App& app, const QString& typeWord, const QString& code);

    // A registration or sub number shown as text, as a whole number (halves to even); 0
    // when the text holds no number.
    static qint64 wholeNumber(const QString& shown);

    // The fields of a file that are in use (the first count of the eight).
    static std::vector<FieldDefinition> inUse(const std::array<FieldDefinition, 8>& fields, int count);
};
