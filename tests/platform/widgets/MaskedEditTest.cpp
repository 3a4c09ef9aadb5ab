#include <QApplication>
#include <QFocusEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/text/TextUtil.h"
#include "platform/widgets/MaskedEdit.h"

namespace {

void focusIn(QWidget& w)
{
    QFocusEvent e(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&w, &e);
}

void focusOut(QWidget& w)
{
    QFocusEvent e(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&w, &e);
}

}  // namespace

TEST(MaskedEdit, DateMaskTypingAndRefusal)
{
    MaskedEdit e;
    e.setMask(QStringLiteral("####/##/##"));
    EXPECT_EQ(e.mask(), QStringLiteral("####/##/##"));
    EXPECT_EQ(e.text(), QStringLiteral("____/__/__"));
    EXPECT_EQ(e.clipText(), QString());
    EXPECT_FALSE(text::IsDate(e.text()));

    QSignalSpy invalid(&e, &MaskedEdit::validationError);
    focusIn(e);
    e.setCursorPosition(0);
    QTest::keyClicks(&e, QStringLiteral("2024"));
    QTest::keyClicks(&e, QStringLiteral("x"));  // a letter where a digit belongs
    ASSERT_EQ(invalid.count(), 1);
    EXPECT_EQ(invalid.first().at(0).toString(), QStringLiteral("2024/x_/__"));
    EXPECT_EQ(e.text(), QStringLiteral("2024/__/__"));  // refused, nothing changed

    QTest::keyClicks(&e, QStringLiteral("0105"));
    EXPECT_EQ(e.text(), QStringLiteral("2024/01/05"));
    EXPECT_EQ(e.clipText(), QStringLiteral("20240105"));
    EXPECT_EQ(text::parseDate(e.text()), QDate(2024, 1, 5));
    QTest::keyClicks(&e, QStringLiteral("9"));  // past the end: ignored, not an error
    EXPECT_EQ(invalid.count(), 1);
    EXPECT_EQ(e.text(), QStringLiteral("2024/01/05"));

    // A separator typed where it belongs moves past it.
    e.setText(QString());
    e.setCursorPosition(0);
    QTest::keyClicks(&e, QStringLiteral("1999/12/31"));
    EXPECT_EQ(invalid.count(), 1);
    EXPECT_EQ(e.text(), QStringLiteral("1999/12/31"));
    focusOut(e);
    EXPECT_EQ(e.text(), QStringLiteral("1999/12/31"));

    e.setText(QStringLiteral("2023/02/28"));
    EXPECT_EQ(e.text(), QStringLiteral("2023/02/28"));

    // Without a mask anything goes and nothing is reported.
    e.setMask(QString());
    EXPECT_EQ(e.text(), QString());
    QTest::keyClicks(&e, QStringLiteral("abc/1"));
    EXPECT_EQ(e.text(), QStringLiteral("abc/1"));
    EXPECT_EQ(invalid.count(), 1);
}

TEST(MaskedEdit, AmountFormatShowsYenButTextStaysRaw)
{
    MaskedEdit e;
    QSignalSpy changed(&e, &QLineEdit::textChanged);
    e.setFormat(QStringLiteral("\\\\###,###,###,##0"));
    e.setText(QStringLiteral("1234567"));
    EXPECT_EQ(e.displayText(), QStringLiteral("¥1,234,567"));
    EXPECT_EQ(e.text(), QStringLiteral("1234567"));
    e.setText(QStringLiteral("0"));
    EXPECT_EQ(e.displayText(), QStringLiteral("¥0"));
    EXPECT_EQ(e.text(), QStringLiteral("0"));
    e.setText(QStringLiteral("abc"));  // not a number: shown as it is
    EXPECT_EQ(e.displayText(), QStringLiteral("abc"));
    e.setText(QString());
    EXPECT_EQ(e.displayText(), QString());

    e.setFormat(QStringLiteral("\\###,###,###,###"));  // one backslash works too
    e.setText(QStringLiteral("0"));
    EXPECT_EQ(e.displayText(), QStringLiteral("¥"));
    e.setText(QStringLiteral("¥1,234"));  // an amount as a list shows it
    EXPECT_EQ(e.displayText(), QStringLiteral("¥1,234"));
    EXPECT_EQ(e.text(), QStringLiteral("¥1,234"));

    // Editing shows the raw value; leaving the box shows the format again.
    e.setText(QStringLiteral("1234"));
    const int changes = changed.count();
    focusIn(e);
    EXPECT_EQ(e.displayText(), QStringLiteral("1234"));
    e.end(false);
    QTest::keyClicks(&e, QStringLiteral("5"));
    focusOut(e);
    EXPECT_EQ(e.displayText(), QStringLiteral("¥12,345"));
    EXPECT_EQ(e.text(), QStringLiteral("12345"));
    // Only the typed key changed the value; the display swaps did not.
    EXPECT_EQ(changed.count(), changes + 1);
    EXPECT_EQ(changed.last().at(0).toString(), QStringLiteral("12345"));
    e.setText(QStringLiteral("12345"));  // the same value again: no change
    EXPECT_EQ(changed.count(), changes + 1);

    // A format does not apply to a masked box.
    e.setMask(QStringLiteral("####/##/##"));
    e.setText(QStringLiteral("20240105"));
    EXPECT_EQ(e.displayText(), QStringLiteral("2024/01/05"));
}

TEST(MaskedEdit, MaxLength)
{
    MaskedEdit e;
    e.setMaxLength(3);
    QTest::keyClicks(&e, QStringLiteral("ABCDE"));
    EXPECT_EQ(e.text(), QStringLiteral("ABC"));
    e.setMaxLength(0);  // no limit
    QTest::keyClicks(&e, QString(100, QLatin1Char('x')));
    EXPECT_EQ(e.text().size(), 103);
}
