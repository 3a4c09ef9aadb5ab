#include "SchemaChecks.h"
#include "BackendTest.h"
#include "Builders.h"
#include "Find.h"
#include "OtherDesk.h"
#include "Person.h"
#include "codes/Form2e.h"
#include "maintenance/Form2a.h"
#include "schema/Form2c.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
class SettingsWindowsTwoDesks : public BackendTest {};

const check::Msg kMovedOn{QStringLiteral("他の端末で設定が変更されたため、この設定は保存しませんでした。"
                                         "設定を読み直しましたので、確認してから、もう一度操作して下さい。"),
                          QStringLiteral("Error"), Ui::Icon::Critical};

QStringList entries(QComboBox* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
    return out;
}
}  // namespace

// Desk A has its environment, file and code-file windows open while desk B stores settings
// three times. Each of A's presses after one of B's is refused with the one message, nothing
// of A's is stored, and every open window of A's shows B's settings at once, A's choices kept.
TEST_P(SettingsWindowsTwoDesks, ARefusedPressShowsTheSettingsAnotherDeskStored)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::nameCategory(t.app, 1, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    OtherDesk b(t.dir);
    Form2a environment(t.app);
    Form2c files(t.app);
    Form2e codeFiles(t.app);
    person::choose(child<QComboBox>(files, "Combo1"), QStringLiteral("ＣＤ"));

    // The title.
    SystemSettings s = b.app.cache.systemSettings();
    s.title = QStringLiteral("Ｂの店");
    b.app.cache.setSystemSettings(s);
    child<QLineEdit>(environment, "Text1")->setText(QStringLiteral("Ａの店"));
    child<QPushButton>(environment, "Command4")->click();
    check::messages(t.ui, {kMovedOn});
    EXPECT_EQ(t.stored().systemTitle(), QStringLiteral("Ｂの店"));
    EXPECT_EQ(child<QLineEdit>(environment, "Text1")->text(), QStringLiteral("Ｂの店"));
    EXPECT_EQ(child<QLineEdit>(environment, "Text2")->text(), QStringLiteral("Ｂの店"));
    EXPECT_TRUE(environment.windowTitle().startsWith(QStringLiteral("Ｂの店 Tanzo - "))) << environment.windowTitle().toStdString();

    // A category named: ＣＤ's file is not deleted, and the new name is offered beside it.
    build::nameCategory(b.app, 3, QStringLiteral("本"));
    t.ui.answer(Ui::Answer::Ok);
    child<QPushButton>(files, "Command4")->click();
    check::messages(t.ui, {{QStringLiteral("ＣＤ・メインのファイルを削除しますか？"), QStringLiteral("削除の確認"),
                            Ui::Icon::None},
                           kMovedOn});
    EXPECT_EQ(t.stored().row(0).mainCreated, 1);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 0);
    auto* categories = child<QComboBox>(files, "Combo1");
    EXPECT_EQ(entries(categories), (QStringList{QStringLiteral("ＣＤ"), QStringLiteral("ＤＶＤ"), QStringLiteral("本")}));
    EXPECT_EQ(categories->currentText(), QStringLiteral("ＣＤ"));

    // A code table made: A's name is not stored in the slot B took; the next free one is offered.
    build::createCodeTable(b.app, 1, QStringLiteral("色"), 2);
    EXPECT_EQ(child<QLabel>(codeFiles, "Label5")->text(), QStringLiteral("CODE1"));
    child<QLineEdit>(codeFiles, "Text1")->setText(QStringLiteral("サイズ"));
    child<QPushButton>(codeFiles, "Command1")->click();
    check::messages(t.ui, {kMovedOn});
    EXPECT_EQ(t.stored().codeTableNameOf(1), QStringLiteral("色"));
    EXPECT_EQ(child<QLabel>(codeFiles, "Label5")->text(), QStringLiteral("CODE2"));
    EXPECT_EQ(child<QComboBox>(codeFiles, "Combo2")->itemText(0), QStringLiteral("色"));
    EXPECT_EQ(child<QLineEdit>(codeFiles, "Text1")->text(), QStringLiteral("サイズ"));
    EXPECT_EQ(environment.windowTitle(), t.app.cache.caption(QStringLiteral("システム環境設定")));

    // Pressed again over what A now sees, the table is made in the free slot.
    child<QPushButton>(codeFiles, "Command1")->click();
    check::messages(t.ui, {{QStringLiteral("サイズ コード・ファイルを作成しました。"), QStringLiteral("処理終了"),
                            Ui::Icon::Exclamation}});
    EXPECT_EQ(t.stored().codeTableNameOf(2), QStringLiteral("サイズ"));
}

TANZO_ON_BOTH_BACKENDS(SettingsWindowsTwoDesks);
