#include "Builders.h"
#include "Find.h"
#include "MaintenanceFixture.h"
#include "maintenance/Form2h.h"
#include "platform/text/TextUtil.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>

namespace {

using Icon = Ui::Icon;
using Answer = Ui::Answer;

const check::Msg kAsk{QStringLiteral("システムを初期値化しても宜しいですか？"), QStringLiteral("初期値化の確認"), Icon::None};
const check::Msg kDone{QStringLiteral("システムの初期値化が終了しました。"), QStringLiteral("初期値化終了"), Icon::Information};

// Settings away from their first values, as a person would leave them.
void changeSettings(TestApp& t)
{
    t.app.cache.setSystemSettings({QStringLiteral("ＣＤ棚"), QStringLiteral("255"), QStringLiteral("0"), true, true});
}

// A stock with files and code tables in use.
void buildStock(TestApp& t)
{
    build::createCodeTable(t.app, 1, QStringLiteral("歌手"), 3);
    build::createCodeTable(t.app, 3, QStringLiteral("棚"), 2);
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("題名"), QStringLiteral("TEXT")}, {QStringLiteral("歌手"), QStringLiteral("CODE1")}});
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 0, {QStringLiteral("冬の歌"), QStringLiteral("001")}, 7);
    build::nameCategory(t.app, 2, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 2, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 2, {QStringLiteral("海")}, 3);
    changeSettings(t);
}

void expectFirstState(const ConfigCache& c)
{
    for (int i = 0; i < 6; ++i) {
        const CategoryDefinition& d = c.row(i);
        EXPECT_EQ(d.rowKey, i + 1) << i;
        EXPECT_EQ(d.named, 0) << i;
        EXPECT_EQ(d.name, QStringLiteral(" ")) << i;
        EXPECT_EQ(d.mainCreated, 0) << i;
        EXPECT_EQ(d.subCreated, 0) << i;
        EXPECT_EQ(d.mainFieldCount, 0) << i;
        EXPECT_EQ(d.subFieldCount, 0) << i;
        EXPECT_TRUE(text::isBlank(d.mainTableName)) << i;
        EXPECT_TRUE(text::isBlank(d.subTableName)) << i;
        for (int k = 0; k < 8; ++k) {
            EXPECT_TRUE(text::isBlank(d.mainFields[k].name) && text::isBlank(d.mainFields[k].typeWord)) << i << k;
            EXPECT_TRUE(text::isBlank(d.subFields[k].name) && text::isBlank(d.subFields[k].typeWord)) << i << k;
        }
    }
    const CategoryDefinition& sys = c.row(ConfigCache::kSystemRow);
    EXPECT_EQ(sys.mainFields[0].typeWord, QStringLiteral("在庫管理"));
    EXPECT_EQ(sys.mainFields[1].typeWord, QStringLiteral("16744448"));
    EXPECT_EQ(sys.mainFields[2].typeWord, QStringLiteral("8454143"));
    EXPECT_EQ(sys.mainFields[3].typeWord, QStringLiteral("0"));
    EXPECT_EQ(sys.mainFields[4].typeWord, QStringLiteral("0"));
    EXPECT_EQ(sys.subFieldCount, 0);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(sys.subFields[k].name, QStringLiteral(" ")) << k;
        EXPECT_EQ(sys.subFields[k].typeWord, QStringLiteral(" ")) << k;
    }
}

}  // namespace

TEST(Form2h, ReturnsFilesCodeTablesAndSettingsToTheFirstState)
{
    TestApp t;
    buildStock(t);
    // Category 5 has a number but no main file: its number is kept.
    CategoryDefinition numbered = t.app.cache.row(4);
    numbered.lastRegistrationNo = 12;
    t.app.cache.setRow(4, numbered);
    // A table under a code table's name that the register does not list is not touched.
    t.db().execute(QStringLiteral("CREATE TABLE CODE2 (コード TEXT(1), 名 TEXT(30))"));

    Form2h f(t.app);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("ＣＤ棚 Tanzo - システム初期化"));
    EXPECT_EQ(child<QPlainTextEdit>(f, "Text1")->toPlainText().split(QLatin1Char('\n')).size(), 8);
    EXPECT_TRUE(child<QPlainTextEdit>(f, "Text1")->isReadOnly());
    f.show();
    QSignalSpy told(&f, &Form2h::systemInitialised);

    // Cancel leaves everything.
    const QString before = fixture::dump(t.app.cache);
    t.ui.answer(Answer::Cancel);
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {kAsk});
    EXPECT_EQ(fixture::dump(t.app.cache), before);
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("SHUMOKU1")));
    EXPECT_EQ(told.count(), 0);

    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {kAsk, kDone});
    EXPECT_TRUE(f.initialised());
    EXPECT_EQ(told.count(), 1);
    EXPECT_FALSE(f.isVisible());

    Database db = t.db();
    for (const char* table : {"SHUMOKU1", "SHUMOKU1SUB", "SHUMOKU3", "CODE1", "CODE3"})
        EXPECT_FALSE(db.tableExists(QString::fromLatin1(table))) << table;
    EXPECT_TRUE(db.tableExists(QStringLiteral("CODE2")));

    EXPECT_EQ(fixture::dump(t.app.cache), fixture::dump(fixture::stored(t.app.databasePath())));
    expectFirstState(t.app.cache);
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 0);
    EXPECT_EQ(t.app.cache.row(2).lastRegistrationNo, 0);
    EXPECT_EQ(t.app.cache.row(4).lastRegistrationNo, 12);
    // The table holds what the cache holds.
    EXPECT_EQ(fixture::dump(fixture::stored(t.app.databasePath())), fixture::dump(t.app.cache));
    EXPECT_EQ(t.app.cache.caption(QStringLiteral("x")), QStringLiteral("在庫管理 Tanzo - x"));
}

TEST(Form2h, WithNothingToDropStillResetsAndWritesTheSettings)
{
    TestApp t;
    changeSettings(t);
    build::nameCategory(t.app, 1, QStringLiteral("本"));
    Form2h f(t.app);
    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command1")->click();
    check::messages(t.ui, {kAsk, kDone});
    expectFirstState(t.app.cache);
    expectFirstState(fixture::stored(t.app.databasePath()));
}

TEST(Form2h, AFailedDropLeavesTablesCacheAndManagementTableAsTheyWere)
{
    TestApp t;
    buildStock(t);
    // The management table says category 4 has a main file whose table is missing: its drop
    // fails after SHUMOKU1, SHUMOKU1SUB and SHUMOKU3 have been dropped in the same transaction.
    CategoryDefinition row = t.app.cache.row(3);
    row.named = 1;
    row.name = QStringLiteral("テープ");
    row.mainCreated = 1;
    row.mainTableName = QStringLiteral("SHUMOKU4");
    t.app.cache.setRow(3, row);
    const QString cacheBefore = fixture::dump(t.app.cache);
    const QString tableBefore = fixture::dump(fixture::stored(t.app.databasePath()));

    Form2h f(t.app);
    f.show();
    QSignalSpy told(&f, &Form2h::systemInitialised);
    t.ui.answer(Answer::Ok);
    child<QPushButton>(f, "Command1")->click();
    const auto got = t.ui.messages();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].title, QStringLiteral("Error"));
    EXPECT_EQ(got[1].icon, Icon::Critical);
    EXPECT_TRUE(got[1].text.contains(QStringLiteral("SHUMOKU4"))) << got[1].text.toStdString();

    EXPECT_FALSE(f.initialised());
    EXPECT_EQ(told.count(), 0);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(fixture::dump(t.app.cache), cacheBefore);
    EXPECT_EQ(fixture::dump(fixture::stored(t.app.databasePath())), tableBefore);
    Database db = t.db();
    for (const char* table : {"SHUMOKU1", "SHUMOKU1SUB", "SHUMOKU3", "CODE1", "CODE3"})
        EXPECT_TRUE(db.tableExists(QString::fromLatin1(table))) << table;
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 1);
}
