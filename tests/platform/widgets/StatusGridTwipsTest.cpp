#include <QFontMetrics>
#include <QLabel>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "platform/text/TextUtil.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/StatusBar3.h"
#include "platform/widgets/Twips.h"

TEST(StatusBar3, ThreePanelsAndRoomForProgress)
{
    StatusBar3 bar;
    bar.setPanelText(1, QStringLiteral("種目別の全てのレコードを表示"));
    bar.setPanelText(2, QStringLiteral("レコード順／総数　　1 / 3"));
    const QString progress = QStringLiteral("ファイル読込中　") + QString(10, QChar(0x25A0)) + QString(15, QChar(0x25A1));
    bar.setPanelText(3, progress);
    EXPECT_EQ(bar.panelText(1), QStringLiteral("種目別の全てのレコードを表示"));
    EXPECT_EQ(bar.panelText(2), QStringLiteral("レコード順／総数　　1 / 3"));
    EXPECT_EQ(bar.panelText(3), progress);

    bar.setPanelText(0, QStringLiteral("x"));  // no such panel
    bar.setPanelText(4, QStringLiteral("x"));
    EXPECT_EQ(bar.panelText(4), QString());
    EXPECT_EQ(bar.panelText(1), QStringLiteral("種目別の全てのレコードを表示"));

    bar.setPanelText(3, QString());
    EXPECT_EQ(bar.panelText(3), QString());
    const QLabel* p3 = bar.panel(3);
    ASSERT_NE(p3, nullptr);
    EXPECT_GE(p3->minimumWidth(), QFontMetrics(p3->font()).horizontalAdvance(progress));
}

TEST(DataGrid, ShowsRowsReadOnlyAndTracksTheCurrentRow)
{
    DataGrid g;
    QSignalSpy current(&g, &DataGrid::currentRowChanged);
    g.setColumns({QStringLiteral("コード"), QStringLiteral("CODE1")});
    EXPECT_EQ(g.currentRow(), -1);

    g.setRows({{QStringLiteral("001"), QStringLiteral("赤")},
               {QStringLiteral("002"), QStringLiteral("青")},
               {QStringLiteral("003"), QStringLiteral("黄")}});
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.text(2, 1), QStringLiteral("黄"));
    EXPECT_EQ(g.currentRow(), 0);
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.takeFirst().at(0).toInt(), 0);
    EXPECT_FALSE(g.item(1, 1)->flags() & Qt::ItemIsEditable);
    EXPECT_EQ(g.editTriggers(), QAbstractItemView::NoEditTriggers);

    g.setCurrentRow(2);
    EXPECT_EQ(g.currentRow(), 2);
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.takeFirst().at(0).toInt(), 2);
    g.setCurrentRow(9);  // out of range: ignored
    EXPECT_EQ(g.currentRow(), 2);
    EXPECT_EQ(current.count(), 0);

    // Refilled with the same number of rows: the first is current again and announced.
    g.setRows({{QStringLiteral("004"), QStringLiteral("緑")}});
    EXPECT_EQ(g.currentRow(), 0);
    EXPECT_EQ(g.text(0, 0), QStringLiteral("004"));
    ASSERT_EQ(current.count(), 1);
    g.setRows({});
    EXPECT_EQ(g.currentRow(), -1);
    EXPECT_EQ(current.last().at(0).toInt(), -1);
}

TEST(Twips, GeometryFollowsTheLogicalDpi)
{
    QWidget w;
    const int dx = w.logicalDpiX(), dy = w.logicalDpiY();
    setGeometryTwips(w, 1440, 720, 2880, 4321);
    EXPECT_EQ(w.geometry(), QRect(dx, text::twipsToPixels(720, dy), 2 * dx, text::twipsToPixels(4321, dy)));
    setWidthTwips(w, 5295);
    EXPECT_EQ(w.width(), text::twipsToPixels(5295, dx));
    EXPECT_EQ(w.height(), text::twipsToPixels(4321, dy));
    moveTwips(w, 0, 1440);
    EXPECT_EQ(w.pos(), QPoint(0, dy));
    EXPECT_EQ(topTwips(w), 1440);
    const int wide = textWidthTwips(w, QStringLiteral("ＷＷＷＷ"));
    EXPECT_EQ(wide, text::pixelsToTwips(w.fontMetrics().horizontalAdvance(QStringLiteral("ＷＷＷＷ")), dx));
    EXPECT_GT(wide, textWidthTwips(w, QStringLiteral("W")));
}
