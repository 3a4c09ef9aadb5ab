#include "Builders.h"
#include "TestApp.h"
#include "core/Maintenance.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The refusals of a restore over the database file in the order they are told; the hostile
// files are the restore window's tests.
TEST(RestoreFileOnly, TheNameComesBeforeTheQuestionTheDatabaseItselfAfterIt)
{
    using Outcome = Maintenance::Restore::Outcome;
    TestApp t;
    QTemporaryDir backup;
    ASSERT_TRUE(QFile::copy(t.app.databasePath(), backup.filePath(QStringLiteral("Tanzo.mdb"))));
    build::nameCategory(t.app, 0, QStringLiteral("現在"));
    QStringList asked;
    auto restore = [&](const QString& folder, const QString& name, bool yes) {
        return Maintenance::restore(folder, name, t.app.databasePath(), [&asked, yes](const QString& source) {
            asked << source;
            return yes;
        });
    };

    Maintenance::Restore r = restore(backup.path(), QStringLiteral(" tanzo.mdb "), true);
    EXPECT_EQ(r.outcome, Outcome::WrongName);
    EXPECT_EQ(r.detail, QStringLiteral("tanzo.mdb"));
    EXPECT_TRUE(asked.isEmpty());
    // Blanks around the name do not count; the person is asked with the full name.
    EXPECT_EQ(restore(backup.path(), QStringLiteral("Tanzo.mdb "), false).outcome, Outcome::NotConfirmed);
    EXPECT_EQ(asked, QStringList({backup.filePath(QStringLiteral("Tanzo.mdb"))}));
    EXPECT_EQ(restore(t.dir.path(), QStringLiteral("Tanzo.mdb"), true).outcome, Outcome::InUse);
    t.reload();
    EXPECT_EQ(t.app.cache.row(0).name, QStringLiteral("現在"));

    EXPECT_EQ(restore(backup.path(), QStringLiteral("Tanzo.mdb"), true).outcome, Outcome::Restored);
    t.reload();
    EXPECT_NE(t.app.cache.row(0).name, QStringLiteral("現在"));
}
