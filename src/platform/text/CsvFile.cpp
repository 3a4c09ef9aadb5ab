#include "platform/text/CsvFile.h"

#include <QStringDecoder>
#include <array>
#include <cerrno>
#include <iconv.h>

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// A converter between UTF-8 and code page 932 for one conversion; it fails instead of
// replacing what it cannot convert.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<QByteArray> convert(const QByteArray& in)
    {
        if (!valid()) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        QByteArray out;
        out.reserve(in.size() + in.size() / 4 + 16);
        char* src = const_cast<char*>(in.constData());
        size_t srcLeft = static_cast<size_t>(in.size());
        std::array<char, 4096> buf;
        while (true) {
            char* dst = buf.data();
            size_t dstLeft = buf.size();
            const size_t rc = srcLeft ? iconv(cd_, &src, &srcLeft, &dst, &dstLeft) : iconv(cd_, nullptr, nullptr, &dst, &dstLeft);
            out.append(buf.data(), static_cast<qsizetype>(buf.size() - dstLeft));
            if (rc != static_cast<size_t>(-1)) {
                if (srcLeft == 0) return out;
                continue;
            }
            if (errno != E2BIG) return std::nullopt;  // a character the other side cannot hold
        }
    }

private:
    iconv_t cd_;
};

bool needsQuotes(const QString& field)
{
    for (QChar c : field)
        if (c == QLatin1Char(',') || c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) return true;
    return false;
}

}  // namespace

QString CsvFile::formatRecord(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i) line += QLatin1Char(',');
        const QString& f = fields[i];
        if (needsQuotes(f)) {
            line += QLatin1Char('"');
            line += QString(f).replace(QLatin1Char('"'), QStringLiteral("\"\""));
            line += QLatin1Char('"');
        } else {
            line += f;
        }
    }
    line += QStringLiteral("\r\n");
    return line;
}

QString CsvFile::format(const Table& rows)
{
    QString text;
    for (const QStringList& r : rows) text += formatRecord(r);
    return text;
}

std::vector<CsvFile::Unencodable> CsvFile::unencodable(const Table& rows, int limit)
{
    std::vector<Unencodable> out;
    Converter toCp932("CP932", "UTF-8");
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString& v = rows[r][c];
            bool ascii = true;
            for (QChar ch : v) ascii = ascii && ch.unicode() < 0x80;
            if (ascii) continue;
            if (!toCp932.convert(v.toUtf8())) {
                out.push_back({r, c, v});
                if (static_cast<int>(out.size()) >= limit) return out;
            }
        }
    }
    return out;
}

std::optional<QByteArray> CsvFile::encode(const QString& text, Encoding encoding)
{
    if (encoding == Encoding::Utf8) return kBom + text.toUtf8();
    return Converter("CP932", "UTF-8").convert(text.toUtf8());
}

CsvFile::Encoding CsvFile::detect(const QByteArray& bytes)
{
    if (bytes.startsWith(kBom)) return Encoding::Utf8;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);  // the decoder runs when its result is taken
    Q_UNUSED(text);
    return utf8.hasError() ? Encoding::Cp932 : Encoding::Utf8;
}

std::optional<QString> CsvFile::decode(const QByteArray& bytes, Encoding encoding)
{
    if (encoding == Encoding::Utf8) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(bytes.startsWith(kBom) ? bytes.mid(kBom.size()) : bytes);
        if (utf8.hasError()) return std::nullopt;
        return text;
    }
    const auto utf8 = Converter("UTF-8", "CP932").convert(bytes);
    if (!utf8) return std::nullopt;
    return QString::fromUtf8(*utf8);
}

CsvFile::Parsed CsvFile::parse(const QString& text)
{
    Parsed out;
    QStringList record;
    QString field;
    int line = 1;
    qsizetype i = 0;
    const qsizetype n = text.size();
    bool atRecordStart = true;
    auto endField = [&] {
        record << field;
        field.clear();
    };
    auto endRecord = [&] {
        endField();
        out.rows << record;
        record.clear();
        atRecordStart = true;
    };
    while (i < n) {
        atRecordStart = false;
        if (text[i] == QLatin1Char('"') && field.isEmpty()) {
            // A quoted field: up to the quote that is not doubled.
            const int startLine = line;
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = text[i];
                if (c == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (c == QLatin1Char('\n') || (c == QLatin1Char('\r') && !(i + 1 < n && text[i + 1] == QLatin1Char('\n')))) ++line;
                field += c;
                ++i;
            }
            if (!closed) {
                out.error = QStringLiteral("%1 行目から始まる「\"」で囲まれた値が閉じられていません。").arg(startLine);
                out.errorLine = startLine;
                return out;
            }
            // Text after the closing quote up to the delimiter is kept, as spreadsheets do.
            while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n')) field += text[i++];
            continue;
        }
        const QChar c = text[i];
        if (c == QLatin1Char(',')) {
            endField();
            ++i;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            i += (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n')) ? 2 : 1;
            ++line;
            endRecord();
        } else {
            // An unquoted field up to its delimiter, taken at once.
            const qsizetype start = i;
            while (i < n && text[i] != QLatin1Char(',') && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n')) ++i;
            field += QStringView(text).mid(start, i - start);
        }
    }
    if (!atRecordStart) endRecord();
    return out;
}
