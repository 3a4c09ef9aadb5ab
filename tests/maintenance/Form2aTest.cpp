#include "Builders.h"
#include "Find.h"
#include "ForcedFailure.h"
#include "MaintenanceFixture.h"
#include "maintenance/Form2a.h"
#include "maintenance/Formv.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Icon = Ui::Icon;

const CategoryDefinition& systemRow(const ConfigCache& c) { return c.row(ConfigCache::kSystemRow); }
QString storedCell(TestApp& t, int cell) { return systemRow(fixture::stored(t.app.databasePath())).mainFields[cell].typeWord; }

QColor textColourOf(const QLineEdit* e) { return e->palette().color(QPalette::Text); }
QColor baseColourOf(const QLineEdit* e) { return e->palette().color(QPalette::Base); }

}  // namespace

TEST(Form2a, OpensOnTheStoredSettings)
{
    TestApp t;
    {
        Form2a f(t.app);
        EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - システム環境設定"));
        EXPECT_EQ(child<QLineEdit>(f, "Text1")->text(), QStringLiteral("在庫管理"));
        EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("在庫管理"));
        EXPECT_EQ(textColourOf(child<QLineEdit>(f, "Text2")), QColor(0, 128, 255));
        EXPECT_EQ(baseColourOf(child<QLineEdit>(f, "Text3")), QColor(255, 255, 128));
        EXPECT_FALSE(child<QCheckBox>(f, "Check1")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(f, "Check2")->isChecked());
        EXPECT_EQ(child<QCheckBox>(f, "Check1")->text(), QStringLiteral("表示する"));
    }
    t.app.cache.setSystemSettings({QStringLiteral("棚卸し"), QStringLiteral("255"), QStringLiteral("65280"), false, true});
    const qint32 version = t.stored().row(ConfigCache::kSystemRow).lastRegistrationNo;
    Form2a f(t.app);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("棚卸し Tanzo - システム環境設定"));
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("棚卸し"));
    EXPECT_EQ(textColourOf(child<QLineEdit>(f, "Text2")), QColor(255, 0, 0));
    EXPECT_EQ(baseColourOf(child<QLineEdit>(f, "Text3")), QColor(0, 255, 0));
    EXPECT_FALSE(child<QCheckBox>(f, "Check1")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(f, "Check2")->isChecked());
    // Opening the window stores nothing.
    EXPECT_EQ(t.stored().row(ConfigCache::kSystemRow).lastRegistrationNo, version);
    EXPECT_EQ(storedCell(t, 0), QStringLiteral("棚卸し"));
}

TEST(Form2a, TitleIsTrimmedAndStoredAndMayBeEmpty)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    const QString categoriesBefore = fixture::dump(fixture::stored(t.app.databasePath())).section(QLatin1Char('\n'), 0, 5);
    Form2a f(t.app);
    int told = 0;
    t.app.cache.onChanged([&told] { ++told; });

    child<QLineEdit>(f, "Text1")->setText(QStringLiteral("　 ＣＤ棚卸し  "));
    child<QPushButton>(f, "Command4")->click();
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("ＣＤ棚卸し"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("ＣＤ棚卸し Tanzo - システム環境設定"));
    EXPECT_EQ(t.app.cache.systemTitle(), QStringLiteral("ＣＤ棚卸し"));
    EXPECT_EQ(storedCell(t, 0), QStringLiteral("ＣＤ棚卸し"));
    EXPECT_EQ(told, 1);

    // Enter in the box sets the title as 設定 does.
    child<QLineEdit>(f, "Text1")->setText(QStringLiteral("   "));
    QTest::keyClick(child<QLineEdit>(f, "Text1"), Qt::Key_Return);
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QString());
    EXPECT_EQ(f.windowTitle(), QStringLiteral(" Tanzo - システム環境設定"));
    EXPECT_EQ(storedCell(t, 0), QString());
    EXPECT_EQ(told, 2);
    // Only the system row is written.
    EXPECT_EQ(fixture::dump(fixture::stored(t.app.databasePath())).section(QLatin1Char('\n'), 0, 5), categoriesBefore);
    EXPECT_TRUE(t.ui.messages().empty());
}

TEST(Form2a, ColoursAreStoredAsDecimalAndCancelChangesNothing)
{
    TestApp t;
    Form2a f(t.app);
    int told = 0;
    t.app.cache.onChanged([&told] { ++told; });

    t.ui.answerColor(QColor(1, 2, 3));
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(storedCell(t, 1), QStringLiteral("197121"));  // 1 + 2·256 + 3·65536
    EXPECT_EQ(textColourOf(child<QLineEdit>(f, "Text2")), QColor(1, 2, 3));

    t.ui.answerColor(std::nullopt);
    child<QPushButton>(f, "Command1")->click();
    EXPECT_EQ(storedCell(t, 1), QStringLiteral("197121"));
    EXPECT_EQ(textColourOf(child<QLineEdit>(f, "Text2")), QColor(1, 2, 3));

    t.ui.answerColor(QColor(255, 255, 255));
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(storedCell(t, 2), QStringLiteral("16777215"));
    EXPECT_EQ(baseColourOf(child<QLineEdit>(f, "Text3")), QColor(255, 255, 255));

    t.ui.answerColor(std::nullopt);
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(storedCell(t, 2), QStringLiteral("16777215"));
    EXPECT_EQ(baseColourOf(child<QLineEdit>(f, "Text3")), QColor(255, 255, 255));

    EXPECT_EQ(told, 2);
    EXPECT_EQ(t.ui.pendingReplies(), 0);
    EXPECT_EQ(storedCell(t, 0), QStringLiteral("在庫管理"));
}

TEST(Form2a, EachProgressSwitchIsStoredOnItsOwn)
{
    TestApp t;
    Form2a f(t.app);
    child<QCheckBox>(f, "Check1")->click();
    EXPECT_EQ(storedCell(t, 3), QStringLiteral("1"));
    EXPECT_EQ(storedCell(t, 4), QStringLiteral("0"));
    EXPECT_TRUE(t.app.cache.readProgressOn());

    child<QCheckBox>(f, "Check2")->click();
    child<QCheckBox>(f, "Check1")->click();
    EXPECT_EQ(storedCell(t, 3), QStringLiteral("0"));
    EXPECT_EQ(storedCell(t, 4), QStringLiteral("1"));
    EXPECT_FALSE(t.app.cache.readProgressOn());
    EXPECT_TRUE(t.app.cache.printProgressOn());
}

TEST(Form2a, ASettingThatCannotBeStoredIsShownAndTakenBack)
{
    TestApp t;
    Form2a f(t.app);
    int told = 0;
    t.app.cache.onChanged([&told] { ++told; });
    refuseWrites(t.db(), management::kTable);

    child<QCheckBox>(f, "Check1")->click();
    check::engineError(t.ui);
    EXPECT_FALSE(child<QCheckBox>(f, "Check1")->isChecked());
    EXPECT_FALSE(t.app.cache.readProgressOn());

    child<QLineEdit>(f, "Text1")->setText(QStringLiteral("新しい題名"));
    child<QPushButton>(f, "Command4")->click();
    check::engineError(t.ui);
    EXPECT_EQ(t.app.cache.systemTitle(), QStringLiteral("在庫管理"));
    EXPECT_EQ(child<QLineEdit>(f, "Text2")->text(), QStringLiteral("在庫管理"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理 Tanzo - システム環境設定"));
    EXPECT_EQ(told, 0);
}

TEST(Form2a, HelpAndClose)
{
    TestApp t;
    Form2a f(t.app);
    f.show();
    child<QPushButton>(f, "Command5")->click();
    QTest::keyClick(&f, Qt::Key_F1);
    ASSERT_EQ(t.ui.calls().size(), 2u);
    EXPECT_EQ(t.ui.calls()[1].kind, QStringLiteral("help"));
    EXPECT_EQ(t.ui.calls()[1].text, QStringLiteral("Form2a"));
    child<QPushButton>(f, "Command3")->click();
    EXPECT_FALSE(f.isVisible());
}

TEST(Formv, ShowsTheVersionAndClosesOnOk)
{
    TestApp t;
    Formv f(t.app);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("在庫管理Tanzo"));
    EXPECT_EQ(child<QLabel>(f, "Label1")->text(), QStringLiteral("在庫管理Tanzo"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(child<QLabel>(f, "Label3")->text(), QStringLiteral("Version     1.00"));
    EXPECT_FALSE(child<QLabel>(f, "Label4")->text().isEmpty());
    EXPECT_EQ(child<QPushButton>(f, "Command1")->text(), QStringLiteral("Ｏ Ｋ"));
    // F1 asks for the window's help page, as in every window.
    QTest::keyClick(child<QPushButton>(f, "Command1"), Qt::Key_F1);
    ASSERT_FALSE(t.ui.calls().empty());
    EXPECT_EQ(t.ui.calls().back().kind, QStringLiteral("help"));
    EXPECT_EQ(t.ui.calls().back().text, QStringLiteral("Formv"));

    // The picture is drawn: its middle is painted, its corner left clear.
    const QImage picture = child<QLabel>(f, "Image1")->pixmap().toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(qAlpha(picture.pixel(picture.width() / 2, picture.height() * 3 / 4)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);

    f.show();
    QTest::mouseClick(child<QPushButton>(f, "Command1"), Qt::LeftButton);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(f.isVisible());
}

// Beneath the version, the window names the database and the connection file of this start,
// whole however long the path.
TEST(Formv, NamesTheDatabaseAndTheConnectionFileInUse)
{
    TestApp t;
    {
        Formv f(t.app);
        EXPECT_EQ(child<QLabel>(f, "LabelPlaces")->text(),
                  QStringLiteral("データベース：%1\n接続ファイル：なし").arg(Database::displayName(t.app.databasePath())));
    }
    const QString longPath = QStringLiteral("/home/") + QString(120, QLatin1Char('x')) + QStringLiteral("/.local/share/tanzo/Tanzo.mdb");
    t.app.places.connectionFile = QStringLiteral("/etc/tanzo/Tanzo.conn");
    t.app.useDatabase(longPath);
    Formv f(t.app);
    const QLabel* places = child<QLabel>(f, "LabelPlaces");
    EXPECT_EQ(places->text(), QStringLiteral("データベース：%1\n接続ファイル：/etc/tanzo/Tanzo.conn").arg(longPath));
    EXPECT_GE(places->width(), places->sizeHint().width());
    EXPECT_LE(places->geometry().right(), f.width());
}
