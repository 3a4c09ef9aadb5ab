#include "core/ProgramPlaces.h"

#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kConnectionFile = QStringLiteral("Tanzo.conn");

// An XDG base folder: the variable's value when it is an absolute path, else HOME + fallback.
QString baseDir(const QProcessEnvironment& env, const char* variable, const char* fallback)
{
    const QString value = env.value(QString::fromLatin1(variable));
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
    QString home = env.value(QStringLiteral("HOME"));
    if (home.isEmpty()) home = QDir::homePath();
    return QDir::cleanPath(home + QLatin1Char('/') + QString::fromLatin1(fallback));
}

}  // namespace

ProgramPlaces ProgramPlaces::beside(const QString& programDir) { return {programDir, programDir, QString()}; }

bool ProgramPlaces::keepsDataBeside(const QString& programDir)
{
    const QString dir = QFileInfo(programDir).absoluteFilePath();
    // Files under /usr belong to the system's packages; nothing is written beside them.
    if (dir == QLatin1String("/usr") || dir.startsWith(QLatin1String("/usr/"))) return false;
    return QFileInfo(dir).isWritable();
}

ProgramPlaces ProgramPlaces::find(const QString& programDir, const QProcessEnvironment& env, const QString& systemConfigDir)
{
    ProgramPlaces p;
    p.programDir = programDir;
    p.dataDir = keepsDataBeside(programDir) ? programDir : baseDir(env, "XDG_DATA_HOME", ".local/share") + QStringLiteral("/tanzo");
    for (const QString& folder : {programDir, baseDir(env, "XDG_CONFIG_HOME", ".config") + QStringLiteral("/tanzo"), systemConfigDir}) {
        const QString file = QDir(folder).filePath(kConnectionFile);
        if (QFileInfo::exists(file)) {
            p.connectionFile = file;
            break;
        }
    }
    return p;
}

QString ProgramPlaces::databaseFile() const { return QDir(dataDir).filePath(QStringLiteral("Tanzo.mdb")); }

QString ProgramPlaces::describe(const QString& databaseLocation) const
{
    return QStringLiteral("データベース：%1\n接続ファイル：%2")
        .arg(Database::displayName(databaseLocation), connectionFile.isEmpty() ? QStringLiteral("なし") : connectionFile);
}

bool ProgramPlaces::makeDataDir(QString* problem) const
{
    problem->clear();
    if (QFileInfo(dataDir).isDir()) return true;
    // A folder of the user's own, as the XDG rules make one: the owner's alone.
    if (QDir().mkpath(dataDir) && QFile::setPermissions(dataDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return true;
    *problem = QStringLiteral("データ フォルダー「%1」を作成できません。").arg(dataDir);
    return false;
}
