#pragma once
#include <QString>

// What a value of a main or sub field may be, by the field's type word: the rules the record
// editor checks before it stores a row, and an import checks for every cell.
namespace fieldrule {

// A text field holds at most 50 bytes in Shift-JIS.
constexpr int kTextBytes = 50;

enum class Fault {
    None,
    ControlCharacter,  // a tab, a line end or another control character
    CodeLength,        // a code of another length than its table's codes
    TextTooLong,       // more than kTextBytes in Shift-JIS
    NotNumber,         // LONG or CURRENCY that is not a number
    NotDate,           // DATE that is not a date
};

// The fault of a value typed or read for a field; a code's registration is looked up by the
// caller. codeLength is the length of the codes of the field's table (code fields only).
// Blank numbers are zero and are no fault; a blank date is one.
Fault faultOf(const QString& typeWord, const QString& value, int codeLength);
// The part of it told from the characters alone: control characters, a code's length and a
// text's bytes.
Fault textFault(const QString& typeWord, const QString& value, int codeLength);
// The part told by reading the value as its type: a number or a date that does not read.
Fault typeFault(const QString& typeWord, const QString& value);

// The text stored for a value without fault: a blank number as "0", another blank value as
// three spaces (a code column takes as many as fit).
QString storedText(const QString& typeWord, const QString& value);

// The reason a person reads for a fault, about the field of this name.
QString reason(Fault fault, const QString& fieldName);

}  // namespace fieldrule
