#include "core/RecentFolders.h"

#include <QDir>
#include <QFileInfo>

QString RecentFolders::folder(Kind kind, const QString& fallback) const
{
    const QString& last = folders_[static_cast<size_t>(kind)];
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : fallback;
}

QString RecentFolders::proposed(Kind kind, const QString& fallbackFolder, const QString& fileName) const
{
    return QDir(folder(kind, fallbackFolder)).filePath(fileName);
}

void RecentFolders::chose(Kind kind, const QString& path)
{
    if (path.trimmed().isEmpty()) return;
    folders_[static_cast<size_t>(kind)] = QFileInfo(path).absolutePath();
}
