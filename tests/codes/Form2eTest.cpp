#include "../schema/SchemaChecks.h"
#include "Find.h"
#include "Person.h"
#include "ForcedFailure.h"
#include "Builders.h"
#include "codes/Form2e.h"
#include "core/ManagementSchema.h"
#include "platform/text/TextUtil.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

using Icon = Ui::Icon;
using Answer = Ui::Answer;

const CategoryDefinition& registerOf(TestApp& t) { return t.app.cache.row(ConfigCache::kSystemRow); }

void create(Form2e& f, const QString& name, int length)
{
    child<QComboBox>(f, "Combo1")->setCurrentIndex(length - 1);
    child<QLineEdit>(f, "Text1")->setText(name);
    QTest::keyClick(child<QLineEdit>(f, "Text1"), Qt::Key_Return);  // Enter in the name box, as 作成
}

void remove(Form2e& f, ScriptedUi& ui, int slot, Answer answer)
{
    person::choose(child<QComboBox>(f, "Combo2"), slot);
    ui.answer(answer);
    child<QPushButton>(f, "Command3")->click();
}

const check::Msg kDeleted{QStringLiteral("コード・ファイルを削除しました。"), QStringLiteral("削除終了"), Icon::Information};
const check::Msg kAllInUse{QStringLiteral("コード・テーブルは８個作成済みです。"), QStringLiteral("Error"), Icon::Critical};

}  // namespace

TEST(Form2e, CreatesACodeTableInTheFirstFreeSlotAndRegistersIt)
{
    TestApp t;
    {
        Form2e f(t.app);
        EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - コード・ファイル設定"));
        EXPECT_EQ(child<QLabel>(f, "Label5")->text(), QStringLiteral("CODE1"));
        EXPECT_EQ(child<QComboBox>(f, "Combo1")->count(), 5);
        EXPECT_EQ(child<QComboBox>(f, "Combo1")->currentText(), QStringLiteral("1"));
        EXPECT_EQ(child<QComboBox>(f, "Combo2")->count(), 8);
        EXPECT_FALSE(child<QPushButton>(f, "Command3")->isEnabled());
        create(f, QStringLiteral(" 社員 "), 3);
        EXPECT_EQ(f.lastStatement, QStringLiteral("CREATE TABLE CODE1 ( コード TEXT(3) CONSTRAINT MyFieldConstraint "
                                                  "PRIMARY KEY, 社員 TEXT(30))"));
        check::messages(t.ui, {{QStringLiteral("社員 コード・ファイルを作成しました。"), QStringLiteral("処理終了"),
                                Icon::Exclamation}});
        EXPECT_EQ(f.result(), QDialog::Accepted);
    }
    EXPECT_EQ(check::columns(t, QStringLiteral("CODE1")), QStringList({"コード TEXT(3)", "社員 TEXT(30)"}));
    build::addCode(t.app, 1, QStringLiteral("001"), QStringLiteral("山田"));
    EXPECT_THROW(build::addCode(t.app, 1, QStringLiteral("001"), QStringLiteral("田中")), DbError);

    // With tables in slots 1, 2 and 4 the next one is CODE3.
    build::createCodeTable(t.app, 2, QStringLiteral("種別"), 2);
    build::createCodeTable(t.app, 4, QStringLiteral("棚"), 1);
    Form2e f(t.app);
    EXPECT_EQ(child<QLabel>(f, "Label5")->text(), QStringLiteral("CODE3"));
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->itemText(1), QStringLiteral("種別"));
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->itemText(2), QString());
    create(f, QStringLiteral("色"), 5);
    EXPECT_EQ(check::columns(t, QStringLiteral("CODE3")), QStringList({"コード TEXT(5)", "色 TEXT(30)"}));
    t.reload();
    EXPECT_EQ(registerOf(t).subFieldCount, 4);
    EXPECT_EQ(registerOf(t).subFields[0].name, QStringLiteral("社員"));
    EXPECT_EQ(registerOf(t).subFields[0].typeWord, QStringLiteral("3"));
    EXPECT_EQ(registerOf(t).subFields[2].name, QStringLiteral("色"));
    EXPECT_EQ(registerOf(t).subFields[2].typeWord, QStringLiteral("5"));
}

TEST(Form2e, DeletingTableFiveTurnsItsFieldsIntoTextAndFreesTheSlot)
{
    TestApp t;
    for (int k = 3; k <= 5; ++k) build::createCodeTable(t.app, k, QStringLiteral("表%1").arg(k), 2);
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{"区分", "CODE5"}, {"備考", "TEXT5D"}, {"棚", "CODE4"}, {"メモ", "TEXT5C"}});
    build::nameCategory(t.app, 3, QStringLiteral("本"));
    build::defineMain(t.app, 3, {{"金額", "CURRENCY"}});
    build::defineSub(t.app, 3, {{"版", "CODE5"}, {"刷", "TEXT3C"}});
    build::addMainRow(t.app, 0, {"01", "あ", "02", "い"}, 1);

    Form2e f(t.app);
    // Cancelling deletes nothing; a blank entry enables nothing.
    person::choose(child<QComboBox>(f, "Combo2"), 0);
    EXPECT_FALSE(child<QPushButton>(f, "Command3")->isEnabled());
    remove(f, t.ui, 4, Answer::Cancel);
    EXPECT_FALSE(child<QComboBox>(f, "Combo2")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(f, "Command3")->isEnabled());
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("CODE5")));
    t.ui.clearLog();

    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command3")->click();
    check::messages(t.ui, {{QStringLiteral("表5 のコード・ファイルを削除しますか？"), QStringLiteral("削除の確認"), Icon::None},
                           kDeleted});
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("CODE5")));
    t.reload();
    const auto& cd = t.app.cache.row(0);
    const QStringList after = {"TEXT", "TEXT", "CODE4", "TEXT"};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(cd.mainFields[k].typeWord, after[k]) << k;
    EXPECT_EQ(cd.mainFields[0].name, QStringLiteral("区分"));
    EXPECT_EQ(t.app.cache.row(3).mainFields[0].typeWord, QStringLiteral("CURRENCY"));
    EXPECT_EQ(t.app.cache.row(3).subFields[0].typeWord, QStringLiteral("TEXT"));
    EXPECT_EQ(t.app.cache.row(3).subFields[1].typeWord, QStringLiteral("TEXT3C"));
    EXPECT_EQ(registerOf(t).subFieldCount, 2);
    EXPECT_TRUE(text::isBlank(registerOf(t).subFields[4].name));
    EXPECT_TRUE(text::isBlank(registerOf(t).subFields[4].typeWord));
    // The file's columns and data stay as they were.
    EXPECT_EQ(check::columns(t, QStringLiteral("SHUMOKU1")).first(), QStringLiteral("区分 TEXT(2)"));
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 1);
}

TEST(Form2e, WithEightTablesCreationIsRefusedButATableCanStillBeDeleted)
{
    TestApp t;
    for (int k = 1; k <= 8; ++k) build::createCodeTable(t.app, k, QStringLiteral("表%1").arg(k), 1);
    Form2e f(t.app);
    check::messages(t.ui, {kAllInUse});
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->count(), 0);
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->count(), 8);
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->itemText(7), QStringLiteral("表8"));

    child<QLineEdit>(f, "Text1")->setText(QStringLiteral("九"));
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {kAllInUse});
    EXPECT_NE(f.result(), QDialog::Accepted);

    remove(f, t.ui, 5, Answer::Ok);
    EXPECT_EQ(t.ui.lastMessage(), kDeleted.text);
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("CODE6")));
    t.reload();
    EXPECT_EQ(registerOf(t).subFieldCount, 7);
    t.ui.clearLog();
    Form2e next(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(child<QLabel>(next, "Label5")->text(), QStringLiteral("CODE6"));
}

TEST(Form2e, RefusesAMissingLengthAndNamesThatCannotBeAColumn)
{
    TestApp t;
    for (const char* name : {"  ", "a TEXT); DROP TABLE 管理テーブル; --", "社員　名", "社員(名)", "コード", "ｺｰﾄﾞ",
                             "登録ＮＯ", "index"}) {
        Form2e f(t.app);
        create(f, QString::fromUtf8(name), 2);
        const auto m = t.ui.messages();
        t.ui.clearLog();
        ASSERT_EQ(m.size(), 1u) << name;
        EXPECT_TRUE(m[0].text.contains(text::isBlank(QString::fromUtf8(name)) ? QStringLiteral("コード・テーブル名を入力してください")
                                                                              : QString::fromUtf8(name)))
            << m[0].text.toStdString();
        EXPECT_EQ(m[0].title, QStringLiteral("ERROR"));
        EXPECT_EQ(m[0].icon, Icon::Critical);
        EXPECT_TRUE(f.lastStatement.isEmpty());
    }
    Form2e f(t.app);
    child<QComboBox>(f, "Combo1")->setCurrentIndex(-1);
    child<QLineEdit>(f, "Text1")->setText(QStringLiteral("社員"));
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {{QStringLiteral("コード桁数を選択してください"), QStringLiteral("ERROR"), Icon::Critical}});

    Database db = t.db();
    EXPECT_TRUE(db.tableExists(management::kTable));
    EXPECT_FALSE(db.tableExists(QStringLiteral("CODE1")));
    EXPECT_EQ(registerOf(t).subFieldCount, 0);
}

TEST(Form2e, AStatementOrWriteBackTheEngineRefusesChangesNothing)
{
    TestApp t;
    // A table of that name already there, outside the register.
    t.db().execute(QStringLiteral("CREATE TABLE CODE1 (古い TEXT)"));
    Form2e f(t.app);
    create(f, QStringLiteral("社員"), 1);
    check::engineError(t.ui);
    EXPECT_NE(f.result(), QDialog::Accepted);
    EXPECT_EQ(registerOf(t).subFieldCount, 0);
    EXPECT_TRUE(text::isBlank(registerOf(t).subFields[0].name));

    // A drop whose write-back fails leaves the table, the register and the fields.
    build::createCodeTable(t.app, 2, QStringLiteral("社員"), 4);
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{"社員", "CODE2"}});
    refuseWrites(t.db(), management::kTable);
    Form2e g(t.app);
    remove(g, t.ui, 1, Answer::Ok);
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("CODE2")));
    EXPECT_EQ(t.app.cache.row(0).mainFields[0].typeWord, QStringLiteral("CODE2"));
    EXPECT_EQ(registerOf(t).subFields[1].name, QStringLiteral("社員"));
    EXPECT_EQ(registerOf(t).subFieldCount, 1);
}
