#include "core/FileCopy.h"

#include <QFile>
#include <QSaveFile>

namespace filecopy {

namespace {

// The system's words for a failure, on a line of their own when it has any.
QString detail(const QString& errorString)
{
    if (errorString.isEmpty() || errorString == QLatin1String("Unknown error")) return QString();
    return QStringLiteral("\r\n(") + errorString + QLatin1Char(')');
}

}  // namespace

QString copyReplacing(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("コピー元のファイル「%1」を開けません。").arg(source) + detail(in.errorString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("コピー先「%1」に書き込めません。").arg(target) + detail(out.errorString());
    constexpr qint64 kChunk = 1 << 20;
    while (true) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty()) {
            if (in.error() != QFileDevice::NoError || !in.atEnd()) {
                out.cancelWriting();
                return QStringLiteral("コピー元のファイル「%1」を読み込めません。").arg(source) + detail(in.errorString());
            }
            break;
        }
        if (out.write(chunk) != chunk.size()) {
            const QString why = out.errorString();
            out.cancelWriting();
            return QStringLiteral("コピー先「%1」への書き込みに失敗しました。ディスクの空き容量を確認して下さい。")
                       .arg(target) +
                   detail(why);
        }
    }
    if (!out.commit())
        return QStringLiteral("コピー先「%1」への書き込みに失敗しました。ディスクの空き容量を確認して下さい。")
                   .arg(target) +
               detail(out.errorString());
    return QString();
}

QString join(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

}  // namespace filecopy
