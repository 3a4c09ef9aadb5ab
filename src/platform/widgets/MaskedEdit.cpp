#include "platform/widgets/MaskedEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QSignalBlocker>

#include "platform/text/TextUtil.h"

namespace {

constexpr QChar kPlaceholder = u'_';

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

}  // namespace

MaskedEdit::MaskedEdit(QWidget* parent) : QLineEdit(parent)
{
    // The box's own changes of what it shows are made with its signals blocked. Any other
    // change of the text — QLineEdit::setText, an assistive tool writing into the box — is
    // the box's value from then on, so what is shown and what is read never differ. This
    // runs before any other listener, which therefore reads the new value.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_showingFormatted) return;
        m_showingFormatted = false;
        m_raw.clear();
    });
}

// ---- mask ----

void MaskedEdit::setMask(const QString& mask)
{
    showRaw();
    m_mask = mask;
    m_positions.clear();
    QString qtMask;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        QChar c = mask[i];
        switch (c.unicode()) {
        case u'#':
        case u'9':
            qtMask += u'0';
            m_positions.push_back({Slot::Digit, {}});
            continue;
        case u'?':
            qtMask += u'a';
            m_positions.push_back({Slot::Letter, {}});
            continue;
        case u'A':
        case u'a':
            qtMask += u'n';
            m_positions.push_back({Slot::AlphaNumeric, {}});
            continue;
        case u'&':
        case u'C':
            qtMask += u'x';
            m_positions.push_back({Slot::Any, {}});
            continue;
        case u'>':
        case u'<':
            qtMask += c;
            continue;
        case u'\\':
            if (i + 1 < mask.size())
                c = mask[++i];
            break;
        default:
            break;
        }
        qtMask += u'\\';
        qtMask += c;
        m_positions.push_back({Slot::Literal, c});
    }
    QLineEdit::setInputMask(mask.isEmpty() ? QString() : qtMask + u';' + kPlaceholder);
    // Typed characters must arrive as key presses so that each one is checked.
    setAttribute(Qt::WA_InputMethodEnabled, mask.isEmpty());
    if (!m_editing)
        showFormatted();
}

bool MaskedEdit::fits(QChar ch, Slot slot) const
{
    switch (slot) {
    case Slot::Digit:
        return isAsciiDigit(ch);
    case Slot::Letter:
        return isAsciiLetter(ch);
    case Slot::AlphaNumeric:
        return isAsciiLetter(ch) || isAsciiDigit(ch);
    case Slot::Any:
        return ch.isPrint() && ch != kPlaceholder;
    case Slot::Literal:
        return false;
    }
    return false;
}

int MaskedEdit::nextInputPosition(int from) const
{
    for (int p = std::max(0, from); p < int(m_positions.size()); ++p)
        if (m_positions[size_t(p)].slot != Slot::Literal)
            return p;
    return -1;
}

bool MaskedEdit::literalAhead(QChar ch, int from) const
{
    // The literal just passed counts too: the box skips separators by itself, so a user
    // who types "2024/" finds the cursor already beyond the '/'.
    for (int p = std::max(0, from - 1); p < int(m_positions.size()); ++p)
        if (m_positions[size_t(p)].slot == Slot::Literal && m_positions[size_t(p)].literal == ch)
            return true;
    return false;
}

QString MaskedEdit::clipText() const
{
    if (m_positions.empty())
        return text();
    const QString shown = QLineEdit::displayText();
    QString typed;
    for (qsizetype p = 0; p < shown.size() && p < qsizetype(m_positions.size()); ++p)
        if (m_positions[size_t(p)].slot != Slot::Literal && shown[p] != kPlaceholder)
            typed += shown[p];
    return typed;
}

void MaskedEdit::keyPressEvent(QKeyEvent* event)
{
    // Keys reach only the box being edited: make sure it shows the value, not the format.
    if (!m_editing) {
        m_editing = true;
        showRaw();
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!m_positions.empty() && typed.size() == 1 && typed[0].isPrint() && !command) {
        const QChar ch = typed[0];
        const int from = hasSelectedText() ? selectionStart() : cursorPosition();
        const int p = nextInputPosition(from);
        if (p >= 0 && !fits(ch, m_positions[size_t(p)].slot) && !literalAhead(ch, from)) {
            QString shown = QLineEdit::displayText();
            if (p < shown.size())
                shown[p] = ch;
            event->accept();
            emit validationError(shown);
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

// ---- format ----

void MaskedEdit::setFormat(const QString& format)
{
    showRaw();
    m_format = format;
    qsizetype i = 0;
    while (i < format.size() && (format[i] == u'\\' || format[i] == QChar(0x00A5) || format[i] == QChar(0xFFE5)))
        ++i;
    const QString body = format.mid(i);
    m_formatKind = FormatKind::None;
    if (i > 0 && body == QLatin1String("###,###,###,##0"))
        m_formatKind = FormatKind::YenWithZero;
    else if (i > 0 && body == QLatin1String("###,###,###,###"))
        m_formatKind = FormatKind::YenBlankZero;
    if (!m_editing)
        showFormatted();
}

QString MaskedEdit::formatted(const QString& raw) const
{
    if (text::isBlank(raw))
        return {};
    const std::optional<text::ParsedAmount> amount = text::parseAmount(raw);
    if (!amount || !amount->fits)
        return {};
    const qint64 units = amount->units;
    return m_formatKind == FormatKind::YenWithZero ? text::formatYenWithZero(units)
                                                   : text::formatYenList(units);
}

void MaskedEdit::showRaw()
{
    if (!m_showingFormatted)
        return;
    m_showingFormatted = false;
    const QSignalBlocker quiet(this);
    QLineEdit::setText(m_raw);
}

void MaskedEdit::showFormatted()
{
    if (m_showingFormatted || m_formatKind == FormatKind::None || !m_positions.empty())
        return;
    const QString raw = QLineEdit::text();
    const QString shown = formatted(raw);
    if (shown.isNull() || shown == raw || shown.size() > maxLength())
        return;
    m_raw = raw;
    m_showingFormatted = true;
    const QSignalBlocker quiet(this);
    QLineEdit::setText(shown);
}

void MaskedEdit::focusInEvent(QFocusEvent* event)
{
    m_editing = true;
    showRaw();
    QLineEdit::focusInEvent(event);
}

void MaskedEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;  // a context menu: still editing
    m_editing = false;
    showFormatted();
}

// ---- text ----

QString MaskedEdit::text() const
{
    if (m_showingFormatted)
        return m_raw;
    if (!m_positions.empty())
        return QLineEdit::displayText();
    return QLineEdit::text();
}

void MaskedEdit::setText(const QString& value)
{
    if (m_showingFormatted) {
        if (value == m_raw)
            return;
        showRaw();
    }
    QLineEdit::setText(value);
    if (!m_editing)
        showFormatted();
}

void MaskedEdit::setMaxLength(int length)
{
    showRaw();
    QLineEdit::setMaxLength(length <= 0 ? 32767 : length);
    if (!m_editing)
        showFormatted();
}
