#include "platform/text/CsvFile.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Whether the first character after any apostrophes is one a spreadsheet begins a formula
// with.
bool startsFormula(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char('\'')) ++i;
    if (i == text.size()) return false;
    switch (text[i].unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r': return true;
    default: return false;
    }
}

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
    Converter fromCp932("UTF-8", "CP932");
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QString& v = rows[r][c];
            bool ascii = true;
            for (QChar ch : v) ascii = ascii && ch.unicode() < 0x80;
            if (ascii) continue;
            // Code page 932 writes some characters as others (the wave dash as the full-width
            // tilde), so a cell is held only when its bytes read back as the same text.
            const QByteArray utf8 = v.toUtf8();
            const std::optional<QByteArray> bytes = toCp932.convert(utf8);
            if (!bytes || fromCp932.convert(*bytes) != utf8) {
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

QString CsvFile::guardFormula(const QString& text)
{
    return startsFormula(text) ? QLatin1Char('\'') + text : text;
}

QString CsvFile::unguardFormula(const QString& cell)
{
    return cell.startsWith(QLatin1Char('\'')) && startsFormula(QStringView(cell).mid(1)) ? cell.mid(1) : cell;
}

CsvFile::Read CsvFile::readFile(const QString& path, qint64 maxBytes, const std::function<void(qint64, qint64)>& progress)
{
    Read out;
    const QByteArray name = QFile::encodeName(path);
    // The kind is told from the name first: opening a pipe would wait for a writer.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        out.fault = ReadFault::Unreadable;
        return out;
    }
    if (!S_ISREG(st.st_mode)) {
        out.fault = ReadFault::NotRegular;
        return out;
    }
    if (st.st_size > maxBytes) {
        out.fault = ReadFault::TooLarge;
        return out;
    }
    // Opened without waiting, and told again by what was opened, should the name have become
    // something else in between.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        out.fault = ReadFault::Unreadable;
        return out;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        out.fault = ReadFault::NotRegular;
        return out;
    }
    // A regular file: read it as any file is read.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const qint64 total = st.st_size;
    if (total > maxBytes) {
        out.fault = ReadFault::TooLarge;
        return out;
    }
    out.bytes.reserve(total);
    constexpr qint64 kChunk = 64 * 1024;
    if (progress) progress(0, total);
    while (true) {
        const qint64 at = out.bytes.size();
        // A file that grows while it is read is still held to the limit.
        if (at > maxBytes) {
            out.bytes.clear();
            out.fault = ReadFault::TooLarge;
            return out;
        }
        out.bytes.resize(at + kChunk);
        const ssize_t n = ::read(fd, out.bytes.data() + at, size_t(kChunk));
        if (n < 0 && errno == EINTR) {
            out.bytes.resize(at);
            continue;
        }
        if (n < 0) {
            out.bytes.clear();
            out.fault = ReadFault::Unreadable;
            return out;
        }
        out.bytes.resize(at + n);
        if (n == 0) break;
        if (progress) progress(out.bytes.size(), std::max(total, qint64(out.bytes.size())));
    }
    return out;
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
