// A second desk on a shared database: adds main records to category 1 through the record
// store, half of them, then waits for a file to appear (another desk has changed the
// settings meanwhile), then the other half. Prints each number it was given, and at the end
// what it knows of category 2 ("category2 <name>|<main file made>").
#include "core/ConfigCache.h"
#include "core/ManagementSchema.h"
#include "core/RecordStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication qapp(argc, argv);
    if (argc < 4) return 2;
    ConfigCache cache;
    cache.setDatabasePath(QString::fromLocal8Bit(argv[1]));
    const int count = std::atoi(argv[2]);
    const QString go = QString::fromLocal8Bit(argv[3]);
    try {
        {
            Database db = Database::open(cache.databasePath());
            Recordset table = db.openTable(management::kTable);
            cache.LoadConfigCache(table);
        }
        RecordStore store(cache);
        for (int i = 0; i < count; ++i) {
            if (i == count / 2)
                while (!QFileInfo::exists(go)) QThread::msleep(10);
            const qint64 n = store.addMain(0, QStringList{QStringLiteral("品%1").arg(i)});
            std::printf("%lld\n", static_cast<long long>(n));
        }
    } catch (const DbError& e) {
        std::printf("error %s\n", e.message().toUtf8().constData());
        return 1;
    }
    std::printf("category2 %s|%d\n", cache.row(1).name.toUtf8().constData(), cache.row(1).mainCreated);
    return 0;
}
