#pragma once
// One list row packed in one block: for each cell its UTF-8 length (7 bits a byte, low bits
// first, the high bit set while more follow) and then its bytes. A reading appends its cells
// straight from the engine's text; take() gives the row in a block of its exact size and
// leaves the builder empty for the next row.
//
// A cell may stand for more than it shows (an amount held to 1/10 000 yen shows whole yen):
// then its bytes are the text shown, the byte 0xFF (never part of UTF-8 text) and the value.

#include <QByteArray>
#include <QString>
#include <string>

class PackedRow {
public:
    static constexpr char kValueMark = '\xFF';

    void appendUtf8(const char* p, qsizetype n)
    {
        auto len = static_cast<quint32>(n);
        while (len >= 0x80) {
            buf_.push_back(static_cast<char>((len & 0x7f) | 0x80));
            len >>= 7;
        }
        buf_.push_back(static_cast<char>(len));
        buf_.append(p, static_cast<size_t>(n));
    }
    void appendUtf8(const QByteArray& utf8) { appendUtf8(utf8.constData(), utf8.size()); }
    void append(const QString& text) { appendUtf8(text.toUtf8()); }
    void appendShownAndValue(const QString& shown, const QString& value)
    {
        QByteArray bytes = shown.toUtf8();
        bytes.append(kValueMark);
        bytes.append(value.toUtf8());
        appendUtf8(bytes);
    }
    void appendNumber(qint64 n)
    {
        char digits[24];
        char* end = digits + sizeof digits;
        char* p = end;
        // Works on the magnitude as unsigned, so the smallest number keeps its sign.
        quint64 m = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
        do {
            *--p = static_cast<char>('0' + m % 10);
            m /= 10;
        } while (m);
        if (n < 0) *--p = '-';
        appendUtf8(p, end - p);
    }
    bool isEmpty() const { return buf_.empty(); }

    QByteArray take()
    {
        QByteArray row(buf_.data(), static_cast<qsizetype>(buf_.size()));
        buf_.clear();
        return row;
    }

private:
    // A standard string: its appends are inlined, and clear() keeps its capacity.
    std::string buf_;
};
