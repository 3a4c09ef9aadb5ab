#include "Builders.h"
#include "TestApp.h"
#include "core/ConfigCache.h"
#include "platform/db/Database.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

// Two desks add to one category of a server's database at the same moment, while a third
// defines a new category: every number is given once, and the desks know the new category
// before their next add.
TEST(TwoDesksServerOnly, NumbersAreGivenOnceAndANewCategoryIsKnownBeforeTheNextAdd)
{
    TestApp t;
    ASSERT_TRUE(t.app.databasePath().startsWith(QStringLiteral("pgsql:")));
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});

    const QString go = t.dir.path() + QStringLiteral("/go");
    QProcess desks[2];
    for (QProcess& d : desks) {
        d.start(QStringLiteral(TANZO_DESK_ADDER), {t.app.databasePath(), QStringLiteral("500"), go});
        ASSERT_TRUE(d.waitForStarted());
    }
    // While both add, this desk names category 2 and makes its main file.
    build::nameCategory(t.app, 1, QStringLiteral("ＤＶＤ"));
    build::defineMain(t.app, 1, {{QStringLiteral("題名"), QStringLiteral("TEXT")}});
    QFile(go).open(QIODevice::WriteOnly);

    QList<qint64> numbers;
    for (QProcess& d : desks) {
        ASSERT_TRUE(d.waitForFinished(120000));
        const QStringList lines = QString::fromUtf8(d.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(d.exitCode(), 0) << lines.join(QLatin1Char('\n')).toStdString();
        ASSERT_EQ(lines.size(), 501);
        EXPECT_EQ(lines.last(), QStringLiteral("category2 ＤＶＤ|1"));
        for (int i = 0; i < 500; ++i) numbers << lines[i].toLongLong();
    }
    const QSet<qint64> distinct(numbers.begin(), numbers.end());
    EXPECT_EQ(distinct.size(), 1000);
    EXPECT_EQ(*std::min_element(numbers.begin(), numbers.end()), 1);
    EXPECT_EQ(*std::max_element(numbers.begin(), numbers.end()), 1000);
    EXPECT_EQ(build::rowCount(t.app, QStringLiteral("SHUMOKU1")), 1000);
    EXPECT_EQ(t.stored().row(0).lastRegistrationNo, 1000);
    // Each stored row carries the number its desk was given.
    QSet<qint64> stored;
    Database db = t.db();
    for (Recordset rs = db.openTable(QStringLiteral("SHUMOKU1")); !rs.eof(); rs.moveNext())
        stored << rs.field(QStringLiteral("登録ＮＯ")).toInt();
    EXPECT_EQ(stored, distinct);
}
