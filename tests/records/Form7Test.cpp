#include "RecordFixture.h"
#include "Find.h"
#include "Person.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/Twips.h"
#include "records/Form7.h"
#include "core/CodeStore.h"
#include "core/RecordStore.h"
#include "platform/db/Database.h"
#include "core/ManagementSchema.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace fixture;

namespace {

int px(const QWidget& w, int twips) { return twipsToPixelsX(w, twips); }

void fill(Form7& f, const QStringList& values)
{
    for (int k = 0; k < values.size(); ++k) child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(k))->setText(values[k]);
}

void expectMessage(const ScriptedUi& ui, const QString& text, const QString& title, Ui::Icon icon = Ui::Icon::Critical,
                   Ui::Buttons buttons = Ui::Buttons::Ok)
{
    ASSERT_FALSE(ui.messages().empty()) << "no message, expected " << text.toStdString();
    const ScriptedUi::Call m = ui.messages().back();
    EXPECT_EQ(m.text, text);
    EXPECT_EQ(m.title, title);
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(m.buttons, buttons);
}

}  // namespace

TEST(Form7, NewModeOpeningPresentsEachFieldByItsType)
{
    TestApp t;
    makeCategories(t);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QString());

    EXPECT_EQ(f.objectName(), QStringLiteral("Form7"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - メイン明細更新処理"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("ＣＤ (明細)"));
    EXPECT_EQ(child<QLabel>(f, "Label3")->text(), QStringLiteral("新規作成"));
    EXPECT_EQ(child<QPushButton>(f, "Command1")->text(), QStringLiteral("新規作成　ＯＫ"));
    EXPECT_EQ(child<QPushButton>(f, "Command2")->text(), QStringLiteral("終　了"));
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QLabel>(f, "Label5")->text(), QStringLiteral("データを残す"));
    EXPECT_FALSE(child<QLabel>(f, "Label5")->isHidden());

    const QStringList captions = {"(文字)", "(数値)", "(金額)", "(日付)", "CODE1"};
    const QList<int> widths = {5295, 2600, 2600, 2000, 1000};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(child<QLabel>(f, QStringLiteral("Label1_%1").arg(k))->text(), t.app.cache.row(0).mainFields[k].name);
        EXPECT_EQ(child<QLabel>(f, QStringLiteral("Label4_%1").arg(k))->text(), captions[k]);
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(k))->width(), px(*child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(k)), widths[k])) << k;
        EXPECT_FALSE(child<QCheckBox>(f, QStringLiteral("Check1_%1").arg(k))->isHidden());
        EXPECT_FALSE(child<QCheckBox>(f, QStringLiteral("Check1_%1").arg(k))->isChecked());
    }
    EXPECT_TRUE(child<MaskedEdit>(f, "MaskEdBox1_5")->isHidden());
    // Only the text field's caption is framed at opening, with its right-click hint.
    EXPECT_EQ(child<QLabel>(f, QStringLiteral("Label4_%1").arg(Name))->frameShape(), QFrame::Box);
    EXPECT_EQ(child<QLabel>(f, QStringLiteral("Label4_%1").arg(Count))->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(child<QLabel>(f, QStringLiteral("Label4_%1").arg(Name))->toolTip(), QStringLiteral("右クリックで、コード・テーブル一覧を表示する。"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Price))->format(), QStringLiteral("\\\\###,###,###,##0"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought))->mask(), QStringLiteral("####/##/##"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->maxLength(), 3);
    // The code list: one "code  name" item per code, in table order; other lists stay hidden.
    QComboBox* codes = child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Genre));
    ASSERT_EQ(codes->count(), 2);
    EXPECT_EQ(codes->itemText(0), QStringLiteral("A01  ロック"));
    EXPECT_EQ(codes->itemText(1), QStringLiteral("B02  ジャズ"));
    EXPECT_EQ(codes->placeholderText(), QStringLiteral("コードを選択して下さい"));
    EXPECT_FALSE(codes->isHidden());
    EXPECT_TRUE(child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Name))->isHidden());
    // The popup's design captions before the register names them.
    EXPECT_EQ(child<QAction>(f, "mcd1_7")->text(), QStringLiteral("code8"));
}

TEST(Form7, AddingInALoopKeepsTickedFieldsAndNumbersRowsAcrossARestart)
{
    TestApp t;
    makeCategories(t);
    {
        Form7 f(t.app, 0);
        f.prepare(EditorMode::New, {}, QString());
        fill(f, {"ベスト盤", "2", "1,500", "2024/05/06", "A01"});
        child<QCheckBox>(f, QStringLiteral("Check1_%1").arg(Name))->setChecked(true);
        child<QCheckBox>(f, QStringLiteral("Check1_%1").arg(Genre))->setChecked(true);
        child<QPushButton>(f, "Command1")->click();
        EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();

        // Kept fields keep their values; the others are cleared and presented afresh.
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("ベスト盤"));
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->text(), QStringLiteral("A01"));
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count))->text(), QString());
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Price))->text(), QString());
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought))->clipText(), QString());
        // A cleared number box comes back wide; every caption but a code's is framed again.
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count))->width(), px(*child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count)), 5295));
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Price))->width(), px(*child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Price)), 2600));
        EXPECT_EQ(child<QLabel>(f, QStringLiteral("Label4_%1").arg(Count))->frameShape(), QFrame::Box);
        EXPECT_EQ(child<QLabel>(f, QStringLiteral("Label4_%1").arg(Genre))->frameShape(), QFrame::NoFrame);
        EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("2"));
        EXPECT_FALSE(f.listRepaintRequested());

        fill(f, {"ベスト盤", "", "", "2024/05/07", "A01"});
        child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count))->setText(QStringLiteral("３"));  // full-width digits are a number too
        child<QPushButton>(f, "Command1")->click();
        EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("3"));
        child<QPushButton>(f, "Command2")->click();
        EXPECT_TRUE(f.listRepaintRequested());
    }
    const auto stored = rows(t, QStringLiteral("SHUMOKU1"));
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0], QStringList({"ベスト盤", "2", "1500", "2024/05/06", "A01", "1"}));
    EXPECT_EQ(stored[1], QStringList({"ベスト盤", "3", "0", "2024/05/07", "A01", "2"}));

    t.reload();
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 2);
    Form7 again(t.app, 0);
    again.prepare(EditorMode::New, {}, QString());
    EXPECT_EQ(child<QLineEdit>(again, "Text2")->text(), QStringLiteral("3"));
}

TEST(Form7, EmptyBoxesAreStoredAsZeroOrThreeSpacesButADateIsRequired)
{
    TestApp t;
    makeCategories(t);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QString());
    fill(f, {"", "", "", "2024/01/31", ""});
    child<QPushButton>(f, "Command1")->click();
    ASSERT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    auto stored = rows(t, QStringLiteral("SHUMOKU1"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0], QStringList({"   ", "0", "0", "2024/01/31", "   ", "1"}));

    // An empty date abandons the row and spends the number; what was typed stays, the date
    // box has the focus with its text selected, and what is typed there goes in under the next
    // number.
    f.show();
    fill(f, {"名無し", "5", "", "", ""});
    child<QPushButton>(f, "Command1")->click();
    expectMessage(t.ui, QStringLiteral("購入日が相違しています。[ ____/__/__ ]"), QStringLiteral("データ型相違"));
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).size(), 1);
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("3"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("名無し"));
    auto* date = child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought));
    EXPECT_EQ(f.focusWidget(), date);
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 2);
    QTest::keyClicks(date, QStringLiteral("20240201"));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(1), QStringList({"名無し", "5", "0", "2024/02/01", "   ", "3"}));

    // A number box that holds no number abandons the row the same way.
    fill(f, {"x", "十", "", "2024/01/31", ""});
    child<QPushButton>(f, "Command1")->click();
    expectMessage(t.ui, QStringLiteral("枚数が相違しています。[ 十 ]"), QStringLiteral("データ型相違"));
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).size(), 2);
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("5"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("x"));
}

TEST(Form7, TextUpToFiftyBytesIsAcceptedAndLongerTextRefused)
{
    TestApp t;
    makeCategories(t);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QString());
    const QString fifty = QString(25, QChar(0x3042));  // 25 full-width characters
    EXPECT_EQ(Form7::LenMbcs(fifty), 50);

    fill(f, {fifty + QStringLiteral("a"), "1", "1", "2024/01/01", ""});
    child<QPushButton>(f, "Command1")->click();
    expectMessage(t.ui, QStringLiteral("入力したテキストの桁数が長がすぎます。"), QStringLiteral("Error"));
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 0);
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), fifty + QStringLiteral("a"));  // the input stays
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("1"));
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 0);

    // The refused box has the focus, its text selected: typing replaces it.
    t.ui.clearLog();
    auto* name = child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name));
    f.show();
    EXPECT_EQ(f.focusWidget(), name);
    person::type(name, fifty);
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(0).value(Name), fifty);
}

TEST(Form7, CodesAreCheckedForLengthThenExactlyAgainstTheirTable)
{
    TestApp t;
    makeCategories(t);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QString());
    fill(f, {"盤", "1", "1", "2024/01/01", ""});

    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->setText(QStringLiteral("A1"));
    child<QPushButton>(f, "Command1")->click();
    expectMessage(t.ui, QStringLiteral("A1  コードの桁数が相違しています。"), QStringLiteral("Error"));
    for (const QString& code : {QStringLiteral("a01"), QStringLiteral("Ａ01"), QStringLiteral("C03")}) {
        child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->setText(code);
        child<QPushButton>(f, "Command1")->click();
        expectMessage(t.ui, code + QStringLiteral("  コードが相違しています。"), QStringLiteral("Error"));
    }
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 0);
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 0);

    // Choosing from the list takes only the code.
    person::choose(child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Genre)), 1);
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->text(), QStringLiteral("B02"));
    EXPECT_FALSE(child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Genre))->isHidden());
    t.ui.clearLog();
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(0).value(Genre), QStringLiteral("B02"));
    // After the store the code list is filled again for the next entry.
    EXPECT_EQ(child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Genre))->count(), 2);
    EXPECT_EQ(child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Genre))->currentIndex(), -1);
}

TEST(Form7, ACodeTableAnotherDeskChangesBetweenTwoEntriesIsStillCheckedAndListed)
{
    TestApp t;
    makeCategories(t);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QString());
    QComboBox* genres = child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Genre));
    fill(f, {"一枚目", "1", "1", "2024/01/01", "A01"});
    child<QPushButton>(f, "Command1")->click();
    ASSERT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    ASSERT_EQ(genres->count(), 2);

    // Between two entries another desk takes A01 out of the table and renames B02.
    ConfigCache other = t.stored();
    other.setDatabasePath(t.app.databasePath());
    CodeStore(other).removeCode(QStringLiteral("CODE1"), QStringLiteral("A01"), QStringLiteral("ロック"));
    CodeStore(other).renameCode(QStringLiteral("CODE1"), QStringLiteral("B02"), QStringLiteral("ジャズ"), QStringLiteral("ブルース"));

    // The code the editor's list still shows is refused, and nothing is stored.
    fill(f, {"二枚目", "2", "2", "2024/01/02", "A01"});
    child<QPushButton>(f, "Command1")->click();
    expectMessage(t.ui, QStringLiteral("A01  コードが相違しています。"), QStringLiteral("Error"));
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 1);

    // The next entry stores, and the list for the one after shows the table as it stands now.
    t.ui.clearLog();
    fill(f, {"二枚目", "2", "2", "2024/01/02", "B02"});
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(1), QStringList({"二枚目", "2", "2", "2024/01/02", "B02", "2"}));
    ASSERT_EQ(genres->count(), 1);
    EXPECT_EQ(genres->itemText(0), QStringLiteral("B02  ブルース"));
}

TEST(Form7, ChangeModeStoresOnlyTheChosenRowAndCloses)
{
    TestApp t;
    makeCategories(t);
    build::addMainRow(t.app, 0, {"一枚目", "1", "100", "2024/01/01", "A01"}, 1);
    build::addMainRow(t.app, 0, {"二枚目", "2", "0", QString(), "B02"}, 2);
    Form7 f(t.app, 0);
    // The list hands over its shown texts: a zero amount shows as the yen sign alone and a
    // code value longer than the code is cut.
    f.prepare(EditorMode::Change, {"二枚目", "2", "¥", "", "B02xx"}, QStringLiteral("2"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("ＣＤ(明細)"));
    EXPECT_EQ(child<QPushButton>(f, "Command1")->text(), QStringLiteral("変更　ＯＫ"));
    EXPECT_EQ(child<QPushButton>(f, "Command2")->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Price))->format(), QStringLiteral("\\\\###,###,###,###"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->text(), QStringLiteral("B02"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought))->clipText(), QString());
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("2"));
    EXPECT_TRUE(child<QCheckBox>(f, "Check1_0")->isHidden());
    EXPECT_TRUE(child<QLabel>(f, "Label5")->isHidden());

    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->setText(QStringLiteral("二枚目（改）"));
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought))->setText(QStringLiteral("2024/02/29"));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_TRUE(f.listRepaintRequested());
    const auto stored = rows(t, QStringLiteral("SHUMOKU1"));
    EXPECT_EQ(stored[0], QStringList({"一枚目", "1", "100", "2024/01/01", "A01", "1"}));
    EXPECT_EQ(stored[1], QStringList({"二枚目（改）", "2", "0", "2024/02/29", "B02", "2"}));
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 2);
}

TEST(Form7, AnAmountLeftAsShownKeepsItsStoredFractionWhenAnotherFieldChanges)
{
    TestApp t;
    makeCategories(t);
    build::addMainRow(t.app, 0, {"端数", "1", "123.4567", "2024/01/01", "A01"}, 1);
    build::addMainRow(t.app, 0, {"最大", "1", "922337203685477.5807", "2024/01/01", "A01"}, 2);
    auto change = [&](const QString& key, const QStringList& shownTexts, int field, const QString& typed) {
        Form7 f(t.app, 0);
        ASSERT_TRUE(f.prepare(EditorMode::Change, shownTexts, key));
        child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(field))->setText(typed);
        child<QPushButton>(f, "Command1")->click();
        EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    };
    // The box shows whole yen; the amount stored stays as it was, to the last unit.
    change("1", {"端数", "1", "¥123", "2024/01/01", "A01"}, Count, "2");
    change("2", {"最大", "1", "¥922,337,203,685,478", "2024/01/01", "A01"}, Count, "2");
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")),
              (QVector<QStringList>{{"端数", "2", "123.4567", "2024/01/01", "A01", "1"},
                                    {"最大", "2", "922337203685477.5807", "2024/01/01", "A01", "2"}}));
    // An amount typed is stored as typed.
    change("1", {"端数", "2", "¥123", "2024/01/01", "A01"}, Price, "¥124");
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(0).value(Price), QStringLiteral("124"));
}

TEST(Form7, ARowAnotherDeskChangedWhileShownIsNotWrittenOverAndTheEditorStaysOpen)
{
    TestApp t;
    makeCategories(t);
    build::addMainRow(t.app, 0, {"一枚目", "1", "100", "2024/01/01", "A01"}, 1);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::Change, {"一枚目", "1", "¥100", "2024/01/01", "A01"}, QStringLiteral("1"));
    // Meanwhile another desk changes the same record.
    ConfigCache other = t.stored();
    other.setDatabasePath(t.app.databasePath());
    RecordStore(other).changeMain(0, 1, {"他の端末", "7", "100", "2024/01/01", "A01"});

    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->setText(QStringLiteral("私の変更"));
    child<QPushButton>(f, "Command1")->click();
    expectMessage(t.ui, QStringLiteral("このレコードは、表示した後に他の端末で変更されています。一覧を読み直してから、もう一度操作して下さい。"),
                  QStringLiteral("Error"));
    EXPECT_FALSE(f.listRepaintRequested());
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1"))[0], QStringList({"他の端末", "7", "100", "2024/01/01", "A01", "1"}));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("私の変更"));
}

TEST(Form7, BlankValuesHandedOverCountAsEmpty)
{
    TestApp t;
    makeCategories(t);
    build::addMainRow(t.app, 0, {"   ", QString(), QString(), "2024/01/01", "   "}, 1);
    // A record stored with blanks and Nulls, as the list shows it (a Null cell of the one-record view
    // shows a single space): the code and number checks see nothing typed.
    Form7 f(t.app, 0);
    f.prepare(EditorMode::Change, {"    ", " ", "", "2024/01/01", "   "}, QStringLiteral("1"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QString());
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->text(), QString());
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(0), QStringList({"   ", "0", "0", "2024/01/01", "   ", "1"}));

    // Blanks typed into a new record are stored as nothing typed too.
    Form7 g(t.app, 0);
    g.prepare(EditorMode::New, {}, QString());
    fill(g, {"　", "  ", " ", "2024/01/02", "  "});
    child<QPushButton>(g, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(1), QStringList({"   ", "0", "0", "2024/01/02", "   ", "2"}));
}

TEST(Form7, ATypeErrorInChangeModeStoresNothingAndKeepsTheEditorOpenToMend)
{
    TestApp t;
    makeCategories(t);
    build::addMainRow(t.app, 0, {"一枚目", "1", "100", "2024/01/01", "A01"}, 1);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::Change, {"一枚目", "1", "100", "2024/01/01", "A01"}, QStringLiteral("1"));
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->setText(QStringLiteral("改名"));
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Price))->setText(QStringLiteral("百円"));
    child<QPushButton>(f, "Command1")->click();
    expectMessage(t.ui, QStringLiteral("価格が相違しています。[ 百円 ]"), QStringLiteral("データ型相違"));
    EXPECT_FALSE(f.listRepaintRequested());
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(0).value(Name), QStringLiteral("一枚目"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("改名"));
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Price))->setText(QStringLiteral("100"));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(f.listRepaintRequested());
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(0).value(Name), QStringLiteral("改名"));

    // Cancel in change mode closes without writing and without asking for a repaint.
    Form7 g(t.app, 0);
    g.prepare(EditorMode::Change, {"一枚目", "1", "100", "2024/01/01", "A01"}, QStringLiteral("1"));
    child<MaskedEdit>(g, QStringLiteral("MaskEdBox1_%1").arg(Name))->setText(QStringLiteral("別名"));
    child<QPushButton>(g, "Command2")->click();
    EXPECT_FALSE(g.listRepaintRequested());
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).value(0).value(Name), QStringLiteral("改名"));
}

TEST(Form7, DeleteAsksFirstAndRemovesOnlyTheChosenRow)
{
    TestApp t;
    makeCategories(t);
    build::addMainRow(t.app, 0, {"一枚目", "1", "100", "2024/01/01", "A01"}, 1);
    build::addMainRow(t.app, 0, {"二枚目", "2", "200", "2024/01/02", "B02"}, 2);
    const QStringList shown = {"二枚目", "2", "¥200", "2024/01/02", "B02"};
    {
        Form7 f(t.app, 0);
        f.prepare(EditorMode::Delete, shown, QStringLiteral("2"));
        EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("ＣＤ (明細)"));
        EXPECT_EQ(child<QPushButton>(f, "Command1")->text(), QStringLiteral("削除　ＯＫ"));
        EXPECT_FALSE(child<QLineEdit>(f, "Text2")->isEnabled());
        for (int k = 0; k < 5; ++k) EXPECT_FALSE(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(k))->isEnabled()) << k;
        EXPECT_FALSE(child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Genre))->isEnabled());
        t.ui.answer(Ui::Answer::Cancel);
        child<QPushButton>(f, "Command1")->click();
        expectMessage(t.ui, QStringLiteral("このレコードを削除しますか？"), QStringLiteral("削除の確認"), Ui::Icon::None,
                      Ui::Buttons::OkCancel);
        EXPECT_TRUE(f.listRepaintRequested());
        EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 2);
    }
    Form7 f(t.app, 0);
    f.prepare(EditorMode::Delete, shown, QStringLiteral("2"));
    t.ui.answer(Ui::Answer::Ok);
    child<QPushButton>(f, "Command1")->click();
    const auto stored = rows(t, QStringLiteral("SHUMOKU1"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].value(5), QStringLiteral("1"));
}

TEST(Form7, AnEngineErrorStoresNeitherRowNorNumberAndKeepsTheInput)
{
    TestApp t;
    makeCategories(t);
    // A row already holds the number the counter would give next.
    build::addMainRow(t.app, 0, {"先客", "1", "1", "2024/01/01", "A01"}, 1);
    // The stored counter went back to 0 (as after the file was emptied); the row stayed.
    t.db().addToCell(management::kTable, 0, management::kCounterColumn, -1);
    t.reload();

    Form7 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QString());
    fill(f, {"新顔", "1", "1", "2024/01/01", "A01"});
    child<QPushButton>(f, "Command1")->click();
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 0);
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("新顔"));
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("1"));
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 1);
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 0);

    // A whole number the file cannot hold is refused by the engine the same way.
    t.ui.clearLog();
    t.db().addToCell(management::kTable, 0, management::kCounterColumn, 1);
    t.reload();
    fill(f, {"大量", "99999999999", "1", "2024/01/01", ""});
    child<QPushButton>(f, "Command1")->click();
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("Error"));
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 1);
    EXPECT_EQ(t.stored().row(0).lastRegistrationNo, 1);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 1);
}

TEST(Form7, TypedTextThatDoesNotFitTheMaskIsRefusedWithTheFieldName)
{
    TestApp t;
    makeCategories(t);
    Form7 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QString());
    QTest::keyClicks(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought)), QStringLiteral("20x"));
    expectMessage(t.ui, QStringLiteral("購入日が相違しています。[ 20x_/__/__ ]"), QStringLiteral("データ型相違"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought))->clipText(), QStringLiteral("20"));
}

TEST(Form7, CodeNameListsOfTextFields)
{
    TestApp t;
    makeCategories(t);
    Form7 f(t.app, 1);
    f.prepare(EditorMode::New, {}, QString());
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("ＤＶＤ (明細)"));
    EXPECT_EQ(child<QLabel>(f, "Label4_0")->text(), QStringLiteral("(文字)1D"));
    EXPECT_EQ(child<QLabel>(f, "Label4_1")->text(), QStringLiteral("(文字)1C"));
    EXPECT_EQ(child<QLabel>(f, "Label4_1")->toolTip(), QStringLiteral("右クリックで、指定されたコード名リストを表示する。"));

    // A direct list shows the code names at once; choosing one fills the box and closes it.
    QComboBox* direct = child<QComboBox>(f, "Combo1_0");
    EXPECT_FALSE(direct->isHidden());
    EXPECT_EQ(direct->placeholderText(), QStringLiteral("コード名を選択して下さい"));
    ASSERT_EQ(direct->count(), 2);
    EXPECT_EQ(direct->itemText(0), QStringLiteral("ロック"));
    EXPECT_EQ(child<MaskedEdit>(f, "MaskEdBox1_0")->width(), px(*child<MaskedEdit>(f, "MaskEdBox1_0"), 1000));
    person::choose(direct, 1);
    EXPECT_EQ(child<MaskedEdit>(f, "MaskEdBox1_0")->text(), QStringLiteral("ジャズ"));
    EXPECT_TRUE(direct->isHidden());
    EXPECT_EQ(child<MaskedEdit>(f, "MaskEdBox1_0")->width(), px(*child<MaskedEdit>(f, "MaskEdBox1_0"), 5295));

    // A right-click list appears on the right button only.
    EXPECT_TRUE(child<QComboBox>(f, "Combo1_1")->isHidden());
    QTest::mouseClick(child<QLabel>(f, "Label4_1"), Qt::LeftButton);
    EXPECT_TRUE(child<QComboBox>(f, "Combo1_1")->isHidden());
    QTest::mouseClick(child<QLabel>(f, "Label4_1"), Qt::RightButton);
    EXPECT_FALSE(child<QComboBox>(f, "Combo1_1")->isHidden());
    EXPECT_EQ(child<QComboBox>(f, "Combo1_1")->count(), 2);

    // A plain text field offers the code tables in the pop-up; only registered ones are enabled.
    t.ui.answerMenu(QStringLiteral("mcd1_1"));
    QTest::mouseClick(child<QLabel>(f, "Label4_2"), Qt::RightButton);
    EXPECT_EQ(child<QAction>(f, "mcd1_0")->text(), QStringLiteral("ジャンル"));
    EXPECT_EQ(child<QAction>(f, "mcd1_1")->text(), QStringLiteral("分類表"));
    EXPECT_TRUE(child<QAction>(f, "mcd1_1")->isEnabled());
    EXPECT_FALSE(child<QAction>(f, "mcd1_2")->isEnabled());
    ASSERT_EQ(child<QComboBox>(f, "Combo1_2")->count(), 1);
    EXPECT_EQ(child<QComboBox>(f, "Combo1_2")->itemText(0), QStringLiteral("映画"));
    // The pop-up left without a choice changes nothing; a code caption ignores the button.
    t.ui.answerMenu(QString());
    QTest::mouseClick(child<QLabel>(f, "Label4_2"), Qt::RightButton);
    EXPECT_EQ(child<QComboBox>(f, "Combo1_2")->count(), 1);
    QTest::mouseClick(child<QLabel>(f, "Label4_3"), Qt::RightButton);
    EXPECT_EQ(t.ui.pendingReplies(), 0);

    // After a stored row the direct list is filled again with its prompt; the unlinked text
    // caption gets its frame and hint back.
    child<QPushButton>(f, "Command1")->click();
    ASSERT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_FALSE(direct->isHidden());
    EXPECT_EQ(direct->count(), 2);
    EXPECT_EQ(child<MaskedEdit>(f, "MaskEdBox1_0")->width(), px(*child<MaskedEdit>(f, "MaskEdBox1_0"), 1000));
    EXPECT_EQ(child<QLabel>(f, "Label4_2")->toolTip(), QStringLiteral("右クリックで、コード・テーブル一覧を表示する。"));
    // The lists opened by a right-click give way to the boxes, wide again.
    for (int k : {1, 2}) {
        EXPECT_TRUE(child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(k))->isHidden()) << k;
        EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(k))->width(), px(*child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(k)), 5295)) << k;
    }
    // An empty code of a two-character code table is stored as blanks that fit the column.
    const auto stored = rows(t, QStringLiteral("SHUMOKU2"));
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0], QStringList({"ジャズ", "   ", "   ", "  ", "1"}));
}

TEST(Form7, EditMenuCopiesCutsAndPastesThroughTheClipboard)
{
    TestApp t;
    makeCategories(t);
    t.ui.setClipboardText(QString());
    Form7 empty(t.app, 0);
    EXPECT_FALSE(child<QAction>(empty, "me13")->isEnabled());
    t.ui.setClipboardText(QStringLiteral("前から"));
    Form7 f(t.app, 0);
    EXPECT_TRUE(child<QAction>(f, "me13")->isEnabled());
    f.prepare(EditorMode::New, {}, QString());
    fill(f, {"ベスト盤", "12", "", "", ""});

    // The last box with a selection wins.
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->setSelection(0, 2);
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count))->setSelection(0, 1);
    child<QAction>(f, "me12")->trigger();
    EXPECT_EQ(t.ui.clipboardText(), QStringLiteral("1"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("ベスト盤"));

    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count))->deselect();
    child<QAction>(f, "me11")->trigger();
    EXPECT_EQ(t.ui.clipboardText(), QStringLiteral("ベス"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("ト盤"));

    f.show();
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count))->setFocus();
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count))->setCursorPosition(0);
    ASSERT_EQ(f.focusWidget(), child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count)));
    t.ui.setClipboardText(QStringLiteral("3"));
    child<QAction>(f, "me13")->trigger();
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Count))->text(), QStringLiteral("312"));

    child<QAction>(f, "mh1")->trigger();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
    f.close();
}
