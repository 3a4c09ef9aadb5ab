#pragma once
#include <QString>
#include <functional>
#include <optional>

// What a value of a main or sub field may be, by the field's type word: every rule a row is
// checked by before it is stored, the same for the record editor and for an import.
namespace fieldrule {

// A text field holds at most 50 bytes in Shift-JIS.
constexpr int kTextBytes = 50;

enum class Fault {
    None,
    ControlCharacter,  // a tab, a line end or another control character
    CodeLength,        // a code of another length than its table's codes
    CodeNotFound,      // a code its table does not hold
    CodeWithoutName,   // a code its table holds with an empty name
    TextTooLong,       // more than kTextBytes in Shift-JIS
    NotNumber,         // LONG or CURRENCY that is not a number
    NotDate,           // DATE that is not a date
};

// Looks a code up in a code table ("CODE1".."CODE8"): the code's name, or nothing when the
// table holds no such code. It may raise DbError.
using CodeLookup = std::function<std::optional<QString>(const QString& table, const QString& code)>;

// A value checked: its fault, or the text to store.
struct Checked {
    Fault fault = Fault::None;
    QString stored;  // a blank number as "0", another blank value as three spaces
};

// Checks a value typed or read for a field by every rule, the first fault found winning:
// control characters, a code's length (codeLength: that of the codes of the field's table),
// the code's registration in its table (looked up only when the rest passed), a text's
// bytes, then a number or a date that does not read. Blank numbers are zero and no fault, a
// blank code is no fault and is not looked up, a blank date is a fault.
Checked check(const QString& typeWord, const QString& value, int codeLength, const CodeLookup& lookup);

// Whether a code is as long as its table's codes, in characters as a person counts them (a
// pair of surrogates is one).
bool hasCodeLength(const QString& code, int codeLength);

// Whether the fault is one of a number or a date that does not read as its type.
bool isTypeFault(Fault fault);

// The reason a person reads for a fault of this value of the field of this name. A code's
// length and a type fault name neither the value; the windows that show it add it.
QString reason(Fault fault, const QString& fieldName, const QString& value);

}  // namespace fieldrule
