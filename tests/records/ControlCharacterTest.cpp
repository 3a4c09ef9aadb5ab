#include "RecordFixture.h"
#include "Find.h"
#include "Person.h"
#include "codes/Form2f.h"
#include "maintenance/Form2a.h"
#include "platform/widgets/MaskedEdit.h"
#include "records/Form7.h"
#include "schema/Form2b.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

// Tabs, line feeds, escapes and the like reach a name or a record text only by pasting; they
// break the lists, the reports and the CSV they are read into, so they are refused.
namespace {

const QStringList kControls = {QStringLiteral("\t"), QStringLiteral("\n"), QStringLiteral("\r"), QStringLiteral("\u001B"),
                               QStringLiteral("\u0000"), QStringLiteral("\u007F")};

QString withControl(const QString& control) { return QStringLiteral("ロッ") + control + QStringLiteral("ク"); }

void refused(ScriptedUi& ui, const QString& what, const QString& control)
{
    const auto m = ui.messages();
    ui.clearLog();
    ASSERT_EQ(m.size(), 1u) << "U+" << int(control.at(0).unicode());
    EXPECT_EQ(m[0].text, what + QStringLiteral("に制御文字（タブ・改行など）が含まれています。制御文字は使用できません。"));
}

}  // namespace

TEST(ControlCharacters, RecordTextsAndEveryKindOfNameRefuseThemAndStoreNothing)
{
    TestApp t;
    fixture::makeCategories(t);
    const QString cacheTitle = t.app.cache.systemTitle();
    for (const QString& control : kControls) {
        Form7 editor(t.app, 0);
        editor.prepare(EditorMode::New, {}, QString());
        child<MaskedEdit>(editor, QStringLiteral("MaskEdBox1_%1").arg(fixture::Name))->setText(withControl(control));
        child<MaskedEdit>(editor, QStringLiteral("MaskEdBox1_%1").arg(fixture::Bought))->setText(QStringLiteral("2024/01/02"));
        child<QPushButton>(editor, "Command1")->click();
        refused(t.ui, QStringLiteral("品名"), control);

        Form2b names(t.app);
        child<QLineEdit>(names, "Text1_3")->setText(withControl(control));
        child<QPushButton>(names, "Command1")->click();
        refused(t.ui, QStringLiteral("種目名"), control);
        EXPECT_EQ(t.app.cache.row(3).named, 0);

        Form2a settings(t.app);
        child<QLineEdit>(settings, "Text1")->setText(withControl(control));
        child<QPushButton>(settings, "Command4")->click();
        refused(t.ui, QStringLiteral("タイトル"), control);
        EXPECT_EQ(t.app.cache.systemTitle(), cacheTitle);

        Form2f codes(t.app);
        person::choose(child<QComboBox>(codes, "Combo1"), 0);
        t.ui.clearLog();
        child<QPushButton>(codes, "Command1")->click();
        child<QLineEdit>(codes, "Text1")->setText(QStringLiteral("C03"));
        child<QLineEdit>(codes, "Text2")->setText(withControl(control));
        child<QPushButton>(codes, "Command4")->click();
        refused(t.ui, QStringLiteral("コード名称"), control);
        child<QPushButton>(codes, "Command1")->click();
        child<QLineEdit>(codes, "Text1")->setText(QStringLiteral("C") + control + QStringLiteral("3"));
        child<QLineEdit>(codes, "Text2")->setText(QStringLiteral("クラシック"));
        child<QPushButton>(codes, "Command4")->click();
        refused(t.ui, QStringLiteral("コード"), control);
    }
    EXPECT_TRUE(fixture::rows(t, QStringLiteral("SHUMOKU1")).isEmpty());
    EXPECT_EQ(fixture::rows(t, QStringLiteral("CODE1")).size(), 2);
    t.reload();
    EXPECT_EQ(t.app.cache.row(3).named, 0);
    EXPECT_EQ(t.app.cache.systemTitle(), cacheTitle);
    // A text without them is stored as typed.
    Form7 editor(t.app, 0);
    editor.prepare(EditorMode::New, {}, QString());
    child<MaskedEdit>(editor, QStringLiteral("MaskEdBox1_%1").arg(fixture::Name))->setText(QStringLiteral("ロック　名盤"));
    child<MaskedEdit>(editor, QStringLiteral("MaskEdBox1_%1").arg(fixture::Bought))->setText(QStringLiteral("2024/01/02"));
    child<QPushButton>(editor, "Command1")->click();
    EXPECT_TRUE(t.ui.messages().empty()) << t.ui.lastMessage().toStdString();
    EXPECT_EQ(fixture::rows(t, QStringLiteral("SHUMOKU1")).value(0).value(0), QStringLiteral("ロック　名盤"));
}
