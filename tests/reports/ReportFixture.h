#pragma once
// Helpers shared by the tests of the management reports.
#include "Builders.h"
#include "TestApp.h"
#include "platform/db/Database.h"
#include "platform/widgets/ReportListView.h"
#include "platform/widgets/Twips.h"

#include <QFontMetrics>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace report {

using Rows = std::vector<QStringList>;

inline Rows rows(const ReportListView& list)
{
    Rows out;
    for (int r = 0; r < list.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < list.columnCount(); ++c) cells << list.text(r, c);
        out.push_back(cells);
    }
    return out;
}

inline QStringList headers(const ReportListView& list)
{
    QStringList out;
    for (int c = 0; c < list.columnCount(); ++c) out << list.columnCaption(c);
    return out;
}

// A text's width in twips in the window's font at 10 points, as the headers are measured.
inline int measured(const QWidget& w, const QString& text)
{
    QFont f = w.font();
    f.setPointSizeF(10);
    return pixelsToTwipsX(w, QFontMetrics(f, &w).horizontalAdvance(text));
}

// Many rows at once: one opening of the table and one transaction. Each row is the field
// texts (a null QString leaves the cell Null) followed by the key numbers.
inline void addRows(TestApp& t, const QString& table, const std::vector<QStringList>& values,
                    const std::vector<std::vector<int>>& keys)
{
    Database db = t.db();
    Database::Transaction tx(db);
    Recordset rs = db.openTable(table);
    for (size_t i = 0; i < values.size(); ++i) {
        rs.addNew();
        const QStringList& v = values[i];
        for (int c = 0; c < v.size(); ++c)
            if (!v[c].isNull()) rs.setField(c, v[c]);
        for (size_t k = 0; k < keys[i].size(); ++k) rs.setValue(static_cast<int>(v.size() + k), Value::integer(keys[i][k]));
        rs.update();
    }
    tx.commit();
}

inline void progressOn(TestApp& t) { build::setReadProgress(t.app, true); }

}  // namespace report
