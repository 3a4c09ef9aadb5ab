#include "../schema/SchemaChecks.h"
#include "Find.h"
#include "Person.h"
#include "ForcedFailure.h"
#include "Builders.h"
#include "codes/Form2ga.h"
#include "codes/Form2gb.h"
#include "core/ManagementSchema.h"
#include "platform/text/TextUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

using Icon = Ui::Icon;

int px(int twips) { return text::twipsToPixels(twips); }

const QString kMain = QStringLiteral("メイン");
const QString kSub = QStringLiteral("サブ");
const check::Msg kNoFile{QStringLiteral("ファイルが作成されていません"), QStringLiteral("ERROR"), Icon::Critical};
const check::Msg kNoTextField{QStringLiteral("この種目ファイルには利用登録できるフィールドがありません"),
                              QStringLiteral("ERROR"), Icon::Critical};

// The management table as stored, read into a cache of its own.
ConfigCache stored(TestApp& t)
{
    ConfigCache c;
    Database db = t.db();
    Recordset rs = db.openTable(management::kTable);
    c.LoadConfigCache(rs);
    return c;
}

QStringList words(const std::array<FieldDefinition, 8>& fields, int count)
{
    QStringList out;
    for (int f = 0; f < count; ++f) out << fields[f].typeWord;
    return out;
}

QStringList storedMainWords(TestApp& t, int category)
{
    const ConfigCache c = stored(t);
    return words(c.row(category).mainFields, c.row(category).mainFieldCount);
}

// Code tables 社員 (1), 区分 (2) and 色 (4), slot 3 free. ＣＤ has a main file with two text
// fields among four and a sub file with two text fields among three; 本 has no file;
// ＤＶＤ has a main file without text fields.
struct Form2gTest : ::testing::Test {
    void SetUp() override
    {
        build::createCodeTable(t.app, 1, QStringLiteral("社員"), 3);
        build::createCodeTable(t.app, 2, QStringLiteral("区分"), 2);
        build::createCodeTable(t.app, 4, QStringLiteral("色"), 1);
        build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
        build::defineMain(t.app, 0, {{"品名", "TEXT"}, {"数量", "LONG"}, {"区分", "CODE2"}, {"備考", "TEXT4C"}});
        build::defineSub(t.app, 0, {{"日付", "DATE"}, {"メモ", "TEXT1D"}, {"担当", "TEXT"}});
        build::nameCategory(t.app, 1, QStringLiteral("本"));
        build::nameCategory(t.app, 2, QStringLiteral("ＤＶＤ"));
        build::defineMain(t.app, 2, {{"枚数", "LONG"}, {"発売日", "DATE"}, {"区分", "CODE2"}});
        ScreenLayout layout;
        layout.schemaWindowLeft = 1500;
        layout.schemaWindowTop = 900;
        t.app.setLayout(layout);
    }

    std::unique_ptr<Form2gb> open(const QString& category, const QString& kind)
    {
        auto f = std::make_unique<Form2gb>(t.app, t.app.cache.categoryByName(category), kind == kSub);
        return f;
    }

    // Ticks a row and picks a code table (register slot) and a mode (-1 for none).
    static void link(Form2gb& f, int row, int slot, int mode)
    {
        child<QCheckBox>(f, QStringLiteral("Check1_%1").arg(row))->setChecked(true);
        person::choose(child<QComboBox>(f, "Combo1"), slot);
        if (mode >= 0) {
            person::choose(child<QComboBox>(f, "Combo2"), mode);
        }
    }

    TestApp t;
};

}  // namespace

TEST_F(Form2gTest, FirstStepOffersCategoriesWithAMainFileAndExplainsItself)
{
    Form2ga f(t.app);
    EXPECT_EQ(f.objectName(), QStringLiteral("Form2ga"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - コード・テーブル利用登録(1)"));
    ASSERT_EQ(child<QComboBox>(f, "Combo1")->count(), 2);
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->itemText(0), QStringLiteral("ＣＤ"));
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->itemText(1), QStringLiteral("ＤＶＤ"));  // 本 has no main file
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->currentIndex(), 0);
    ASSERT_EQ(child<QComboBox>(f, "Combo2")->count(), 2);
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->itemText(0), kMain);
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->itemText(1), kSub);
    EXPECT_EQ(child<QComboBox>(f, "Combo2")->currentText(), kMain);
    EXPECT_EQ(child<QLabel>(f, "Label3")->text(), QStringLiteral("利用したいファイル項目のある種目ファイルを選定する。"));
    EXPECT_EQ(child<QLabel>(f, "Label9")->text(), QStringLiteral("メイン・　サブの別："));
    EXPECT_EQ(child<QPushButton>(f, "Command2")->text(), QStringLiteral("ファイル選定"));

    const QStringList lines = {
        QStringLiteral("データ登録時の支援機能として、コード・テーブルに登録されているコード名(文字列)を"),
        QStringLiteral("簡単に選択のうえデータ登録できる機能です。"),
        QStringLiteral("対象となるのは、各ファイルのうちＴＥＸＴ形式(文字)のファイル項目に対して、利用する"),
        QStringLiteral("コード・テーブルを指定して連携を図るものです。"),
        QStringLiteral("１．この登録により、データ登録時の当該テータ入力行にコード・テーブルが表示さるので"),
        QStringLiteral("、必要とする文字列を選択することによりデータ登録する。"),
        QStringLiteral("２．利用方法としては、コード・テーブルを該当のデータ入力行に自動的に表示させるか、マウスの右"
                       "クリックにより表示させるかの２通りがある。"),
    };
    EXPECT_EQ(child<QPlainTextEdit>(f, "Text1")->toPlainText().split(QLatin1Char('\n')), lines);
    EXPECT_TRUE(child<QPlainTextEdit>(f, "Text1")->isReadOnly());

    child<QPushButton>(f, "Command1")->click();
    ASSERT_FALSE(t.ui.calls().empty());
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
    EXPECT_TRUE(t.ui.messages().empty());

    // Without any main file there is nothing to offer, and nothing to open.
    TestApp empty;
    Form2ga none(empty.app);
    EXPECT_EQ(child<QComboBox>(none, "Combo1")->count(), 0);
    child<QPushButton>(none, "Command2")->click();
    check::messages(empty.ui, {kNoFile});
    EXPECT_TRUE(empty.ui.shownWindows().isEmpty());
}

TEST_F(Form2gTest, FirstStepRefusesAMissingFileAndOpensTheSecondOverItself)
{
    Form2ga f(t.app);
    // ＤＶＤ has no sub file.
    child<QComboBox>(f, "Combo1")->setCurrentIndex(1);
    child<QComboBox>(f, "Combo2")->setCurrentIndex(1);
    child<QPushButton>(f, "Command2")->click();
    check::messages(t.ui, {kNoFile});
    EXPECT_TRUE(t.ui.shownWindows().isEmpty());

    // ＣＤ's sub file: the second step opens on the choice.
    QString seenCategory, seenKind;
    int seenRows = -1;
    t.ui.onShow(QStringLiteral("Form2gb"), [&](QWidget& w) {
        auto& g = static_cast<Form2gb&>(w);
        seenCategory = child<QLineEdit>(g, "Text4")->text();
        seenKind = child<QLineEdit>(g, "Text5")->text();
        seenRows = g.rowCount();
        child<QPushButton>(g, "Command2")->click();
    });
    child<QComboBox>(f, "Combo1")->setCurrentIndex(0);
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(t.ui.shownWindows(), QStringList({QStringLiteral("Form2gb")}));
    EXPECT_EQ(seenCategory, QStringLiteral("ＣＤ"));
    EXPECT_EQ(seenKind, kSub);
    EXPECT_EQ(seenRows, 2);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_NE(f.result(), QDialog::Accepted);  // the first step stays for another file

    // ＤＶＤ's main file exists but has no text fields: the second step says so.
    t.ui.clearLog();
    child<QComboBox>(f, "Combo1")->setCurrentIndex(1);
    child<QComboBox>(f, "Combo2")->setCurrentIndex(0);
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(t.ui.shownWindows(), QStringList({QStringLiteral("Form2gb")}));
    check::messages(t.ui, {kNoTextField});
}

TEST_F(Form2gTest, ShowsOneRowPerTextFieldWithItsLinkAndLaysTheRowsOut)
{
    auto f = open(QStringLiteral("ＣＤ"), kMain);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(f->windowTitle(), QStringLiteral("在庫管理 Tanzo - コード・テーブル利用登録(2)"));
    EXPECT_EQ(f->pos(), QPoint(px(1500), px(900)));
    EXPECT_EQ(f->width(), px(13000));
    EXPECT_EQ(f->category(), 0);
    EXPECT_EQ(child<QLineEdit>(*f, "Text4")->text(), QStringLiteral("ＣＤ"));
    EXPECT_EQ(child<QLineEdit>(*f, "Text5")->text(), kMain);

    // 品名 without a link, 備考 on code table 4 by right-click; 数量 and 区分 get no row.
    ASSERT_EQ(f->rowCount(), 2);
    EXPECT_EQ(child<QLineEdit>(*f, "Text1_1")->text(), QStringLiteral("品名"));
    EXPECT_EQ(child<QLineEdit>(*f, "Text2_1")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(*f, "Text3_1")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(*f, "Text1_2")->text(), QStringLiteral("備考"));
    EXPECT_EQ(child<QLineEdit>(*f, "Text2_2")->text(), QStringLiteral("色"));
    EXPECT_EQ(child<QLineEdit>(*f, "Text3_2")->text(), QStringLiteral("右クリック"));
    EXPECT_EQ(f->fieldOfRow(1), 0);
    EXPECT_EQ(f->fieldOfRow(2), 3);
    for (int row = 1; row <= 2; ++row) {
        EXPECT_TRUE(child<QLineEdit>(*f, QStringLiteral("Text1_%1").arg(row))->isReadOnly() && child<QLineEdit>(*f, QStringLiteral("Text2_%1").arg(row))->isReadOnly() && child<QLineEdit>(*f, QStringLiteral("Text3_%1").arg(row))->isReadOnly());
        EXPECT_FALSE(child<QCheckBox>(*f, QStringLiteral("Check1_%1").arg(row))->isHidden());
        EXPECT_FALSE(child<QCheckBox>(*f, QStringLiteral("Check1_%1").arg(row))->isChecked());
    }
    for (int row = 3; row <= 8; ++row) {
        EXPECT_TRUE(child<QLineEdit>(*f, QStringLiteral("Text1_%1").arg(row))->isHidden()) << row;
        EXPECT_TRUE(child<QCheckBox>(*f, QStringLiteral("Check1_%1").arg(row))->isHidden()) << row;
    }
    EXPECT_EQ(child<QLineEdit>(*f, "Text1_2")->y() - child<QLineEdit>(*f, "Text1_1")->y(), px(2900 + 385) - px(2900));
    EXPECT_EQ(f->height(), px(6000 + 385));
    EXPECT_EQ(child<QPushButton>(*f, "Command1")->y(), px(4320 + 385));
    EXPECT_EQ(child<QPushButton>(*f, "Command2")->y(), px(5000 + 385));

    // The pickers wait hidden with the register names and the two modes.
    EXPECT_TRUE(child<QComboBox>(*f, "Combo1")->isHidden());
    EXPECT_TRUE(child<QComboBox>(*f, "Combo2")->isHidden());
    QStringList tables;
    for (int k = 0; k < child<QComboBox>(*f, "Combo1")->count(); ++k) tables << child<QComboBox>(*f, "Combo1")->itemText(k);
    EXPECT_EQ(tables, QStringList({"社員", "区分", "", "色", "", "", "", ""}));
    EXPECT_EQ(child<QComboBox>(*f, "Combo2")->count(), 2);
    EXPECT_EQ(child<QComboBox>(*f, "Combo2")->itemText(0), QStringLiteral("ダイレクト"));
    EXPECT_EQ(child<QComboBox>(*f, "Combo2")->itemText(1), QStringLiteral("右クリック"));

    // The sub file: a direct link shows as ダイレクト, the layout follows the row count.
    auto sub = open(QStringLiteral("ＣＤ"), kSub);
    ASSERT_EQ(sub->rowCount(), 2);
    EXPECT_EQ(child<QLineEdit>(*sub, "Text1_1")->text(), QStringLiteral("メモ"));
    EXPECT_EQ(child<QLineEdit>(*sub, "Text2_1")->text(), QStringLiteral("社員"));
    EXPECT_EQ(child<QLineEdit>(*sub, "Text3_1")->text(), QStringLiteral("ダイレクト"));
    EXPECT_EQ(sub->fieldOfRow(2), 2);

    // Eight text fields fill every row.
    build::nameCategory(t.app, 3, QStringLiteral("本棚"));
    std::vector<FieldDefinition> eight;
    for (int k = 1; k <= 8; ++k) eight.push_back({QStringLiteral("欄%1").arg(k), QStringLiteral("TEXT")});
    build::defineMain(t.app, 3, eight);
    auto full = open(QStringLiteral("本棚"), kMain);
    EXPECT_EQ(full->rowCount(), 8);
    EXPECT_FALSE(child<QLineEdit>(*full, "Text1_8")->isHidden());
    EXPECT_EQ(child<QLineEdit>(*full, "Text1_8")->text(), QStringLiteral("欄8"));
    EXPECT_EQ(full->height(), px(6000 + 385 * 7));
    EXPECT_EQ(child<QPushButton>(*full, "Command1")->y(), px(4320 + 385 * 7));
    EXPECT_EQ(child<QPushButton>(*full, "Command2")->y(), px(5000 + 385 * 7));
}

TEST_F(Form2gTest, TickingARowOpensItForPicksAndUntickingEmptiesIt)
{
    auto f = open(QStringLiteral("ＣＤ"), kMain);
    f->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    QTest::mouseClick(child<QCheckBox>(*f, "Check1_2"), Qt::LeftButton);
    ASSERT_TRUE(child<QCheckBox>(*f, "Check1_2")->isChecked());
    EXPECT_EQ(f->lastRow(), 2);
    // The keyboard goes on from the ticked box to the two pickers.
    QTest::keyClick(f->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f->focusWidget(), child<QComboBox>(*f, "Combo1"));
    QTest::keyClick(f->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(f->focusWidget(), child<QComboBox>(*f, "Combo2"));
    EXPECT_FALSE(child<QLineEdit>(*f, "Text2_2")->isReadOnly());
    EXPECT_FALSE(child<QLineEdit>(*f, "Text3_2")->isReadOnly());
    EXPECT_FALSE(child<QComboBox>(*f, "Combo1")->isHidden());
    EXPECT_FALSE(child<QComboBox>(*f, "Combo2")->isHidden());
    EXPECT_EQ(child<QComboBox>(*f, "Combo1")->y(), child<QLineEdit>(*f, "Text1_2")->y());
    EXPECT_EQ(child<QLineEdit>(*f, "Text2_2")->text(), QStringLiteral("色"));  // the link stays until changed

    // A free slot picks nothing; a code table fills the row and the picker goes.
    person::choose(child<QComboBox>(*f, "Combo1"), 2);
    EXPECT_EQ(child<QLineEdit>(*f, "Text2_2")->text(), QStringLiteral("色"));
    EXPECT_FALSE(child<QComboBox>(*f, "Combo1")->isHidden());
    person::choose(child<QComboBox>(*f, "Combo1"), 0);
    EXPECT_EQ(child<QLineEdit>(*f, "Text2_2")->text(), QStringLiteral("社員"));
    EXPECT_TRUE(child<QLineEdit>(*f, "Text2_2")->isReadOnly());
    EXPECT_TRUE(child<QComboBox>(*f, "Combo1")->isHidden());
    person::choose(child<QComboBox>(*f, "Combo2"), 0);
    EXPECT_EQ(child<QLineEdit>(*f, "Text3_2")->text(), QStringLiteral("ダイレクト"));
    EXPECT_TRUE(child<QLineEdit>(*f, "Text3_2")->isReadOnly());
    EXPECT_TRUE(child<QComboBox>(*f, "Combo2")->isHidden());

    child<QCheckBox>(*f, "Check1_2")->setChecked(false);
    EXPECT_EQ(child<QLineEdit>(*f, "Text2_2")->text(), QString());
    EXPECT_EQ(child<QLineEdit>(*f, "Text3_2")->text(), QString());
    EXPECT_TRUE(child<QLineEdit>(*f, "Text2_2")->isReadOnly() && child<QLineEdit>(*f, "Text3_2")->isReadOnly());
    EXPECT_TRUE(child<QComboBox>(*f, "Combo1")->isHidden() && child<QComboBox>(*f, "Combo2")->isHidden());

    // 戻る drops every pick.
    child<QPushButton>(*f, "Command2")->click();
    EXPECT_EQ(f->result(), QDialog::Rejected);
    EXPECT_EQ(t.app.cache.row(0).mainFields[3].typeWord, QStringLiteral("TEXT4C"));
    EXPECT_EQ(storedMainWords(t, 0), QStringList({"TEXT", "LONG", "CODE2", "TEXT4C"}));
}

TEST_F(Form2gTest, RegisterStoresEachRowsLinkAsItsTypeWord)
{
    // ダイレクト on 社員; a table without a mode is right-click.
    auto f = open(QStringLiteral("ＣＤ"), kMain);
    link(*f, 1, 0, 0);
    link(*f, 2, 1, -1);
    EXPECT_EQ(child<QLineEdit>(*f, "Text3_2")->text(), QStringLiteral("右クリック"));  // the old mode stays in the box
    child<QCheckBox>(*f, "Check1_2")->setChecked(false);
    child<QCheckBox>(*f, "Check1_2")->setChecked(true);
    person::choose(child<QComboBox>(*f, "Combo1"), 1);
    EXPECT_EQ(child<QLineEdit>(*f, "Text3_2")->text(), QString());
    child<QPushButton>(*f, "Command1")->click();
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_TRUE(t.ui.messages().empty());
    const QStringList expected = {"TEXT1D", "LONG", "CODE2", "TEXT2C"};
    EXPECT_EQ(words(t.app.cache.row(0).mainFields, 4), expected);
    EXPECT_EQ(storedMainWords(t, 0), expected);
    // The names and the sub file are not touched.
    const ConfigCache c = stored(t);
    EXPECT_EQ(c.row(0).mainFields[0].name, QStringLiteral("品名"));
    EXPECT_EQ(words(c.row(0).subFields, 3), QStringList({"DATE", "TEXT1D", "TEXT"}));

    // Unticking turns a linked field back into plain text; a name typed into the box that
    // is no code table leaves its field as it was; the sub file is stored likewise.
    auto g = open(QStringLiteral("ＣＤ"), kMain);
    child<QCheckBox>(*g, "Check1_1")->setChecked(true);
    child<QCheckBox>(*g, "Check1_1")->setChecked(false);
    child<QCheckBox>(*g, "Check1_2")->setChecked(true);
    child<QLineEdit>(*g, "Text2_2")->setText(QStringLiteral("存在しない"));
    child<QPushButton>(*g, "Command1")->click();
    EXPECT_EQ(storedMainWords(t, 0), QStringList({"TEXT", "LONG", "CODE2", "TEXT2C"}));

    auto s = open(QStringLiteral("ＣＤ"), kSub);
    link(*s, 2, 3, 0);
    child<QPushButton>(*s, "Command1")->click();
    EXPECT_EQ(words(stored(t).row(0).subFields, 3), QStringList({"DATE", "TEXT1D", "TEXT4D"}));
    EXPECT_EQ(storedMainWords(t, 0), QStringList({"TEXT", "LONG", "CODE2", "TEXT2C"}));
}

TEST_F(Form2gTest, RegisterWithoutChangeRewritesTheSameWords)
{
    // The stored word differs from the cache: 登録 writes the row as the window shows it.
    t.db().execute(QStringLiteral("UPDATE 管理テーブル SET フィールド4データ型 = 'TEXT' WHERE \"CommandKeyNO\" = 1"));
    ASSERT_EQ(storedMainWords(t, 0), QStringList({"TEXT", "LONG", "CODE2", "TEXT"}));
    auto f = open(QStringLiteral("ＣＤ"), kMain);
    child<QPushButton>(*f, "Command1")->click();
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(storedMainWords(t, 0), QStringList({"TEXT", "LONG", "CODE2", "TEXT4C"}));
    EXPECT_EQ(words(t.app.cache.row(0).mainFields, 4), QStringList({"TEXT", "LONG", "CODE2", "TEXT4C"}));
}

TEST_F(Form2gTest, AFileWithoutTextFieldsSaysSoAndRegisterChangesNothing)
{
    auto f = open(QStringLiteral("ＤＶＤ"), kMain);
    check::messages(t.ui, {kNoTextField});
    EXPECT_EQ(f->rowCount(), 0);
    EXPECT_FALSE(child<QLineEdit>(*f, "Text1_1")->isHidden());
    EXPECT_TRUE(child<QLineEdit>(*f, "Text1_1")->text().isEmpty());
    EXPECT_FALSE(child<QCheckBox>(*f, "Check1_1")->isEnabled());
    for (int row = 2; row <= 8; ++row) EXPECT_TRUE(child<QLineEdit>(*f, QStringLiteral("Text1_%1").arg(row))->isHidden()) << row;
    EXPECT_EQ(f->height(), px(6000));
    EXPECT_EQ(child<QPushButton>(*f, "Command1")->y(), px(4320));

    child<QPushButton>(*f, "Command1")->click();
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(words(t.app.cache.row(2).mainFields, 3), QStringList({"LONG", "DATE", "CODE2"}));
    EXPECT_EQ(storedMainWords(t, 2), QStringList({"LONG", "DATE", "CODE2"}));
}

TEST_F(Form2gTest, RowsKeepToTheirOwnFieldsWhenTwoFieldsShareAName)
{
    // A file from before names were checked: two text fields named メモ (one with a blank).
    build::nameCategory(t.app, 4, QStringLiteral("古い"));
    build::defineMain(t.app, 4, {{"メモ", "TEXT"}, {"数", "LONG"}, {"メモ2", "TEXT1C"}});
    CategoryDefinition old = t.app.cache.row(4);
    old.mainFields[2].name = QStringLiteral("メモ ");
    t.app.cache.setRow(4, old);

    auto f = open(QStringLiteral("古い"), kMain);
    ASSERT_EQ(f->rowCount(), 2);
    EXPECT_EQ(f->fieldOfRow(1), 0);
    EXPECT_EQ(f->fieldOfRow(2), 2);
    EXPECT_EQ(child<QLineEdit>(*f, "Text2_2")->text(), QStringLiteral("社員"));
    child<QPushButton>(*f, "Command1")->click();
    EXPECT_EQ(storedMainWords(t, 4), QStringList({"TEXT", "LONG", "TEXT1C"}));

    auto g = open(QStringLiteral("古い"), kMain);
    link(*g, 1, 3, 0);
    child<QCheckBox>(*g, "Check1_2")->setChecked(true);
    child<QCheckBox>(*g, "Check1_2")->setChecked(false);
    child<QPushButton>(*g, "Command1")->click();
    EXPECT_EQ(storedMainWords(t, 4), QStringList({"TEXT4D", "LONG", "TEXT"}));
}

TEST_F(Form2gTest, AFailedWriteBackShowsTheEngineErrorAndKeepsEverythingAsItWas)
{
    refuseWrites(t.db(), management::kTable);
    auto f = open(QStringLiteral("ＣＤ"), kMain);
    link(*f, 1, 0, 0);
    child<QCheckBox>(*f, "Check1_2")->setChecked(true);
    child<QCheckBox>(*f, "Check1_2")->setChecked(false);
    child<QPushButton>(*f, "Command1")->click();
    check::engineError(t.ui);
    EXPECT_NE(f->result(), QDialog::Accepted);
    EXPECT_EQ(words(t.app.cache.row(0).mainFields, 4), QStringList({"TEXT", "LONG", "CODE2", "TEXT4C"}));
    EXPECT_EQ(storedMainWords(t, 0), QStringList({"TEXT", "LONG", "CODE2", "TEXT4C"}));

    // The window stays usable: once the table takes writes again the same picks are stored.
    allowWrites(t.db(), management::kTable);
    child<QPushButton>(*f, "Command1")->click();
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(storedMainWords(t, 0), QStringList({"TEXT1D", "LONG", "CODE2", "TEXT"}));
}
