#include "platform/text/CsvFile.h"

#include <gtest/gtest.h>

namespace {

using Table = CsvFile::Table;

// Values a stock list holds: amounts with grouping commas, dates, codes, empty cells, quotes,
// line breaks of every kind, full- and half-width kana, blanks at the ends.
Table mixed()
{
    return {
        {QStringLiteral("品名"), QStringLiteral("価格"), QStringLiteral("購入日"), QStringLiteral("メモ"), QStringLiteral("ｶﾅ")},
        {QStringLiteral("アビイ・ロード"), QStringLiteral("¥1,500"), QStringLiteral("2024/01/31"), QString(), QStringLiteral("ｱﾋﾞｲ ﾛｰﾄﾞ")},
        {QStringLiteral("He said \"hi\""), QStringLiteral("¥0"), QString(), QStringLiteral("一行目\r\n二行目\n三行目\r四行目"), QStringLiteral("A01")},
        {QStringLiteral(" 前後に空白 "), QStringLiteral("\"\""), QStringLiteral(","), QStringLiteral("全角　スペース"), QString()},
        {QString(), QString(), QString(), QString(), QString()},
    };
}

}  // namespace

TEST(CsvFile, QuotesOnlyWhatNeedsItAndEndsRecordsWithCrLf)
{
    EXPECT_EQ(CsvFile::formatRecord({QStringLiteral("a"), QString(), QStringLiteral("b c")}), QStringLiteral("a,,b c\r\n"));
    EXPECT_EQ(CsvFile::formatRecord({QStringLiteral("1,500"), QStringLiteral("say \"x\""), QStringLiteral("l1\nl2")}),
              QStringLiteral("\"1,500\",\"say \"\"x\"\"\",\"l1\nl2\"\r\n"));
    EXPECT_EQ(CsvFile::formatRecord({QStringLiteral("cr\r")}), QStringLiteral("\"cr\r\"\r\n"));
    EXPECT_EQ(CsvFile::format({}), QString());
}

TEST(CsvFile, MixedValuesComeBackAlikeThroughBothEncodings)
{
    for (const CsvFile::Encoding enc : {CsvFile::Encoding::Utf8, CsvFile::Encoding::Cp932}) {
        Table table = mixed();
        // The yen sign is not held (byte 5C reads back as the backslash): amounts give the backslash.
        if (enc == CsvFile::Encoding::Cp932) {
            EXPECT_EQ(CsvFile::unencodable(table).size(), 2u);
            for (QStringList& r : table)
                for (QString& v : r) v.replace(QChar(0x00A5), QLatin1Char('\\'));
            ASSERT_TRUE(CsvFile::unencodable(table).empty());
        }
        const auto bytes = CsvFile::encode(CsvFile::format(table), enc);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(bytes->startsWith("\xEF\xBB\xBF"), enc == CsvFile::Encoding::Utf8);
        EXPECT_EQ(CsvFile::detect(*bytes), enc);
        const auto decoded = CsvFile::decode(*bytes, CsvFile::detect(*bytes));
        ASSERT_TRUE(decoded.has_value());
        const CsvFile::Parsed parsed = CsvFile::parse(*decoded);
        EXPECT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
        EXPECT_EQ(parsed.rows, table);
    }
    // Half-width kana are one byte each in code page 932, full-width two.
    const auto sjis = CsvFile::encode(QStringLiteral("ｱｲ,アイ"), CsvFile::Encoding::Cp932);
    ASSERT_TRUE(sjis.has_value());
    EXPECT_EQ(sjis->size(), 2 + 1 + 4);
}

TEST(CsvFile, CellsCodePage932CannotHoldAreNamedByRowAndColumn)
{
    // The wave dash, minus sign, yen sign and double vertical line would read back as the
    // full-width tilde, full-width hyphen-minus, backslash and parallel sign: named too.
    const Table table = {{QStringLiteral("曲名"), QStringLiteral("歌手")},
                         {QStringLiteral("Café"), QStringLiteral("ok")},
                         {QStringLiteral("ok"), QStringLiteral("♪ok")},
                         {QStringLiteral("🎵"), QStringLiteral("丸①")},
                         {QStringLiteral("波～線－\\∥"), QStringLiteral("波〜線−¥‖")}};
    const auto bad = CsvFile::unencodable(table);
    ASSERT_EQ(bad.size(), 3u);
    EXPECT_EQ(bad[0].row, 1);
    EXPECT_EQ(bad[0].column, 0);
    EXPECT_EQ(bad[0].value, QStringLiteral("Café"));
    EXPECT_EQ(bad[1].row, 3);
    EXPECT_EQ(bad[1].column, 0);
    EXPECT_EQ(bad[2].row, 4);
    EXPECT_EQ(bad[2].column, 1);
    EXPECT_EQ(CsvFile::unencodable(table, 1).size(), 1u);
    EXPECT_FALSE(CsvFile::encode(CsvFile::format(table), CsvFile::Encoding::Cp932).has_value());
    // UTF-8 holds everything.
    const auto utf8 = CsvFile::encode(CsvFile::format(table), CsvFile::Encoding::Utf8);
    ASSERT_TRUE(utf8.has_value());
    EXPECT_EQ(CsvFile::parse(*CsvFile::decode(*utf8, CsvFile::Encoding::Utf8)).rows, table);
}

TEST(CsvFile, DetectsTheEncodingAndRefusesBytesThatAreNotText)
{
    // UTF-8 without its mark is still UTF-8; Shift-JIS bytes are not valid UTF-8.
    EXPECT_EQ(CsvFile::detect(QStringLiteral("品名,価格").toUtf8()), CsvFile::Encoding::Utf8);
    EXPECT_EQ(CsvFile::detect(QByteArray("abc,def")), CsvFile::Encoding::Utf8);
    const QByteArray sjis = *CsvFile::encode(QStringLiteral("品名,価格"), CsvFile::Encoding::Cp932);
    EXPECT_EQ(CsvFile::detect(sjis), CsvFile::Encoding::Cp932);
    EXPECT_EQ(CsvFile::decode(sjis, CsvFile::Encoding::Cp932), QStringLiteral("品名,価格"));
    EXPECT_FALSE(CsvFile::decode(sjis, CsvFile::Encoding::Utf8).has_value());
    // A lead byte without its trail byte is not code page 932.
    EXPECT_FALSE(CsvFile::decode(QByteArray("\x82"), CsvFile::Encoding::Cp932).has_value());
    EXPECT_EQ(CsvFile::decode(QByteArray("\xEF\xBB\xBF" "a"), CsvFile::Encoding::Utf8), QStringLiteral("a"));
}

TEST(CsvFile, ReadsWhatSpreadsheetsWriteAndNamesAnUnclosedQuote)
{
    // LF or CR line ends, a last record without its end, empty fields at either end.
    auto p = CsvFile::parse(QStringLiteral("a,b\nc,d\re,f"));
    EXPECT_EQ(p.rows, Table({{"a", "b"}, {"c", "d"}, {"e", "f"}}));
    p = CsvFile::parse(QStringLiteral(",x,\r\n"));
    EXPECT_EQ(p.rows, Table({{"", "x", ""}}));
    // A quote inside an unquoted field is text; text after a closing quote stays with the field.
    p = CsvFile::parse(QStringLiteral("5\" disc,\"a\"b,\"\"\r\n"));
    EXPECT_EQ(p.rows, Table({{"5\" disc", "ab", ""}}));
    EXPECT_TRUE(CsvFile::parse(QString()).rows.isEmpty());

    p = CsvFile::parse(QStringLiteral("h1,h2\r\nok,\"two\r\nlines\"\r\nbad,\"never closed\r\nmore"));
    EXPECT_EQ(p.errorLine, 4);
    EXPECT_TRUE(p.error.contains(QStringLiteral("4 行目"))) << p.error.toStdString();
}

TEST(CsvFile, TextsASpreadsheetWouldTakeForFormulasGetAnApostropheTheReadingTakesAway)
{
    for (const char* t : {"=1+1", "+81 3", "-x", "@SUM(A1)", "\tx", "\rx", "'=x", "''-x"}) {
        EXPECT_EQ(CsvFile::guardFormula(QString::fromUtf8(t)), QLatin1Char('\'') + QString::fromUtf8(t)) << t;
        EXPECT_EQ(CsvFile::unguardFormula(QLatin1Char('\'') + QString::fromUtf8(t)), QString::fromUtf8(t)) << t;
    }
    for (const char* t : {"", "a=b", "'", "'abc", "＝全角", " =x"}) {  // written and read as they are
        EXPECT_EQ(CsvFile::guardFormula(QString::fromUtf8(t)), QString::fromUtf8(t)) << t;
        EXPECT_EQ(CsvFile::unguardFormula(QString::fromUtf8(t)), QString::fromUtf8(t)) << t;
    }
}
