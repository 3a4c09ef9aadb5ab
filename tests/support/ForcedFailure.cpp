#include "ForcedFailure.h"

#include "platform/db/Database.h"

void refuseWrites(Database db, const QString& table, const QString& event)
{
    if (db.onServer()) {
        db.execute(QStringLiteral("CREATE OR REPLACE FUNCTION tanzo_refuse() RETURNS trigger LANGUAGE plpgsql AS "
                                  "'BEGIN RAISE EXCEPTION ''refused''; END'"));
        db.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON %2 FOR EACH ROW EXECUTE FUNCTION tanzo_refuse()")
                       .arg(event, quoteName(table)));
    } else {
        db.execute(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'refused'); END")
                       .arg(event, quoteName(table)));
    }
}

void allowWrites(Database db, const QString& table)
{
    db.execute(db.onServer() ? QStringLiteral("DROP TRIGGER refuse ON %1").arg(quoteName(table)) : QStringLiteral("DROP TRIGGER refuse"));
}
