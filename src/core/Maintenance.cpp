#include "core/Maintenance.h"

#include "core/ConfigCache.h"
#include "core/DatabaseCopy.h"
#include "core/FileCheck.h"
#include "core/FileCopy.h"
#include "core/FirstStart.h"
#include "core/ManagementSchema.h"
#include "core/SchemaStore.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

void Maintenance::initialise()
{
    const QString space = QStringLiteral(" ");
    ConfigCache::Change change(cache_);
    change.setSystemSettings({management::kInitialTitle, management::kInitialTitleColour, management::kInitialBackColour,
                              false, false});
    for (int i = 0; i < 6; ++i) {
        CategoryDefinition& row = change.edit(i);
        row.named = 0;
        row.name = space;
    }

    Database db = Database::open(cache_.databasePath());
    Database::Transaction tx(db);
    for (int i = 0; i < 6; ++i) {
        const CategoryDefinition& row = change.row(i);
        if (row.mainCreated == 1) {
            db.execute(QStringLiteral("DROP TABLE ") + text::Trim(row.mainTableName));
            SchemaStore::forget(change, i, SchemaStore::File::Main);
        }
        if (row.subCreated == 1) {
            db.execute(QStringLiteral("DROP TABLE ") + text::Trim(row.subTableName));
            SchemaStore::forget(change, i, SchemaStore::File::Sub);
        }
    }
    CategoryDefinition& sys = change.edit(ConfigCache::kSystemRow);
    for (int k = 0; k < 8; ++k) {
        if (!text::isBlank(sys.subFields[k].name)) db.execute(QStringLiteral("DROP TABLE ") + ConfigCache::codeTableName(k));
        sys.subFields[k] = {space, space};
    }
    sys.subFieldCount = 0;

    change.store(&db);
    tx.commit();
    change.keep();
    Database::closeShared();
}

QString Maintenance::restoreProblem(const QString& path)
{
    try {
        Database db = Database::openAlone(path);
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

namespace {

// A name beside the target that nothing uses yet.
QString unusedNameBeside(const QString& target)
{
    for (int n = 0;; ++n) {
        const QString name = QStringLiteral("%1.%2-%3.tmp").arg(target).arg(QCoreApplication::applicationPid()).arg(n);
        if (!QFileInfo::exists(name)) return name;
    }
}

// The system row's settings version; 0 for a database without the management table.
qint64 settingsVersion(Database& db)
{
    if (!db.tableExists(management::kTable)) return 0;
    Recordset t = db.openTable(management::kTable);
    for (int r = 0; r < ConfigCache::kSystemRow && !t.eof(); ++r) t.moveNext();
    if (t.eof()) return 0;
    const Value v = t.field(management::kCounterColumn);
    return v.isNull() ? 0 : v.toInt();
}

// The server's tables written into a new database file at target. The file is made under
// another name and takes the target's name only once it is complete and passes the check a
// restore makes, so an earlier backup stays whole when anything fails.
QString backupFromServer(const QString& location, const QString& target)
{
    const QString made = unusedNameBeside(target);
    try {
        FirstStart::createDatabase(made);
        {
            Database server = Database::open(location);
            Database file = Database::openAlone(made);
            Database::Transaction reading(server);
            server.readOneMoment();
            Database::Transaction writing(file);
            DatabaseCopy::replaceTables(server, file);
            writing.commit();
            reading.commit();
        }
        // The file is closed (its connection was its own) before it is checked and before it
        // takes its name; the server's connection stays for the next action.
        const QString problem = Maintenance::restoreProblem(made);
        if (!problem.isEmpty()) throw DbError(QStringLiteral("バックアップしたファイルを確かめられませんでした。\r\n") + problem);
        if (std::rename(QFile::encodeName(made).constData(), QFile::encodeName(target).constData()) != 0)
            throw DbError(QStringLiteral("コピー先「%1」に書き込めません。\r\n(%2)").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    } catch (const DbError& e) {
        Database::removeFile(made);
        return e.message();
    }
    return QString();
}

// The server's tables replaced by the file's in one transaction of the server.
QString restoreIntoServer(const QString& source, const QString& location)
{
    try {
        Database file = Database::openAlone(source);
        Database server = Database::open(location);
        Database::Transaction tx(server);
        const qint64 before = settingsVersion(server);
        DatabaseCopy::replaceTables(file, server);
        // Other desks read their settings again before their next action: the version they
        // hold must differ from the restored one.
        const qint64 restored = settingsVersion(server);
        server.addToCell(management::kTable, ConfigCache::kSystemRow, management::kCounterColumn,
                         std::max(before, restored) + 1 - restored);
        tx.commit();
    } catch (const DbError& e) {
        Database::closeShared();
        return e.message();
    }
    Database::closeShared();
    return QString();
}

}  // namespace

QString Maintenance::backup(const QString& databasePath, const QString& folder)
{
    const QString target = filecopy::join(folder, QStringLiteral("Tanzo.mdb"));
    if (Database::isServerLocation(databasePath)) return backupFromServer(databasePath, target);
    // The database's own folder holds no backup: the copy would be the database file itself,
    // put in the place of the file in use.
    const QString live = QFileInfo(databasePath).canonicalFilePath();
    if (!live.isEmpty() && QFileInfo(target).canonicalFilePath() == live)
        return QStringLiteral("バックアップ先「%1」は使用中のデータベースそのものです。別のフォルダーを指定して下さい。").arg(target);
    return filecopy::copyReplacing(databasePath, target);
}

Maintenance::Restore Maintenance::restore(const QString& folder, const QString& fileName, const QString& databasePath,
                                          const std::function<bool(const QString& source)>& confirm)
{
    using Outcome = Restore::Outcome;
    const QString name = text::Trim(fileName);
    if (name != QLatin1String("Tanzo.mdb")) return {Outcome::WrongName, name};
    const QString source = filecopy::join(folder, name);
    if (!confirm(source)) return {Outcome::NotConfirmed, QString()};
    // A database on a server is no file the person could pick.
    const QString sourceFile = QFileInfo(source).canonicalFilePath();
    if (!Database::isServerLocation(databasePath) && !sourceFile.isEmpty() &&
        sourceFile == QFileInfo(databasePath).canonicalFilePath())
        return {Outcome::InUse, QString()};
    if (const QString problem = restoreProblem(source); !problem.isEmpty()) return {Outcome::NotRestorable, problem};

    if (Database::isServerLocation(databasePath)) {
        if (const QString failure = restoreIntoServer(source, databasePath); !failure.isEmpty())
            return {Outcome::Failed, failure};
        return {};
    }
    // The copy goes to a temporary file beside the database and replaces it in one step.
    if (const QString failure = filecopy::copyReplacing(source, databasePath); !failure.isEmpty())
        return {Outcome::Failed, failure};
    // A journal left beside the old file by an interrupted write belongs to that file.
    Database::removeSideFiles(databasePath);
    Database::closeShared();
    return {};
}
