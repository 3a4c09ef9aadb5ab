#pragma once
#include "core/ListRequest.h"
#include "Builders.h"
#include "TestApp.h"
#include "core/App.h"
#include "platform/db/Database.h"

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QStringList>

// A category "ＣＤ" (slot 0) whose main file has one field of each kind, three records and
// a code table for its code field; the list opens it in the given mode.
struct CdCategory {
    explicit CdCategory(TestApp& t) : app(t.app)
    {
        build::nameCategory(app, 0, QStringLiteral("ＣＤ"));
        build::createCodeTable(app, 1, QStringLiteral("分類"), 2);
        build::addCode(app, 1, QStringLiteral("PO"), QStringLiteral("ポップス"));
        build::defineMain(app, 0,
                          {{QStringLiteral("品名"), QStringLiteral("TEXT")},
                           {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                           {QStringLiteral("発売日"), QStringLiteral("DATE")},
                           {QStringLiteral("枚数"), QStringLiteral("LONG")},
                           {QStringLiteral("分類"), QStringLiteral("CODE1")}});
        build::addMainRow(app, 0, {QStringLiteral("ＡＢＣ"), "1234567", "2024/03/05", "10", "PO"}, 1);
        build::addMainRow(app, 0, {QStringLiteral("abc"), "0", "2023/12/31", "9", "ZZ"}, 2);
        build::addMainRow(app, 0, {QStringLiteral("Ｘｙｚ"), QString(), "2025/01/01", "100", QString()}, 3);
    }
    App& app;
};

// What the opener of a list asks it to show: the category and the mode.
inline ListRequest openAs(App&, int category, qint16 listMode)
{
    ListRequest shown;
    shown.category = static_cast<qint16>(category);
    shown.mode = listMode;
    return shown;
}

// The cells of one list row.
template <class List>
QStringList rowTexts(const List& list, int row)
{
    QStringList out;
    for (int c = 0; c < list.columnCount(); ++c) out << list.text(row, c);
    return out;
}
