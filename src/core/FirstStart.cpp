#include "core/FirstStart.h"

#include "core/FileCheck.h"
#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <optional>

Database FirstStart::open(const QString& location)
{
    if (!Database::exists(location) ||
        (Database::isServerLocation(location) && !Database::open(location).tableExists(management::kTable)))
        createDatabase(location);
    Database db = Database::open(location);
    if (const auto problem = management::fileProblem(db)) throw DbError(*problem);
    return db;
}

void FirstStart::createDatabase(const QString& location)
{
    std::optional<Database> db(Database::create(location));
    if (db->onServer() && db->tableExists(management::kTable))
        throw DbError(QStringLiteral("データベース「%1」には既に管理テーブルがあります。").arg(Database::displayName(location)));
    try {
        Database::Transaction t(*db);
        db->execute(management::createStatement());
        Recordset rs = db->openTable(management::kTable);
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
        t.commit();
    } catch (...) {
        // The file is closed before it goes.
        db.reset();
        Database::removeFile(location);
        throw;
    }
}
