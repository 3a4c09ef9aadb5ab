#include "Builders.h"
#include "Find.h"
#include "Person.h"
#include "ForcedFailure.h"
#include "SchemaChecks.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/text/TextUtil.h"
#include "schema/Form2d.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

int px(int twips) { return text::twipsToPixels(twips); }

// The file the file settings window hands over: a category chosen by its name, and its main or sub file.
struct Chosen {
    int category;
    bool sub;
};

// A named category chosen for its main or sub file, as the file settings window chooses it.
Chosen choose(TestApp& t, const QString& kind, int category = 0, const QString& name = QStringLiteral("ＣＤ"))
{
    build::nameCategory(t.app, category, name);
    return {t.app.cache.categoryByName(name), kind == QStringLiteral("サブ")};
}

// Sets the field count and the rows' names and type words.
void fill(Form2d& f, const QList<QPair<QString, QString>>& fields)
{
    child<QComboBox>(f, "Combo1")->setCurrentIndex(static_cast<int>(fields.size()) - 1);
    for (int row = 1; row <= fields.size(); ++row) {
        child<QLineEdit>(f, QStringLiteral("Text1_%1").arg(row))->setText(fields[row - 1].first);
        child<QComboBox>(f, QStringLiteral("Combo2_%1").arg(row))->setEditText(fields[row - 1].second);
    }
}

}  // namespace

TEST(Form2d, OpensOnTheChosenFileAndTheFieldCountLaysItOut)
{
    TestApp t;
    build::createCodeTable(t.app, 2, QStringLiteral(" 社員 "), 4);
    Chosen chosen = choose(t, QStringLiteral("サブ"), 2, QStringLiteral("ＤＶＤ"));
    Form2d f(t.app, chosen.category, chosen.sub);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - ファイル設定(項目)"));
    EXPECT_EQ(child<QLabel>(f, "Label1")->text(), Database::displayName(t.app.databasePath()));
    EXPECT_EQ(child<QLabel>(f, "Label5")->text(), QStringLiteral("SHUMOKU3SUB"));
    EXPECT_EQ(child<QLabel>(f, "Label10")->text(), QStringLiteral("ＤＶＤ"));
    EXPECT_EQ(child<QLabel>(f, "Label11")->text(), QStringLiteral("サブ"));
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->count(), 8);
    EXPECT_EQ(child<QComboBox>(f, "Combo2_8")->count(), 4);
    EXPECT_EQ(child<QComboBox>(f, "Combo2_8")->currentText(), QStringLiteral("TEXT"));
    // One entry per register slot, trimmed, blanks kept so that entry k-1 is table k.
    EXPECT_EQ(child<QComboBox>(f, "Combo3")->count(), 8);
    EXPECT_EQ(child<QComboBox>(f, "Combo3")->itemText(1), QStringLiteral("社員"));
    EXPECT_TRUE(child<QComboBox>(f, "Combo3")->isHidden());

    // As wide as the placement of the schema windows assumes.
    EXPECT_EQ(f.width(), px(13000));
    for (int n : {1, 3, 8, 2}) {
        child<QComboBox>(f, "Combo1")->setCurrentIndex(n - 1);
        EXPECT_EQ(f.fieldCount(), n);
        EXPECT_EQ(f.height(), px(6000 + 385 * (n - 1))) << n;
        EXPECT_EQ(child<QPushButton>(f, "Command1")->y(), px(4320 + 385 * (n - 1))) << n;
        EXPECT_EQ(child<QLabel>(f, "Label13")->y(), px(4320 + 385 * (n - 1))) << n;
        for (int row = 1; row <= 8; ++row) {
            EXPECT_EQ(child<QLineEdit>(f, QStringLiteral("Text1_%1").arg(row))->isHidden(), row > n) << n << "/" << row;
            EXPECT_EQ(child<QComboBox>(f, QStringLiteral("Combo2_%1").arg(row))->isHidden(), row > n) << n << "/" << row;
            EXPECT_EQ(child<QCheckBox>(f, QStringLiteral("Check1_%1").arg(row))->isHidden(), row > n) << n << "/" << row;
        }
    }
    EXPECT_EQ(child<QLineEdit>(f, "Text1_3")->y() - child<QLineEdit>(f, "Text1_1")->y(), px(3300 + 770) - px(3300));
}

TEST(Form2d, CreatesAMainFileWithOneFieldOfEachTypeAndRecordsIt)
{
    TestApp t;
    build::createCodeTable(t.app, 1, QStringLiteral("種別"), 2);
    build::createCodeTable(t.app, 2, QStringLiteral("社員"), 4);
    Chosen chosen = choose(t, QStringLiteral("メイン"));
    Form2d f(t.app, chosen.category, chosen.sub);
    fill(f, {{" 品名 ", "TEXT"}, {"数量", "LONG"}, {"単価", "CURRENCY"}, {"購入日", "DATE"}, {"", "TEXT"}});

    // Tying row 5 to code table 2: the row locks, the picker appears and fills the row.
    child<QCheckBox>(f, "Check1_5")->setChecked(true);
    EXPECT_FALSE(child<QComboBox>(f, "Combo3")->isHidden());
    EXPECT_EQ(child<QComboBox>(f, "Combo3")->y(), child<QLineEdit>(f, "Text1_5")->y());
    EXPECT_TRUE(child<QLineEdit>(f, "Text1_5")->isReadOnly());
    EXPECT_FALSE(child<QComboBox>(f, "Combo2_5")->isEnabled());
    person::choose(child<QComboBox>(f, "Combo3"), 1);
    EXPECT_EQ(child<QLineEdit>(f, "Text1_5")->text(), QStringLiteral("社員"));
    EXPECT_EQ(child<QComboBox>(f, "Combo2_5")->currentText(), QStringLiteral("CODE2"));
    EXPECT_TRUE(child<QComboBox>(f, "Combo3")->isHidden());
    // Rows past the count are neither checked nor created, whatever they hold.
    child<QLineEdit>(f, "Text1_6")->setText(QStringLiteral("a TEXT); DROP TABLE x; --"));
    child<QComboBox>(f, "Combo2_6")->setEditText(QStringLiteral("VARCHAR"));

    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(f.lastStatement, QStringLiteral("CREATE TABLE SHUMOKU1 (品名 TEXT, 数量 LONG, 単価 CURRENCY, 購入日 DATE, "
                                              "社員 TEXT(4), 登録ＮＯ LONG CONSTRAINT MyFieldMain PRIMARY KEY)"));
    check::messages(t.ui, {{QStringLiteral("ファイル設定の処理が終了しました。"), QStringLiteral("処理終了"),
                            Ui::Icon::Exclamation}});
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(check::columns(t, QStringLiteral("SHUMOKU1")),
              QStringList({"品名 TEXT", "数量 LONG", "単価 CURRENCY", "購入日 DATE", "社員 TEXT(4)", "登録ＮＯ LONG"}));
    // The key refuses a second row with the same registration number.
    build::addMainRow(t.app, 0, {"a", "1", "100", "2024/01/02", "0001"}, 1);
    EXPECT_THROW(build::addMainRow(t.app, 0, {"b", "2", "200", "2024/01/03", "0002"}, 1), DbError);

    t.reload();
    const CategoryDefinition& row = t.app.cache.row(0);
    EXPECT_EQ(row.mainCreated, 1);
    EXPECT_EQ(row.mainTableName, QStringLiteral("SHUMOKU1"));
    EXPECT_EQ(row.mainFieldCount, 5);
    const QStringList names = {"品名", "数量", "単価", "購入日", "社員"};
    const QStringList words = {"TEXT", "LONG", "CURRENCY", "DATE", "CODE2"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(row.mainFields[k].name, names[k]);
        EXPECT_EQ(row.mainFields[k].typeWord, words[k]);
    }
    EXPECT_EQ(row.subCreated, 0);
}

TEST(Form2d, BuildsTheStatementsCharacterForCharacter)
{
    TestApp t;
    Chosen chosen = choose(t, QStringLiteral("メイン"));
    Form2d main(t.app, chosen.category, chosen.sub);
    fill(main, {{"品名", "TEXT"}, {"数量", "LONG"}});
    EXPECT_EQ(main.BuildStatement(),
              QStringLiteral("CREATE TABLE SHUMOKU1 (品名 TEXT, 数量 LONG, 登録ＮＯ LONG CONSTRAINT MyFieldMain PRIMARY KEY)"));

    chosen.sub = true;
    Form2d f(t.app, chosen.category, chosen.sub);
    fill(f, {{"日付", "DATE"}});
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(f.lastStatement, QStringLiteral("CREATE TABLE SHUMOKU1SUB (日付 DATE, 登録ＮＯ LONG ,サブＮＯ LONG, "
                                              "CONSTRAINT MyFieldSub PRIMARY KEY(登録ＮＯ, サブＮＯ))"));
    EXPECT_EQ(check::columns(t, QStringLiteral("SHUMOKU1SUB")), QStringList({"日付 DATE", "登録ＮＯ LONG", "サブＮＯ LONG"}));
    // The two keys together identify a sub record.
    build::addSubRow(t.app, 0, {"2024/05/01"}, 1, 1);
    build::addSubRow(t.app, 0, {"2024/05/01"}, 1, 2);
    EXPECT_THROW(build::addSubRow(t.app, 0, {"2024/05/02"}, 1, 2), DbError);

    t.reload();
    const CategoryDefinition& row = t.app.cache.row(0);
    EXPECT_EQ(row.subCreated, 1);
    EXPECT_EQ(row.subTableName, QStringLiteral("SHUMOKU1SUB"));
    EXPECT_EQ(row.subFieldCount, 1);
    EXPECT_EQ(row.subFields[0].name, QStringLiteral("日付"));
    EXPECT_EQ(row.subFields[0].typeWord, QStringLiteral("DATE"));
    EXPECT_EQ(row.mainCreated, 0);
}

TEST(Form2d, UntickingACodeRowResetsItAndABlankCodeEntryDoesNothing)
{
    TestApp t;
    build::createCodeTable(t.app, 3, QStringLiteral("棚"), 1);
    Chosen chosen = choose(t, QStringLiteral("メイン"));
    Form2d f(t.app, chosen.category, chosen.sub);
    child<QComboBox>(f, "Combo1")->setCurrentIndex(1);
    child<QCheckBox>(f, "Check1_2")->setChecked(true);
    person::choose(child<QComboBox>(f, "Combo3"), 0);  // slot 1 is free: its entry is blank
    EXPECT_EQ(child<QLineEdit>(f, "Text1_2")->text(), QString());
    EXPECT_FALSE(child<QComboBox>(f, "Combo3")->isHidden());
    person::choose(child<QComboBox>(f, "Combo3"), 2);
    EXPECT_EQ(child<QComboBox>(f, "Combo2_2")->currentText(), QStringLiteral("CODE3"));

    child<QCheckBox>(f, "Check1_2")->setChecked(false);
    EXPECT_EQ(child<QLineEdit>(f, "Text1_2")->text(), QString());
    EXPECT_EQ(child<QComboBox>(f, "Combo2_2")->currentText(), QStringLiteral("TEXT"));
    EXPECT_FALSE(child<QLineEdit>(f, "Text1_2")->isReadOnly());
    EXPECT_TRUE(child<QComboBox>(f, "Combo2_2")->isEnabled());
    EXPECT_TRUE(child<QComboBox>(f, "Combo3")->isHidden());
}

TEST(Form2d, RefusesBadNamesAndTypesBeforeExecutingAnything)
{
    // Each case: the fields, and a text the ERROR message must carry.
    const std::vector<std::pair<QList<QPair<QString, QString>>, QString>> cases = {
        {{{"品名", "TEXT"}, {"  ", "TEXT"}}, "フィールド名称を入力してください"},
        {{{"a TEXT); DROP TABLE 管理テーブル; --", "TEXT"}}, "a TEXT); DROP TABLE 管理テーブル; --"},
        {{{"品 名", "TEXT"}}, "品 名"},
        {{{"品　名", "TEXT"}}, "品　名"},
        {{{"品\t名", "TEXT"}}, "品\t名"},
        {{{"単価(円)", "TEXT"}}, "単価(円)"},
        {{{"a,b", "TEXT"}}, "a,b"},
        {{{"a.b", "TEXT"}}, "a.b"},
        {{{"a-b", "TEXT"}}, "a-b"},
        {{{"a=b", "TEXT"}}, "a=b"},
        {{{"a/b", "TEXT"}}, "a/b"},
        {{{"名\"前", "TEXT"}}, "名\"前"},
        {{{"1月", "TEXT"}}, "1月"},
        {{{"登録ＮＯ", "LONG"}}, "登録ＮＯ"},
        {{{"登録no", "LONG"}}, "登録no"},
        {{{"ｻﾌﾞＮＯ", "LONG"}}, "ｻﾌﾞＮＯ"},
        {{{"table", "TEXT"}}, "table"},
        {{{"Select", "TEXT"}}, "Select"},
        {{{"品名", "TEXT"}, {"数量", "LONG"}, {"品名", "LONG"}}, "品名"},
        {{{"ＡＢＣ", "TEXT"}, {"abc", "TEXT"}}, "abc"},
        {{{"品名", "TEXT); DROP TABLE 管理テーブル; --"}}, "品名"},
        {{{"品名", "VARCHAR"}}, "VARCHAR"},
        {{{"品名", "text"}}, "text"},
        {{{"品名", "TEXT1D"}}, "TEXT1D"},
        {{{"品名", ""}}, "品名"},
        {{{"品名", "CODE3"}}, "CODE3"},
        {{{"品名", "CODE9"}}, "CODE9"},
    };
    TestApp t;
    build::createCodeTable(t.app, 1, QStringLiteral("種別"), 2);
    Chosen chosen = choose(t, QStringLiteral("メイン"));
    for (const auto& [fields, mentioned] : cases) {
        Form2d f(t.app, chosen.category, chosen.sub);
        fill(f, fields);
        child<QPushButton>(f, "Command1")->click();
        const auto m = t.ui.messages();
        t.ui.clearLog();
        ASSERT_EQ(m.size(), 1u) << fields[0].first.toStdString();
        EXPECT_TRUE(m[0].text.contains(mentioned)) << m[0].text.toStdString();
        EXPECT_EQ(m[0].title, QStringLiteral("ERROR"));
        EXPECT_EQ(m[0].icon, Ui::Icon::Critical);
        EXPECT_TRUE(f.lastStatement.isEmpty()) << mentioned.toStdString();
    }
    EXPECT_EQ(t.app.cache.row(0).mainCreated, 0);
    Database db = t.db();
    EXPECT_TRUE(db.tableExists(management::kTable));
    EXPECT_TRUE(db.tableExists(QStringLiteral("CODE1")));
    EXPECT_FALSE(db.tableExists(QStringLiteral("SHUMOKU1")));

    // Names the database takes as they are pass, and a code word typed by hand for a table
    // that exists is used like a picked one.
    Form2d ok(t.app, chosen.category, chosen.sub);
    fill(ok, {{"数量（個）", "LONG"}, {"ＣＤ名", "TEXT"}, {"Track2", "TEXT"}, {"種別", "CODE1"}});
    child<QPushButton>(ok, "Command1")->click();
    EXPECT_EQ(ok.result(), QDialog::Accepted);
    EXPECT_EQ(check::columns(t, QStringLiteral("SHUMOKU1")),
              QStringList({"数量（個） LONG", "ＣＤ名 TEXT", "Track2 TEXT", "種別 TEXT(2)", "登録ＮＯ LONG"}));
    EXPECT_EQ(t.app.cache.row(0).mainFields[3].typeWord, QStringLiteral("CODE1"));
}

TEST(Form2d, AStatementOrWriteBackTheEngineRefusesLeavesNothingBehind)
{
    TestApp t;
    Chosen chosen = choose(t, QStringLiteral("メイン"));
    // A table of that name already there (left behind the register's back).
    t.db().execute(QStringLiteral("CREATE TABLE SHUMOKU1 (古い TEXT)"));
    Form2d f(t.app, chosen.category, chosen.sub);
    fill(f, {{"品名", "TEXT"}});
    child<QPushButton>(f, "Command1")->click();
    check::engineError(t.ui);
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_EQ(t.app.cache.row(0).mainCreated, 0);
    EXPECT_EQ(check::columns(t, QStringLiteral("SHUMOKU1")), QStringList({"古い TEXT"}));

    // The management table refuses the write-back: the new table goes again.
    refuseWrites(t.db(), management::kTable);
    chosen.sub = true;
    Form2d sub(t.app, chosen.category, chosen.sub);
    fill(sub, {{"日付", "DATE"}});
    child<QPushButton>(sub, "Command1")->click();
    check::engineError(t.ui);
    EXPECT_FALSE(sub.lastStatement.isEmpty());
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU1SUB")));
    const CategoryDefinition& row = t.app.cache.row(0);
    EXPECT_EQ(row.subCreated, 0);
    EXPECT_EQ(row.subFieldCount, 0);
    EXPECT_TRUE(text::isBlank(row.subFields[0].name));
}

TEST(Form2d, WorksOnTheFirstOfTwoCategoriesWithTheSameName)
{
    TestApp t;
    build::nameCategory(t.app, 4, QStringLiteral("本"));
    Chosen chosen = choose(t, QStringLiteral("メイン"), 1, QStringLiteral("本"));
    Form2d f(t.app, chosen.category, chosen.sub);
    EXPECT_EQ(child<QLabel>(f, "Label5")->text(), QStringLiteral("SHUMOKU2"));
    fill(f, {{"題名", "TEXT"}});
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(t.app.cache.row(1).mainCreated, 1);
    EXPECT_EQ(t.app.cache.row(4).mainCreated, 0);
}
