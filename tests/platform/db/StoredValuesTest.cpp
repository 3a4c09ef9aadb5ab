#include "BackendTest.h"
#include "PgSession.h"
#include "TempProgramDir.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <QDate>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

// What a desk reads back is what was stored, at the ends of each column's range, on the file
// and on the server alike: read as values and as the list's raw cells, on the first reading
// and again through the kept statements.

namespace {

const QString kTable = QStringLiteral("EDGES");
const QString kCreate = QStringLiteral(
    "CREATE TABLE EDGES (小 SHORT, 整数 LONG, 金額 CURRENCY, 日付 DATE, 備考 TEXT, 区分 TEXT(4), "
    "番号 LONG CONSTRAINT EdgesKey PRIMARY KEY)");

constexpr qint64 kMostUnits = std::numeric_limits<qint64>::max();  // 922337203685477.5807

struct Row {
    Value small, whole, amount, day, note, code;
};

Value units(qint64 u) { return Value::currency(u); }
Value day(int y, int m, int d) { return Value::date(QDate(y, m, d)); }
Value text(const char* utf8) { return Value::text(QString::fromUtf8(utf8)); }

std::vector<Row> edgeRows()
{
    return {
        {Value::integer(-32768), Value::integer(std::numeric_limits<qint32>::min()), units(-1), day(1900, 1, 1), text("x"),
         text("ａｂｃｄ")},
        {Value::integer(32767), Value::integer(std::numeric_limits<qint32>::max()), units(kMostUnits), day(9999, 12, 31),
         text("在庫管理 ﾀﾝｿﾞ 🎵 ①"), text("x")},
        {Value::integer(0), Value::integer(0), units(0), day(2000, 1, 1), text(""), text("0001")},
        {Value::integer(-1), Value::integer(-1), units(-12345678), day(2000, 2, 29), text("a'b\"c\\d;--"), text("ab")},
        {Value::integer(1), Value::integer(1), units(999999999999999), day(1999, 12, 31), text("  前後に空白  "), text("ｶﾅ")},
        {Value::integer(2), Value::integer(2), units(-kMostUnits), day(2024, 12, 31), text("改行\r\nの後"), text("z")},
        {Value::null(), Value::null(), Value::null(), Value::null(), Value::null(), Value::null()},
    };
}

void store(Database& db, const std::vector<Row>& rows)
{
    Recordset rs = db.openTable(kTable);
    int key = 0;
    for (const Row& r : rows) {
        rs.addNew();
        const Value cells[] = {r.small, r.whole, r.amount, r.day, r.note, r.code, Value::integer(++key)};
        for (int i = 0; i < 7; ++i) rs.setValue(i, cells[i]);
        rs.update();
    }
}

// The raw cell as the list reads it, told as one text: its kind and what it holds.
std::string rawText(const Recordset::RawCell& c)
{
    using Kind = Recordset::RawCell::Kind;
    switch (c.kind) {
    case Kind::Null: return "null";
    case Kind::Integer: return "integer " + std::to_string(c.integer);
    case Kind::Units: return "units " + std::to_string(c.integer);
    case Kind::IsoDate: return "date " + std::string(c.text, size_t(c.bytes));
    case Kind::Text: return "text " + std::string(c.text, size_t(c.bytes));
    case Kind::Other: return "other";
    }
    return "?";
}

std::string expectedRaw(const Value& v)
{
    switch (v.kind()) {
    case Value::Kind::Null: return "null";
    case Value::Kind::Integer: return "integer " + std::to_string(v.toInt());
    case Value::Kind::Currency: return "units " + std::to_string(v.currencyUnits());
    case Value::Kind::Date: return "date " + v.toDate().toString(Qt::ISODate).toStdString();
    case Value::Kind::Text: return "text " + v.toString().toStdString();
    }
    return "?";
}

// Every row of the table, read through a walk: each cell as a value and, on a second walk,
// as the raw cell the list packs.
void expectRowsRead(Database& db, const std::vector<Row>& rows, const char* reading)
{
    SCOPED_TRACE(reading);
    Recordset rs = db.openTable(kTable);
    size_t n = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++n) {
        ASSERT_LT(n, rows.size());
        const Row& r = rows[n];
        const Value cells[] = {r.small, r.whole, r.amount, r.day, r.note, r.code, Value::integer(qint64(n) + 1)};
        for (int i = 0; i < 7; ++i) {
            SCOPED_TRACE(testing::Message() << "row " << n + 1 << ", column " << i);
            EXPECT_EQ(rs.field(i).kind(), cells[i].kind());
            EXPECT_TRUE(rs.field(i) == cells[i]) << rs.field(i).toString().toStdString();
        }
    }
    EXPECT_EQ(n, rows.size());

    n = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++n) {
        const Row& r = rows[n];
        const Value cells[] = {r.small, r.whole, r.amount, r.day, r.note, r.code, Value::integer(qint64(n) + 1)};
        for (int i = 0; i < 7; ++i) EXPECT_EQ(rawText(rs.raw(i)), expectedRaw(cells[i])) << "row " << n + 1 << ", column " << i;
    }
}

}  // namespace

class StoredValuesTest : public BackendTest {};

TEST_P(StoredValuesTest, EveryColumnReadsBackItsStoredValuesAtTheEndsOfItsRange)
{
    TempProgramDir dir;
    Database db = Database::open(dir.databasePath());
    db.execute(kCreate);
    const std::vector<Row> rows = edgeRows();
    store(db, rows);

    expectRowsRead(db, rows, "first reading");
    expectRowsRead(db, rows, "second reading");
    {
        Database again = Database::openAlone(dir.databasePath());
        expectRowsRead(again, rows, "a connection of its own");
    }

    // One row found by its key, the last row, the count, and a number raised in its cell.
    Recordset found = db.openWhere(kTable, {{QStringLiteral("番号"), Value::integer(2)}});
    ASSERT_FALSE(found.eof());
    EXPECT_EQ(found.field(2).currencyUnits(), kMostUnits);
    EXPECT_EQ(found.field(3).toDate(), QDate(9999, 12, 31));
    Recordset all = db.openTable(kTable);
    all.moveLast();
    EXPECT_TRUE(all.field(0).isNull());
    EXPECT_EQ(all.recordCount(), 7);
    EXPECT_EQ(db.addToCell(kTable, 3, QStringLiteral("整数"), -5), -6);
}

// A whole number or a text too large for an amount is refused as too large; nothing is
// stored, and the largest whole amount still goes in.
TEST_P(StoredValuesTest, AnAmountBeyondTheColumnIsRefusedAsTooLarge)
{
    TempProgramDir dir;
    Database db = Database::open(dir.databasePath());
    db.execute(kCreate);
    for (const Value& tooLarge : {Value::integer(922337203685478), Value::integer(-922337203685478),
                                  Value::text(QStringLiteral("922337203685478"))}) {
        SCOPED_TRACE(tooLarge.toString().toStdString());
        Recordset rs = db.openTable(kTable);
        rs.addNew();
        try {
            rs.setValue(2, tooLarge);
            rs.setValue(6, Value::integer(1));
            rs.update();
            ADD_FAILURE() << "stored";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("オーバーフローしました。"))) << e.message().toStdString();
        }
    }
    EXPECT_EQ(db.openTable(kTable).recordCount(), 0);
    store(db, {{Value::null(), Value::null(), Value::integer(922337203685477), Value::null(), Value::null(), Value::null()}});
    EXPECT_EQ(db.openTable(kTable).field(2).currencyUnits(), qint64(922337203685477) * 10000);
}

TANZO_ON_BOTH_BACKENDS(StoredValuesTest);

// Amounts and dates another program put in the server's columns that this program never
// stores: an amount beyond what its units hold and a date without end.
TEST(StoredValuesServerOnly, AmountsBeyondTheUnitsHoldTheirSignAndEndlessDatesReadAsText)
{
    TempProgramDir dir;
    {
        Database db = Database::open(dir.databasePath());
        db.execute(kCreate);
        store(db, {{Value::integer(1), Value::integer(1), units(1), day(2000, 1, 1), text("a"), text("a")},
                   {Value::integer(2), Value::integer(2), units(2), day(2000, 1, 2), text("b"), text("b")},
                   {Value::integer(3), Value::integer(3), units(3), day(2000, 1, 3), text("c"), text("c")}});
    }
    PgSession other(dir.serverConninfo());
    other.execute(QStringLiteral("UPDATE \"EDGES\" SET \"金額\" = 999999999999999.9999, \"日付\" = 'infinity' WHERE \"番号\" = 1"));
    other.execute(QStringLiteral("UPDATE \"EDGES\" SET \"金額\" = -999999999999999.9999, \"日付\" = '-infinity' WHERE \"番号\" = 2"));
    other.execute(QStringLiteral("UPDATE \"EDGES\" SET \"金額\" = -922337203685477.5808 WHERE \"番号\" = 3"));

    Database db = Database::open(dir.databasePath());
    Recordset rs = db.openTable(kTable);
    EXPECT_EQ(rs.field(2).currencyUnits(), kMostUnits);
    EXPECT_EQ(rs.field(3).kind(), Value::Kind::Text);
    EXPECT_EQ(rs.field(3).toString(), QStringLiteral("infinity"));
    rs.moveNext();
    EXPECT_EQ(rs.field(2).currencyUnits(), std::numeric_limits<qint64>::min());
    EXPECT_EQ(rs.field(3).toString(), QStringLiteral("-infinity"));
    rs.moveNext();
    EXPECT_EQ(rs.field(2).currencyUnits(), std::numeric_limits<qint64>::min());
}
