#include "Builders.h"
#include "Find.h"
#include "OtherDesk.h"
#include "ScriptedUi.h"
#include "TempProgramDir.h"
#include "TestApp.h"
#include "core/App.h"
#include "app/Form1.h"
#include "core/ManagementSchema.h"
#include "lists/Form5.h"
#include "maintenance/Form2a.h"
#include "maintenance/Form2h.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/ReportListView.h"
#include "records/Form5kf.h"
#include "platform/db/Database.h"

#include <QAction>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// Writes category and settings cells straight into the management table, as a database
// prepared by earlier runs would hold them.
void prepare(const QString& dbPath)
{
    Database db = Database::open(dbPath);
    db.execute(QStringLiteral("CREATE TABLE SHUMOKU1 (品名 TEXT, 登録ＮＯ LONG CONSTRAINT MyFieldMain PRIMARY KEY)"));
    Recordset rs = db.openTable(management::kTable);
    auto row = [&](int r, const QString& name, bool withMain) {
        rs.moveFirst();
        for (int i = 0; i < r; ++i) rs.moveNext();
        rs.edit();
        rs.setField(QStringLiteral("種目名入力有無"), QStringLiteral("1"));
        rs.setField(QStringLiteral("種目名"), name);
        if (withMain) {
            rs.setField(QStringLiteral("種目テーブル名入力有無"), QStringLiteral("1"));
            rs.setField(QStringLiteral("種目テーブル名"), QStringLiteral("SHUMOKU%1").arg(r + 1));
            rs.setField(QStringLiteral("フィールド個数"), QStringLiteral("1"));
            rs.setField(QStringLiteral("フィールド1名"), QStringLiteral("品名"));
            rs.setField(QStringLiteral("フィールド1データ型"), QStringLiteral("TEXT"));
        }
        rs.update();
    };
    row(0, QStringLiteral("ＣＤ"), true);
    row(2, QStringLiteral("ＤＶＤ"), false);
    rs.moveLast();
    rs.edit();
    rs.setField(QStringLiteral("フィールド1データ型"), QStringLiteral(" 私の在庫 "));
    rs.setField(QStringLiteral("フィールド2データ型"), QStringLiteral("255"));      // red
    rs.setField(QStringLiteral("フィールド3データ型"), QStringLiteral("16711680"));  // blue
    rs.update();
}

// The main window's caption for a title: on a server it also names the database.
QString caption(const QString& title, const QString& location)
{
    const QString own = title + QStringLiteral(" Tanzo");
    return Database::isServerLocation(location) ? own + QStringLiteral(" [%1]").arg(Database::displayName(location)) : own;
}

}  // namespace

TEST(Form1FileOnly, FirstStartCreatesTheDatabaseAndShowsTheMainWindow)
{
    TempProgramDir dir(false);
    ScriptedUi ui;
    App app(dir.path(), ui);
    Form1 f(app);
    ASSERT_TRUE(f.start());
    EXPECT_TRUE(QFile::exists(dir.databasePath()));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("在庫管理"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->font().pointSizeF(), 36);
    const QStringList captions = {"１", "2", "3", "4", "5", "6"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(child<QPushButton>(f, QStringLiteral("Command1_%1").arg(i))->text(), captions[i]);
        EXPECT_FALSE(child<QPushButton>(f, QStringLiteral("Command1_%1").arg(i))->isEnabled());
        EXPECT_FALSE(child<QAction>(f, QStringLiteral("mk11_%1").arg(i))->isEnabled());
    }
    EXPECT_EQ(child<QAction>(f, "mk11_0")->text(), QStringLiteral("     １     "));
    EXPECT_EQ(child<QAction>(f, "mf12")->text(), QStringLiteral("ファイル・バックアップ(&B)　　　"));
    EXPECT_EQ(child<QAction>(f, "mh11")->text(), QStringLiteral("ヘルプ(&H)   "));
    EXPECT_EQ(child<QAction>(f, "mk1")->text(), QStringLiteral("[ 種目を選択して下さい ]  "));
    EXPECT_TRUE(ui.messages().empty());

    Database db = Database::open(dir.databasePath());
    EXPECT_EQ(db.columns(management::kTable).size(), 43u);
    EXPECT_EQ(db.openTable(management::kTable).recordCount(), 7);
}

TEST(Form1, CaptionsButtonsAndColoursFollowTheManagementTable)
{
    TempProgramDir dir;
    prepare(dir.databasePath());
    ScriptedUi ui;
    ui.setClipboardText(QStringLiteral("old"));
    App app(dir.path(), ui);
    app.useDatabase(dir.databasePath());
    Form1 f(app);
    ASSERT_TRUE(f.start());
    EXPECT_EQ(f.windowTitle(), caption(QStringLiteral("私の在庫"), dir.databasePath()));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral(" 私の在庫 "));
    EXPECT_EQ(child<QLabel>(f, "Label2")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(child<QLabel>(f, "Label2")->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(child<QPushButton>(f, "Command1_0")->text(), QStringLiteral("ＣＤ"));
    EXPECT_TRUE(child<QPushButton>(f, "Command1_0")->isEnabled());
    EXPECT_EQ(child<QPushButton>(f, "Command1_2")->text(), QStringLiteral("ＤＶＤ"));
    EXPECT_TRUE(child<QPushButton>(f, "Command1_2")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(f, "Command1_1")->isEnabled());
    EXPECT_EQ(child<QAction>(f, "mk11_0")->text(), QStringLiteral("   ＣＤ"));
    EXPECT_TRUE(child<QAction>(f, "mk11_0")->isEnabled());
    EXPECT_FALSE(child<QAction>(f, "mk11_2")->isEnabled());  // named, but no main file yet
    EXPECT_EQ(ui.clipboardText(), QString());

    // A named category without a main file says so and opens nothing.
    child<QPushButton>(f, "Command1_2")->click();
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, QStringLiteral("ファイル設定が未済です。"));
    EXPECT_EQ(ui.messages()[0].title, QStringLiteral("Error"));
    EXPECT_EQ(ui.messages()[0].icon, Ui::Icon::Critical);
    EXPECT_TRUE(ui.shownWindows().isEmpty());

    // A name or title too long for the usual type is shown whole in a smaller one.
    const QString longName = QStringLiteral("クラシック音楽ＣＤ");
    CategoryDefinition named = app.cache.row(1);
    named.named = 1;
    named.name = longName;
    app.cache.setRow(1, named);
    SystemSettings settings = app.cache.systemSettings();
    settings.title = QStringLiteral("サンプル商会在庫管理");
    app.cache.setSystemSettings(settings);
    f.refreshCategoryButtons();
    f.applySettings();
    EXPECT_EQ(child<QPushButton>(f, "Command1_1")->text(), longName);
    EXPECT_LT(child<QPushButton>(f, "Command1_1")->font().pointSizeF(), 18);
    EXPECT_LE(QFontMetrics(child<QPushButton>(f, "Command1_1")->font()).horizontalAdvance(longName), child<QPushButton>(f, "Command1_1")->width());
    EXPECT_EQ(child<QPushButton>(f, "Command1_0")->font().pointSizeF(), 18);
    EXPECT_LT(child<QLabel>(f, "Label2")->font().pointSizeF(), 36);
    EXPECT_LE(QFontMetrics(child<QLabel>(f, "Label2")->font()).horizontalAdvance(child<QLabel>(f, "Label2")->text()), child<QLabel>(f, "Label2")->width());
    named.named = 0;
    app.cache.setRow(1, named);

    // After category naming an unnamed button shows an empty caption.
    CategoryDefinition unnamed = app.cache.row(2);
    unnamed.named = 0;
    app.cache.setRow(2, unnamed);
    f.refreshCategoryButtons();
    EXPECT_EQ(child<QPushButton>(f, "Command1_2")->text(), QString());
    EXPECT_FALSE(child<QPushButton>(f, "Command1_2")->isEnabled());
    EXPECT_EQ(child<QPushButton>(f, "Command1_0")->text(), QStringLiteral("ＣＤ"));
}

TEST(Form1, WindowPlacementFollowsTheScreenWidth)
{
    TestApp t;
    Form1 f(t.app);
    const ScreenLayout& c = t.app.layout();
    f.Dspsize(16000, 12000);
    EXPECT_EQ(c.listWindowWidth, 15045);
    EXPECT_EQ(c.listWindowLeft, 478);  // 477.5 to the even neighbour
    EXPECT_EQ(c.schemaWindowLeft, 1500);
    EXPECT_EQ(c.listExtraWidth, 0);
    EXPECT_EQ(c.listWindowTop, 450);
    EXPECT_EQ(c.schemaWindowTop, 1200);
    f.Dspsize(20000, 9000);
    EXPECT_EQ(c.listWindowWidth, 17000);
    EXPECT_EQ(c.listWindowLeft, 1500);
    EXPECT_EQ(c.schemaWindowLeft, 3500);
    EXPECT_EQ(c.listExtraWidth, 1900);
    EXPECT_EQ(c.listWindowTop, -1050);  // not clamped on small screens
    f.Dspsize(15000, 11100);
    EXPECT_EQ(c.listWindowWidth, 15045);
    EXPECT_EQ(c.listWindowLeft, 0);
    EXPECT_EQ(c.schemaWindowLeft, 0);
    f.Dspsize(15046, 11101);
    EXPECT_EQ(c.listWindowLeft, 0);  // 0.5 to the even neighbour
    EXPECT_EQ(c.listWindowTop, 0);
}

TEST(Form1FileOnly, ADamagedDatabaseIsNeverReplaced)
{
    TempProgramDir dir(false);
    QFile f(dir.databasePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    ScriptedUi ui;
    App app(dir.path(), ui);
    Form1 w(app);
    EXPECT_THROW(w.start(), ProgramEnded);
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_TRUE(ui.messages()[0].text.contains(dir.databasePath()));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(4096, 'x'));
}

TEST(Form1, AManagementTableWithoutItsRowsIsRefused)
{
    TempProgramDir dir;
    {
        Database db = Database::open(dir.databasePath());
        Recordset rs = db.openTable(management::kTable);
        rs.moveLast();
        rs.deleteCurrent();
    }
    ScriptedUi ui;
    App app(dir.path(), ui);
    app.useDatabase(dir.databasePath());
    Form1 w(app);
    EXPECT_THROW(w.start(), ProgramEnded);
    EXPECT_TRUE(ui.programEnded());
    Database db = Database::open(dir.databasePath());
    EXPECT_EQ(db.openTable(management::kTable).recordCount(), 6);
}

TEST(Form1, HelpAndEndGoThroughTheUiService)
{
    TestApp t;
    Form1 f(t.app);
    ASSERT_TRUE(f.start());
    child<QAction>(f, "mh11")->trigger();
    ASSERT_FALSE(t.ui.calls().empty());
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
    EXPECT_THROW(child<QPushButton>(f, "Command9")->click(), ProgramEnded);
    EXPECT_TRUE(t.ui.programEnded());
}

TEST(Form1, SearchThenOpenListsOnlyWhenASearchWasMade)
{
    TestApp t;
    build::nameCategory(t.app, 1, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 1, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 1, {QStringLiteral("海の歌")}, 1);
    build::addMainRow(t.app, 1, {QStringLiteral("山の歌")}, 2);
    Form1 f(t.app);
    ASSERT_TRUE(f.start());
    ASSERT_TRUE(child<QAction>(f, "mk11_1")->isEnabled());
    EXPECT_EQ(child<QAction>(f, "mk11_1")->text(), QStringLiteral("   ＤＶＤ"));

    // Leaving the search dialog without a search opens no list.
    t.ui.answerMenu(QStringLiteral("mk11_1"));
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form5kf")});

    // A search opens the list in search mode with the matching record only.
    t.ui.onShow(QStringLiteral("Form5kf"), [](QWidget& w) {
        auto& s = dynamic_cast<Form5kf&>(w);
        child<QRadioButton>(s, "Option1_0")->click();
        child<MaskedEdit>(s, "MaskEdBox1")->setText(QStringLiteral("海"));
        child<QPushButton>(s, "Command1")->click();
    });
    int rows = -1;
    qint16 mode = -1;
    qint16 category = -1;
    t.ui.onShow(QStringLiteral("Form5"), [&](QWidget& w) {
        rows = child<ReportListView>(w, "ListView1")->rowCount();
        mode = static_cast<Form5&>(w).shown().mode;
        category = static_cast<Form5&>(w).shown().category;
    });
    t.ui.answerMenu(QStringLiteral("mk11_1"));
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(mode, ListRequest::SearchResults);
    EXPECT_EQ(category, 1);
    EXPECT_EQ(rows, 1);

    // The category button lists every record.
    t.ui.onShow(QStringLiteral("Form5"), [&](QWidget& w) {
        rows = child<ReportListView>(w, "ListView1")->rowCount();
        mode = static_cast<Form5&>(w).shown().mode;
    });
    child<QPushButton>(f, "Command1_1")->click();
    EXPECT_EQ(mode, ListRequest::AllRecords);
    EXPECT_EQ(rows, 2);
}

TEST(Form1, SettingsMenuOpensTheSchemaAndCodeWindows)
{
    TestApp t;
    Form1 f(t.app);
    ASSERT_TRUE(f.start());
    for (QAction* a : {child<QAction>(f, "mt12"), child<QAction>(f, "mt13"), child<QAction>(f, "mt14"), child<QAction>(f, "mt15"), child<QAction>(f, "mt16")}) EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    child<QAction>(f, "mt12")->trigger();
    child<QAction>(f, "mt13")->trigger();
    child<QAction>(f, "mt14")->trigger();
    t.ui.clearLog();
    child<QAction>(f, "mt15")->trigger();  // no code tables yet: the window says so as it opens
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("コード・テーブルが作成未済みです。"));
    EXPECT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form2f")});
    t.ui.clearLog();
    child<QAction>(f, "mt16")->trigger();
    EXPECT_EQ(t.ui.shownWindows(), QStringList{QStringLiteral("Form2ga")});
}

TEST(Form1, AllFilesSearchOpensFromTheMainWindow)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 0, {QStringLiteral("海の歌")}, 1);
    Form1 f(t.app);
    ASSERT_TRUE(f.start());
    EXPECT_TRUE(child<QPushButton>(f, "Command3")->isEnabled());
    // Opened from here, a hit can be opened for editing.
    t.ui.onShow("Form9k", [](QWidget& shown) {
        child<QLineEdit>(shown, "Text1")->setText(QStringLiteral("海"));
        child<QPushButton>(shown, "Command1")->click();
    });
    bool editable = false;
    int hits = -1;
    t.ui.onShow("Form9", [&](QWidget& shown) {
        editable = child<QAction>(shown, "mf11")->isEnabled();
        hits = child<ReportListView>(shown, "ListView1")->rowCount();
    });
    child<QPushButton>(f, "Command3")->click();
    EXPECT_TRUE(t.ui.shownWindows().contains(QStringLiteral("Form9"))) << t.ui.shownWindows().join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(hits, 1);
    EXPECT_TRUE(editable);
}

TEST(Form1, MaintenanceMenusOpenTheirWindowsAndTheMainWindowFollows)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    Form1 f(t.app);
    ASSERT_TRUE(f.start());
    for (QAction* a : {child<QAction>(f, "mf12"), child<QAction>(f, "mf13"), child<QAction>(f, "mt11"), child<QAction>(f, "mt17"), child<QAction>(f, "mh12")}) EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    child<QAction>(f, "mf12")->trigger();
    child<QAction>(f, "mf13")->trigger();
    child<QAction>(f, "mh12")->trigger();
    EXPECT_EQ(t.ui.shownWindows(), (QStringList{"Form12a", "Form12b", "Formv"}));

    // A title set in the settings window reaches the main window.
    t.ui.onShow(QStringLiteral("Form2a"), [](QWidget& w) {
        auto& s = dynamic_cast<Form2a&>(w);
        child<QLineEdit>(s, "Text1")->setText(QStringLiteral(" 倉庫 "));
        child<QPushButton>(s, "Command4")->click();
    });
    child<QAction>(f, "mt11")->trigger();
    EXPECT_EQ(f.windowTitle(), caption(QStringLiteral("倉庫"), t.app.databasePath()));

    // Initialisation empties the buttons to their numbers and puts the title back.
    t.ui.answer(Ui::Answer::Ok);
    // The main window shows them before the completion message is read.
    QString titleAtMessage;
    t.ui.onMessage([&](const QString& text) {
        if (text == QStringLiteral("システムの初期値化が終了しました。")) titleAtMessage = f.windowTitle();
    });
    t.ui.onShow(QStringLiteral("Form2h"), [](QWidget& w) { child<QPushButton>(w, "Command1")->click(); });
    child<QAction>(f, "mt17")->trigger();
    EXPECT_EQ(titleAtMessage, caption(QStringLiteral("在庫管理"), t.app.databasePath()));
    EXPECT_EQ(f.windowTitle(), caption(QStringLiteral("在庫管理"), t.app.databasePath()));
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(child<QPushButton>(f, QStringLiteral("Command1_%1").arg(i))->text(), QStringLiteral(" %1").arg(i + 1));
        EXPECT_FALSE(child<QPushButton>(f, QStringLiteral("Command1_%1").arg(i))->isEnabled());
    }
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral(" "));
}

TEST(Form1, ReportsAndTheInquiryBrowserOpenFromTheMenu)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 0, {QStringLiteral("一枚目")}, 1);
    Form1 f(t.app);
    ASSERT_TRUE(f.start());
    for (QAction* a : {child<QAction>(f, "mkk1"), child<QAction>(f, "mkk2"), child<QAction>(f, "mkk3"), child<QAction>(f, "mi1")}) EXPECT_TRUE(a->isEnabled());
    child<QAction>(f, "mkk1")->trigger();
    child<QAction>(f, "mkk3")->trigger();
    child<QAction>(f, "mi1")->trigger();
    EXPECT_EQ(t.ui.shownWindows(), (QStringList{"Form13a", "Form13c", "Form10"}));
    // Without code tables the usage report says so and closes; the main window goes on.
    child<QAction>(f, "mkk2")->trigger();
    EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("コード・テーブルが作成未済みです。"));
    EXPECT_FALSE(t.ui.programEnded());
    child<QAction>(f, "mkk1")->trigger();
    EXPECT_EQ(t.ui.shownWindows(), (QStringList{"Form13a", "Form13c", "Form10", "Form13a"}));
}

// Desk A's environment window is open over its main window while desk B stores a title and
// names a category. A's press is refused and reads the settings again; the main window
// behind shows B's settings at once, before A's window closes.
TEST(Form1, TheMainWindowShowsSettingsAnotherDeskStoredWhenARefusalReadsThemAgain)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    Form1 f(t.app);
    ASSERT_TRUE(f.start());
    OtherDesk b(t.dir);
    QString titleBehind, buttonBehind;
    bool buttonEnabled = false;
    t.ui.onShow(QStringLiteral("Form2a"), [&](QWidget& w) {
        SystemSettings s = b.app.cache.systemSettings();
        s.title = QStringLiteral("Ｂの店");
        b.app.cache.setSystemSettings(s);
        build::nameCategory(b.app, 1, QStringLiteral("本"));
        child<QLineEdit>(w, "Text1")->setText(QStringLiteral("Ａの店"));
        child<QPushButton>(w, "Command4")->click();
        titleBehind = f.windowTitle();
        buttonBehind = child<QPushButton>(f, "Command1_1")->text();
        buttonEnabled = child<QPushButton>(f, "Command1_1")->isEnabled();
    });
    child<QAction>(f, "mt11")->trigger();
    ASSERT_EQ(t.ui.messages().size(), 1u);
    EXPECT_TRUE(t.ui.messages()[0].text.startsWith(QStringLiteral("他の端末で設定が変更されたため"))) << t.ui.messages()[0].text.toStdString();
    EXPECT_EQ(titleBehind, caption(QStringLiteral("Ｂの店"), t.app.databasePath()));
    EXPECT_EQ(buttonBehind, QStringLiteral("本"));
    EXPECT_TRUE(buttonEnabled);
    EXPECT_EQ(t.stored().systemTitle(), QStringLiteral("Ｂの店"));
}
