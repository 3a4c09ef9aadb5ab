#include "../records/RecordFixture.h"
#include "Find.h"
#include "Builders.h"
#include "SchemaChecks.h"
#include "codes/Form2e.h"
#include "platform/db/DbError.h"
#include "records/Form7.h"
#include "core/ColumnNameCheck.h"
#include "schema/Form2d.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <sqlite3.h>

// A column named like the engine's row id would stand in for the id every walk goes by:
// deleting one record then deleted every record with the same value in that field.
namespace {

const QStringList kAliases = {QStringLiteral("rowid"), QStringLiteral("ROWID"), QStringLiteral("RowId"),
                              QStringLiteral("oid"), QStringLiteral("OID"), QStringLiteral("ｒｏｗｉｄ"),
                              QStringLiteral("ＯＩＤ")};

// The refusal of a name the system uses, as the key column names get it.
QString refusal(const QString& what, const QString& name)
{
    return QStringLiteral("%1「%2」はシステムが使用する名前です。別の名前を入力してください。").arg(what, name);
}

}  // namespace

TEST(RowIdNames, FieldAndCodeTableNamesOfTheRowIdAreRefusedLikeTheKeyNames)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    for (const QString& alias : kAliases) {
        Form2d f(t.app, 0, false);
        child<QComboBox>(f, "Combo1")->setCurrentIndex(1);
        child<QLineEdit>(f, "Text1_1")->setText(QStringLiteral("品名"));
        child<QLineEdit>(f, "Text1_2")->setText(alias);
        child<QPushButton>(f, "Command1")->click();
        check::messages(t.ui, {{refusal(QStringLiteral("フィールド名称"), alias), QStringLiteral("ERROR"), Ui::Icon::Critical}});
        EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU1"))) << alias.toStdString();
    }
    EXPECT_EQ(t.app.cache.row(0).mainCreated, 0);
    // _rowid_ is already refused for its underscore, a symbol no name may hold.
    EXPECT_TRUE(schema::checkColumnName(QStringLiteral("_rowid_"), QStringLiteral("x"), {}).has_value());

    for (const QString& alias : kAliases) {
        Form2e f(t.app);
        child<QLineEdit>(f, "Text1")->setText(alias);
        child<QPushButton>(f, "Command1")->click();
        check::messages(t.ui, {{refusal(QStringLiteral("コード・テーブル名"), alias), QStringLiteral("ERROR"), Ui::Icon::Critical}});
        EXPECT_FALSE(t.db().tableExists(QStringLiteral("CODE1"))) << alias.toStdString();
    }
    EXPECT_EQ(t.app.cache.row(ConfigCache::kSystemRow).subFieldCount, 0);
}

TEST(RowIdNamesFileOnly, AFileMadeElsewhereWithSuchAColumnIsRefusedBeforeAnyRowIsTouched)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}, {QStringLiteral("rowid"), QStringLiteral("TEXT")}});
    // Three records holding 5 in that field, as the file came.
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(t.dir.databasePath().toUtf8().constData(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "INSERT INTO SHUMOKU1 VALUES ('品1', '5', 1), ('品2', '5', 2), ('品3', '5', 3)", nullptr, nullptr, nullptr);

    // Deleting record 2 stops at the engine's message as the editor opens, and leaves all
    // three records.
    Form7 f(t.app, 0);
    EXPECT_FALSE(f.prepare(EditorMode::Delete, {QStringLiteral("品2"), QStringLiteral("5")}, QStringLiteral("2")));
    const auto m = t.ui.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(m[0].text.contains(QStringLiteral("フィールド 'rowid' があるため開けません。"))) << m[0].text.toStdString();
    Database db = t.db();
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(raw, "SELECT count(*) FROM SHUMOKU1", -1, &s, nullptr);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(s, 0), 3);
    sqlite3_finalize(s);
    sqlite3_close(raw);

    // Every spelling the engine takes for the id is refused the same way.
    for (const char* column : {"OID", "_RowId_"}) {
        db.execute(QStringLiteral("CREATE TABLE X_%1 (a TEXT, %1 TEXT)").arg(QLatin1String(column)));
        EXPECT_THROW(db.openTable(QStringLiteral("X_%1").arg(QLatin1String(column))), DbError) << column;
    }
    // A full-width look-alike is an ordinary column to the engine.
    db.execute(QStringLiteral("CREATE TABLE X_W (a TEXT, ｒｏｗｉｄ TEXT)"));
    EXPECT_NO_THROW(db.openTable(QStringLiteral("X_W")));
}
