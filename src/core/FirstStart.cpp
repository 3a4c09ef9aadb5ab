#include "core/FirstStart.h"

#include "core/FileCheck.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <optional>

namespace {

// The management table with its seven rows in their first-installation state, inside the
// caller's transaction.
void makeManagementTable(Database& db)
{
    db.execute(management::createStatement());
    Recordset rs = db.openTable(management::kTable);
    for (int r = 0; r < management::kRowCount; ++r) {
        rs.addNew();
        for (int c = 0; c < management::kColumnCount; ++c) {
            if (management::columnTypes()[c] != QLatin1String("TEXT")) rs.setValue(c, Value::integer(0));
        }
        rs.setValue(0, Value::integer(r + 1));
        if (r == 6) {
            rs.setField(QStringLiteral("フィールド1データ型"), management::kInitialTitle);
            rs.setField(QStringLiteral("フィールド2データ型"), management::kInitialTitleColour);
            rs.setField(QStringLiteral("フィールド3データ型"), management::kInitialBackColour);
            rs.setField(QStringLiteral("フィールド4データ型"), QStringLiteral("0"));
            rs.setField(QStringLiteral("フィールド5データ型"), QStringLiteral("0"));
        }
        rs.update();
    }
}

}  // namespace

Database FirstStart::open(const QString& location)
{
    if (!Database::isServerLocation(location)) {
        if (!Database::exists(location)) createDatabase(location);
    } else {
        Database db = Database::open(location);
        if (!db.tableExists(management::kTable)) {
            // Desks started at the same moment on an empty database take turns: the first one
            // makes the table, the others find it made once they hold the lock.
            Database::Transaction t(db);
            db.holdSetUpLock();
            if (!db.tableExists(management::kTable)) makeManagementTable(db);
            t.commit();
        }
    }
    Database db = Database::open(location);
    if (const auto problem = management::fileProblem(db)) throw DbError(*problem);
    return db;
}

void FirstStart::createDatabase(const QString& location)
{
    std::optional<Database> db(Database::create(location));
    try {
        Database::Transaction t(*db);
        db->holdSetUpLock();
        if (db->onServer() && db->tableExists(management::kTable))
            throw DbError(QStringLiteral("データベース「%1」には既に管理テーブルがあります。").arg(Database::displayName(location)));
        makeManagementTable(*db);
        t.commit();
    } catch (...) {
        // The file is closed before it goes (a server's database stays as it was).
        db.reset();
        Database::removeFile(location);
        throw;
    }
}
