#pragma once
#include "platform/widgets/ReportListView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QtTest/QTest>
#include <algorithm>
#include <gtest/gtest.h>

// What a person does with the controls that take more than a click: each goes through the
// control's own events, so the window's wiring runs as it does on the screen.
namespace person {

// Opens the drop-down list of a box and picks entry `index` with the Enter key.
inline void choose(QComboBox* box, int index)
{
    ASSERT_TRUE(box);
    ASSERT_TRUE(box->isEnabled()) << box->objectName().toStdString() << " is disabled";
    ASSERT_TRUE(index >= 0 && index < box->count()) << box->objectName().toStdString() << ": no entry " << index;
    box->showPopup();
    QAbstractItemView* list = box->view();
    list->setCurrentIndex(box->model()->index(index, box->modelColumn(), box->rootModelIndex()));
    QTest::keyClick(list, Qt::Key_Return);
    box->hidePopup();
}

// Picks the entry of a box that reads `text`.
inline void choose(QComboBox* box, const QString& text)
{
    ASSERT_TRUE(box);
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << box->objectName().toStdString() << " has no entry " << text.toStdString();
    choose(box, i);
}

// Clicks row `row` of a list, in its first shown column, scrolled into view first.
inline void clickRow(ReportListView* list, int row)
{
    ASSERT_TRUE(list);
    ASSERT_TRUE(row >= 0 && row < list->rowCount()) << list->objectName().toStdString() << ": no row " << row;
    list->ensureVisible(row);
    int column = 0;
    while (column < list->columnCount() - 1 && (list->isColumnHidden(column) || list->columnWidth(column) == 0)) ++column;
    const QRect cell = list->visualRect(list->model()->index(row, column));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

// Clicks the heading of column `column` of a list. The headings are clicked where they stand
// on the screen: a window never shown is shown first, so they are laid out.
inline void clickHeading(ReportListView* list, int column)
{
    ASSERT_TRUE(list);
    if (!list->window()->isVisible()) list->window()->show();
    ASSERT_TRUE(list->isVisible()) << list->objectName().toStdString() << " is not on the screen";
    const QHeaderView* h = list->horizontalHeader();
    ASSERT_TRUE(column >= 0 && column < h->count()) << list->objectName().toStdString() << ": no column " << column;
    const QPoint at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, std::max(1, h->height() / 2));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
}

// Leaves a control for the next one with the Tab key: it loses the focus.
inline void leave(QWidget* control)
{
    ASSERT_TRUE(control);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(control, &out);
}

// Types `text` into a control a character at a time, Japanese included (what an input method
// hands over as each character is committed).
inline void type(QWidget* control, const QString& text)
{
    ASSERT_TRUE(control);
    for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

}  // namespace person
