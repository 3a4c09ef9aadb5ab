#include "Builders.h"
#include "Find.h"
#include "SchemaChecks.h"
#include "schema/Form2c.h"
#include "schema/Form2d.h"

#include <QLabel>
#include <QComboBox>
#include <QPushButton>
#include <QLineEdit>

namespace {

using Icon = Ui::Icon;
using Answer = Ui::Answer;

const QString kAsk = QStringLiteral("削除の確認");
const QString kDone = QStringLiteral("削除終了");
const QString kNote = QStringLiteral("注意");

// Category 1 "ＣＤ " (trailing blank kept) with a main file of three records and a sub file
// of two; category 3 "ＤＶＤ" with a main file of one record and no sub file.
void prepare(TestApp& t)
{
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ "));
    build::defineMain(t.app, 0, {{"品名", "TEXT"}, {"数量", "LONG"}});
    build::defineSub(t.app, 0, {{"曲名", "TEXT"}});
    for (int no = 1; no <= 3; ++no) build::addMainRow(t.app, 0, {"a", QString::number(no)}, no);
    build::addSubRow(t.app, 0, {"x"}, 1, 1);
    build::addSubRow(t.app, 0, {"y"}, 1, 2);
    build::nameCategory(t.app, 2, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 2, {{"題名", "TEXT"}});
    build::addMainRow(t.app, 2, {"d"}, 7);
}

// Chooses a category and file kind and presses a button, answering the questions in turn.
void press(Form2c& f, const char* button, const QString& category, const QString& kind, ScriptedUi& ui,
           std::initializer_list<Answer> answers)
{
    child<QComboBox>(f, "Combo1")->setCurrentIndex(child<QComboBox>(f, "Combo1")->findText(category));
    child<QComboBox>(f, "Combo2")->setCurrentIndex(child<QComboBox>(f, "Combo2")->findText(kind));
    for (Answer a : answers) ui.answer(a);
    child<QPushButton>(f, button)->click();
}

int rows(TestApp& t, const char* table) { return build::rowCount(t.app, QString::fromLatin1(table)); }

}  // namespace

TEST(Form2c, OpensWithTheNamedCategoriesAndWithoutOneTheActionsSaySo)
{
    TestApp t;
    {
        Form2c f(t.app);
        EXPECT_EQ(child<QComboBox>(f, "Combo1")->count(), 0);
        child<QPushButton>(f, "Command1")->click();
        child<QPushButton>(f, "Command2")->click();
        child<QPushButton>(f, "Command4")->click();
        const check::Msg none{QStringLiteral("種目が選択されていません。先に種目名設定を行ってください。"), kNote,
                              Icon::Exclamation};
        check::messages(t.ui, {none, none, none});
        EXPECT_TRUE(t.ui.shownWindows().isEmpty());
    }
    prepare(t);
    Form2c f(t.app);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - ファイル設定"));
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->count(), 2);
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->currentText(), QStringLiteral("ＣＤ "));
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->itemText(1), QStringLiteral("ＤＶＤ"));
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->count(), 2);
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->currentText(), QStringLiteral("メイン"));
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->itemText(1), QStringLiteral("サブ"));
}

TEST(Form2c, SettingUpOpensTheFieldWindowOnlyForAFileThatDoesNotExist)
{
    TestApp t;
    prepare(t);
    build::nameCategory(t.app, 5, QStringLiteral("本"));
    Form2c f(t.app);
    press(f, "Command2", QStringLiteral("ＣＤ "), QStringLiteral("メイン"), t.ui, {});
    check::messages(t.ui, {{QStringLiteral("既にファイルが作成されています"), QStringLiteral("ERROR"), Icon::Critical}});
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());

    // A sub file may be set up before the main file exists.
    t.ui.onShow(QStringLiteral("Form2d"), [&](QWidget& w) {
        auto& d = static_cast<Form2d&>(w);
        EXPECT_EQ(d.tableName(), QStringLiteral("SHUMOKU6SUB"));
        EXPECT_EQ(d.category(), 5);
        EXPECT_EQ(child<QLabel>(d, "Label10")->text(), QStringLiteral("本"));
        EXPECT_EQ(child<QLabel>(d, "Label11")->text(), QStringLiteral("サブ"));
        child<QLineEdit>(d, "Text1_1")->setText(QStringLiteral("頁"));
        child<QPushButton>(d, "Command1")->click();
    });
    press(f, "Command2", QStringLiteral("本"), QStringLiteral("サブ"), t.ui, {});
    EXPECT_EQ(t.ui.shownWindows(), QStringList({"Form2d"}));
    EXPECT_EQ(t.app.cache.row(5).subCreated, 1);
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("SHUMOKU6SUB")));
}

TEST(Form2c, EmptyingTheSubFileKeepsTheMainRecordsAndTheCounter)
{
    TestApp t;
    prepare(t);
    Form2c f(t.app);
    const QString cd = QStringLiteral("ＣＤ ");
    const QString sub = QStringLiteral("サブ");
    press(f, "Command1", cd, sub, t.ui, {Answer::Ok});
    check::messages(t.ui, {{QStringLiteral("ＣＤ ・サブのデータを全て削除しますか？"), kAsk, Icon::None},
                           {QStringLiteral("サブ・ファイルのデータを削除しました。"), kDone, Icon::Information}});
    EXPECT_EQ(rows(t, "SHUMOKU1SUB"), 0);
    EXPECT_EQ(rows(t, "SHUMOKU1"), 3);
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 3);

    press(f, "Command1", cd, sub, t.ui, {Answer::Ok});
    press(f, "Command1", QStringLiteral("ＤＶＤ"), sub, t.ui, {Answer::Ok});
    const auto m = t.ui.messages();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[1].text, QStringLiteral("サブ・ファイルに削除するデータは有りません。"));
    EXPECT_EQ(m[3].text, QStringLiteral("サブ・ファイルが作成されていません。"));
    EXPECT_EQ(m[3].icon, Icon::Exclamation);
    EXPECT_EQ(m[3].title, kNote);
}

TEST(Form2c, EmptyingAMainFileAsksAboutItsSubRecordsAndRestartsTheNumbers)
{
    TestApp t;
    prepare(t);
    Form2c f(t.app);
    const QString cd = QStringLiteral("ＣＤ ");
    const QString main = QStringLiteral("メイン");
    const check::Msg ask{QStringLiteral("ＣＤ ・メインのデータを全て削除しますか？"), kAsk, Icon::None};
    const check::Msg askSub{QStringLiteral("サブ・ファイルのデータも削除します。よろしいですか？"), kAsk, Icon::None};

    // Cancelling either question deletes nothing at all.
    press(f, "Command1", cd, main, t.ui, {Answer::Ok, Answer::Cancel});
    check::messages(t.ui, {ask, askSub});
    press(f, "Command1", cd, main, t.ui, {Answer::Cancel});
    check::messages(t.ui, {ask});
    EXPECT_EQ(rows(t, "SHUMOKU1SUB"), 2);
    EXPECT_EQ(rows(t, "SHUMOKU1"), 3);

    press(f, "Command1", cd, main, t.ui, {Answer::Ok, Answer::Ok});
    check::messages(t.ui, {ask, askSub, {QStringLiteral("サブ・ファイルのデータを削除しました。"), kDone, Icon::Information},
                           {QStringLiteral("メイン・ファイルのデータを削除しました。"), kDone, Icon::Information}});
    EXPECT_EQ(rows(t, "SHUMOKU1SUB"), 0);
    EXPECT_EQ(rows(t, "SHUMOKU1"), 0);
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 0);
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 0);
    EXPECT_EQ(t.app.cache.row(0).mainCreated, 1);

    // Once empty the sub file is not asked about.
    press(f, "Command1", cd, main, t.ui, {Answer::Ok});
    check::messages(t.ui, {ask, {QStringLiteral("メイン・ファイルに削除するデータは有りません。"), kNote, Icon::Exclamation}});

}

TEST(Form2c, EmptyingAMainFileWithoutASubFileAsksOnceAndTouchesNoOtherTable)
{
    TestApp t;
    prepare(t);
    build::nameCategory(t.app, 4, QStringLiteral("本"));
    Form2c f(t.app);
    press(f, "Command1", QStringLiteral("ＤＶＤ"), QStringLiteral("メイン"), t.ui, {Answer::Ok});
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("メイン・ファイルのデータを削除しました。"));
    EXPECT_EQ(t.ui.messages().size(), 2u);
    EXPECT_EQ(rows(t, "SHUMOKU3"), 0);
    EXPECT_EQ(rows(t, "SHUMOKU1"), 3);
    EXPECT_EQ(rows(t, "SHUMOKU1SUB"), 2);
    t.reload();
    EXPECT_EQ(t.app.cache.row(2).lastRegistrationNo, 0);
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 3);

    t.ui.clearLog();
    press(f, "Command1", QStringLiteral("本"), QStringLiteral("メイン"), t.ui, {Answer::Ok});
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("メイン・ファイルが作成されていません。"));
}

TEST(Form2cFileOnly, AnEmptyingThatFailsPartWayDeletesNothing)
{
    TestApp t;
    prepare(t);
    build::addSubRow(t.app, 0, {"z"}, 2, 1);
    // The engine refuses to delete the second sub record.
    t.db().execute(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON SHUMOKU1SUB WHEN old.サブＮＯ = 2 "
                                  "BEGIN SELECT RAISE(ABORT, 'kept'); END"));
    Form2c f(t.app);
    press(f, "Command1", QStringLiteral("ＣＤ "), QStringLiteral("サブ"), t.ui, {Answer::Ok});
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    t.ui.clearLog();
    EXPECT_EQ(rows(t, "SHUMOKU1SUB"), 3);

    // The main records and their counter stay together when the main emptying fails.
    t.db().execute(QStringLiteral("DROP TRIGGER keep"));
    t.db().execute(QStringLiteral("CREATE TRIGGER keepmain BEFORE DELETE ON SHUMOKU1 WHEN old.登録ＮＯ = 3 "
                                  "BEGIN SELECT RAISE(ABORT, 'kept'); END"));
    press(f, "Command1", QStringLiteral("ＣＤ "), QStringLiteral("メイン"), t.ui, {Answer::Ok, Answer::Ok});
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    EXPECT_EQ(rows(t, "SHUMOKU1"), 3);
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 3);
}

TEST(Form2c, DeletingTheSubFileForgetsOnlyItsDefinition)
{
    TestApp t;
    prepare(t);
    Form2c f(t.app);
    press(f, "Command4", QStringLiteral("ＣＤ "), QStringLiteral("サブ"), t.ui, {Answer::Ok});
    check::messages(t.ui, {{QStringLiteral("ＣＤ ・サブのファイルを削除しますか？"), kAsk, Icon::None},
                           {QStringLiteral("サブ・ファイルを削除しました。"), kDone, Icon::Information}});
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU1SUB")));
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("SHUMOKU1")));
    t.reload();
    const CategoryDefinition& row = t.app.cache.row(0);
    EXPECT_EQ(row.subCreated, 0);
    EXPECT_EQ(row.subTableName, QStringLiteral(" "));
    EXPECT_EQ(row.subFieldCount, 0);
    EXPECT_EQ(row.subFields[0].name, QStringLiteral(" "));
    EXPECT_EQ(row.subFields[0].typeWord, QStringLiteral(" "));
    EXPECT_EQ(row.mainFields[1].name, QStringLiteral("数量"));
    EXPECT_EQ(row.lastRegistrationNo, 3);

    press(f, "Command4", QStringLiteral("ＣＤ "), QStringLiteral("サブ"), t.ui, {Answer::Ok});
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("サブ・ファイルが作成されていません。"));
}

TEST(Form2c, DeletingAMainFileTakesItsSubFileAfterAsking)
{
    TestApp t;
    prepare(t);
    Form2c f(t.app);
    const QString cd = QStringLiteral("ＣＤ ");
    const QString main = QStringLiteral("メイン");
    const check::Msg ask{QStringLiteral("ＣＤ ・メインのファイルを削除しますか？"), kAsk, Icon::None};
    const check::Msg askSub{QStringLiteral("サブ・ファイルも削除します。よろしいですか？"), kAsk, Icon::None};
    press(f, "Command4", cd, main, t.ui, {Answer::Ok, Answer::Cancel});
    check::messages(t.ui, {ask, askSub});
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("SHUMOKU1SUB")));
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("SHUMOKU1")));

    press(f, "Command4", cd, main, t.ui, {Answer::Ok, Answer::Ok});
    check::messages(t.ui, {ask, askSub, {QStringLiteral("サブ・ファイルを削除しました。"), kDone, Icon::Information},
                           {QStringLiteral("メイン・ファイルを削除しました。"), kDone, Icon::Information}});
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU1SUB")));
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU1")));
    t.reload();
    const CategoryDefinition& row = t.app.cache.row(0);
    EXPECT_EQ(row.mainCreated, 0);
    EXPECT_EQ(row.mainTableName, QStringLiteral(" "));
    EXPECT_EQ(row.mainFieldCount, 0);
    EXPECT_EQ(row.mainFields[0].name, QStringLiteral(" "));
    EXPECT_EQ(row.lastRegistrationNo, 0);
    EXPECT_EQ(row.subCreated, 0);
    EXPECT_EQ(row.subFields[0].typeWord, QStringLiteral(" "));
    EXPECT_EQ(row.name, QStringLiteral("ＣＤ "));
    EXPECT_EQ(row.named, 1);

    // Without a sub file only the first question comes.
    press(f, "Command4", QStringLiteral("ＤＶＤ"), main, t.ui, {Answer::Ok});
    check::messages(t.ui, {{QStringLiteral("ＤＶＤ・メインのファイルを削除しますか？"), kAsk, Icon::None},
                           {QStringLiteral("メイン・ファイルを削除しました。"), kDone, Icon::Information}});
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU3")));
    press(f, "Command4", QStringLiteral("ＤＶＤ"), main, t.ui, {Answer::Ok});
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("メイン・ファイルが作成されていません。"));
}

TEST(Form2c, AFailedDropLeavesBothTablesAndTheDefinition)
{
    TestApp t;
    prepare(t);
    // The main table went missing behind the register's back: its drop fails, and the sub
    // file dropped before it in the same action comes back.
    t.db().execute(QStringLiteral("DROP TABLE SHUMOKU1"));
    Form2c f(t.app);
    press(f, "Command4", QStringLiteral("ＣＤ "), QStringLiteral("メイン"), t.ui, {Answer::Ok, Answer::Ok});
    ASSERT_EQ(t.ui.messages().size(), 3u);
    EXPECT_EQ(t.ui.messages()[2].title, QStringLiteral("Error"));
    EXPECT_EQ(rows(t, "SHUMOKU1SUB"), 2);
    EXPECT_EQ(t.app.cache.row(0).subCreated, 1);
    EXPECT_EQ(t.app.cache.row(0).mainCreated, 1);
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).subFields[0].name, QStringLiteral("曲名"));
}
