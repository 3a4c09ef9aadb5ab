#include "BackendTest.h"
#include "Builders.h"
#include "ForcedFailure.h"
#include "TestApp.h"
#include "core/ConfigCache.h"
#include "core/Maintenance.h"
#include "core/ManagementSchema.h"
#include "core/SchemaStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <gtest/gtest.h>

namespace {

using File = SchemaStore::File;


void refuseManagementWrites(TestApp& t)
{
    refuseWrites(t.db(), management::kTable);
}

}  // namespace

class SchemaStoreTest : public BackendTest {};

TEST_P(SchemaStoreTest, FilesAreCreatedEmptiedAndDroppedWithTheirManagementRow)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    SchemaStore store(t.app.cache);
    const std::vector<FieldDefinition> fields{{QStringLiteral("品名"), QStringLiteral("TEXT")}};
    store.createFile(0, File::Main, QStringLiteral("SHUMOKU1"), fields);
    store.createFile(0, File::Sub, QStringLiteral("SHUMOKU1SUB"), fields);
    build::addMainRow(t.app, 0, {QStringLiteral("盤")}, 5);
    build::addSubRow(t.app, 0, {QStringLiteral("曲")}, 5, 1);
    EXPECT_EQ(t.stored().row(0).mainFields[0].name, QStringLiteral("品名"));
    EXPECT_EQ(t.stored().row(0).subCreated, 1);

    // Emptying the sub file keeps the numbers; emptying the main file restarts them.
    store.emptyFile(0, File::Sub);
    EXPECT_EQ(store.rowCount(0, File::Sub), 0);
    EXPECT_EQ(t.stored().row(0).lastRegistrationNo, 5);
    store.emptyFile(0, File::Main);
    EXPECT_EQ(store.rowCount(0, File::Main), 0);
    EXPECT_EQ(t.stored().row(0).lastRegistrationNo, 0);

    // Dropping the main file takes the sub file with it.
    store.dropFile(0, File::Main);
    const ConfigCache after = t.stored();
    EXPECT_EQ(after.row(0).mainCreated, 0);
    EXPECT_EQ(after.row(0).subCreated, 0);
    EXPECT_EQ(after.row(0).mainFieldCount, 0);
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU1")));
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU1SUB")));
}

TEST_P(SchemaStoreTest, AFailedWriteOfTheManagementRowLeavesFilesAndRowAsTheyWere)
{
    TestApp t;
    build::nameCategory(t.app, 0, QStringLiteral("ＣＤ"));
    build::defineMain(t.app, 0, {{QStringLiteral("品名"), QStringLiteral("TEXT")}});
    build::defineSub(t.app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}});
    build::addMainRow(t.app, 0, {QStringLiteral("盤")}, 5);
    refuseManagementWrites(t);
    SchemaStore store(t.app.cache);

    EXPECT_THROW(store.emptyFile(0, File::Main), DbError);
    EXPECT_EQ(store.rowCount(0, File::Main), 1);
    EXPECT_EQ(t.app.cache.row(0).lastRegistrationNo, 5);

    EXPECT_THROW(store.dropFile(0, File::Main), DbError);
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("SHUMOKU1")));
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("SHUMOKU1SUB")));
    EXPECT_EQ(t.app.cache.row(0).mainCreated, 1);
    EXPECT_EQ(t.app.cache.row(0).subTableName, QStringLiteral("SHUMOKU1SUB"));

    EXPECT_THROW(store.createFile(1, File::Main, QStringLiteral("SHUMOKU2"), {{QStringLiteral("題"), QStringLiteral("TEXT")}}),
                 DbError);
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU2")));
    EXPECT_EQ(t.app.cache.row(1).mainCreated, 0);
}

class MaintenanceTest : public BackendTest {};

TEST_P(MaintenanceTest, InitialisationDropsEveryFileAndResetsTheRowsOrNothing)
{
    TestApp t;
    build::nameCategory(t.app, 2, QStringLiteral("ＤＶＤ"));
    build::createCodeTable(t.app, 1, QStringLiteral("分類"), 2);
    build::defineMain(t.app, 2, {{QStringLiteral("分類"), QStringLiteral("CODE1")}});
    build::addMainRow(t.app, 2, {QStringLiteral("PO")}, 8);
    SystemSettings settings = t.app.cache.systemSettings();
    settings.title = QStringLiteral("私の在庫");
    settings.readProgress = true;
    t.app.cache.setSystemSettings(settings);
    Maintenance maintenance(t.app.cache);

    refuseManagementWrites(t);
    EXPECT_THROW(maintenance.initialise(), DbError);
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("SHUMOKU3")));
    EXPECT_TRUE(t.db().tableExists(QStringLiteral("CODE1")));
    EXPECT_EQ(t.app.cache.systemTitle(), QStringLiteral("私の在庫"));
    EXPECT_EQ(t.app.cache.row(2).name, QStringLiteral("ＤＶＤ"));
    allowWrites(t.db(), management::kTable);

    maintenance.initialise();
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("SHUMOKU3")));
    EXPECT_FALSE(t.db().tableExists(QStringLiteral("CODE1")));
    const ConfigCache after = t.stored();
    EXPECT_EQ(after.systemTitle(), management::kInitialTitle);
    EXPECT_EQ(after.titleColourText(), management::kInitialTitleColour);
    EXPECT_FALSE(after.readProgressOn());
    EXPECT_EQ(after.row(2).named, 0);
    EXPECT_EQ(after.row(2).mainCreated, 0);
    EXPECT_EQ(after.row(2).lastRegistrationNo, 0);
    EXPECT_EQ(after.row(ConfigCache::kSystemRow).subFieldCount, 0);
}

TANZO_ON_BOTH_BACKENDS(MaintenanceTest);

TANZO_ON_BOTH_BACKENDS(SchemaStoreTest);
