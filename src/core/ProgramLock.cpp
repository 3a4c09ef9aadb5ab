#include "core/ProgramLock.h"

#include "platform/ui/Ui.h"

#include <QDir>

ProgramLock::ProgramLock(const QString& programDir)
    : programDir_(programDir), lock_(QDir(programDir).filePath(QStringLiteral("Tanzo.mdb.lock")))
{
    // A live holder keeps its lock however long it runs; only a dead one loses it.
    lock_.setStaleLockTime(0);
}

QString ProgramLock::runningMessage(const QString& programDir)
{
    return QStringLiteral("在庫管理Tanzo は、このフォルダー (%1) で既に実行中です。\r\n"
                          "同じデータベースを二つのプログラムで同時に使うことはできません。"
                          "実行中のプログラムを使用して下さい。")
        .arg(QDir::toNativeSeparators(programDir));
}

bool ProgramLock::acquire(Ui& ui)
{
    if (lock_.tryLock(0)) return true;
    if (lock_.error() != QLockFile::LockFailedError) return true;
    ui.msgBox(runningMessage(programDir_), Ui::Buttons::Ok, Ui::Icon::Exclamation, QStringLiteral("注意"));
    return false;
}
