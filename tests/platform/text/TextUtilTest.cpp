#include "platform/text/TextUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <thread>

using namespace text;

namespace {

QString u8(const char* s)
{
    return QString::fromUtf8(s);
}

QString repeat(const char* s, int n)
{
    return u8(s).repeated(n);
}

}  // namespace

// ---------------------------------------------------------------------------
// Byte lengths in code page 932

TEST(TextLenMbcs, CountsHalfAndFullWidth)
{
    EXPECT_EQ(LenMbcs(QString()), 0);
    EXPECT_EQ(LenMbcs(u8("abc 123")), 7);
    EXPECT_EQ(LenMbcs(u8("あいう")), 6);
    EXPECT_EQ(LenMbcs(u8("ＡＢＣ")), 6);
    EXPECT_EQ(LenMbcs(u8("　")), 2);
    EXPECT_EQ(LenMbcs(u8("ｱｲｳ")), 3);          // half-width katakana: one byte each
    EXPECT_EQ(LenMbcs(u8("ｶﾞ")), 2);           // base and mark are two half-width bytes
    EXPECT_EQ(LenMbcs(u8("abcあ")), 5);        // ASCII run before a full-width letter
    EXPECT_EQ(LenMbcs(u8("Aあｱ漢")), 6);
    EXPECT_EQ(LenMbcs(u8("①")), 2);            // in the code page's vendor extension
}

TEST(TextLenMbcs, UnencodableCharactersCountOne)
{
    EXPECT_EQ(LenMbcs(u8("😀")), 1);          // a surrogate pair is one "?"
    EXPECT_EQ(LenMbcs(u8("a😀b")), 3);
    EXPECT_EQ(LenMbcs(u8("あ😀い")), 5);
    EXPECT_EQ(LenMbcs(u8("한")), 1);           // Hangul is outside the code page
    EXPECT_EQ(LenMbcs(QString(QChar(0xD800)) + u8("あ")), 3);  // lone surrogate
    // Many unencodable characters among encodable ones, past any internal buffer size.
    EXPECT_EQ(LenMbcs(repeat("あ😀", 400)), 400 * 3);
    EXPECT_EQ(LenMbcs(repeat("漢", 3000)), 6000);
}

TEST(TextLenMbcs, FiftyByteBoundaryWithMixedWidths)
{
    const QString full24 = repeat("あ", 24);
    EXPECT_EQ(LenMbcs(full24 + u8("ｱA")), 50);
    EXPECT_EQ(LenMbcs(full24 + u8("ｱAB")), 51);
    EXPECT_EQ(LenMbcs(repeat("Ａ", 25)), 50);
    EXPECT_EQ(LenMbcs(repeat("Ａ", 25) + u8("ｰ")), 51);
    EXPECT_EQ(LenMbcs(full24 + u8("😀😀")), 50);
    EXPECT_EQ(LenMbcs(full24 + u8("😀😀😀")), 51);
}

TEST(TextLenMbcs, SameResultOnAnotherThread)
{
    const QString s = u8("在庫ｶﾞ😀abc");
    int other = -1;
    std::thread t([&] { other = LenMbcs(s); });
    t.join();
    EXPECT_EQ(other, 10);
    EXPECT_EQ(LenMbcs(s), 10);
}

// ---------------------------------------------------------------------------
// Blanks

TEST(TextTrim, RemovesOnlyHalfAndFullWidthSpacesAtTheEnds)
{
    EXPECT_EQ(Trim(u8("　 a　b 　")), u8("a　b"));
    EXPECT_EQ(Trim(u8("\tab\t")), u8("\tab\t"));
    EXPECT_EQ(Trim(u8("　")), QString());
    EXPECT_TRUE(isBlank(QString()));
    EXPECT_TRUE(isBlank(u8("    ")));
    EXPECT_TRUE(isBlank(u8("　")));
    EXPECT_TRUE(isBlank(u8(" 　 ")));
    EXPECT_FALSE(isBlank(u8("\t")));
    EXPECT_FALSE(isBlank(u8(" x ")));
}

// ---------------------------------------------------------------------------
// Folding and comparison

TEST(TextFold, WidthKanaAndCaseAreIgnoredInTextualMode)
{
    EXPECT_EQ(foldText(u8("Ｈｅｌｌｏ　ＷＯＲＬＤ！")), u8("hello world!"));
    EXPECT_EQ(foldText(u8("ｱア")), foldText(u8("ああ")));
    EXPECT_EQ(foldText(u8("ｶﾞﾊﾟｳﾞ")), u8("ガパヴ"));
    EXPECT_EQ(foldText(u8("ｷｬｯﾁｰ｡")), u8("キャッチー。"));
    EXPECT_EQ(foldText(u8("ゝゞ")), u8("ヽヾ"));
    // Letters beyond ASCII, full-width Roman numerals and letters outside the basic plane
    // lose their case too.
    EXPECT_EQ(foldText(u8("ÄÖÜ ΣΑΣ Ⅻ 𐐀 ＡＢＣ")), u8("äöü σασ ⅻ 𐐨 abc"));

    for (const char* s : {"ｱ", "ア", "あ"})
        EXPECT_EQ(compareText(u8(s), u8("ア"), 0), 0) << s;
    for (const char* s : {"Ａ", "a", "A", "ａ"})
        EXPECT_EQ(compareText(u8(s), u8("a"), 0), 0) << s;
    EXPECT_EQ(compareText(u8("ｶﾞﾝﾀﾞﾑ"), u8("がんだむ"), 0), 0);
    EXPECT_EQ(compareText(u8("ﾎﾟｯﾌﾟ"), u8("ポップ"), 0), 0);
}

TEST(TextFold, MarksJoinOnlyWhereAVoicedLetterExists)
{
    // Voiced and unvoiced letters stay different.
    EXPECT_NE(compareText(u8("ｶﾞ"), u8("カ"), 0), 0);
    EXPECT_NE(compareText(u8("ﾊﾟ"), u8("バ"), 0), 0);
    // No voiced form: the mark stays a separate (full-width) mark.
    EXPECT_EQ(foldText(u8("ｱﾞ")), u8("ア゛"));
    EXPECT_EQ(foldText(u8("ｶﾟ")), u8("カ゜"));
    EXPECT_EQ(foldText(u8("ﾞ")), u8("゛"));
    // A mark after a mark is not joined either.
    EXPECT_EQ(foldText(u8("ﾞﾞ")), u8("゛゛"));
}

TEST(TextCompare, OrdinalModeComparesCodeUnits)
{
    EXPECT_NE(compareText(u8("ｱ"), u8("ア"), 1), 0);
    EXPECT_NE(compareText(u8("あ"), u8("ア"), 1), 0);
    EXPECT_NE(compareText(u8("Ａ"), u8("A"), 1), 0);
    EXPECT_EQ(compareText(u8("在庫"), u8("在庫"), 1), 0);
    // 'a' (0x61) sorts after 'B' (0x42) by code unit, before it textually.
    EXPECT_GT(compareText(u8("a"), u8("B"), 1), 0);
    EXPECT_LT(compareText(u8("a"), u8("B"), 0), 0);
    EXPECT_LT(compareText(u8("abc"), u8("abd"), 0), 0);
    EXPECT_GT(compareText(u8("abcd"), u8("ABC"), 0), 0);
    // Any mode other than 1 is textual.
    EXPECT_EQ(compareText(u8("Ａ"), u8("a"), 2), 0);
}

TEST(TextCompare, ContainsInBothModes)
{
    EXPECT_TRUE(containsText(u8("ＣＤ　ｺﾚｸｼｮﾝ"), u8("cd これくしょん"), 0));
    EXPECT_TRUE(containsText(u8("ｶﾞﾝﾀﾞﾑ"), u8("ダム"), 0));
    EXPECT_FALSE(containsText(u8("ｶﾞﾝﾀﾞﾑ"), u8("カン"), 0));
    EXPECT_FALSE(containsText(u8("ＣＤ　ｺﾚｸｼｮﾝ"), u8("cd"), 1));
    EXPECT_TRUE(containsText(u8("ＣＤ　ｺﾚｸｼｮﾝ"), u8("ｺﾚｸ"), 1));
    EXPECT_FALSE(containsText(u8("ABC"), u8("b"), 1));
    EXPECT_TRUE(containsText(u8("ABC"), u8("b"), 0));
    EXPECT_TRUE(containsText(u8("ABC"), QString(), 0));
    EXPECT_TRUE(containsText(QString(), QString(), 1));
    EXPECT_FALSE(containsText(QString(), u8("a"), 0));
}

// ---------------------------------------------------------------------------
// Numbers

TEST(TextParseNumber, AcceptsWhatAUserTypes)
{
    const struct { const char* in; double want; } cases[] = {
        {"123", 123},           {" 　１２３　", 123},     {"0012", 12},
        {"1,234,567", 1234567}, {"1,2,3", 123},           {"1,,2", 12},
        {"１，２３４．５", 1234.5}, {"¥1,000", 1000},       {"￥1,000", 1000},
        {"\\1,000", 1000},      {"＼1000", 1000},         {"-¥1,234", -1234},
        {"¥-1,234", -1234},     {"+5", 5},               {"－５", -5},
        {"＋¥５", 5},            {".5", 0.5},             {"5.", 5},
        {"-0.25", -0.25},       {"1,234.50", 1234.5},
    };
    for (const auto& c : cases) {
        const auto v = parseNumber(u8(c.in));
        ASSERT_TRUE(v.has_value()) << c.in;
        EXPECT_DOUBLE_EQ(*v, c.want) << c.in;
        EXPECT_TRUE(IsNumeric(u8(c.in))) << c.in;
    }
}

TEST(TextParseNumber, TheYenSignAloneIsZeroAsTheListsShowIt)
{
    for (const char* in : {"¥", "￥", "\\", " ¥ "}) {
        const auto v = parseNumber(u8(in));
        ASSERT_TRUE(v.has_value()) << in;
        EXPECT_EQ(*v, 0.0) << in;
    }
}

TEST(TextParseNumber, RefusesWhatIsNotANumber)
{
    for (const char* in : {"", "   ", "　", ",", ",,", "-", "+", "¥-", "-¥", ",1", "1,",
                           "1,.5", ".", "1.2.3", "1e5", "12a", "--1", "-¥-1", "1 2", "¥¥1",
                           "1.5,0", "1-", "abc", "____/__/__"}) {
        EXPECT_FALSE(parseNumber(u8(in)).has_value()) << in;
        EXPECT_FALSE(IsNumeric(u8(in))) << in;
    }
    // Digits beyond what a number holds are no number either.
    EXPECT_FALSE(parseNumber(QString(400, QLatin1Char('9'))).has_value());
    // Within range, the nearest number: 2^53 + 1 is not one.
    EXPECT_EQ(*parseNumber(u8("9,007,199,254,740,993")), 9007199254740992.0);
}

// ---------------------------------------------------------------------------
// Dates

TEST(TextParseDate, AcceptedForms)
{
    const QDate jan5(2024, 1, 5);
    for (const char* in : {"2024/01/05", "2024/1/5", "2024-01-05", "2024.01.05", "2024-1-05",
                           "20240105", "２０２４／０１／０５", "２０２４－１－５", " 2024/1/5　"}) {
        const auto d = parseDate(u8(in));
        ASSERT_TRUE(d.has_value()) << in;
        EXPECT_EQ(*d, jan5) << in;
        EXPECT_TRUE(IsDate(u8(in))) << in;
    }
    EXPECT_EQ(parseDate(u8("2024/02/29")), QDate(2024, 2, 29));
    EXPECT_EQ(parseDate(u8("0100/01/01")), QDate(100, 1, 1));
    EXPECT_EQ(parseDate(u8("9999/12/31")), QDate(9999, 12, 31));
}

TEST(TextParseDate, RefusedForms)
{
    for (const char* in : {"", "   ", "　", "____/__/__", "2024/__/__", "2023/02/29", "20230229",
                           "2024/13/01", "2024/00/10", "2024/04/31", "2024/1-5", "99/1/1",
                           "0099/01/01", "10000/01/01", "2024/001/05", "2024105", "2024/1/5/",
                           "2024/1/5 10:00", "2024年1月5日", "abc"}) {
        EXPECT_FALSE(parseDate(u8(in)).has_value()) << in;
        EXPECT_FALSE(IsDate(u8(in))) << in;
    }
}

TEST(TextFormatDate, ShowsYearMonthDayAndReadsBack)
{
    EXPECT_EQ(formatDate(QDate(2024, 1, 5)), u8("2024/01/05"));
    EXPECT_EQ(formatDate(QDate(987, 12, 31)), u8("0987/12/31"));
    EXPECT_EQ(formatDate(QDate()), QString());
    EXPECT_EQ(parseDate(formatDate(QDate(2023, 11, 30))), QDate(2023, 11, 30));
}

// ---------------------------------------------------------------------------
// Rounding and amounts

TEST(TextRounding, HalvesGoToEven)
{
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(476.5), 476);
    EXPECT_EQ(roundHalfEven(477.5), 478);
    EXPECT_EQ(roundHalfEven(2.4999999), 2);
    EXPECT_EQ(roundHalfEven(2.5000001), 3);
    EXPECT_EQ(roundHalfEven(-3.7), -4);
    EXPECT_EQ(roundHalfEven(-3.2), -3);
    EXPECT_EQ(roundHalfEven(1e15 + 0.5), 1000000000000000LL);
    EXPECT_EQ(roundHalfEven(1e15 + 1.5), 1000000000000002LL);
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<qint64>::max());
    EXPECT_EQ(roundHalfEven(-1e300), std::numeric_limits<qint64>::min());
}

TEST(TextYen, ListAndZeroFormats)
{
    constexpr qint64 yen = 10000;
    EXPECT_EQ(formatYenList(0), u8("¥"));
    EXPECT_EQ(formatYenWithZero(0), u8("¥0"));
    EXPECT_EQ(formatYenList(1234567 * yen), u8("¥1,234,567"));
    EXPECT_EQ(formatYenWithZero(1234567 * yen), u8("¥1,234,567"));
    EXPECT_EQ(formatYenList(-1234 * yen), u8("-¥1,234"));
    EXPECT_EQ(formatYenList(999 * yen), u8("¥999"));
    EXPECT_EQ(formatYenList(1000 * yen), u8("¥1,000"));
    EXPECT_EQ(formatYenList(100000 * yen), u8("¥100,000"));
    EXPECT_EQ(formatYenList(-7 * yen), u8("-¥7"));

    // Fractions of a yen round half to even.
    EXPECT_EQ(formatYenList(25000), u8("¥2"));
    EXPECT_EQ(formatYenList(35000), u8("¥4"));
    EXPECT_EQ(formatYenList(4775000), u8("¥478"));
    EXPECT_EQ(formatYenList(4765000), u8("¥476"));
    EXPECT_EQ(formatYenList(25001), u8("¥3"));
    EXPECT_EQ(formatYenList(-25000), u8("-¥2"));
    EXPECT_EQ(formatYenList(-35000), u8("-¥4"));
    EXPECT_EQ(formatYenList(5000), u8("¥"));
    EXPECT_EQ(formatYenWithZero(5000), u8("¥0"));
    EXPECT_EQ(formatYenWithZero(-5000), u8("¥0"));
    EXPECT_EQ(formatYenWithZero(5001), u8("¥1"));

    // The extremes of the 64-bit range neither overflow nor lose digits.
    EXPECT_EQ(formatYenList(std::numeric_limits<qint64>::max()), u8("¥922,337,203,685,478"));
    EXPECT_EQ(formatYenList(std::numeric_limits<qint64>::min()), u8("-¥922,337,203,685,478"));
}

TEST(TextYen, ExactFormatKeepsTheFractionAndReadsBackToTheSameUnits)
{
    EXPECT_EQ(formatYenExact(std::numeric_limits<qint64>::min()), u8("-¥922,337,203,685,477.5808"));
    EXPECT_EQ(formatYenExact(-200000), formatYenList(-200000));  // a whole amount as the list shows it
    for (const auto& [units, text] : {std::pair{qint64(12345000), "¥1,234.5"}, {qint64(-2500), "-¥0.25"}, {qint64(1), "¥0.0001"}}) {
        EXPECT_EQ(formatYenExact(units), u8(text));
        EXPECT_EQ(roundHalfEven(*parseNumber(u8(text)) * 10000.0), units);
    }
}

TEST(TextYen, PlainTextAsTheEngineGivesIt)
{
    EXPECT_EQ(currencyToText(12345000), u8("1234.5"));
    EXPECT_EQ(currencyToText(10000), u8("1"));
    EXPECT_EQ(currencyToText(-5000), u8("-0.5"));
    EXPECT_EQ(currencyToText(0), u8("0"));
    EXPECT_EQ(currencyToText(1), u8("0.0001"));
    EXPECT_EQ(currencyToText(12345678), u8("1234.5678"));
    EXPECT_EQ(currencyToText(10000000000LL), u8("1000000"));
    EXPECT_EQ(currencyToText(-12345000), u8("-1234.5"));
    EXPECT_EQ(currencyToText(-120000), u8("-12"));
    EXPECT_EQ(currencyToText(std::numeric_limits<qint64>::min()), u8("-922337203685477.5808"));
    // The text reads back to the same amount.
    EXPECT_DOUBLE_EQ(*parseNumber(currencyToText(-12345000)), -1234.5);
}

TEST(TextParseAmount, LargeAmountsKeepEveryDigitAndTheFractionRoundsHalfToEven)
{
    const struct { const char* in; qint64 units; } cases[] = {
        // Above 10^12 yen a binary fraction times 10 000 no longer lands on the unit.
        {"922337203685477", 9223372036854770000LL},
        {"123,456,789,012,345.6789", 1234567890123456789LL},
        {"922337203685477.5807", std::numeric_limits<qint64>::max()},
        {"-922337203685477.5808", std::numeric_limits<qint64>::min()},
        // Past the fourth digit: more than half up, less down, exactly half to the even unit.
        {"0.00005", 0},
        {"0.00015", 2},
        {"0.000150001", 2},
        {"0.00025", 2},
        {"-0.00035", -4},
        {"922337203685477.58069", std::numeric_limits<qint64>::max()},
    };
    for (const auto& c : cases) {
        const auto a = parseAmount(u8(c.in));
        ASSERT_TRUE(a.has_value()) << c.in;
        EXPECT_TRUE(a->fits) << c.in;
        EXPECT_EQ(a->units, c.units) << c.in;
    }
    // The exact list format of the extremes reads back to them.
    for (const qint64 units : {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), qint64(-1)})
        EXPECT_EQ(parseAmount(formatYenExact(units))->units, units);

    for (const char* in : {"922337203685477.5808", "922337203685477.58075", "-922337203685477.5809", "1000000000000000"}) {
        const auto a = parseAmount(u8(in));
        ASSERT_TRUE(a.has_value()) << in;
        EXPECT_FALSE(a->fits) << in;
    }
    for (const char* in : {"", "1e5"}) EXPECT_FALSE(parseAmount(u8(in)).has_value()) << in;
}

// ---------------------------------------------------------------------------
// Twips

TEST(TextTwips, ConvertsAndRoundsHalfToEven)
{
    EXPECT_EQ(twipsToPixels(1440), 96);
    EXPECT_EQ(twipsToPixels(15), 1);
    EXPECT_EQ(twipsToPixels(22), 1);
    EXPECT_EQ(twipsToPixels(23), 2);
    EXPECT_EQ(twipsToPixels(-1440), -96);
    EXPECT_EQ(twipsToPixels(1440, 120.0), 120);
    // At 144 dpi a pixel is ten twips, so 25 and 35 twips are exact halves.
    EXPECT_EQ(twipsToPixels(25, 144.0), 2);
    EXPECT_EQ(twipsToPixels(35, 144.0), 4);
    EXPECT_EQ(pixelsToTwips(1), 15);
    EXPECT_EQ(pixelsToTwips(96), 1440);
    EXPECT_EQ(pixelsToTwips(1, 120.0), 12);
    EXPECT_EQ(pixelsToTwips(1, 192.0), 8);  // 7.5 rounds to 8
    EXPECT_EQ(pixelsToTwips(3, 192.0), 22);  // 22.5 rounds to 22
    EXPECT_EQ(twipsToPixels(1440, 0.0), 96);  // a missing dpi falls back to 96
    for (int px : {0, 1, 7, 640, 1024})
        EXPECT_EQ(twipsToPixels(pixelsToTwips(px)), px);
}

// A search over the engine's UTF-8 finds what the search over strings finds.
TEST(TextFold, TheFinderOverBytesAgreesWithTheSearchOverStrings)
{
    const QStringList hays = {u8("Ｈｅｌｌｏ　ＷＯＲＬＤ！"), u8("ｶﾞﾊﾟｳﾞの歌"), u8("あいうえお"), u8("😀 絵文字 ÄÖ"), u8(""),
                              u8("演奏者１２"), u8("𐐀𐐁 deseret")};
    const QStringList needles = {u8("world"), u8("ガパ"), u8("アイ"), u8("äö"), u8(""), u8("演奏者1"), u8("𐐨"), u8("😀"), u8("x")};
    for (int mode : {0, 1})
        for (const QString& hay : hays)
            for (const QString& needle : needles) {
                TextFinder finder(needle, mode);
                const QByteArray bytes = hay.toUtf8();
                EXPECT_EQ(finder.in(bytes.constData(), bytes.size()), containsText(hay, needle, mode))
                    << hay.toStdString() << " / " << needle.toStdString() << " / " << mode;
            }
}
