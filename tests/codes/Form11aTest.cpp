#include "../schema/SchemaChecks.h"
#include "Find.h"
#include "Person.h"
#include "Builders.h"
#include "codes/Form11a.h"
#include "platform/widgets/DataGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

using Rows = QVector<QStringList>;

Rows shown(const Form11a& f)
{
    Rows rows;
    for (int r = 0; r < child<DataGrid>(f, "DBGrid1")->rowCount(); ++r) rows.push_back({child<DataGrid>(f, "DBGrid1")->text(r, 0), child<DataGrid>(f, "DBGrid1")->text(r, 1)});
    return rows;
}

QStringList headers(const Form11a& f)
{
    QStringList out;
    for (int c = 0; c < child<DataGrid>(f, "DBGrid1")->columnCount(); ++c) out << child<DataGrid>(f, "DBGrid1")->horizontalHeaderItem(c)->text();
    return out;
}

}  // namespace

TEST(Form11a, WithoutCodeTablesSaysSoAndOffersNothing)
{
    TestApp t;
    Form11a f(t.app);
    check::messages(t.ui, {{QStringLiteral("コード・テーブルが作成未済みです。"), QStringLiteral("Error"), Ui::Icon::Critical}});
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->count(), 0);
    EXPECT_EQ(child<DataGrid>(f, "DBGrid1")->rowCount(), 0);
    EXPECT_EQ(f.chosenSlot(), -1);
}

TEST(Form11a, ShowsEveryRowOfTheChosenTableAndLocksTheList)
{
    TestApp t;
    build::createCodeTable(t.app, 1, QStringLiteral("社員"), 3);
    build::addCode(t.app, 1, QStringLiteral("005"), QStringLiteral("佐藤"));
    build::addCode(t.app, 1, QStringLiteral("001"), QStringLiteral("山田"));
    build::createCodeTable(t.app, 3, QStringLiteral("色"), 1);
    build::addCode(t.app, 3, QStringLiteral("R"), QStringLiteral("赤"));

    Form11a f(t.app);
    EXPECT_TRUE(t.ui.messages().empty());
    EXPECT_EQ(f.objectName(), QStringLiteral("Form11a"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - コード表"));
    EXPECT_EQ(child<QLabel>(f, "Label1")->text(), QStringLiteral("コード表"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("コード・テーブル名"));
    EXPECT_EQ(child<QComboBox>(f, "Combo1")->placeholderText(), QStringLiteral("コード・テーブル名を選択して下さい"));
    QStringList names;
    for (int k = 0; k < child<QComboBox>(f, "Combo1")->count(); ++k) names << child<QComboBox>(f, "Combo1")->itemText(k);
    EXPECT_EQ(names, QStringList({"社員", "", "色", "", "", "", "", ""}));

    // A free slot shows nothing and leaves the list open.
    person::choose(child<QComboBox>(f, "Combo1"), 1);
    EXPECT_EQ(f.chosenSlot(), -1);
    EXPECT_TRUE(child<QComboBox>(f, "Combo1")->isEnabled());
    EXPECT_EQ(child<DataGrid>(f, "DBGrid1")->rowCount(), 0);

    // The table in its stored order, with both columns; the list locks.
    person::choose(child<QComboBox>(f, "Combo1"), 0);
    EXPECT_EQ(f.chosenSlot(), 0);
    EXPECT_FALSE(child<QComboBox>(f, "Combo1")->isEnabled());
    EXPECT_EQ(headers(f), QStringList({"コード", "社員"}));
    EXPECT_EQ(shown(f), Rows({{"005", "佐藤"}, {"001", "山田"}}));
    EXPECT_EQ(child<DataGrid>(f, "DBGrid1")->editTriggers(), QAbstractItemView::NoEditTriggers);

    // Another choice is ignored: one table per opening.
    QTest::keyClick(child<QComboBox>(f, "Combo1"), Qt::Key_End);  // the locked list takes no choice
    EXPECT_EQ(f.chosenSlot(), 0);
    EXPECT_EQ(shown(f), Rows({{"005", "佐藤"}, {"001", "山田"}}));
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("CODE1")), 2);

    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
    EXPECT_TRUE(t.ui.messages().empty());

    // A table gone behind the register's back: the engine's error, an empty grid.
    t.db().execute(QStringLiteral("DROP TABLE CODE3"));
    Form11a g(t.app);
    person::choose(child<QComboBox>(g, "Combo1"), 2);
    check::engineError(t.ui);
    EXPECT_EQ(child<DataGrid>(g, "DBGrid1")->rowCount(), 0);
    EXPECT_EQ(headers(g), QStringList({"コード", "色"}));
}
