#include "platform/text/TextUtil.h"

#include <gtest/gtest.h>

using namespace text;

namespace {

QString u8(const char* s) { return QString::fromUtf8(s); }

// The finder over the bytes answers as the search over the text the list shows for them.
void expectAgrees(const QList<QByteArray>& hays, const QStringList& needles)
{
    for (int mode : {0, 1})
        for (const QString& needle : needles) {
            TextFinder finder(needle, mode);
            const std::vector<QString> anchors = finder.anchors();
            EXPECT_LE(anchors.size(), 8u);
            for (const QByteArray& bytes : hays) {
                const bool found = finder.in(bytes.constData(), bytes.size());
                EXPECT_EQ(found, containsText(QString::fromUtf8(bytes), needle, mode))
                    << bytes.toHex(' ').toStdString() << " / " << needle.toStdString() << " / mode " << mode;
                // A text found holds one of the finder's anchors as they are, byte for byte.
                if (found && !anchors.empty()) {
                    EXPECT_TRUE(std::any_of(anchors.begin(), anchors.end(), [&](const QString& a) { return bytes.contains(a.toUtf8()); }))
                        << bytes.toHex(' ').toStdString() << " / " << needle.toStdString() << " / mode " << mode;
                }
            }
        }
}

}  // namespace

// Bytes that are not well-formed UTF-8 read as the list reads them: a stray byte, a cut or
// overlong sequence, a surrogate or a number beyond U+10FFFF is one replacement character
// each, and never another character (E6 3C 94 is no 演); a leading byte order mark is nothing.
TEST(TextFinder, BrokenBytesReadAsTheListShowsThem)
{
    const QList<QByteArray> hays = {
        QByteArray("\xE6\x3C\x94"),                  // a lead byte whose next byte is no continuation
        QByteArray("\xF0\x86\xBC\x94"),              // 演 written in four bytes
        QByteArray("\xC0\xAF" "a"),                  // an overlong slash
        QByteArray("\xED\xA0\x80" "x"),              // half a surrogate pair
        QByteArray("\xF4\x90\x80\x80"),              // beyond the last character
        QByteArray("\xF5\x80" "A"),                  // no lead byte at all
        QByteArray("\x94\x94"),                      // continuations alone
        QByteArray("\xE6\xBC"),                      // cut at the end
        QByteArray("a\xE6\xBC"),                     // cut after a letter
        QByteArray("\xEF\xBB\xBF" "\xEF\xBB\xBF" "x"),  // a mark at the start, and one inside
        QByteArray("\xEF\xBF\xBE" "z"),              // a non-character, which is kept
        QByteArray("\xE6\xBC\x94\xE5\xA5\x8F"),      // 演奏, well formed
    };
    const QStringList needles = {u8("演"), u8("演奏"), u8("<"), QString(QChar::ReplacementCharacter), u8("/"), u8("a"),
                                 u8("x"), QString(QChar(0xFEFF)), QString(QChar(0xFFFE)), u8("\xEF\xBF\xBD<"), u8("")};
    expectAgrees(hays, needles);
}

// A needle with ideographs is found only where they stand with the blanks, digits and signs
// beside them in either width, and the fold still decides the rest: the second of two places
// can be the one, and a letter, a kana or a voiced half-width kana beside them folds as before.
TEST(TextFinder, IdeographsAreFoundWithTheSignsBesideThemInEitherWidth)
{
    QList<QByteArray> hays;
    for (const char* s : {"演奏者1", "演奏者１２", "演奏者2と演奏者1", "演奏者2と演奏者２", "演奏", "者1演奏", "（演奏者）", "(演奏者)",
                          "演　奏", "演 奏", "ｶﾞ演奏者", "ガ演奏者", "が演奏者", "Ａ演奏者b", "a演奏者B", "i\xCC\x87演", "\xC4\xB0演",
                          "演奏者1-3", "演奏者1－3", "𠀋演奏𠀋", "", "者", "（１-2)演奏者(3－4）x"})
        hays << QByteArray(s);
    const QStringList needles = {u8("演奏者1"), u8("演奏者１"), u8("者1"), u8("1演"), u8("2と演奏者1"), u8("(演奏者)"), u8("演 奏"),
                                 u8("演　奏"), u8("ｶﾞ演"), u8("が演"), u8("a演奏者b"), u8("i\xCC\x87演"), u8("\xC4\xB0演"),
                                 u8("者1-3"), u8("𠀋演奏"), u8("演奏𠀋"), u8("奏者"), u8("者"), u8("(1-2)演奏者(3-4)")};
    expectAgrees(hays, needles);
    EXPECT_EQ(TextFinder(u8("演奏者１"), 0).anchors(), std::vector<QString>({u8("演奏者1"), u8("演奏者１")}));
    EXPECT_EQ(TextFinder(u8("ab"), 0).anchors(), std::vector<QString>());
    EXPECT_EQ(TextFinder(u8("ab"), 1).anchors(), std::vector<QString>({u8("ab")}));
}
