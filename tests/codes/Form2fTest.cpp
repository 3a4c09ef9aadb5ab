#include "BackendTest.h"
#include "Builders.h"
#include "Find.h"
#include "Person.h"
#include "ForcedFailure.h"
#include "OtherDesk.h"
#include "TestApp.h"
#include "codes/CodeTableReader.h"
#include "codes/Form2f.h"
#include "core/CodeStore.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/widgets/DataGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Icon = Ui::Icon;
using Buttons = Ui::Buttons;
using Answer = Ui::Answer;
using Rows = QVector<QStringList>;

// The rows of a table as stored, read straight from the database.
Rows stored(TestApp& t, const QString& table)
{
    Database db = t.db();
    QStringList columns;
    Rows rows;
    CodeTableReader::read(db, table, columns, rows);
    return rows;
}

Rows shown(const Form2f& f)
{
    Rows rows;
    for (int r = 0; r < child<DataGrid>(f, "DBGrid1")->rowCount(); ++r) rows.push_back({child<DataGrid>(f, "DBGrid1")->text(r, 0), child<DataGrid>(f, "DBGrid1")->text(r, 1)});
    return rows;
}

// Exactly one message since the log was cleared; refusals are error icon, OK, "Error".
void expectOnlyMessage(ScriptedUi& ui, const QString& text, Icon icon = Icon::Critical, Buttons buttons = Buttons::Ok,
                       const QString& title = QStringLiteral("Error"))
{
    const auto m = ui.messages();
    ASSERT_EQ(m.size(), 1u) << "last: " << ui.lastMessage().toStdString();
    EXPECT_EQ(m[0].text, text);
    EXPECT_EQ(m[0].icon, icon);
    EXPECT_EQ(m[0].buttons, buttons);
    EXPECT_EQ(m[0].title, title);
}

// Browsing: Command1..Command3 shown, Command4 hidden and empty, the texts locked and
// showing the grid's current row.
void expectBrowsing(const Form2f& f)
{
    EXPECT_EQ(f.state(), Form2f::State::Browsing);
    EXPECT_FALSE(child<QPushButton>(f, "Command1")->isHidden());
    EXPECT_FALSE(child<QPushButton>(f, "Command3")->isHidden());
    EXPECT_TRUE(child<QPushButton>(f, "Command4")->isHidden());
    EXPECT_TRUE(child<QPushButton>(f, "Command4")->text().isEmpty());
    EXPECT_TRUE(child<QLabel>(f, "Label7")->isHidden());
    EXPECT_TRUE(child<QLineEdit>(f, "Text1")->isReadOnly() && child<QLineEdit>(f, "Text2")->isReadOnly());
    const int row = child<DataGrid>(f, "DBGrid1")->currentRow();
    EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), row < 0 ? QString() : child<DataGrid>(f, "DBGrid1")->text(row, 0));
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), row < 0 ? QString() : child<DataGrid>(f, "DBGrid1")->text(row, 1));
}

Rows twoCodes()
{
    return {{QStringLiteral("001"), QStringLiteral("山田")}, {QStringLiteral("005"), QStringLiteral("佐藤")}};
}

// Code table 1 "社員" (length 3) with two codes, and an empty table 3 "種類" (length 2);
// slot 2 of the register is free.
struct Form2fTest : ::testing::Test {
    void SetUp() override
    {
        build::createCodeTable(t.app, 1, QStringLiteral("社員"), 3);
        build::addCode(t.app, 1, QStringLiteral("001"), QStringLiteral("山田"));
        build::addCode(t.app, 1, QStringLiteral("005"), QStringLiteral("佐藤"));
        build::createCodeTable(t.app, 3, QStringLiteral("種類"), 2);
    }

    std::unique_ptr<Form2f> open(int slot = 0)
    {
        auto f = std::make_unique<Form2f>(t.app);
        person::choose(child<QComboBox>(*f, "Combo1"), slot);
        t.ui.clearLog();
        return f;
    }

    void add(Form2f& f, const QString& code, const QString& name)
    {
        child<QPushButton>(f, "Command1")->click();
        child<QLineEdit>(f, "Text1")->setText(code);
        child<QLineEdit>(f, "Text2")->setText(name);
        child<QPushButton>(f, "Command4")->click();
    }

    void rename(Form2f& f, int row, const QString& name)
    {
        child<DataGrid>(f, "DBGrid1")->setCurrentRow(row);
        child<QPushButton>(f, "Command2")->click();
        child<QLineEdit>(f, "Text2")->setText(name);
        child<QPushButton>(f, "Command4")->click();
    }

    TestApp t;
};

}  // namespace

TEST(Form2fOpening, WithoutCodeTablesSaysSoAndOffersNothing)
{
    TestApp t;
    Form2f f(t.app);
    expectOnlyMessage(t.ui, QStringLiteral("コード・テーブルが作成未済みです。"));
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->count(), 0);
    EXPECT_EQ(f.state(), Form2f::State::Waiting);
    EXPECT_TRUE(child<DataGrid>(f, "DBGrid1")->isHidden());
    EXPECT_TRUE(child<QPushButton>(f, "Command1")->isHidden());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - コード登録"));
}

TEST_F(Form2fTest, ChoosingATableShowsItsRowsAndLocksTheList)
{
    Form2f f(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    ASSERT_EQ(child<QComboBox>(f, "Combo1")->count(), 8);
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->itemText(2), QStringLiteral("種類"));
    for (QWidget* w : std::initializer_list<QWidget*>{child<DataGrid>(f, "DBGrid1"), child<QPushButton>(f, "Command1"), child<QPushButton>(f, "Command4"), child<QLineEdit>(f, "Text1"), child<QLineEdit>(f, "Text3"), child<QLabel>(f, "Label4")})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();

    person::choose(child<QComboBox>(f, "Combo1"), 1);  // a free slot: nothing happens and the list stays open
    EXPECT_EQ(f.state(), Form2f::State::Waiting);
    EXPECT_TRUE(child<QComboBox>(f, "Combo1")->isEnabled());
    EXPECT_TRUE(child<DataGrid>(f, "DBGrid1")->isHidden());

    person::choose(child<QComboBox>(f, "Combo1"), 0);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_FALSE(child<QComboBox>(f, "Combo1")->isEnabled());
    EXPECT_FALSE(child<DataGrid>(f, "DBGrid1")->isHidden());
    EXPECT_EQ(child<DataGrid>(f, "DBGrid1")->horizontalHeaderItem(1)->text(), QStringLiteral("社員"));
    EXPECT_EQ(shown(f), twoCodes());
    EXPECT_EQ(child<QLabel>(f, "Label4")->text(), QStringLiteral("(3桁)"));
    EXPECT_TRUE(child<QLineEdit>(f, "Text3")->isHidden());
    expectBrowsing(f);
    child<DataGrid>(f, "DBGrid1")->setCurrentRow(1);  // the bound boxes follow the grid
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("佐藤"));

    QTest::keyClick(child<QComboBox>(f, "Combo1"), Qt::Key_End);  // the choice cannot be changed any more
    EXPECT_EQ(f.chosenSlot(), 0);
    EXPECT_EQ(child<DataGrid>(f, "DBGrid1")->horizontalHeaderItem(1)->text(), QStringLiteral("社員"));

    child<QPushButton>(f, "Command6")->click();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));

    // An empty table offers nothing to change or delete.
    Form2f g(t.app);
    person::choose(child<QComboBox>(g, "Combo1"), 2);
    EXPECT_EQ(child<QLabel>(g, "Label4")->text(), QStringLiteral("(2桁)"));
    EXPECT_EQ(child<DataGrid>(g, "DBGrid1")->rowCount(), 0);
    EXPECT_FALSE(child<QPushButton>(g, "Command2")->isEnabled());
    child<QPushButton>(g, "Command3")->click();
    EXPECT_EQ(g.state(), Form2f::State::Browsing);
}

TEST_F(Form2fTest, AddingStoresTheCodeAndShowsItAsTheCurrentRow)
{
    auto f = open();
    child<QPushButton>(*f, "Command1")->click();
    EXPECT_EQ(f->state(), Form2f::State::Adding);
    EXPECT_EQ(child<QPushButton>(*f, "Command4")->text(), QStringLiteral("新規作成実行"));
    EXPECT_TRUE(child<QPushButton>(*f, "Command1")->isHidden() && child<QPushButton>(*f, "Command2")->isHidden() && child<QPushButton>(*f, "Command3")->isHidden());
    EXPECT_TRUE(child<QLineEdit>(*f, "Text1")->text().isEmpty() && child<QLineEdit>(*f, "Text2")->text().isEmpty());
    EXPECT_FALSE(child<QLineEdit>(*f, "Text1")->isReadOnly() || child<QLineEdit>(*f, "Text2")->isReadOnly());
    child<QLineEdit>(*f, "Text1")->setText(QStringLiteral(" 012 "));
    child<QLineEdit>(*f, "Text2")->setText(QStringLiteral("　鈴木　"));
    child<QPushButton>(*f, "Command4")->click();

    EXPECT_TRUE(t.ui.messages().empty());
    const QStringList added = {QStringLiteral("012"), QStringLiteral("鈴木")};
    EXPECT_EQ(stored(t, "CODE1"), twoCodes() << added);
    EXPECT_EQ(shown(*f), twoCodes() << added);
    EXPECT_EQ(child<DataGrid>(*f, "DBGrid1")->currentRow(), 2);
    expectBrowsing(*f);

    // Fifteen characters of any kind are accepted; codes differing only in case are distinct.
    add(*f, QStringLiteral("abc"), QString(15, QChar(0x3042)));
    add(*f, QStringLiteral("ABC"), QStringLiteral("abcdefghijklmno"));
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    const Rows rows = stored(t, "CODE1");
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows[3], (QStringList{QStringLiteral("abc"), QString(15, QChar(0x3042))}));
    EXPECT_EQ(rows[4][0], QStringLiteral("ABC"));
    EXPECT_EQ(shown(*f), rows);

    // Enter in a text box carries out the started action.
    f->show();
    child<QPushButton>(*f, "Command1")->click();
    child<QLineEdit>(*f, "Text1")->setText(QStringLiteral("777"));
    child<QLineEdit>(*f, "Text2")->setText(QStringLiteral("高橋"));
    QTest::keyClick(child<QLineEdit>(*f, "Text2"), Qt::Key_Return);
    EXPECT_EQ(build::rowCount(t.app, "CODE1"), 6);
    expectBrowsing(*f);
    f->close();
}

TEST_F(Form2fTest, AddingRefusesBadEntriesAndChangesNothing)
{
    auto f = open();
    const struct {
        QString code, name, message;
    } cases[] = {
        {"12", "鈴木", "コードの桁数が相違しています。"},
        {"0123", "鈴木", "コードの桁数が相違しています。"},
        {"012", QString(16, QChar(0x3042)), "コード名称の桁数が30桁オーバーです。"},
        {"012", "abcdefghijklmnop", "コード名称の桁数が30桁オーバーです。"},
        {"012", "　", "コード名称が入力洩れです。"},
        {"  ", "鈴木", "コードが入力洩れです。"},
        {"005", "鈴木", "コード 005 は既に登録済です。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString() + " " + c.code.toStdString());
        t.ui.clearLog();
        add(*f, c.code, c.name);
        expectOnlyMessage(t.ui, c.message);
        expectBrowsing(*f);
        EXPECT_EQ(stored(t, "CODE1"), twoCodes());
        EXPECT_EQ(shown(*f), twoCodes());
    }

    add(*f, QStringLiteral("012"), QStringLiteral("鈴木"));
    t.ui.clearLog();
    add(*f, QStringLiteral("012"), QStringLiteral("田中"));
    expectOnlyMessage(t.ui, QStringLiteral("コード 012 は既に登録済です。"));
    EXPECT_EQ(build::rowCount(t.app, "CODE1"), 3);
}

TEST_F(Form2fTest, ChangingKeepsTheCodeAndRenames)
{
    auto f = open();
    child<DataGrid>(*f, "DBGrid1")->setCurrentRow(1);
    child<QPushButton>(*f, "Command2")->click();
    EXPECT_EQ(f->state(), Form2f::State::Changing);
    EXPECT_EQ(child<QPushButton>(*f, "Command4")->text(), QStringLiteral("変更 実行"));
    EXPECT_FALSE(child<QLabel>(*f, "Label7")->isHidden());
    EXPECT_TRUE(child<QLineEdit>(*f, "Text1")->isReadOnly());
    EXPECT_FALSE(child<QLineEdit>(*f, "Text2")->isReadOnly());
    EXPECT_EQ(child<QLineEdit>(*f, "Text3")->text(), QStringLiteral("005"));
    child<QLineEdit>(*f, "Text2")->setText(QStringLiteral("佐藤花子"));
    child<QPushButton>(*f, "Command4")->click();

    EXPECT_TRUE(t.ui.messages().empty());
    const Rows renamed = {twoCodes()[0], {QStringLiteral("005"), QStringLiteral("佐藤花子")}};
    EXPECT_EQ(stored(t, "CODE1"), renamed);
    EXPECT_EQ(shown(*f), renamed);
    EXPECT_EQ(child<QLineEdit>(*f, "Text1")->text(), QStringLiteral("005"));
    expectBrowsing(*f);

    rename(*f, 0, QString(16, QLatin1Char('x')));
    expectOnlyMessage(t.ui, QStringLiteral("コード名称の桁数が30桁オーバーです。"));
    t.ui.clearLog();
    rename(*f, 0, QStringLiteral(" "));
    expectOnlyMessage(t.ui, QStringLiteral("コード名称が入力洩れです。"));
    expectBrowsing(*f);
    EXPECT_EQ(stored(t, "CODE1"), renamed);
}

TEST_F(Form2fTest, DeletingAsksAndRemovesTheCode)
{
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("担当"), QStringLiteral("CODE1")}});
    build::addMainRow(t.app, 0, {QStringLiteral("001")}, 1);
    auto f = open();

    child<QPushButton>(*f, "Command3")->click();
    EXPECT_EQ(f->state(), Form2f::State::Deleting);
    EXPECT_EQ(child<QPushButton>(*f, "Command4")->text(), QStringLiteral("削除 実行"));
    EXPECT_TRUE(child<QLineEdit>(*f, "Text1")->isReadOnly() && child<QLineEdit>(*f, "Text2")->isReadOnly());
    t.ui.answer(Answer::Cancel);
    child<QPushButton>(*f, "Command4")->click();
    expectOnlyMessage(t.ui, QStringLiteral("このレコードを削除しますか？"), Icon::Question, Buttons::OkCancel,
                      QStringLiteral("削除の確認"));
    EXPECT_EQ(stored(t, "CODE1"), twoCodes());
    expectBrowsing(*f);

    child<QPushButton>(*f, "Command3")->click();
    t.ui.answer(Answer::Ok);
    child<QPushButton>(*f, "Command4")->click();
    const Rows left = {twoCodes()[1]};
    EXPECT_EQ(stored(t, "CODE1"), left);
    EXPECT_EQ(shown(*f), left);
    expectBrowsing(*f);
    EXPECT_EQ(stored(t, "SHUMOKU1")[0][0], QStringLiteral("001"));  // the record keeps its code

    child<QPushButton>(*f, "Command3")->click();
    t.ui.answer(Answer::Ok);
    child<QPushButton>(*f, "Command4")->click();
    EXPECT_TRUE(stored(t, "CODE1").isEmpty());
    EXPECT_FALSE(child<QPushButton>(*f, "Command3")->isEnabled());
    expectBrowsing(*f);
}

TEST_F(Form2fTest, AnEngineErrorIsShownAndTheWindowStaysUsable)
{
    auto f = open();
    refuseWrites(t.db(), QStringLiteral("CODE1"), QStringLiteral("INSERT"));
    add(*f, QStringLiteral("012"), QStringLiteral("鈴木"));
    const auto m = t.ui.messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].title, QStringLiteral("Error"));
    EXPECT_EQ(m[0].icon, Icon::Critical);
    expectBrowsing(*f);
    EXPECT_EQ(stored(t, "CODE1"), twoCodes());

    t.ui.clearLog();
    rename(*f, 0, QStringLiteral("山本"));
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(stored(t, "CODE1")[0][1], QStringLiteral("山本"));

    // Closing in the middle of an action discards it.
    child<QPushButton>(*f, "Command1")->click();
    child<QLineEdit>(*f, "Text1")->setText(QStringLiteral("099"));
    child<QLineEdit>(*f, "Text2")->setText(QStringLiteral("未登録"));
    child<QPushButton>(*f, "Command5")->click();
    EXPECT_EQ(build::rowCount(t.app, "CODE1"), 2);
}

TEST_F(Form2fTest, TheFocusWaitsOnTheNextStepSoTheKeyboardAloneAddsCodeAfterCode)
{
    Form2f f(t.app);
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    auto press = [](int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); };

    // An empty table: 新規作成 waits, and after each code it waits again (not 戻る, where Space
    // would close the window).
    person::choose(child<QComboBox>(f, "Combo1"), 2);
    for (const auto& [code, name] : {std::pair{"01", "赤"}, std::pair{"02", "青"}}) {
        ASSERT_EQ(QApplication::focusWidget(), child<QPushButton>(f, "Command1"));
        press(Qt::Key_Space);
        ASSERT_EQ(f.state(), Form2f::State::Adding);
        person::type(QApplication::focusWidget(), QString::fromUtf8(code));
        press(Qt::Key_Tab);
        person::type(QApplication::focusWidget(), QString::fromUtf8(name));
        press(Qt::Key_Return);
    }
    EXPECT_EQ(stored(t, "CODE3"), (Rows{{"01", "赤"}, {"02", "青"}}));
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>(f, "Command1"));
    f.close();

    // A table with codes: the grid takes the focus, and its arrow keys pick the code.
    Form2f g(t.app);
    g.show();
    g.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&g));
    person::choose(child<QComboBox>(g, "Combo1"), 0);
    ASSERT_EQ(QApplication::focusWidget(), child<DataGrid>(g, "DBGrid1"));
    press(Qt::Key_Down);
    EXPECT_EQ(child<QLineEdit>(g, "Text2")->text(), QStringLiteral("佐藤"));
    g.close();
}

class Form2fTwoDesks : public BackendTest {};

// Desk A has a code table open while desk B renames one of its codes and deletes another. A's
// change and delete of a code as A still shows it are refused with what happened, nothing of
// A's is written, and A's grid shows the table as B left it.
TEST_P(Form2fTwoDesks, AChangeOrDeleteOfACodeAnotherDeskChangedSinceIsRefused)
{
    TestApp t;
    build::createCodeTable(t.app, 1, QStringLiteral("社員"), 3);
    build::addCode(t.app, 1, QStringLiteral("001"), QStringLiteral("山田"));
    build::addCode(t.app, 1, QStringLiteral("005"), QStringLiteral("佐藤"));
    OtherDesk b(t.dir);
    Form2f a(t.app);
    person::choose(child<QComboBox>(a, "Combo1"), 0);
    auto* grid = child<DataGrid>(a, "DBGrid1");
    ASSERT_EQ(shown(a), twoCodes());

    CodeStore(b.app.cache).renameCode(QStringLiteral("CODE1"), QStringLiteral("001"), QStringLiteral("山田"), QStringLiteral("山本"));
    CodeStore(b.app.cache).removeCode(QStringLiteral("CODE1"), QStringLiteral("005"), QStringLiteral("佐藤"));

    // A renames 001, which it still shows as 山田.
    QTest::keyClick(grid, Qt::Key_Home);
    child<QPushButton>(a, "Command2")->click();
    child<QLineEdit>(a, "Text2")->setText(QStringLiteral("山口"));
    child<QPushButton>(a, "Command4")->click();
    expectOnlyMessage(t.ui, QStringLiteral("このコードは、表示した後に他の端末で変更されています。"
                                           "表示し直した内容を確かめてから、もう一度操作して下さい。"));
    const Rows left = {{QStringLiteral("001"), QStringLiteral("山本")}};
    EXPECT_EQ(stored(t, "CODE1"), left);
    EXPECT_EQ(shown(a), left);
    expectBrowsing(a);

    // A deletes 001 as 山本 after B deleted it.
    CodeStore(b.app.cache).removeCode(QStringLiteral("CODE1"), QStringLiteral("001"), QStringLiteral("山本"));
    t.ui.clearLog();
    child<QPushButton>(a, "Command3")->click();
    t.ui.answer(Answer::Ok);
    child<QPushButton>(a, "Command4")->click();
    const auto m = t.ui.messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[1].text, QStringLiteral("このコードは、表示した後に他の端末で削除されています。"));
    EXPECT_TRUE(stored(t, "CODE1").isEmpty());
    EXPECT_TRUE(shown(a).isEmpty());
}

TANZO_ON_BOTH_BACKENDS(Form2fTwoDesks);
