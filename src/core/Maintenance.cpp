#include "core/Maintenance.h"

#include "core/CacheRollback.h"
#include "core/ConfigCache.h"
#include "core/FileCopy.h"
#include "core/SchemaStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/FileCheck.h"
#include "platform/db/ManagementSchema.h"
#include "platform/text/TextUtil.h"

#include <QFile>

void Maintenance::initialise()
{
    const QString space = QStringLiteral(" ");
    CacheRollback undo(cache_);
    cache_.setSystemTitle(management::kInitialTitle);
    cache_.setTitleColourText(management::kInitialTitleColour);
    cache_.setBackColourText(management::kInitialBackColour);
    cache_.setReadProgressOn(false);
    cache_.setPrintProgressOn(false);
    for (int i = 0; i < 6; ++i) {
        cache_.rows[i].named = 0;
        cache_.rows[i].name = space;
    }

    Database db = Database::open(cache_.databasePath);
    Database::Transaction tx(db);
    for (int i = 0; i < 6; ++i) {
        CategoryDefinition& row = cache_.rows[i];
        if (row.mainCreated == 1) {
            db.execute(QStringLiteral("DROP TABLE ") + text::Trim(row.mainTableName));
            SchemaStore::forget(cache_, i, SchemaStore::File::Main);
        }
        if (row.subCreated == 1) {
            db.execute(QStringLiteral("DROP TABLE ") + text::Trim(row.subTableName));
            SchemaStore::forget(cache_, i, SchemaStore::File::Sub);
        }
    }
    CategoryDefinition& sys = cache_.rows[ConfigCache::kSystemRow];
    for (int k = 0; k < 8; ++k) {
        if (!text::isBlank(sys.subFields[k].name)) db.execute(QStringLiteral("DROP TABLE ") + cache_.codeTableName[k]);
        sys.subFields[k] = {space, space};
    }
    sys.subFieldCount = 0;

    for (int r = 0; r < 7; ++r) cache_.rowChanged[r] = 1;
    cache_.SaveChangedRows(&db);
    tx.commit();
    undo.keep();
    Database::closeShared();
}

QString Maintenance::restoreProblem(const QString& path)
{
    try {
        Database db = Database::open(path);
        if (const auto problem = management::fileProblem(db)) return *problem;
        // The seven rows must read as the start-up reads them.
        Recordset table = db.openTable(management::kTable);
        ConfigCache scratch;
        scratch.LoadConfigCache(table);
        const QStringList damage = db.damage();
        if (!damage.isEmpty()) return QStringLiteral("ファイルが壊れています。(%1)").arg(damage.join(QStringLiteral(", ")));
        return QString();
    } catch (const DbError& e) {
        return e.message();
    }
}

QString Maintenance::backup(const QString& databasePath, const QString& folder)
{
    return filecopy::copyReplacing(databasePath, filecopy::join(folder, QStringLiteral("Tanzo.mdb")));
}

QString Maintenance::restore(const QString& source, const QString& databasePath)
{
    const QString failure = filecopy::copyReplacing(source, databasePath);
    if (!failure.isEmpty()) return failure;
    // A journal left beside the old file by an interrupted write belongs to that file.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) QFile::remove(databasePath + QLatin1String(suffix));
    Database::closeShared();
    return QString();
}
