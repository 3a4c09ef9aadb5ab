#include "BackendTest.h"
#include "Find.h"
#include "ListFixture.h"
#include "OtherDesk.h"
#include "PgSession.h"
#include "Person.h"
#include "core/RecordStore.h"
#include "lists/Form5.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/ReportListView.h"
#include "records/Form7.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

// Two desks on one database, each with its own list open: what one desk stores is not
// written over by the other's out-of-date list.

namespace {

const QString kShownStored = QStringLiteral("このレコードは、一覧に表示した後に他の端末で変更されています。登録されている内容を表示します。");
const QString kGone = QStringLiteral("このレコードは、一覧に表示した後に他の端末で削除されています。");
const QString kChangedSince = QStringLiteral("このレコードは、表示した後に他の端末で変更されています。一覧を読み直してから、もう一度操作して下さい。");

MaskedEdit* field(QWidget& editor, int k) { return child<MaskedEdit>(editor, QStringLiteral("MaskEdBox1_%1").arg(k)); }

QStringList storedRow(TestApp& t, int registrationNo)
{
    Database db = t.db();
    Recordset rs = db.openWhere(QStringLiteral("SHUMOKU1"), {{QStringLiteral("登録ＮＯ"), Value::integer(registrationNo)}});
    if (rs.eof()) return {};
    QStringList out;
    for (int c = 0; c < rs.fieldCount(); ++c) out << rs.field(c).toString();
    return out;
}

int editorsShown(const ScriptedUi& ui) { return int(ui.shownWindows().count(QStringLiteral("Form7"))); }

class TwoDeskLists : public BackendTest {};

}  // namespace

// Desk B changes the count of record 4 and deletes record 2 while desk A's list still shows
// them as they were: A's editor shows the stored count and keeps it; a deleted record is told.
TEST_P(TwoDeskLists, AnEditorShowsTheRowAsStoredAndARecordDeletedElsewhereIsTold)
{
    TestApp t;
    CdCategory cd(t);
    build::addMainRow(t.app, 0, {QStringLiteral("四枚目"), "500", "2024/04/04", "2", "PO"}, 4);
    OtherDesk b(t.dir);
    Form5 w(t.app, openAs(t.app, 0, 0));
    auto* list = child<ReportListView>(w, "ListView1");
    person::clickRow(list, 3);
    ASSERT_EQ(child<QLineEdit>(w, "Text1_3")->text(), QStringLiteral("2"));

    RecordStore(b.app.cache).changeMain(0, 4, {QStringLiteral("四枚目"), "500", "2024/04/04", "20", "PO"});

    t.ui.onShow("Form7", [&](QWidget& editor) {
        EXPECT_EQ(t.ui.lastMessage(), kShownStored);
        EXPECT_EQ(field(editor, 3)->text(), QStringLiteral("20"));
        field(editor, 0)->setText(QStringLiteral("新しい題名"));
        child<QPushButton>(editor, "Command1")->click();
    });
    child<QAction>(w, "mf12")->trigger();
    EXPECT_EQ(t.ui.lastMessage(), kShownStored);
    EXPECT_EQ(storedRow(t, 4).mid(0, 4), QStringList({QStringLiteral("新しい題名"), "500", "2024/04/04", "20"}));

    // Record 2 is deleted at desk B; desk A's list still shows it.
    RecordStore(b.app.cache).removeMain(0, 2);
    t.ui.clearLog();
    person::clickRow(list, 1);
    ASSERT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("2"));
    child<QAction>(w, "mf12")->trigger();
    EXPECT_EQ(t.ui.lastMessage(), kGone);
    EXPECT_EQ(editorsShown(t.ui), 0);
    // The list reads its rows again: record 2 is no longer among them, and the row that took
    // its place is shown.
    EXPECT_EQ(list->rowCount(), 3);
    EXPECT_EQ(child<QLineEdit>(w, "Text3")->text(), QStringLiteral("3"));
}

// Desk A chooses record 1 while it has no sub records; desk B then adds one. A's delete is
// refused when it is stored, and nothing is deleted.
TEST_P(TwoDeskLists, AMainRecordGivenASubRecordAfterItWasChosenIsNotDeleted)
{
    TestApp t;
    CdCategory cd(t);
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    OtherDesk b(t.dir);
    Form5 w(t.app, openAs(t.app, 0, 0));
    person::clickRow(child<ReportListView>(w, "ListView1"), 0);
    ASSERT_EQ(w.subRecordCount(), 0);

    RecordStore(b.app.cache).addSub(0, 1, QStringList{QStringLiteral("一曲目")});

    bool refused = false;
    t.ui.onShow("Form7", [&](QWidget& editor) {
        t.ui.answer(Ui::Answer::Ok);  // "このレコードを削除しますか？"
        child<QPushButton>(editor, "Command1")->click();
        refused = t.ui.lastMessage() == RecordStore::kHasSubRecords;
        child<QPushButton>(editor, "Command2")->click();
    });
    child<QAction>(w, "mf13")->trigger();
    EXPECT_TRUE(refused) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(storedRow(t, 1).value(0), QStringLiteral("ＡＢＣ"));
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 3);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1SUB")), 1);
}

TANZO_ON_BOTH_BACKENDS(TwoDeskLists);

// The server ends desk A's connection while its list is open. Opening the editor then fails
// with the reason, and the next opening compares with the row as stored: desk B's change made
// while A's editor is open is not written over.
TEST(TwoDeskListsServerOnly, AnEditorOpenedOverALostConnectionNeverSkipsTheComparison)
{
    TestApp t;
    // No code field: the first thing the editor reads is the row itself.
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}, {QStringLiteral("枚数"), QStringLiteral("LONG")}});
    build::addMainRow(t.app, 0, {QStringLiteral("一枚目"), "1"}, 1);
    Form5 w(t.app, openAs(t.app, 0, 0));
    person::clickRow(child<ReportListView>(w, "ListView1"), 0);

    PgSession admin(PgSession::adminConninfo());
    admin.endSessionsOn(t.dir.serverDatabase());
    OtherDesk b(t.dir);  // started after, on a connection of its own
    child<QAction>(w, "mf12")->trigger();
    EXPECT_TRUE(t.ui.lastMessage().startsWith(QStringLiteral("データベース サーバーとの接続が切れました。")))
        << t.ui.lastMessage().toStdString();
    EXPECT_EQ(editorsShown(t.ui), 0);

    t.ui.clearLog();
    t.ui.onShow("Form7", [&](QWidget& editor) {
        RecordStore(b.app.cache).changeMain(0, 1, {QStringLiteral("他の端末"), "11"});
        field(editor, 0)->setText(QStringLiteral("私の変更"));
        child<QPushButton>(editor, "Command1")->click();
        EXPECT_EQ(t.ui.lastMessage(), kChangedSince);
        child<QPushButton>(editor, "Command2")->click();
    });
    child<QAction>(w, "mf12")->trigger();
    EXPECT_EQ(editorsShown(t.ui), 1);
    EXPECT_EQ(storedRow(t, 1).mid(0, 2), QStringList({QStringLiteral("他の端末"), "11"}));
}
