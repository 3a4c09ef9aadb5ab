#include "Builders.h"
#include "Find.h"
#include "Person.h"
#include "TestApp.h"
#include "codes/Form2e.h"
#include "codes/Form2f.h"
#include "app/Form1.h"
#include "lists/Form5.h"
#include "lists/Form6.h"
#include "platform/db/Database.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/ReportListView.h"
#include "records/Form7.h"
#include "records/Form8.h"
#include "schema/Form2b.h"
#include "schema/Form2c.h"
#include "schema/Form2d.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

template <class W>
W& as(QWidget& w)
{
    auto* p = dynamic_cast<W*>(&w);
    if (!p) throw std::logic_error("unexpected window " + w.objectName().toStdString());
    return *p;
}

// Defines one file of category ＣＤ on the file settings screen: fields given as name and
// type, a type "CODE" ties the field to the first code table.
void defineFile(TestApp& t, Form1& main, const QString& kind, const QList<QPair<QString, QString>>& fields)
{
    t.ui.onShow(QStringLiteral("Form2c"), [&, kind, fields](QWidget& w) {
        auto& f = as<Form2c>(w);
        person::choose(child<QComboBox>(f, "Combo1"), QStringLiteral("ＣＤ"));
        person::choose(child<QComboBox>(f, "Combo2"), kind);
        t.ui.onShow(QStringLiteral("Form2d"), [&, fields](QWidget& w2) {
            auto& d = as<Form2d>(w2);
            person::choose(child<QComboBox>(d, "Combo1"), QString::number(fields.size()));
            for (int row = 1; row <= fields.size(); ++row) {
                const auto& [name, type] = fields[row - 1];
                if (type == QLatin1String("CODE")) {
                    child<QCheckBox>(d, QStringLiteral("Check1_%1").arg(row))->click();
                    person::choose(child<QComboBox>(d, "Combo3"), 0);
                } else {
                    child<QLineEdit>(d, QStringLiteral("Text1_%1").arg(row))->setText(name);
                    person::choose(child<QComboBox>(d, QStringLiteral("Combo2_%1").arg(row)), type);
                }
            }
            child<QPushButton>(d, "Command1")->click();
        });
        child<QPushButton>(f, "Command2")->click();
    });
    child<QAction>(main, "mt13")->trigger();
}

QStringList column(const ReportListView& list, int col)
{
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r) out << list.text(r, col);
    return out;
}

}  // namespace

// The whole road of the two-level database, from an empty program to sub records, driven
// through the windows as a person would.
TEST(WholeRoad, FromNamingACategoryToItsSubRecords)
{
    TestApp t;
    Form1 main(t.app);
    ASSERT_TRUE(main.start());

    // Name category 1.
    t.ui.onShow(QStringLiteral("Form2b"), [](QWidget& w) {
        auto& f = as<Form2b>(w);
        child<QLineEdit>(f, "Text1_0")->setText(QStringLiteral("ＣＤ"));
        child<QPushButton>(f, "Command1")->click();
    });
    child<QAction>(main, "mt12")->trigger();
    EXPECT_EQ(child<QPushButton>(main, "Command1_0")->text(), QStringLiteral("ＣＤ"));
    EXPECT_TRUE(child<QPushButton>(main, "Command1_0")->isEnabled());

    // A code table of length 3, and two codes in it.
    t.ui.onShow(QStringLiteral("Form2e"), [](QWidget& w) {
        auto& f = as<Form2e>(w);
        person::choose(child<QComboBox>(f, "Combo1"), QStringLiteral("3"));
        child<QLineEdit>(f, "Text1")->setText(QStringLiteral("分類"));
        child<QPushButton>(f, "Command1")->click();
    });
    child<QAction>(main, "mt14")->trigger();
    t.ui.onShow(QStringLiteral("Form2f"), [](QWidget& w) {
        auto& f = as<Form2f>(w);
        person::choose(child<QComboBox>(f, "Combo1"), 0);
        for (const auto& [code, name] : {std::pair{"001", "ポップス"}, std::pair{"002", "ジャズ"}}) {
            child<QPushButton>(f, "Command1")->click();
            child<QLineEdit>(f, "Text1")->setText(QString::fromUtf8(code));
            child<QLineEdit>(f, "Text2")->setText(QString::fromUtf8(name));
            child<QPushButton>(f, "Command4")->click();
        }
    });
    child<QAction>(main, "mt15")->trigger();

    // The main file with a text field and a code field, and a sub file of one field.
    defineFile(t, main, QStringLiteral("メイン"), {{QStringLiteral("品名"), QStringLiteral("TEXT")}, {QString(), QStringLiteral("CODE")}});
    defineFile(t, main, QStringLiteral("サブ"), {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    ASSERT_EQ(t.app.cache.row(0).mainFields[1].typeWord, QStringLiteral("CODE1"));
    ASSERT_EQ(t.app.cache.row(0).subCreated, 1);
    t.ui.clearLog();

    // Two main records; a code that is not registered is refused first.
    t.ui.onShow(QStringLiteral("Form5"), [&](QWidget& w) {
        auto& list = as<Form5>(w);
        t.ui.onShow(QStringLiteral("Form7"), [&](QWidget& w2) {
            auto& ed = as<Form7>(w2);
            child<MaskedEdit>(ed, "MaskEdBox1_0")->setText(QStringLiteral("アルバムＡ"));
            child<MaskedEdit>(ed, "MaskEdBox1_1")->setText(QStringLiteral("009"));
            child<QPushButton>(ed, "Command1")->click();
            EXPECT_EQ(t.ui.lastMessage(), QStringLiteral("009  コードが相違しています。"));
            child<MaskedEdit>(ed, "MaskEdBox1_1")->setText(QStringLiteral("001"));
            child<QPushButton>(ed, "Command1")->click();
            EXPECT_EQ(child<QLineEdit>(ed, "Text2")->text(), QStringLiteral("2"));
            child<MaskedEdit>(ed, "MaskEdBox1_0")->setText(QStringLiteral("アルバムＢ"));
            child<MaskedEdit>(ed, "MaskEdBox1_1")->setText(QStringLiteral("002"));
            child<QPushButton>(ed, "Command1")->click();
            child<QPushButton>(ed, "Command2")->click();
        });
        child<QAction>(list, "mf11")->trigger();
        EXPECT_EQ(column(*child<ReportListView>(list, "ListView1"), 0), (QStringList{"アルバムＡ", "アルバムＢ"}));
        EXPECT_EQ(child<QLineEdit>(list, "Text4_1")->text(), QStringLiteral("ジャズ"));  // the last one stored
        EXPECT_EQ(child<QPushButton>(list, "Command1")->text(), QStringLiteral("サブ明細登録"));
    });
    child<QPushButton>(main, "Command1_0")->click();
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 2);

    // Sub records of the first record: the first gets number 1.
    auto addSub = [&](Form6& sub, const QString& title) {
        t.ui.onShow(QStringLiteral("Form8"), [&, title](QWidget& w) {
            auto& ed = as<Form8>(w);
            child<MaskedEdit>(ed, "MaskEdBox1_0")->setText(title);
            child<QPushButton>(ed, "Command1")->click();
            child<QPushButton>(ed, "Command2")->click();
        });
        child<QAction>(sub, "mf11")->trigger();
    };
    t.ui.onShow(QStringLiteral("Form5"), [&](QWidget& w) {
        auto& list = as<Form5>(w);
        t.ui.onShow(QStringLiteral("Form6"), [&](QWidget& w2) {
            auto& sub = as<Form6>(w2);
            EXPECT_EQ(child<ReportListView>(sub, "ListView2")->text(0, 0), QStringLiteral("アルバムＡ"));
            addSub(sub, QStringLiteral("一曲目"));
            EXPECT_EQ(column(*child<ReportListView>(sub, "ListView1"), 2), (QStringList{"1"}));
        });
        child<QPushButton>(list, "Command1")->click();
    });
    // The list closes and opens again after the sub list, so it shows the new count.
    t.ui.onShow(QStringLiteral("Form5"), [&](QWidget& w) {
        EXPECT_EQ(child<QPushButton>(w, "Command1")->text(), QStringLiteral("サブ明細表示(1)"));
    });
    child<QPushButton>(main, "Command1_0")->click();

    // With sub numbers 1 and 5 the next is 6; then one is changed and one deleted.
    build::addSubRow(t.app, 0, {QStringLiteral("五曲目")}, 1, 5);
    t.ui.onShow(QStringLiteral("Form5"), [&](QWidget& w) {
        auto& list = as<Form5>(w);
        t.ui.onShow(QStringLiteral("Form6"), [&](QWidget& w2) {
            auto& sub = as<Form6>(w2);
            addSub(sub, QStringLiteral("六曲目"));
            EXPECT_EQ(column(*child<ReportListView>(sub, "ListView1"), 2), (QStringList{"1", "5", "6"}));

            person::clickRow(child<ReportListView>(sub, "ListView1"), 1);
            t.ui.onShow(QStringLiteral("Form8"), [](QWidget& w3) {
                auto& ed = as<Form8>(w3);
                EXPECT_EQ(child<QLineEdit>(ed, "Text1")->text(), QStringLiteral("5"));
                child<MaskedEdit>(ed, "MaskEdBox1_0")->setText(QStringLiteral("改めた五曲目"));
                child<QPushButton>(ed, "Command1")->click();
            });
            child<QAction>(sub, "mf12")->trigger();
            EXPECT_EQ(column(*child<ReportListView>(sub, "ListView1"), 0), (QStringList{"一曲目", "改めた五曲目", "六曲目"}));

            person::clickRow(child<ReportListView>(sub, "ListView1"), 0);
            t.ui.answer(Ui::Answer::Ok);
            t.ui.onShow(QStringLiteral("Form8"), [](QWidget& w3) { child<QPushButton>(w3, "Command1")->click(); });
            child<QAction>(sub, "mf13")->trigger();
            EXPECT_EQ(column(*child<ReportListView>(sub, "ListView1"), 2), (QStringList{"5", "6"}));
        });
        child<QPushButton>(list, "Command1")->click();
    });
    t.ui.onShow(QStringLiteral("Form5"), [&](QWidget& w) {
        EXPECT_EQ(child<QPushButton>(w, "Command1")->text(), QStringLiteral("サブ明細表示(2)"));
    });
    child<QPushButton>(main, "Command1_0")->click();
    EXPECT_EQ(t.ui.pendingReplies(), 0);
    EXPECT_EQ(t.ui.shownWindows().count(QStringLiteral("Form8")), 4);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1SUB")), 2);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 2);
}
