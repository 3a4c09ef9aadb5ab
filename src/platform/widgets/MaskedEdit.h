#pragma once
// Edit box with an optional input mask, an optional display format and an invalid-input
// signal.
//
// Mask. "" is no mask. Mask characters: '#' and '9' a digit, '?' a letter, 'A' and 'a' a
// letter or digit, '&' and 'C' any character, '>' and '<' upper/lower case for what
// follows, '\' makes the next character a literal; every other character is a literal
// (so "####/##/##" is a date box). Empty positions show the placeholder '_'.
// A character typed where it does not fit (a letter in a '#' position) is refused and
// validationError() is emitted with the box's text as it would have read with that
// character in place. A literal character typed moves past the next such literal (or is
// taken as already typed when the cursor has just passed it).
//
// text() of a masked box is always the full shown form, literals and placeholders
// included: "2024/01/05", "2024/01/__", and "____/__/__" for a box with nothing typed.
// clipText() gives only the typed characters ("20240105", "" when empty), which tells an
// empty box apart.
//
// Format. For the amount formats "\\###,###,###,##0" and "\\###,###,###,###" (the leading
// backslash or backslashes, or a yen sign, stand for the yen sign): while the box does
// not have the focus and its text is a number, it shows the amount with the yen sign,
// digits grouped in threes and no decimals; zero shows "¥0" with the first format and
// "¥" alone with the second. text() is always the value as typed or set, never the shown
// form. Other format strings are kept (format()) but do not change the display. A format
// has no effect on a masked box. Text put into the box another way (through a QLineEdit
// pointer, or by an assistive tool) while it shows the formatted form is its value.

#include <QLineEdit>
#include <QString>
#include <vector>

class MaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedEdit(QWidget* parent = nullptr);

    // These hide QWidget::setMask/mask (window shape), which an edit box never uses.
    void setMask(const QString& mask);
    QString mask() const { return m_mask; }

    void setFormat(const QString& format);
    QString format() const { return m_format; }

    // 0 or less means no limit.
    void setMaxLength(int length);

    // These hide QLineEdit::text/setText: call them through a MaskedEdit, since through a
    // QLineEdit pointer the shown (formatted) form would be read or replaced.
    QString text() const;
    void setText(const QString& text);
    QString clipText() const;

signals:
    void validationError(const QString& invalidText);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    enum class Slot { Digit, Letter, AlphaNumeric, Any, Literal };
    struct Position {
        Slot slot;
        QChar literal;
    };
    enum class FormatKind { None, YenWithZero, YenBlankZero };

    bool fits(QChar ch, Slot slot) const;
    int nextInputPosition(int from) const;
    bool literalAhead(QChar ch, int from) const;
    QString formatted(const QString& raw) const;
    void showRaw();
    void showFormatted();

    QString m_mask;
    std::vector<Position> m_positions;  // one per shown character of the mask
    QString m_format;
    FormatKind m_formatKind = FormatKind::None;
    QString m_raw;                   // the value while the formatted form is shown
    bool m_showingFormatted = false;
    bool m_editing = false;          // between focus in and focus out
};
