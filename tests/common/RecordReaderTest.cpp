#include "BackendTest.h"
#include "../lists/ListFixture.h"
#include "OtherDesk.h"
#include "core/FieldDisplay.h"
#include "common/RecordReader.h"
#include "platform/db/DbError.h"
#include "platform/widgets/ReportListModel.h"

#include <gtest/gtest.h>

namespace {

const QString kFull(QChar(0x25A0));
const QString kEmpty(QChar(0x25A1));

// Fills the main file of category 1 with n records of one text field.
void fill(App& app, int n)
{
    build::nameCategory(app, 1, QStringLiteral("本"));
    build::defineMain(app, 1, {{QStringLiteral("書名"), QStringLiteral("TEXT")}});
    for (int i = 1; i <= n; ++i) build::addMainRow(app, 1, {QStringLiteral("本%1").arg(i)}, i);
}

QStringList readWithProgress(App& app, bool cells, ReportListModel& list)
{
    QStringList reported;
    RecordReader reader([&](const QString& s) { reported << s; }, cells);
    Database db = app.openDatabase();
    reader.read(db, {"SHUMOKU2", {{QStringLiteral("書名"), QStringLiteral("TEXT")}}, 1, {}, QString()}, list);
    return reported;
}

}  // namespace

class RecordReaderTest : public BackendTest {};

TEST_P(RecordReaderTest, ProgressFillsTwentyFiveCellsChangingAtMostTwentySixTimes)
{
    for (int n : {7, 37, 100}) {
        TestApp t;
        fill(t.app, n);
        ReportListModel list;
        const QStringList reported = readWithProgress(t.app, true, list);
        EXPECT_EQ(list.itemCount(), n);
        ASSERT_GE(reported.size(), 3) << n;
        EXPECT_EQ(reported.front(), QStringLiteral("ファイル読込中  ") + QString(25, QChar(0x25A1)));
        EXPECT_EQ(reported.back(), QString());
        const QStringList bar = reported.mid(1, reported.size() - 2);
        EXPECT_LE(bar.size(), 26) << n;
        for (int i = 1; i < bar.size(); ++i) EXPECT_NE(bar[i], bar[i - 1]);
        EXPECT_EQ(bar.back(), QStringLiteral("ファイル読込中　") + QString(25, QChar(0x25A0)));
        // The cells fill from the left: never fewer done cells than before.
        for (int i = 1; i < bar.size(); ++i) EXPECT_GE(bar[i].count(kFull), bar[i - 1].count(kFull));
        // Every change row by row is shown, none left out.
        QStringList each;
        for (int r = 1; r <= n; ++r) {
            const QString text = RecordReader::progressText(RecordReader::remainingCells(r, n));
            if (each.isEmpty() || each.back() != text) each << text;
        }
        EXPECT_EQ(bar, each) << n;
    }
    EXPECT_EQ(RecordReader::remainingCells(1, 100), 25);  // 24.75
    EXPECT_EQ(RecordReader::remainingCells(2, 100), 24);  // 24.5, halves to even
    EXPECT_EQ(RecordReader::remainingCells(1, 2), 12);    // 12.5, halves to even
}

TEST_P(RecordReaderTest, WithoutCellsOnlyTheWordAndNothingForAnEmptyTable)
{
    TestApp t;
    fill(t.app, 3);
    ReportListModel list;
    EXPECT_EQ(readWithProgress(t.app, false, list), QStringList({"ファイル読込中", ""}));

    TestApp empty;
    fill(empty.app, 0);
    ReportListModel none;
    EXPECT_EQ(readWithProgress(empty.app, true, none), QStringList({""}));
    EXPECT_EQ(none.itemCount(), 0);
}

TEST_P(RecordReaderTest, AnEngineErrorStillClearsTheProgress)
{
    TestApp t;
    QStringList reported;
    RecordReader reader([&](const QString& s) { reported << s; }, true);
    Database db = t.app.openDatabase();
    ReportListModel list;
    EXPECT_THROW(reader.read(db, {"SHUMOKU9", {}, 1, {}, QString()}, list), DbError);
    EXPECT_EQ(reported, QStringList({""}));
}

TEST_P(RecordReaderTest, SubRowsReadThroughTheKeyEqualTheWalkedRows)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    const std::vector<FieldDefinition> fields = {{QStringLiteral("曲名"), QStringLiteral("TEXT")}, {QStringLiteral("時間"), QStringLiteral("LONG")}};
    build::defineSub(t.app, 0, fields);
    // Sub numbers and records out of order, so the file's order differs from the key's.
    const int inserts[][2] = {{3, 5}, {1, 2}, {3, 1}, {2, 7}, {3, 9}, {1, 1}, {3, 2}, {2, 3}, {3, 4}};
    for (const auto& [reg, sub] : inserts)
        build::addSubRow(t.app, 0, {QStringLiteral("曲%1-%2").arg(reg).arg(sub), QString::number(reg * 10 + sub)}, reg, sub);
    {
        Database db = t.app.openDatabase();
        // A row without a record number (the file's key may hold Null; a server's may not),
        // one with a Null field, and gaps where rows went.
        if (!db.onServer()) db.execute(QStringLiteral("INSERT INTO \"SHUMOKU1SUB\" VALUES ('迷子', 1, NULL, 4)"));
        db.execute(QStringLiteral("INSERT INTO \"SHUMOKU1SUB\" VALUES (NULL, NULL, 3, 8)"));
        db.execute(QStringLiteral("DELETE FROM \"SHUMOKU1SUB\" WHERE \"サブＮＯ\" IN (2, 7)"));
        db.execute(QStringLiteral("INSERT INTO \"SHUMOKU1SUB\" VALUES ('後', 5, 3, 3)"));
    }
    Database db = t.app.openDatabase();
    for (qint64 key : {1, 2, 3, 4}) {
        ReportListModel walked;
        ReportListModel keyed;
        const RecordReader reader;
        reader.read(db, {"SHUMOKU1SUB", fields, 2, RecordReader::keyFilter(2, key), QStringLiteral("-")}, walked);
        reader.read(db, {"SHUMOKU1SUB", fields, 2, {}, QStringLiteral("-"), RecordReader::subRowsOf(key)}, keyed);
        ASSERT_EQ(keyed.itemCount(), walked.itemCount()) << key;
        for (int r = 0; r < walked.itemCount(); ++r)
            for (int c = 0; c < 4; ++c) EXPECT_EQ(keyed.cell(r, c), walked.cell(r, c)) << key << " " << r << " " << c;
        if (key == 3) {
            ASSERT_EQ(walked.itemCount(), 6);
            EXPECT_EQ(walked.cell(0, 3), QStringLiteral("5"));
            EXPECT_EQ(walked.cell(4, 0), QStringLiteral("-"));
            EXPECT_EQ(walked.cell(5, 0), QStringLiteral("後"));
        }
    }
}

TEST_P(RecordReaderTest, ASearchShowsTheTakenRowsAsStoredWhenAnotherDeskChangesThemDuringTheWalk)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    const std::vector<FieldDefinition> fields = {{QStringLiteral("品名"), QStringLiteral("TEXT")},
                                                 {QStringLiteral("枚数"), QStringLiteral("LONG")},
                                                 {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                                                 {QStringLiteral("発売日"), QStringLiteral("DATE")}};
    build::defineMain(t.app, 0, fields);
    const QStringList names = {"青い空", "赤", "青の時代", "青", "白", "深青", "", "青空"};
    for (int i = 0; i < names.size(); ++i)
        build::addMainRow(t.app, 0, {names[i], QString::number(i), QString::number(i * 1000), "2024/03/0" + QString::number(i + 1)}, i + 1);
    {
        Database db = t.app.openDatabase();
        db.execute(QStringLiteral("UPDATE \"SHUMOKU1\" SET \"枚数\" = NULL, \"発売日\" = NULL WHERE \"登録ＮＯ\" = 4"));
    }
    const auto blue = [](const Recordset& rs) {
        return rs.field(0).isNull() || !rs.field(0).toString().contains(QStringLiteral("青")) ? RecordReader::Take::No : RecordReader::Take::Yes;
    };
    const auto read = [&](RecordReader::RowFilter filter, int column, std::vector<QString> holdsOneOf = {}) {
        ReportListModel list;
        RecordReader::Request request{"SHUMOKU1", fields, 1, std::move(filter), QStringLiteral("-")};
        request.filterColumn = column;
        request.holdsOneOf = std::move(holdsOneOf);
        Database db = t.app.openDatabase();
        RecordReader().read(db, request, list);
        QStringList rows;
        for (int r = 0; r < list.itemCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 5; ++c) cells << list.cell(r, c);
            rows << cells.join('|');
        }
        return rows;
    };
    const QStringList before = read(blue, -1);
    ASSERT_EQ(before.size(), 5);
    EXPECT_EQ(read(blue, 0), before);
    EXPECT_EQ(read(blue, 0, {"青"}), before);
    EXPECT_EQ(before[2], QStringLiteral("青|-|¥3,000|-|4"));

    // Stopping at the third taken row keeps the first three.
    int seen = 0;
    EXPECT_EQ(read([&](const Recordset& rs) { return blue(rs) == RecordReader::Take::No ? blue(rs) : ++seen == 3 ? RecordReader::Take::YesAndStop : RecordReader::Take::Yes; }, 0),
              before.mid(0, 3));

    // Another desk changes rows while the walk looks at the first: one stops matching, one goes,
    // one keeps matching with another count. The list shows the rows as they are stored
    // when the reading ends (a server reads the taken rows whole after its walk).
    OtherDesk b(t.dir);
    bool changed = false;
    const QStringList during = read([&](const Recordset& rs) {
        if (!std::exchange(changed, true)) {
            Database other = b.app.openDatabase();
            other.execute(QStringLiteral("UPDATE \"SHUMOKU1\" SET \"品名\" = '黒' WHERE \"登録ＮＯ\" = 3"));
            other.execute(QStringLiteral("DELETE FROM \"SHUMOKU1\" WHERE \"登録ＮＯ\" = 6"));
            other.execute(QStringLiteral("UPDATE \"SHUMOKU1\" SET \"枚数\" = 70 WHERE \"登録ＮＯ\" = 8"));
        }
        return blue(rs);
    }, 0);
    const QStringList after = read(blue, -1);
    ASSERT_EQ(after.size(), 3);
    EXPECT_EQ(after[2], QStringLiteral("青空|70|¥7,000|2024/03/08|8"));
    EXPECT_EQ(during, after);

    // A narrowed reading is for reading only.
    Database db = t.app.openDatabase();
    Recordset carrying = db.openCarrying(QStringLiteral("SHUMOKU1"), {0});
    carrying.moveFirst();
    ASSERT_FALSE(carrying.eof());
    EXPECT_TRUE(carrying.field(1).isNull());
    EXPECT_THROW(carrying.edit(), DbError);
    EXPECT_THROW(carrying.deleteCurrent(), DbError);
    Recordset rows = db.openRows(QStringLiteral("SHUMOKU1"), {carrying.rowId()});
    rows.moveFirst();
    ASSERT_FALSE(rows.eof());
    EXPECT_EQ(rows.field(0).toString(), QStringLiteral("青い空"));
    EXPECT_THROW(rows.addNew(), DbError);
    // Only the rows whose text holds one of the texts; a column of another type is read whole.
    QStringList held;
    for (Recordset rs = db.openHolding(QStringLiteral("SHUMOKU1"), 0, {"空", "黒"}); !rs.eof(); rs.moveNext())
        held << rs.field(0).toString();
    EXPECT_EQ(held, QStringList({"青い空", "黒", "青空"}));
    Recordset numbers = db.openHolding(QStringLiteral("SHUMOKU1"), 1, {"7"});
    EXPECT_EQ(numbers.recordCount(), 7);
    EXPECT_THROW(numbers.edit(), DbError);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 7);
}

TEST(RecordReaderFileOnly, EveryCellShowsTheTextOfItsValueInTheListFormat)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    const std::vector<FieldDefinition> fields = {{QStringLiteral("品名"), QStringLiteral("TEXT")},
                                                 {QStringLiteral("枚数"), QStringLiteral("LONG")},
                                                 {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                                                 {QStringLiteral("発売日"), QStringLiteral("DATE")},
                                                 {QStringLiteral("区分"), QStringLiteral("CODE1")}};
    build::defineMain(t.app, 0, fields);
    {
        Database db = t.app.openDatabase();
        // Whatever the engine holds: numbers in a text column and texts in number columns,
        // a fraction, the extreme whole numbers, Nulls and characters of every width.
        for (const char* values : {"('ＡＢＣ', 5, 1234567, '2024-03-05', 'PO', 1)",
                                   "(42, -9223372036854775808, 0, 'いつか', NULL, 2)",
                                   "(NULL, 9223372036854775807, -15, '2023-02-29', 7, 3)",
                                   "('', 'たくさん', 'ただ', '2023-12-31', '', NULL)",
                                   "('😀 x', 2.75, 3.5, 20240101, 'Ａ', 4)",
                                   "('b', NULL, NULL, '2024-02-29', 'x', 6)",
                                   "('c', 1, 1, '0000-01-01', 'y', 7)",
                                   "('d', 1, 1, '1900-02-29', 'z', 8)",
                                   "('e', 1, 1, '2024-1-05', 'z', 9)",
                                   "('f', 1, 12345670000, '2024-01-05', 'z', 10)",
                                   "('g', 1, -50000000, '2024-01-05', 'z', 11)",
                                   "('h', 1, 10000, '2024-01-05', 'z', 12)",
                                   "('i', 1, -9223372036850000000, '2024-01-05', 'z', 13)",
                                   "('j', 1, 9999990000, '2024-01-05', 'z', 14)"})
            db.execute(QStringLiteral("INSERT INTO SHUMOKU1 VALUES %1").arg(QString::fromUtf8(values)));
    }
    Database db = t.app.openDatabase();
    ReportListModel list;
    const QString nullText = QStringLiteral("（なし）");
    ASSERT_EQ(RecordReader().read(db, {"SHUMOKU1", fields, 1, {}, nullText}, list), 14);
    Recordset rs = db.openTable(QStringLiteral("SHUMOKU1"));
    int r = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++r) {
        for (int c = 0; c < 6; ++c) {
            // The first column and the key show their plain text.
            const QString type = c == 0 || c == 5 ? QStringLiteral("TEXT") : fields[size_t(c)].typeWord;
            EXPECT_EQ(list.cell(r, c), FieldDisplay::listText(rs.field(c), type, nullText)) << r << " " << c;
        }
    }
    EXPECT_EQ(list.cell(1, 1), QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(list.cell(4, 0), QStringLiteral("😀 x"));
    EXPECT_EQ(list.cell(2, 0), nullText);
    EXPECT_EQ(list.cell(5, 3), QStringLiteral("2024/02/29"));
    EXPECT_EQ(list.cell(6, 3), QStringLiteral("0000-01-01"));
    // Whole yen, grouped by thousands, with the sign before the yen sign.
    EXPECT_EQ(list.cell(9, 2), QStringLiteral("¥1,234,567"));
    EXPECT_EQ(list.cell(10, 2), QStringLiteral("-¥5,000"));
    EXPECT_EQ(list.cell(11, 2), QStringLiteral("¥1"));
    EXPECT_EQ(list.cell(12, 2), QStringLiteral("-¥922,337,203,685,000"));
    EXPECT_EQ(list.cell(13, 2), QStringLiteral("¥999,999"));
    EXPECT_EQ(list.value(9, 2), QStringLiteral("¥1,234,567"));
}

TANZO_ON_BOTH_BACKENDS(RecordReaderTest);
