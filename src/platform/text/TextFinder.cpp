#include "platform/text/TextFinder.h"

#include "platform/text/TextUtil.h"

#include <cstring>

namespace text {

namespace {

bool isIdeograph(char16_t c) { return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF); }

// A folded blank, digit or sign: it comes from itself or its full-width form alone.
bool isNarrowSign(char16_t c)
{
    return c >= 0x20 && c < 0x7F && !(c >= u'a' && c <= u'z') && !(c >= u'A' && c <= u'Z');
}

QByteArray utf8Of(char16_t c) { return QString(QChar(c)).toUtf8(); }

bool startsWith(const char* p, const char* end, const QByteArray& form)
{
    return !form.isEmpty() && end - p >= form.size() && std::memcmp(p, form.constData(), size_t(form.size())) == 0;
}

bool endsWith(const char* begin, const char* p, const QByteArray& form)
{
    return !form.isEmpty() && p - begin >= form.size() && std::memcmp(p - form.size(), form.constData(), size_t(form.size())) == 0;
}

// The first place of a part's bytes in [p, end), or null. The texts are short: a scan for the
// first byte and a comparison of the rest costs less than setting up a general search.
const char* find(const char* p, const char* end, const QByteArray& part)
{
    const qsizetype n = part.size();
    const char first = part.front();
    for (const char* q = p; end - q >= n; ++q) {
        q = static_cast<const char*>(std::memchr(q, first, size_t(end - q - n + 1)));
        if (!q) return nullptr;
        if (std::memcmp(q + 1, part.constData() + 1, size_t(n - 1)) == 0) return q;
    }
    return nullptr;
}

}  // namespace

TextFinder::TextFinder(const QString& needle, int caseMode)
    : prepared_(caseMode == 1 ? needle : foldText(needle)), caseMode_(caseMode)
{
    if (caseMode_ == 1) {
        // Every character but the replacement character reads from its own bytes alone, so
        // the needle's bytes answer unless it holds that character or half a surrogate pair.
        bytesAnswer_ = true;
        for (qsizetype i = 0; i < prepared_.size() && bytesAnswer_; ++i) {
            const QChar c = prepared_.at(i);
            if (c == QChar::ReplacementCharacter) bytesAnswer_ = false;
            else if (c.isHighSurrogate() && i + 1 < prepared_.size() && prepared_.at(i + 1).isLowSurrogate()) ++i;
            else if (c.isSurrogate()) bytesAnswer_ = false;
        }
        if (bytesAnswer_) exact_ = prepared_.toUtf8();
        return;
    }
    prepareAnchor();
}

// An ideograph folds from itself alone, and the fold keeps the characters around one in
// their places, so a text whose fold holds the needle holds the needle's ideographs as they
// are, each blank, digit or sign beside them in one of its two widths.
void TextFinder::prepareAnchor()
{
    const auto* u = reinterpret_cast<const char16_t*>(prepared_.utf16());
    const qsizetype n = prepared_.size();
    qsizetype start = 0, length = 0;
    for (qsizetype i = 0; i < n;) {
        qsizetype j = i;
        while (j < n && isIdeograph(u[j])) ++j;
        if (j - i > length) {
            start = i;
            length = j - i;
        }
        i = j == i ? i + 1 : j;
    }
    if (length == 0) return;
    core_ = QStringView(u + start, length).toUtf8();
    auto neighbour = [](char16_t c) {
        Neighbour nb;
        nb.forms[0] = utf8Of(c);
        if (c == u' ') nb.forms[1] = utf8Of(0x3000);
        else if (isNarrowSign(c)) nb.forms[1] = utf8Of(static_cast<char16_t>(c + 0xFEE0));
        return nb;
    };
    auto known = [](char16_t c) { return isIdeograph(c) || isNarrowSign(c); };
    for (qsizetype i = start + length; i < n && known(u[i]); ++i) after_.push_back(neighbour(u[i]));
    for (qsizetype i = start - 1; i >= 0 && known(u[i]); --i) before_.push_back(neighbour(u[i]));
}

std::vector<QString> TextFinder::anchors() const
{
    constexpr size_t kMost = 8;
    if (prepared_.isEmpty()) return {};
    if (bytesAnswer_) return {QString::fromUtf8(exact_)};
    if (core_.isEmpty()) return {};
    // The ideographs with as many of their neighbours, in each of their forms, as keep the
    // texts within the few.
    std::vector<QByteArray> texts{core_};
    const auto widen = [&texts](const Neighbour& nb, bool after) {
        const size_t forms = nb.forms[1].isEmpty() ? 1 : 2;
        if (texts.size() * forms > kMost) return false;
        std::vector<QByteArray> wider;
        for (const QByteArray& t : texts)
            for (size_t f = 0; f < forms; ++f) wider.push_back(after ? t + nb.forms[f] : nb.forms[f] + t);
        texts = std::move(wider);
        return true;
    };
    for (const Neighbour& nb : after_)
        if (!widen(nb, true)) break;
    for (const Neighbour& nb : before_)
        if (!widen(nb, false)) break;
    std::vector<QString> shown;
    for (const QByteArray& t : texts) shown.push_back(QString::fromUtf8(t));
    return shown;
}

bool TextFinder::anchored(const char* p, qsizetype bytes) const
{
    const char* const end = p + bytes;
    for (const char* at = p; at < end;) {
        const char* hit = find(at, end, core_);
        if (!hit) return false;
        bool fits = true;
        const char* q = hit + core_.size();
        for (const Neighbour& nb : after_) {
            if (startsWith(q, end, nb.forms[0])) q += nb.forms[0].size();
            else if (startsWith(q, end, nb.forms[1])) q += nb.forms[1].size();
            else {
                fits = false;
                break;
            }
        }
        q = hit;
        for (size_t k = 0; fits && k < before_.size(); ++k) {
            const Neighbour& nb = before_[k];
            if (endsWith(p, q, nb.forms[0])) q -= nb.forms[0].size();
            else if (endsWith(p, q, nb.forms[1])) q -= nb.forms[1].size();
            else fits = false;
        }
        if (fits) return true;
        at = hit + 1;
    }
    return false;
}

bool TextFinder::in(const char* utf8, qsizetype bytes)
{
    if (prepared_.isEmpty()) return true;
    // A leading byte order mark is not read as part of the text.
    if (bytes >= 3 && std::memcmp(utf8, "\xEF\xBB\xBF", 3) == 0) {
        utf8 += 3;
        bytes -= 3;
    }
    if (bytesAnswer_) return find(utf8, utf8 + bytes, exact_) != nullptr;
    if (!core_.isEmpty() && !anchored(utf8, bytes)) return false;

    // UTF-8 to UTF-16 into the kept buffer. A byte that starts no well-formed character (a
    // stray or missing continuation, an overlong form, a surrogate, beyond U+10FFFF) reads as
    // one replacement character, and the reading goes on at the next byte.
    if (buffer_.size() < size_t(bytes)) buffer_.resize(size_t(bytes));
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    char16_t* out = buffer_.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < bytes;) {
        const unsigned b = s[i];
        if (b < 0x80) {
            out[n++] = static_cast<char16_t>(b);
            ++i;
            continue;
        }
        int more = 0;
        char32_t cp = 0, least = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            more = 1;
            cp = b & 0x1F;
            least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            cp = b & 0x0F;
            least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            cp = b & 0x07;
            least = 0x10000;
        }
        bool ok = more > 0 && i + more < bytes;
        for (int k = 1; ok && k <= more; ++k) {
            const unsigned c = s[i + k];
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok || cp < least || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            out[n++] = 0xFFFD;
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out[n++] = QChar::highSurrogate(cp);
            out[n++] = QChar::lowSurrogate(cp);
        } else {
            out[n++] = static_cast<char16_t>(cp);
        }
        i += more + 1;
    }
    if (caseMode_ == 1) return QStringView(out, n).contains(prepared_, Qt::CaseSensitive);
    bool rest = false;
    const qsizetype k = foldUnits(out, n, out, &rest);
    if (rest) return QString(reinterpret_cast<const QChar*>(out), k).toLower().contains(prepared_, Qt::CaseSensitive);
    return QStringView(out, k).contains(prepared_, Qt::CaseSensitive);
}

}  // namespace text
