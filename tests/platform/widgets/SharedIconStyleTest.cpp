#include "platform/widgets/SharedIconStyle.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>
#include <gtest/gtest.h>

// Windows made one after another get the style's icons read once: two tool bars get the same
// icon, and an arrow keeps the direction it is asked for.
TEST(SharedIconStyle, IsInstalledOnceAndHandsOutEachIconItReadAgain)
{
    QStyle* style = QApplication::style();
    ASSERT_NE(dynamic_cast<SharedIconStyle*>(style), nullptr);
    SharedIconStyle::install(*qApp);
    EXPECT_EQ(QApplication::style(), style);

    // Each tool bar asks with an option of its own.
    QToolBar first, second;
    QStyleOption fromFirst, fromSecond;
    fromFirst.initFrom(&first);
    fromSecond.initFrom(&second);
    const QIcon a = style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &fromFirst, &first);
    const QIcon b = style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &fromSecond, &second);
    EXPECT_FALSE(a.isNull());
    EXPECT_EQ(a.cacheKey(), b.cacheKey());

    // From right to left the forward arrow points the other way: an icon of its own.
    const qint64 forward = style->standardIcon(QStyle::SP_ArrowForward).cacheKey();
    QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    const qint64 backward = style->standardIcon(QStyle::SP_ArrowForward).cacheKey();
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    EXPECT_NE(forward, backward);
    EXPECT_EQ(style->standardIcon(QStyle::SP_ArrowForward).cacheKey(), forward);
    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    EXPECT_EQ(style->standardIcon(QStyle::SP_ArrowForward, &rightToLeft).cacheKey(), backward);
}
