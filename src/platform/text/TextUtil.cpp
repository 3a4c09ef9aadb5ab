#include "platform/text/TextUtil.h"

#include <algorithm>

#include <QSysInfo>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iconv.h>
#include <limits>

namespace text {

namespace {

// ---------------------------------------------------------------------------
// Code page 932 byte counts
// ---------------------------------------------------------------------------

// One converter from the host's UTF-16 to CP932 per thread; iconv descriptors keep
// state and must not be shared between threads.
class Cp932Counter {
public:
    Cp932Counter()
    {
        const char* from = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
        cd_ = iconv_open("CP932", from);
    }
    ~Cp932Counter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Cp932Counter(const Cp932Counter&) = delete;
    Cp932Counter& operator=(const Cp932Counter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Bytes of the UTF-16 units [begin, end); a character the code page cannot encode
    // (or a lone surrogate) counts 1, as the "?" it would be replaced by.
    int count(const char16_t* begin, const char16_t* end)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = reinterpret_cast<char*>(const_cast<char16_t*>(begin));
        size_t inLeft = static_cast<size_t>(end - begin) * sizeof(char16_t);
        std::array<char, 512> buf;
        int bytes = 0;
        while (inLeft > 0) {
            char* out = buf.data();
            size_t outLeft = buf.size();
            const size_t rc = iconv(cd_, &in, &inLeft, &out, &outLeft);
            bytes += static_cast<int>(buf.size() - outLeft);
            if (rc != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip one character (a surrogate pair is one character).
            const char16_t* at = reinterpret_cast<const char16_t*>(in);
            size_t skip = 1;
            if (QChar::isHighSurrogate(at[0]) && inLeft >= 2 * sizeof(char16_t)
                && QChar::isLowSurrogate(at[1]))
                skip = 2;
            in += skip * sizeof(char16_t);
            inLeft -= skip * sizeof(char16_t);
            bytes += 1;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return bytes;
    }

private:
    iconv_t cd_;
};

// Used only when the C library has no CP932 converter: the usual widths of the code page.
int estimateCp932(const QString& s)
{
    int bytes = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < s.size() && s.at(i + 1).isLowSurrogate()) {
            ++i;  // outside the code page
            bytes += 1;
        } else if (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) || QChar::isSurrogate(c)) {
            bytes += 1;
        } else {
            bytes += 2;
        }
    }
    return bytes;
}

// ---------------------------------------------------------------------------
// Folding
// ---------------------------------------------------------------------------

// Full-width forms of the half-width katakana block U+FF61..U+FF9F.
constexpr char16_t kHalfKanaToFull[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2,                  // ｡｢｣､･ｦ
    0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7,  // ｧｨｩｪｫｬｭｮ
    0x30C3, 0x30FC,                                                  // ｯｰ
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA,                          // ｱｲｳｴｵ
    0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,                          // ｶｷｸｹｺ
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD,                          // ｻｼｽｾｿ
    0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8,                          // ﾀﾁﾂﾃﾄ
    0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE,                          // ﾅﾆﾇﾈﾉ
    0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB,                          // ﾊﾋﾌﾍﾎ
    0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2,                          // ﾏﾐﾑﾒﾓ
    0x30E4, 0x30E6, 0x30E8,                                          // ﾔﾕﾖ
    0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED,                          // ﾗﾘﾙﾚﾛ
    0x30EF, 0x30F3,                                                  // ﾜﾝ
    0x309B, 0x309C,                                                  // ﾞﾟ
};
static_assert(std::size(kHalfKanaToFull) == 0xFF9F - 0xFF61 + 1);

constexpr char16_t kHalfVoiced = 0xFF9E;
constexpr char16_t kHalfSemiVoiced = 0xFF9F;

// The voiced letter of a full-width katakana, or 0 when it has none.
char16_t voicedOf(char16_t k)
{
    if ((k >= 0x30AB && k <= 0x30C2 && (k - 0x30AB) % 2 == 0)   // カキクケコサシスセソタチ
        || k == 0x30C4 || k == 0x30C6 || k == 0x30C8)           // ツテト
        return static_cast<char16_t>(k + 1);
    if (k >= 0x30CF && k <= 0x30DB && (k - 0x30CF) % 3 == 0)    // ハヒフヘホ
        return static_cast<char16_t>(k + 1);
    switch (k) {
    case 0x30A6: return 0x30F4;  // ウ -> ヴ
    case 0x30EF: return 0x30F7;  // ワ -> ヷ
    case 0x30F2: return 0x30FA;  // ヲ -> ヺ
    default: return 0;
    }
}

// The semi-voiced letter of a full-width katakana, or 0 when it has none.
char16_t semiVoicedOf(char16_t k)
{
    if (k >= 0x30CF && k <= 0x30DB && (k - 0x30CF) % 3 == 0)    // ハヒフヘホ
        return static_cast<char16_t>(k + 2);
    return 0;
}

bool isBlankChar(QChar c)
{
    return c.unicode() == 0x0020 || c.unicode() == 0x3000;
}

// ---------------------------------------------------------------------------
// Number and date parsing helpers
// ---------------------------------------------------------------------------

// Full-width digits, signs, point, comma, slash and backslash to their ASCII forms.
QString narrowAscii(const QString& s)
{
    // Most texts have nothing to narrow; they are given back without a copy.
    const bool wide = std::any_of(s.cbegin(), s.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0xFF01 && u <= 0xFF5E) || u == 0x3000;
    });
    if (!wide)
        return s;
    QString out = s;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(static_cast<char16_t>(u - 0xFEE0));
        else if (u == 0x3000)
            c = QChar(u' ');
    }
    return out;
}

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool isYenSign(QChar c)
{
    // The full-width backslash has been narrowed to '\\' before this test runs.
    return c.unicode() == 0x00A5 || c.unicode() == 0xFFE5 || c.unicode() == u'\\';
}

bool isSign(QChar c)
{
    return c.unicode() == u'+' || c.unicode() == u'-' || c.unicode() == 0x2212;
}

// Reads 1..maxDigits digits from s at pos; false when there are none or too many.
bool readDigits(const QString& s, qsizetype& pos, int minDigits, int maxDigits, int& value)
{
    value = 0;
    int n = 0;
    while (pos < s.size() && isDigit(s.at(pos))) {
        if (++n > maxDigits)
            return false;
        value = value * 10 + (s.at(pos).unicode() - u'0');
        ++pos;
    }
    return n >= minDigits;
}

std::optional<QDate> makeDate(int y, int m, int d)
{
    if (y < 100 || y > 9999)
        return std::nullopt;
    if (!QDate::isValid(y, m, d))
        return std::nullopt;
    return QDate(y, m, d);
}

// ---------------------------------------------------------------------------
// Amount formatting helpers
// ---------------------------------------------------------------------------

constexpr qint64 kUnitsPerYen = 10000;

QString groupThousands(quint64 v)
{
    QString digits = QString::number(v);
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out.append(u',');
        out.append(digits.at(i));
    }
    return out;
}

QString formatYen(qint64 units, bool zeroShowsDigit)
{
    const qint64 yen = unitsToYen(units);
    if (yen == 0)
        return zeroShowsDigit ? QString(kYen) + u'0' : QString(kYen);
    const quint64 magnitude = yen < 0 ? 0 - static_cast<quint64>(yen) : static_cast<quint64>(yen);
    QString out;
    if (yen < 0)
        out.append(u'-');
    out.append(kYen);
    out.append(groupThousands(magnitude));
    return out;
}

}  // namespace

qint64 unitsToYen(qint64 units)
{
    qint64 q = units / kUnitsPerYen;
    const qint64 r = units % kUnitsPerYen;  // same sign as units
    const qint64 half = kUnitsPerYen / 2;
    if (r > half || (r == half && (q % 2) != 0))
        ++q;
    else if (r < -half || (r == -half && (q % 2) != 0))
        --q;
    return q;
}

// ---------------------------------------------------------------------------

int LenMbcs(const QString& s)
{
    const char16_t* data = reinterpret_cast<const char16_t*>(s.utf16());
    const qsizetype n = s.size();
    qsizetype asciiRun = 0;
    while (asciiRun < n && data[asciiRun] < 0x80)
        ++asciiRun;
    if (asciiRun == n)
        return static_cast<int>(n);

    thread_local Cp932Counter counter;
    if (!counter.valid())
        return estimateCp932(s);
    // The code page has no states, so a text's bytes are the sum of its characters' bytes;
    // each character of the basic plane is asked of the converter once.
    thread_local std::array<quint8, 0x10000> known{};
    int bytes = static_cast<int>(asciiRun);
    for (qsizetype i = asciiRun; i < n; ++i) {
        const char16_t c = data[i];
        if (QChar::isSurrogate(c)) {
            const qsizetype len = QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(data[i + 1]) ? 2 : 1;
            bytes += counter.count(data + i, data + i + len);
            i += len - 1;
            continue;
        }
        quint8& b = known[c];
        if (b == 0)
            b = static_cast<quint8>(counter.count(data + i, data + i + 1));
        bytes += b;
    }
    return bytes;
}

QString Trim(const QString& s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlankChar(s.at(begin)))
        ++begin;
    while (end > begin && isBlankChar(s.at(end - 1)))
        --end;
    if (begin == 0 && end == s.size())
        return s;
    return s.mid(begin, end - begin);
}

bool hasControlCharacter(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
    return false;
}

QString controlCharacterMessage(const QString& what)
{
    return what + QStringLiteral("に制御文字（タブ・改行など）が含まれています。制御文字は使用できません。");
}

bool isBlank(const QString& s)
{
    for (QChar c : s) {
        if (!isBlankChar(c))
            return false;
    }
    return true;
}

qsizetype foldUnits(const char16_t* in, qsizetype n, char16_t* out, bool* rest)
{
    qsizetype k = 0;
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = in[i];
        if (c >= 0xFF01 && c <= 0xFF5E) {
            c = static_cast<char16_t>(c - 0xFEE0);
        } else if (c == 0x3000) {
            c = u' ';
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            const bool isMark = c == kHalfVoiced || c == kHalfSemiVoiced;
            c = kHalfKanaToFull[c - 0xFF61];
            if (!isMark && i + 1 < n) {
                const char16_t next = in[i + 1];
                char16_t joined = 0;
                if (next == kHalfVoiced)
                    joined = voicedOf(c);
                else if (next == kHalfSemiVoiced)
                    joined = semiVoicedOf(c);
                if (joined != 0) {
                    c = joined;
                    ++i;
                }
            }
        } else if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) {
            c = static_cast<char16_t>(c + 0x60);  // hiragana to katakana
        }
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + 32);
        // Kana, the CJK marks and the ideographs (U+3000..U+9FFF) have no small forms.
        else if (c >= 0x80 && (c < 0x3000 || c > 0x9FFF) && (QChar::isSurrogate(c) || QChar::toLower(char32_t(c)) != c))
            *rest = true;
        out[k++] = c;
    }
    return k;
}

QString foldText(const QString& s)
{
    QString out(s.size(), Qt::Uninitialized);
    bool rest = false;
    out.truncate(foldUnits(reinterpret_cast<const char16_t*>(s.utf16()), s.size(), reinterpret_cast<char16_t*>(out.data()), &rest));
    return rest ? out.toLower() : out;
}

int compareText(const QString& a, const QString& b, int caseMode)
{
    const int r = caseMode == 1 ? QString::compare(a, b, Qt::CaseSensitive)
                                : QString::compare(foldText(a), foldText(b), Qt::CaseSensitive);
    return (r > 0) - (r < 0);
}

bool containsText(const QString& hay, const QString& needle, int caseMode)
{
    return containsPrepared(hay, caseMode == 1 ? needle : foldText(needle), caseMode);
}

bool containsPrepared(const QString& hay, const QString& prepared, int caseMode)
{
    if (prepared.isEmpty())
        return true;
    if (caseMode == 1)
        return hay.contains(prepared, Qt::CaseSensitive);
    return foldText(hay).contains(prepared, Qt::CaseSensitive);
}

namespace {

// A number as a user may type it, taken apart: its sign, the digits before the point and
// those after it.
struct NumberText {
    bool negative = false;
    bool point = false;
    QByteArray whole;
    QByteArray fraction;
};

std::optional<NumberText> scanNumber(const QString& input)
{
    const QString s = Trim(narrowAscii(input));
    if (s.isEmpty())
        return std::nullopt;

    NumberText n;
    qsizetype pos = 0;
    bool haveSign = false;
    auto takeSign = [&]() {
        if (!haveSign && pos < s.size() && isSign(s.at(pos))) {
            haveSign = true;
            n.negative = s.at(pos).unicode() != u'+';
            ++pos;
        }
    };
    takeSign();
    if (pos < s.size() && isYenSign(s.at(pos))) {
        ++pos;
        // The lists show an amount of zero as the yen sign alone, so that text reads as 0.
        if (pos == s.size() && !haveSign) {
            n.whole = "0";
            return n;
        }
        takeSign();
    }

    // Integer part: digits with grouping commas between them; then an optional
    // point and fraction digits. At least one digit somewhere.
    bool lastWasDigit = false;
    while (pos < s.size()) {
        const QChar c = s.at(pos);
        if (isDigit(c)) {
            n.whole.append(static_cast<char>(c.unicode()));
            lastWasDigit = true;
        } else if (c.unicode() == u',') {
            if (n.whole.isEmpty())
                return std::nullopt;  // a comma before any digit
            lastWasDigit = false;
        } else {
            break;
        }
        ++pos;
    }
    if (!n.whole.isEmpty() && !lastWasDigit)
        return std::nullopt;  // a trailing comma
    if (pos < s.size() && s.at(pos).unicode() == u'.') {
        n.point = true;
        ++pos;
        while (pos < s.size() && isDigit(s.at(pos))) {
            n.fraction.append(static_cast<char>(s.at(pos).unicode()));
            ++pos;
        }
    }
    if (pos != s.size() || (n.whole.isEmpty() && n.fraction.isEmpty()))
        return std::nullopt;
    return n;
}

}  // namespace

std::optional<double> parseNumber(const QString& input)
{
    const std::optional<NumberText> n = scanNumber(input);
    if (!n)
        return std::nullopt;
    QByteArray plain;
    plain.reserve(n->whole.size() + n->fraction.size() + 2);
    if (n->negative)
        plain.append('-');
    plain.append(n->whole);
    if (n->point)
        plain.append('.').append(n->fraction);
    double v = 0;
    const auto [end, error] = std::from_chars(plain.constData(), plain.constData() + plain.size(), v);
    if (error != std::errc() || end != plain.constData() + plain.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<ParsedAmount> parseAmount(const QString& input)
{
    const std::optional<NumberText> n = scanNumber(input);
    if (!n)
        return std::nullopt;
    ParsedAmount amount;
    qsizetype first = 0;
    while (first < n->whole.size() && n->whole.at(first) == '0')
        ++first;
    // 15 whole digits and 4 of the fraction fit in 64 bits without a sign.
    if (n->whole.size() - first > 15) {
        amount.fits = false;
        return amount;
    }
    quint64 units = 0;
    for (qsizetype i = first; i < n->whole.size(); ++i)
        units = units * 10 + static_cast<quint64>(n->whole.at(i) - '0');
    for (qsizetype i = 0; i < 4; ++i)
        units = units * 10 + (i < n->fraction.size() ? static_cast<quint64>(n->fraction.at(i) - '0') : 0);
    // The digits beyond the fourth round the last unit half to even.
    if (n->fraction.size() > 4) {
        const char next = n->fraction.at(4);
        bool beyondHalf = false;
        for (qsizetype i = 5; i < n->fraction.size() && !beyondHalf; ++i)
            beyondHalf = n->fraction.at(i) != '0';
        if (next > '5' || (next == '5' && (beyondHalf || units % 2 != 0)))
            ++units;
    }
    constexpr quint64 kLargest = static_cast<quint64>(std::numeric_limits<qint64>::max());
    if (units > kLargest + (n->negative ? 1 : 0)) {
        amount.fits = false;
        return amount;
    }
    amount.units = n->negative ? static_cast<qint64>(0 - units) : static_cast<qint64>(units);
    return amount;
}

bool IsNumeric(const QString& s)
{
    return parseNumber(s).has_value();
}

std::optional<QDate> parseDate(const QString& input)
{
    const QString s = Trim(narrowAscii(input));
    if (s.isEmpty())
        return std::nullopt;

    if (s.size() == 8) {
        bool allDigits = true;
        for (QChar c : s)
            allDigits = allDigits && isDigit(c);
        if (allDigits) {
            return makeDate(s.left(4).toInt(), s.mid(4, 2).toInt(), s.mid(6, 2).toInt());
        }
    }

    qsizetype pos = 0;
    int y = 0, m = 0, d = 0;
    if (!readDigits(s, pos, 3, 4, y) || pos >= s.size())
        return std::nullopt;
    const QChar sep = s.at(pos);
    if (sep != u'/' && sep != u'-' && sep != u'.')
        return std::nullopt;
    ++pos;
    if (!readDigits(s, pos, 1, 2, m) || pos >= s.size() || s.at(pos) != sep)
        return std::nullopt;
    ++pos;
    if (!readDigits(s, pos, 1, 2, d) || pos != s.size())
        return std::nullopt;
    return makeDate(y, m, d);
}

bool IsDate(const QString& s)
{
    return parseDate(s).has_value();
}

qint64 roundHalfEven(double v)
{
    if (std::isnan(v))
        return 0;
    // Beyond 2^53 every double is already whole; clamp what does not fit in 64 bits.
    constexpr double kMax = 9223372036854775807.0;  // rounds to 2^63
    if (v >= kMax)
        return std::numeric_limits<qint64>::max();
    if (v <= -kMax)
        return std::numeric_limits<qint64>::min();
    const double floorV = std::floor(v);
    const double diff = v - floorV;  // exact for every finite double
    qint64 r = static_cast<qint64>(floorV);
    if (diff > 0.5 || (diff == 0.5 && (r % 2) != 0))
        ++r;
    return r;
}

QString formatDate(const QDate& d)
{
    if (!d.isValid())
        return QString();
    // Built by hand: a list of many dates formats one for every row.
    int y = d.year(), m = d.month(), day = d.day();
    if (y < 0 || y > 9999) return d.toString(QStringLiteral("yyyy/MM/dd"));
    const QChar out[10] = {QChar(u'0' + y / 1000), QChar(u'0' + y / 100 % 10), QChar(u'0' + y / 10 % 10), QChar(u'0' + y % 10),
                           QChar(u'/'), QChar(u'0' + m / 10), QChar(u'0' + m % 10),
                           QChar(u'/'), QChar(u'0' + day / 10), QChar(u'0' + day % 10)};
    return QString(out, 10);
}

QString formatYenList(qint64 units)
{
    return formatYen(units, false);
}

QString formatYenWithZero(qint64 units)
{
    return formatYen(units, true);
}

QString currencyToText(qint64 units)
{
    const bool negative = units < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(units) : static_cast<quint64>(units);
    const quint64 whole = magnitude / kUnitsPerYen;
    quint64 frac = magnitude % kUnitsPerYen;
    QString out;
    if (negative)
        out.append(u'-');
    out.append(QString::number(whole));
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        out.append(u'.');
        out.append(f);
    }
    return out;
}

QString formatYenExact(qint64 units)
{
    if (units % kUnitsPerYen == 0)
        return formatYenList(units);
    const quint64 magnitude = units < 0 ? 0 - static_cast<quint64>(units) : static_cast<quint64>(units);
    QString fraction = QString::number(magnitude % kUnitsPerYen).rightJustified(4, u'0');
    while (fraction.endsWith(u'0'))
        fraction.chop(1);
    QString out;
    if (units < 0)
        out.append(u'-');
    out.append(kYen);
    out.append(groupThousands(magnitude / kUnitsPerYen));
    out.append(u'.');
    out.append(fraction);
    return out;
}

int twipsToPixels(int twips, double logicalDpi)
{
    if (!(logicalDpi > 0))
        logicalDpi = 96.0;
    return static_cast<int>(roundHalfEven(twips * logicalDpi / 1440.0));
}

int pixelsToTwips(int pixels, double logicalDpi)
{
    if (!(logicalDpi > 0))
        logicalDpi = 96.0;
    return static_cast<int>(roundHalfEven(pixels * 1440.0 / logicalDpi));
}

}  // namespace text
