#include "BenchData.h"

#include "Builders.h"
#include "core/App.h"
#include "platform/db/Database.h"

#include <QDate>
#include <sqlite3.h>

namespace benchdata {

namespace {

std::vector<FieldDefinition> mainFields()
{
    return {{QStringLiteral("品名"), QStringLiteral("TEXT")},     {QStringLiteral("作者"), QStringLiteral("TEXT")},
            {QStringLiteral("数量"), QStringLiteral("LONG")},     {QStringLiteral("金額"), QStringLiteral("CURRENCY")},
            {QStringLiteral("購入日"), QStringLiteral("DATE")},   {QStringLiteral("区分"), QStringLiteral("CODE1")},
            {QStringLiteral("備考"), QStringLiteral("TEXT")},     {QStringLiteral("棚"), QStringLiteral("LONG")}};
}

}  // namespace

void defineMoreCategories(App& app)
{
    for (int k = 1; k < 6; ++k) {
        build::nameCategory(app, k, QStringLiteral("種目%1").arg(k + 1));
        build::defineMain(app, k, mainFields());
    }
}

void defineCategory(App& app)
{
    build::createCodeTable(app, 1, QStringLiteral("区分名"), 3);
    for (int i = 0; i < 50; ++i) build::addCode(app, 1, QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("区分%1").arg(i));
    build::nameCategory(app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(app, 0, mainFields());
    build::defineSub(app, 0,
                     {{QStringLiteral("曲名"), QStringLiteral("TEXT")},
                      {QStringLiteral("時間"), QStringLiteral("LONG")},
                      {QStringLiteral("録音日"), QStringLiteral("DATE")}});
}

namespace {

void run(sqlite3* db, const char* sql)
{
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

void saveLastNumber(App& app, int rows)
{
    CategoryDefinition row = app.cache.row(0);
    row.lastRegistrationNo = rows;
    app.cache.setRow(0, row);
}

// The generated main records: the same values for a file and a server.
struct MainRow {
    QByteArray name, artist, date, code, note;
    int count, shelf;
    qint64 units;
};

MainRow mainRow(int i)
{
    return {QStringLiteral("アルバム第%1番 ライブ録音").arg(i).toUtf8(),
            QStringLiteral("演奏者%1").arg(i % 977).toUtf8(),
            QStringLiteral("20%1-%2-%3").arg(10 + i % 15).arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(1 + i % 28, 2, 10, QLatin1Char('0')).toUtf8(),
            QStringLiteral("%1").arg(i % 50, 3, 10, QLatin1Char('0')).toUtf8(),
            QStringLiteral("備考 %1").arg(i * 7).toUtf8(),
            i % 100,
            i % 40,
            static_cast<qint64>(i % 5000) * 10000 * 3};
}

// On a server the rows go through the engine's inserter in one transaction.
void fillMainThroughEngine(App& app, int rows)
{
    Database db = app.openDatabase();
    Database::Transaction t(db);
    RowInserter in = db.inserter(QStringLiteral("SHUMOKU1"));
    for (int i = 1; i <= rows; ++i) {
        const MainRow r = mainRow(i);
        in.insert({Value::text(QString::fromUtf8(r.name)), Value::text(QString::fromUtf8(r.artist)), Value::integer(r.count),
                   Value::currency(r.units), Value::date(QDate::fromString(QString::fromLatin1(r.date), Qt::ISODate)),
                   Value::text(QString::fromLatin1(r.code)), Value::text(QString::fromUtf8(r.note)), Value::integer(r.shelf),
                   Value::integer(i)});
    }
    t.commit();
}

}  // namespace

void fillMain(App& app, int rows)
{
    if (Database::isServerLocation(app.databasePath())) {
        fillMainThroughEngine(app, rows);
        return saveLastNumber(app, rows);
    }
    sqlite3* db = nullptr;
    sqlite3_open(app.databasePath().toUtf8().constData(), &db);
    run(db, "BEGIN");
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO SHUMOKU1 VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9)", -1, &s, nullptr);
    for (int i = 1; i <= rows; ++i) {
        const MainRow r = mainRow(i);
        sqlite3_bind_text(s, 1, r.name.constData(), r.name.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 2, r.artist.constData(), r.artist.size(), SQLITE_TRANSIENT);
        sqlite3_bind_int(s, 3, r.count);
        sqlite3_bind_int64(s, 4, r.units);
        sqlite3_bind_text(s, 5, r.date.constData(), r.date.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 6, r.code.constData(), r.code.size(), SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 7, r.note.constData(), r.note.size(), SQLITE_TRANSIENT);
        sqlite3_bind_int(s, 8, r.shelf);
        sqlite3_bind_int(s, 9, i);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    run(db, "COMMIT");
    sqlite3_close(db);
    saveLastNumber(app, rows);
}

void fillSub(App& app, int rows, int focus, int perMain)
{
    sqlite3* db = nullptr;
    sqlite3_open(app.databasePath().toUtf8().constData(), &db);
    run(db, "BEGIN");
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO SHUMOKU1SUB VALUES (?1,?2,?3,?4,?5)", -1, &s, nullptr);
    for (int i = 0; i < rows; ++i) {
        // Every rows/perMain-th row belongs to the focused record, the others elsewhere.
        const bool mine = i % (rows / perMain) == 0;
        const int reg = mine ? focus : 1 + (i % 997);
        const QByteArray title = QStringLiteral("曲%1").arg(i).toUtf8();
        sqlite3_bind_text(s, 1, title.constData(), title.size(), SQLITE_TRANSIENT);
        sqlite3_bind_int(s, 2, 180 + i % 200);
        sqlite3_bind_text(s, 3, "2020-05-05", -1, SQLITE_STATIC);
        sqlite3_bind_int(s, 4, reg);
        sqlite3_bind_int(s, 5, i + 1);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    run(db, "COMMIT");
    sqlite3_close(db);
}

}  // namespace benchdata
