#include "ForcedFailure.h"

#include "platform/db/Database.h"

void refuseUpdates(Database& db, const QString& table)
{
    if (db.onServer()) {
        db.execute(QStringLiteral("CREATE OR REPLACE FUNCTION tanzo_refuse() RETURNS trigger LANGUAGE plpgsql AS "
                                  "'BEGIN RAISE EXCEPTION ''refused''; END'"));
        db.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON %1 FOR EACH ROW EXECUTE FUNCTION tanzo_refuse()")
                       .arg(quoteName(table)));
    } else {
        db.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON %1 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                       .arg(quoteName(table)));
    }
}

void allowUpdates(Database& db, const QString& table)
{
    db.execute(db.onServer() ? QStringLiteral("DROP TRIGGER refuse ON %1").arg(quoteName(table)) : QStringLiteral("DROP TRIGGER refuse"));
}
