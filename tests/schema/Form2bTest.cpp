#include "SchemaChecks.h"
#include "BackendTest.h"
#include "OtherDesk.h"
#include "Find.h"
#include "Builders.h"
#include "schema/Form2b.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TEST(Form2b, NamesAreStoredAsTypedAndTheMainWindowFollows)
{
    TestApp t;
    build::nameCategory(t.app, 1, QStringLiteral("ＬＰ"));
    Form2b f(t.app);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理Tanzo"));
    EXPECT_EQ(child<QPushButton>(f, "Command1")->text(), QStringLiteral("設　定"));
    EXPECT_EQ(child<QLabel>(f, "Label11")->text(), QStringLiteral(" メイン画面にあるボタン（１～６）に、種目名をセットします。"));
    EXPECT_EQ(child<QLabel>(f, "Label7")->text(), QStringLiteral("種目６"));
    ASSERT_NE(child<QLineEdit>(f, "Text1_5"), nullptr);
    EXPECT_EQ(f.findChild<QLineEdit*>(QStringLiteral("Text1_6")), nullptr);
    // Unnamed categories show their blank name as stored.
    EXPECT_EQ(child<QLineEdit>(f, "Text1_0")->text(), QStringLiteral("    "));
    EXPECT_EQ(child<QLineEdit>(f, "Text1_1")->text(), QStringLiteral("ＬＰ"));

    child<QLineEdit>(f, "Text1_0")->setText(QStringLiteral("  ＣＤ "));
    child<QLineEdit>(f, "Text1_1")->setText(QString());
    child<QLineEdit>(f, "Text1_2")->setText(QStringLiteral("　"));
    child<QLineEdit>(f, "Text1_3")->setText(QStringLiteral("ＤＶＤ"));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(f.result(), QDialog::Accepted);

    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("  ＣＤ "));
    EXPECT_EQ(t.app.cache.row(0).named, 1);
    EXPECT_EQ(t.app.cache.row(1).name, QString());
    EXPECT_EQ(t.app.cache.row(1).named, 0);
    EXPECT_EQ(t.app.cache.row(2).name, QStringLiteral("　"));
    EXPECT_EQ(t.app.cache.row(2).named, 0);
    EXPECT_EQ(t.app.cache.row(3).name, QStringLiteral("ＤＶＤ"));
    EXPECT_EQ(t.app.cache.row(3).named, 1);
    EXPECT_EQ(t.app.cache.row(4).named, 0);
}

TEST(Form2b, ClearingTheNameOfACategoryWithAMainFileIsRefusedAndChangesNothing)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::nameCategory(t.app, 1, QStringLiteral("ＬＰ"));
    build::nameCategory(t.app, 2, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 2, {{"題名", "TEXT"}});

    Form2b f(t.app);
    child<QLineEdit>(f, "Text1_0")->setText(QStringLiteral("新ＣＤ"));
    child<QLineEdit>(f, "Text1_1")->setText(QString());
    child<QLineEdit>(f, "Text1_2")->setText(QStringLiteral("　"));
    child<QPushButton>(f, "Command1")->click();
    ASSERT_EQ(t.ui.messages().size(), 1u);
    const auto m = t.ui.messages()[0];
    EXPECT_EQ(m.text, QStringLiteral("ファイル作成済のため、種目名は取消しできません。"));
    EXPECT_EQ(m.title, QStringLiteral("Ｅｒｒｏｒ"));
    EXPECT_EQ(m.icon, Ui::Icon::Exclamation);
    EXPECT_EQ(f.result(), QDialog::Rejected);
    // Neither the cache nor the table saw the categories before the refused one.
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("ＣＤ"));
    EXPECT_EQ(t.app.cache.row(1).named, 1);
    EXPECT_EQ(t.app.cache.row(2).name, QStringLiteral("ＤＶＤ"));
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("ＣＤ"));
    EXPECT_EQ(t.app.cache.row(1).name, QStringLiteral("ＬＰ"));
    EXPECT_EQ(t.app.cache.row(1).named, 1);

    // Renaming it instead is allowed; its table keeps its name.
    t.ui.clearLog();
    child<QLineEdit>(f, "Text1_2")->setText(QStringLiteral("映像"));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("新ＣＤ"));
    EXPECT_EQ(t.app.cache.row(1).named, 0);
    EXPECT_EQ(t.app.cache.row(2).name, QStringLiteral("映像"));
    EXPECT_EQ(t.app.cache.row(2).mainTableName, QStringLiteral("SHUMOKU3"));
    EXPECT_EQ(t.app.cache.row(2).mainCreated, 1);
}

TEST(Form2b, BackAppliesNothingAndHelpSendsTheKey)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    Form2b f(t.app);
    child<QLineEdit>(f, "Text1_0")->setText(QStringLiteral("別名"));
    child<QPushButton>(f, "Command3")->click();
    ASSERT_EQ(t.ui.calls().size(), 1u);
    EXPECT_EQ(t.ui.calls()[0].kind, QStringLiteral("help"));
    EXPECT_EQ(t.ui.calls()[0].text, QStringLiteral("Form2b"));
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("ＣＤ"));
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("ＣＤ"));
}

namespace {
class Form2bTwoDesks : public BackendTest {};
}  // namespace

// Desk A has the names open while desk B makes ＤＶＤ's main file: A's press is refused with
// the reason, B's file stays recorded, and A's window shows the names as stored now. Pressed
// again, A's name is stored over what A has now seen.
TEST_P(Form2bTwoDesks, NamesFromSettingsAnotherDeskChangedSinceAreNotStored)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::nameCategory(t.app, 1, QStringLiteral("ＤＶＤ"));
    OtherDesk b(t.dir);
    Form2b f(t.app);

    build::nameCategory(b.app, 3, QStringLiteral("本"));
    build::defineMain(b.app, 1, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});

    child<QLineEdit>(f, "Text1_2")->setText(QStringLiteral("ＬＰ"));
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {{QStringLiteral("他の端末で設定が変更されたため、この設定は保存しませんでした。"
                                           "設定を読み直しましたので、確認してから、もう一度操作して下さい。"),
                            QStringLiteral("Error"), Ui::Icon::Critical}});
    EXPECT_NE(f.result(), QDialog::Accepted);
    const ConfigCache stored = t.stored();
    EXPECT_EQ(stored.row(1).mainCreated, 1);
    EXPECT_EQ(stored.row(1).mainTableName, QStringLiteral("SHUMOKU2"));
    EXPECT_EQ(stored.row(2).named, 0);
    EXPECT_EQ(child<QLineEdit>(f, "Text1_2")->text(), stored.row(2).name);
    EXPECT_EQ(child<QLineEdit>(f, "Text1_3")->text(), QStringLiteral("本"));
    EXPECT_EQ(t.app.cache.row(1).mainCreated, 1);

    child<QLineEdit>(f, "Text1_2")->setText(QStringLiteral("ＬＰ"));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    const ConfigCache after = t.stored();
    EXPECT_EQ(after.row(1).mainCreated, 1);
    EXPECT_EQ(after.row(2).name, QStringLiteral("ＬＰ"));
}

TANZO_ON_BOTH_BACKENDS(Form2bTwoDesks);
