#pragma once
// Text and value helpers shared by every screen: byte lengths in code page 932,
// blank tests, the two comparison modes, number and date parsing, rounding, the
// display formats of amounts and dates, and the twips-to-pixels conversion.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "platform/text/TextFinder.h"

namespace text {

// Bytes the text takes in code page 932 (Shift-JIS): a full-width character counts 2,
// a half-width one 1, a character the code page cannot encode 1 (it would become "?").
int LenMbcs(const QString& s);

// Removes half-width (U+0020) and full-width (U+3000) spaces at both ends, nothing else.
QString Trim(const QString& s);
// True when Trim(s) is empty: Null-as-four-spaces, one space and a full-width space are blank.
bool isBlank(const QString& s);

// Control characters (below U+0020, and U+007F: tab, line feed, escape ...) cannot be typed
// into a name or a record text; a pasted one is refused.
bool hasControlCharacter(const QString& s);
// The refusal: "<what>に制御文字（タブ・改行など）が含まれています。…".
QString controlCharacterMessage(const QString& what);

// Textual folding (case mode 0): full-width ASCII to half width, half-width katakana to
// full width (voiced and semi-voiced marks joined), hiragana to katakana, then lower case.
QString foldText(const QString& s);
// caseMode 0 = textual (folded), 1 = ordinal (code units). Result <0, 0, >0.
int compareText(const QString& a, const QString& b, int caseMode);
// True when needle occurs anywhere in hay under the given case mode. An empty needle matches.
bool containsText(const QString& hay, const QString& needle, int caseMode);
// The same with the needle already prepared for the mode (folded for mode 0), so a search
// over many values folds its text once.
bool containsPrepared(const QString& hay, const QString& prepared, int caseMode);
// Folds n code units of text into out (which may be the same memory: the fold never
// lengthens a text) as foldText does, and gives the folded length. Lower case is made here
// for ASCII; *rest is set when a letter beyond ASCII (or a surrogate pair) may still have a
// small form, which QString::toLower then gives.
qsizetype foldUnits(const char16_t* in, qsizetype n, char16_t* out, bool* rest);

// Numbers as a user may type them: surrounding blanks, full-width digits and signs,
// grouping commas, a leading yen sign (U+00A5, U+FFE5 or backslash), a sign and a
// decimal point. Nullopt when the text is not a number.
std::optional<double> parseNumber(const QString& s);
bool IsNumeric(const QString& s);
// The same text read as an amount in 1/10 000 yen, from its digits, so no amount changes on
// the way: digits past the fourth of the fraction round the last unit half to even. `fits`
// is false outside -922337203685477.5808 … 922337203685477.5807 (units is then 0).
struct ParsedAmount {
    qint64 units = 0;
    bool fits = true;
};
std::optional<ParsedAmount> parseAmount(const QString& s);

// Calendar dates as typed: yyyy/MM/dd, yyyy-MM-dd, yyyy/M/d, yyyy.MM.dd, full-width digits
// accepted; also eight digits yyyyMMdd. Nullopt for anything else or an invalid day.
std::optional<QDate> parseDate(const QString& s);
bool IsDate(const QString& s);

// Rounds half to even (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -0.5 -> 0).
qint64 roundHalfEven(double v);

// Whole yen of an amount in 1/10 000 yen, rounded half to even.
qint64 unitsToYen(qint64 units);

// Dates show as yyyy/MM/dd.
QString formatDate(const QDate& d);

// Amounts are held as 64-bit integers of 1/10 000 yen.
// "\\###,###,###": yen sign, digits grouped in threes, no decimals, zero shows the sign alone.
QString formatYenList(qint64 units);
// "\\###,###,###,##0": as above but zero shows "¥0".
QString formatYenWithZero(qint64 units);
// Plain text of an amount as the engine gives it back: "1234", "1234.5", "-12".
QString currencyToText(qint64 units);
// An amount to the last unit: a whole amount as formatYenList() shows it, another with its
// fraction of a yen (up to four digits, no trailing zeros): "¥1,234.5", "-¥0.25".
QString formatYenExact(qint64 units);

// The yen sign the formats show (U+00A5).
inline constexpr QChar kYen = QChar(0x00A5);

// Screen geometry is given in twips (1/1440 inch): pixels = twips * dpi / 1440, rounded.
int twipsToPixels(int twips, double logicalDpi = 96.0);
int pixelsToTwips(int pixels, double logicalDpi = 96.0);

}  // namespace text
