#include <QFocusEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "platform/text/TextUtil.h"
#include "platform/widgets/ReportListView.h"

namespace {

using FindMode = ReportListView::FindMode;

QStringList column(const ReportListView& v, int col)
{
    QStringList out;
    for (int r = 0; r < v.rowCount(); ++r)
        out << v.text(r, col);
    return out;
}

// One column of item texts, as a list window fills it row by row.
void fill(ReportListView& v, const QStringList& items)
{
    for (const QString& t : items)
        v.addItem(t);
}

}  // namespace

TEST(ReportListView, HundredThousandRowsFillSortAndFind)
{
    ReportListView v;
    for (int c = 0; c < 9; ++c)
        v.addColumn(QStringLiteral("列%1").arg(c), 1350, c > 0);

    const int n = 100000;
    v.beginBulk();
    for (int i = 0; i < n; ++i) {
        const int key = int((qint64(i) * 7919) % n);  // a permutation of 0..n-1
        const int row = v.addItem(QStringLiteral("item%1").arg(key, 6, 10, QLatin1Char('0')));
        v.setSubItem(row, 1, QString::number(key));          // numbers shown as text
        v.setSubItem(row, 2, QString::number(i % 10));       // many equal keys
        v.setSubItem(row, 3, QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')));  // original order
        for (int c = 4; c < 9; ++c)
            v.setSubItem(row, c, QStringLiteral("r%1c%2").arg(i).arg(c));
    }
    v.endBulk();
    ASSERT_EQ(v.rowCount(), n);
    ASSERT_EQ(v.model()->rowCount(), n);  // the view was told of every row
    EXPECT_EQ(v.model()->data(v.model()->index(n - 1, 8)).toString(), QStringLiteral("r99999c8"));

    v.setSortKey(1);
    v.setSorted(true);
    const QStringList numbers = column(v, 1);
    for (int r = 0; r < n; ++r)
        ASSERT_EQ(numbers[r], QString::number(r)) << "row " << r;  // by value
    // Rows moved whole: the item text still belongs to its number.
    EXPECT_EQ(v.text(10, 0), QStringLiteral("item000010"));

    // Stable: rows with equal keys keep their previous order, both ways.
    for (Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        v.setSorted(false);
        v.setSortKey(3);
        v.setSortOrder(Qt::AscendingOrder);
        v.setSorted(true);  // back to the order of filling
        v.setSorted(false);
        v.setSortOrder(order);
        v.setSortKey(2);
        v.setSorted(true);
        const QStringList keys = column(v, 2), original = column(v, 3);
        for (int r = 1; r < n; ++r) {
            const int cmp = keys[r - 1].compare(keys[r]);
            ASSERT_TRUE(order == Qt::AscendingOrder ? cmp <= 0 : cmp >= 0) << "row " << r;
            if (cmp == 0) {
                ASSERT_LT(original[r - 1], original[r]) << "row " << r;
            }
        }
    }

    // Find works on the list order as shown.
    const int whole = v.findItem(QStringLiteral("item012345"));
    ASSERT_GE(whole, 0);
    EXPECT_EQ(v.text(whole, 1), QStringLiteral("12345"));
    const int leading = v.findItem(QStringLiteral("ITEM09999"), FindMode::LeadingText);
    ASSERT_GE(leading, 0);
    for (int r = 0; r < leading; ++r)
        ASSERT_FALSE(v.text(r, 0).startsWith(QStringLiteral("item09999"))) << "row " << r;
    const int sub = v.findItem(QStringLiteral("r77777c6"), FindMode::WholeText, true);
    ASSERT_GE(sub, 0);
    EXPECT_EQ(v.text(sub, 3), QStringLiteral("077777"));
    EXPECT_EQ(v.findItem(QStringLiteral("item1000000")), -1);
}

TEST(ReportListView, SortsByTheColumnsValuesAndKeepsTheSelection)
{
    ReportListView v;
    v.addColumn(QStringLiteral("金額"), 1900, true);
    fill(v, {QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("¥1,000"), QStringLiteral("¥100,000"),
             QStringLiteral("¥15,000"), QStringLiteral("1,000"), QStringLiteral("¥"), QString()});
    v.setSelectedIndex(1);  // "10"

    // The order is only set: nothing moves until sorting is switched on.
    v.setSortOrder(Qt::DescendingOrder);
    EXPECT_EQ(v.text(0, 0), QStringLiteral("9"));

    v.setSortOrder(Qt::AscendingOrder);
    v.setSortKey(0);
    v.setSorted(true);
    // Amounts by value, the empty cell first, equal amounts in their former order.
    const QStringList ascending = {QString(), QStringLiteral("¥"), QStringLiteral("9"), QStringLiteral("10"),
                                   QStringLiteral("¥1,000"), QStringLiteral("1,000"), QStringLiteral("¥15,000"),
                                   QStringLiteral("¥100,000")};
    EXPECT_EQ(column(v, 0), ascending);
    EXPECT_EQ(v.selectedIndex(), 3);
    EXPECT_EQ(v.text(v.selectedIndex(), 0), QStringLiteral("10"));

    // Changing the order of a sorted list sorts it again at once, the empty cell last.
    v.setSortOrder(Qt::DescendingOrder);
    EXPECT_EQ(column(v, 0).first(), QStringLiteral("¥100,000"));
    EXPECT_EQ(column(v, 0).last(), QString());
    EXPECT_EQ(v.text(v.selectedIndex(), 0), QStringLiteral("10"));

    // Rows added while sorted stay where they are added until sorting is applied again.
    v.addItem(QStringLiteral("¥20,000"));
    EXPECT_EQ(v.text(v.rowCount() - 1, 0), QStringLiteral("¥20,000"));
    v.setSorted(true);
    EXPECT_EQ(v.text(1, 0), QStringLiteral("¥20,000"));
    EXPECT_EQ(v.text(v.rowCount() - 1, 0), QString());
}

TEST(ReportListView, ColumnsItemsAndFind)
{
    ReportListView v;
    v.addColumn(QStringLiteral("名前"), 3500, true);  // the first column never shows right-aligned
    v.addColumn(QStringLiteral("数量"), 1900, true);
    v.addColumn(QStringLiteral("登録ＮＯ"), 1350, false);
    ASSERT_EQ(v.columnCount(), 3);
    EXPECT_EQ(v.columnCaption(2), QStringLiteral("登録ＮＯ"));
    EXPECT_EQ(v.columnWidthTwips(1), 1900);
    EXPECT_EQ(v.columnWidth(0), text::twipsToPixels(3500, v.logicalDpiX()));
    EXPECT_FALSE(v.columnRightAligned(0));
    EXPECT_TRUE(v.columnRightAligned(1));
    const QAbstractItemModel* m = v.model();
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("数量"));

    // Rows added one by one are visible to the view at once.
    const int r0 = v.addItem(QStringLiteral("Alpha"));
    v.setSubItem(r0, 1, QStringLiteral("12"));
    v.setSubItem(r0, 2, QStringLiteral("1"));
    const int r1 = v.addItem(QStringLiteral("alphabet"));
    v.setSubItem(r1, 2, QStringLiteral("Alpha"));
    ASSERT_EQ(m->rowCount(), 2);
    EXPECT_EQ(m->data(m->index(0, 1)).toString(), QStringLiteral("12"));
    EXPECT_EQ(m->data(m->index(0, 1), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              int(Qt::AlignRight));
    EXPECT_EQ(m->data(m->index(0, 0), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              int(Qt::AlignLeft));
    EXPECT_EQ(v.text(r1, 1), QString());  // a sub-item never set reads empty
    EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsEditable);

    // First column: whole text or leading text, case not distinguished.
    EXPECT_EQ(v.findItem(QStringLiteral("ALPHA")), 0);
    EXPECT_EQ(v.findItem(QStringLiteral("alphab")), -1);
    EXPECT_EQ(v.findItem(QStringLiteral("alphab"), FindMode::LeadingText), 1);
    EXPECT_EQ(v.findItem(QStringLiteral("alp"), FindMode::LeadingText), 0);  // nearer the top wins
    // Sub-items: whole text only, the first column is not searched.
    EXPECT_EQ(v.findItem(QStringLiteral("alpha"), FindMode::WholeText, true), 1);
    EXPECT_EQ(v.findItem(QStringLiteral("1"), FindMode::WholeText, true), 0);
    EXPECT_EQ(v.findItem(QStringLiteral("Alph"), FindMode::LeadingText, true), -1);

    v.setHeadersVisible(false);
    EXPECT_FALSE(v.headersVisible());

    v.clearItems();
    EXPECT_EQ(v.rowCount(), 0);
    EXPECT_EQ(v.findItem(QString(), FindMode::LeadingText), -1);
    v.clearColumns();
    EXPECT_EQ(v.columnCount(), 0);
}

TEST(ReportListView, BulkRowsReachTheViewBeforeSelection)
{
    ReportListView v;
    v.addColumn(QStringLiteral("A"), 1000, false);
    v.addItem(QStringLiteral("first"));
    v.beginBulk();
    v.setSubItem(0, 0, QStringLiteral("changed"));
    for (int i = 0; i < 5; ++i)
        v.addItem(QString::number(i));
    EXPECT_EQ(v.rowCount(), 6);
    EXPECT_EQ(v.model()->rowCount(), 1);  // told only once, later
    v.setSelectedIndex(4);                // brings the view up to date first
    EXPECT_EQ(v.model()->rowCount(), 6);
    EXPECT_EQ(v.selectedIndex(), 4);
    v.endBulk();
    EXPECT_EQ(v.model()->data(v.model()->index(0, 0)).toString(), QStringLiteral("changed"));
}

TEST(ReportListView, UserSelectionSignalsAndFocus)
{
    ReportListView v;
    v.resize(400, 300);
    v.addColumn(QStringLiteral("A"), 1500, false);
    v.addColumn(QStringLiteral("B"), 1500, true);
    v.addColumn(QStringLiteral("C"), 6000, false);  // wider than the view
    for (int i = 0; i < 50; ++i)
        v.setSubItem(v.addItem(QStringLiteral("row%1").arg(i)), 1, QString::number(i));
    v.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));

    QSignalSpy clicked(&v, &ReportListView::itemClicked);
    QSignalSpy columns(&v, &ReportListView::columnClicked);
    QSignalSpy lost(&v, &ReportListView::lostFocus);

    v.setSelectedIndex(1);  // by program: no signal
    EXPECT_EQ(clicked.count(), 0);

    const QRect cell = v.visualRect(v.model()->index(3, 1));
    QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.takeFirst().at(0).toInt(), 3);
    EXPECT_EQ(v.selectedIndex(), 3);

    QTest::keyClick(&v, Qt::Key_Down);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.takeFirst().at(0).toInt(), 4);
    EXPECT_EQ(v.selectedIndex(), 4);
    QTest::keyClick(&v, Qt::Key_Up);
    QTest::keyClick(&v, Qt::Key_Up);
    EXPECT_EQ(clicked.count(), 2);
    EXPECT_EQ(v.selectedIndex(), 2);
    // Home and End go to the first and the last row, each a choice of that row; the list does
    // not scroll sideways to the last column.
    clicked.clear();
    QTest::keyClick(&v, Qt::Key_End);
    EXPECT_EQ(v.selectedIndex(), 49);
    EXPECT_EQ(v.horizontalScrollBar()->value(), 0);
    QTest::keyClick(&v, Qt::Key_Home);
    EXPECT_EQ(v.selectedIndex(), 0);
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 49);
    EXPECT_EQ(clicked.at(1).at(0).toInt(), 0);

    const QHeaderView* h = v.horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(1) + 5, h->height() / 2));
    ASSERT_EQ(columns.count(), 1);
    EXPECT_EQ(columns.first().at(0).toInt(), 1);

    v.ensureVisible(49);
    EXPECT_TRUE(v.viewport()->rect().intersects(v.visualRect(v.model()->index(49, 0))));

    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&v, &popup);
    EXPECT_EQ(lost.count(), 0);
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&v, &tab);
    EXPECT_EQ(lost.count(), 1);

    v.clearSelection();
    EXPECT_EQ(v.selectedIndex(), -1);
    v.setSelectedIndex(7);
    v.setSelectedIndex(-1);
    EXPECT_EQ(v.selectedIndex(), -1);
}
