#include "RecordFixture.h"
#include "Find.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form8.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace fixture;

namespace {

const QString kSub = QStringLiteral("SHUMOKU1SUB");

void fill(Form8& f, const QStringList& values)
{
    for (int k = 0; k < values.size(); ++k) child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(k))->setText(values[k]);
}

// The rows of the sub file as "registration/sub: name".
QStringList keyed(TestApp& t)
{
    QStringList out;
    for (const QStringList& r : rows(t, kSub)) out << r[5] + QLatin1Char('/') + r[6] + QStringLiteral(": ") + r[0];
    return out;
}

}  // namespace

TEST(Form8, NewSubRowsAreNumberedFromOneForTheChosenMainRecord)
{
    TestApp t;
    makeCategories(t, true);
    build::addMainRow(t.app, 0, {"一枚目", "1", "100", "2024/01/01", "A01"}, 7);
    Form8 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QStringLiteral("7"), QString());

    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - サブ明細更新処理"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("ＣＤ (サブ明細)"));
    EXPECT_EQ(child<QLabel>(f, "Label5")->text(), QStringLiteral("サブＮＯ"));
    EXPECT_EQ(child<QLabel>(f, "Label6")->text(), QStringLiteral("データを残す"));
    EXPECT_FALSE(child<QLabel>(f, "Label6")->isHidden());
    EXPECT_EQ(child<QAction>(f, "mcd1_0")->text(), QStringLiteral("Cord1"));
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("7"));
    EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("1"));
    EXPECT_EQ(child<QComboBox>(f, QStringLiteral("Combo1_%1").arg(Genre))->count(), 2);

    fill(f, {"A面", "1", "", "2024/03/01", "A01"});
    child<QCheckBox>(f, QStringLiteral("Check1_%1").arg(Bought))->setChecked(true);
    child<QPushButton>(f, "Command1")->click();
    ASSERT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("2"));
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("7"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought))->text(), QStringLiteral("2024/03/01"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QString());

    // The same checks as the main editor guard the sub fields.
    fill(f, {"B面", "", "", "", "Z99"});
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Bought))->setText(QStringLiteral("2024/03/01"));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("Z99  コードが相違しています。"));
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Genre))->setText(QString());
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("3"));
    child<QPushButton>(f, "Command2")->click();
    EXPECT_TRUE(f.listRepaintRequested());

    EXPECT_EQ(rows(t, kSub), (QVector<QStringList>{{"A面", "1", "0", "2024/03/01", "A01", "7", "1"},
                                                   {"B面", "0", "0", "2024/03/01", "   ", "7", "2"}}));
    // Sub numbers belong to the main record, not to the category's registration counter.
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 7);
}

TEST(Form8, SubNumbersContinueFromTheHighestStoredAndARefusedValueSpendsNone)
{
    TestApp t;
    makeCategories(t, true);
    build::addSubRow(t.app, 0, {"一", "1", "1", "2024/01/01", "A01"}, 3, 1);
    build::addSubRow(t.app, 0, {"五", "1", "1", "2024/01/01", "A01"}, 3, 5);
    build::addSubRow(t.app, 0, {"他", "1", "1", "2024/01/01", "A01"}, 4, 9);
    Form8 f(t.app, 0);
    f.prepare(EditorMode::New, {}, QStringLiteral("3"), QString());
    EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("6"));

    fill(f, {"六", "abc", "", "2024/01/01", ""});
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("枚数が相違しています。[ abc ]"));
    EXPECT_EQ(t.ui.messages().back().title, QStringLiteral("データ型相違"));
    EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("6"));
    EXPECT_EQ(child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->text(), QStringLiteral("六"));

    fill(f, {"六", "6", "", "2024/01/01", ""});
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("7"));

    // Another desk (or an import) stores sub number 7 meanwhile: the next row counts it.
    build::addSubRow(t.app, 0, {"外", "1", "1", "2024/01/01", "A01"}, 3, 7);
    fill(f, {"八", "8", "", "2024/01/01", ""});
    child<QPushButton>(f, "Command1")->click();
    ASSERT_EQ(t.ui.messages().size(), 1u) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(keyed(t), QStringList({"3/1: 一", "3/5: 五", "4/9: 他", "3/6: 六", "3/7: 外", "3/8: 八"}));
    EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("9"));
}

TEST(Form8, ChangeAndDeleteActOnlyOnTheRowWhoseTwoKeysMatch)
{
    TestApp t;
    makeCategories(t, true);
    build::addSubRow(t.app, 0, {"1-1", "1", "1", "2024/01/01", "A01"}, 1, 1);
    build::addSubRow(t.app, 0, {"1-2", "1", "1", "2024/01/01", "A01"}, 1, 2);
    build::addSubRow(t.app, 0, {"2-1", "1", "1", "2024/01/01", "A01"}, 2, 1);
    build::addSubRow(t.app, 0, {"2-2", "1", "1", "2024/01/01", "A01"}, 2, 2);
    const QStringList shown = {"1-2", "1", "¥1", "2024/01/01", "A01"};
    {
        Form8 f(t.app, 0);
        f.prepare(EditorMode::Change, shown, QStringLiteral("1"), QStringLiteral("2"));
        EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("2"));
        EXPECT_TRUE(child<QLabel>(f, "Label6")->isHidden());
        child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(Name))->setText(QStringLiteral("変更後"));
        child<QPushButton>(f, "Command1")->click();
        EXPECT_TRUE(f.listRepaintRequested());
    }
    EXPECT_EQ(keyed(t), QStringList({"1/1: 1-1", "1/2: 変更後", "2/1: 2-1", "2/2: 2-2"}));

    Form8 d(t.app, 0);
    d.prepare(EditorMode::Delete, {"2-1", "1", "¥1", "2024/01/01", "A01"}, QStringLiteral("2"), QStringLiteral("1"));
    EXPECT_FALSE(child<QLineEdit>(d, "Text1")->isEnabled());
    EXPECT_FALSE(child<MaskedEdit>(d, QStringLiteral("MaskEdBox1_%1").arg(Name))->isEnabled());
    t.ui.answer(Ui::Answer::Ok);
    child<QPushButton>(d, "Command1")->click();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("このレコードを削除しますか？"));
    EXPECT_EQ(keyed(t), QStringList({"1/1: 1-1", "1/2: 変更後", "2/2: 2-2"}));
}
