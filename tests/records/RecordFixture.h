#pragma once
// Categories the editor and search tests work on, and reading rows back through the engine.
#include "Builders.h"
#include "TestApp.h"
#include "core/App.h"
#include "platform/db/Database.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace fixture {

// Field order of category 0 ("ＣＤ"): one field of each type.
enum { Name, Count, Price, Bought, Genre };

// Category 0 "ＣＤ": 品名 TEXT, 枚数 LONG, 価格 CURRENCY, 購入日 DATE, ジャンル CODE1, with code
// table 1 (length 3) holding A01 ロック and B02 ジャズ. When withSub, a sub file of the same
// five fields. Category 1 "ＤＶＤ": メモ TEXT1D, 備考 TEXT1C, 感想 TEXT, 分類 CODE2, with code
// table 2 (length 2) holding X1 映画.
inline void makeCategories(TestApp& t, bool withSub = false)
{
    App& app = t.app;
    build::createCodeTable(app, 1, QStringLiteral("ジャンル"), 3);
    build::addCode(app, 1, QStringLiteral("A01"), QStringLiteral("ロック"));
    build::addCode(app, 1, QStringLiteral("B02"), QStringLiteral("ジャズ"));
    build::createCodeTable(app, 2, QStringLiteral("分類表"), 2);
    build::addCode(app, 2, QStringLiteral("X1"), QStringLiteral("映画"));
    const std::vector<FieldDefinition> cd = {{QStringLiteral("品名"), QStringLiteral("TEXT")},
                                             {QStringLiteral("枚数"), QStringLiteral("LONG")},
                                             {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                                             {QStringLiteral("購入日"), QStringLiteral("DATE")},
                                             {QStringLiteral("ジャンル"), QStringLiteral("CODE1")}};
    build::nameCategory(app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(app, 0, cd);
    if (withSub) build::defineSub(app, 0, cd);
    build::nameCategory(app, 1, QStringLiteral("ＤＶＤ"));
    build::defineMain(app, 1, {{QStringLiteral("メモ"), QStringLiteral("TEXT1D")},
                               {QStringLiteral("備考"), QStringLiteral("TEXT1C")},
                               {QStringLiteral("感想"), QStringLiteral("TEXT")},
                               {QStringLiteral("分類"), QStringLiteral("CODE2")}});
}

// Every row of a table, each cell as the engine gives it as text.
inline QVector<QStringList> rows(TestApp& t, const QString& table)
{
    QVector<QStringList> out;
    Database db = t.db();
    for (Recordset rs = db.openTable(table); !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (int i = 0; i < rs.fieldCount(); ++i) cells << rs.field(i).toString();
        out << cells;
    }
    return out;
}

}  // namespace fixture
