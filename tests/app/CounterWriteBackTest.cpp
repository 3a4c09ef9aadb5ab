#include "../records/RecordFixture.h"
#include "Find.h"
#include "core/ManagementSchema.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form7.h"
#include "schema/Form2b.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace fixture;

// A copy of the program started earlier on the same database pressed 設　定: its stale row
// went back and 登録NO fell, and every later add was a duplicate.
namespace {

qint64 storedCounter(TestApp& t, int category)
{
    Database db = t.db();
    Recordset rs = db.openTable(management::kTable);
    for (int r = 0; r < category; ++r) rs.moveNext();
    return rs.field(QStringLiteral("登録NO")).toInt();
}

// A second program on the same directory, with the cache it loaded at its start.
struct EarlierCopy {
    explicit EarlierCopy(TestApp& t) : app(t.dir.path(), ui)
    {
        app.useDatabase(t.dir.databasePath());
        Database db = Database::open(t.dir.databasePath());
        Recordset table = db.openTable(management::kTable);
        app.cache.LoadConfigCache(table);
    }
    ScriptedUi ui;
    App app;
};

void addThrough(App& app, ScriptedUi& ui, const QString& name)
{
    Form7 f(app, 0);
    f.prepare(EditorMode::New, {}, QString());
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(fixture::Name))->setText(name);
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(fixture::Bought))->setText(QStringLiteral("2024/01/02"));
    child<MaskedEdit>(f, QStringLiteral("MaskEdBox1_%1").arg(fixture::Genre))->setText(QStringLiteral("A01"));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_TRUE(ui.messages().empty()) << ui.lastMessage().toStdString();
}

}  // namespace

TEST(CounterWriteBack, AStaleRowWrittenBackNeverLowersTheCounter)
{
    TestApp t;
    makeCategories(t);
    EarlierCopy stale(t);
    for (int i = 1; i <= 3; ++i) addThrough(t.app, t.ui, QStringLiteral("盤%1").arg(i));
    ASSERT_EQ(storedCounter(t, 0), 3);

    // The earlier copy renames the category: its row goes back from the copy's cache.
    {
        Form2b f(stale.app);
        child<QLineEdit>(f, "Text1_0")->setText(QStringLiteral("新ＣＤ"));
        child<QPushButton>(f, "Command1")->click();
        EXPECT_TRUE(stale.ui.messages().empty()) << stale.ui.lastMessage().toStdString();
    }
    EXPECT_EQ(storedCounter(t, 0), 3);
    EXPECT_EQ(stale.app.cache.row(0).lastRegistrationNo, 3);
    // Its next record takes a fresh number instead of a duplicate key.
    addThrough(stale.app, stale.ui, QStringLiteral("盤4"));
    EXPECT_EQ(storedCounter(t, 0), 4);
    EXPECT_EQ(rows(t, QStringLiteral("SHUMOKU1")).size(), 4);
}
