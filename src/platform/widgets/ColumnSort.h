#pragma once
#include <QStringList>
#include <Qt>
#include <vector>

// The order of a list's rows by one column, compared as the column's values are meant: a
// column whose filled cells are all numbers or amounts ("¥15,000") by value, one whose filled
// cells are all dates by date, any other by Japanese collation without regard to case or
// to full and half width. Empty cells come first in ascending order. Rows that compare equal
// keep their order.
namespace column_sort {

enum class Kind { Number, Date, Text };

Kind kindOf(const std::vector<QStringList>& rows, int col);

// The row indexes in their new order.
std::vector<int> order(const std::vector<QStringList>& rows, int col, Qt::SortOrder direction);

}  // namespace column_sort
