#include "platform/db/EngineFailure.h"

namespace db {

QString failureText(EngineFailure kind)
{
    switch (kind) {
    case EngineFailure::DuplicateKey: return QStringLiteral("主キーの値が重複しているため、レコードを書き込めませんでした。");
    case EngineFailure::Constraint: return QStringLiteral("値が制約に違反しているため、レコードを書き込めませんでした。");
    case EngineFailure::NotADatabase: return QStringLiteral("データベース ファイルの形式が正しくないか、ファイルが壊れています。");
    case EngineFailure::CannotOpen: return QStringLiteral("データベース ファイルを開けません。");
    case EngineFailure::Busy:
        return QStringLiteral("データベースは他の処理で使用中です。しばらく待ってから、もう一度実行して下さい。");
    case EngineFailure::ReadOnly: return QStringLiteral("データベースは読み取り専用のため、書き込めません。");
    case EngineFailure::DiskFull: return QStringLiteral("ディスクの空き容量が不足しているため、書き込めませんでした。");
    case EngineFailure::ReadWrite: return QStringLiteral("データベース ファイルの読み書きに失敗しました。");
    case EngineFailure::ConnectionLost: return QStringLiteral("データベース サーバーとの接続が切れました。");
    case EngineFailure::NoSuchTable: return QStringLiteral("テーブルが見つかりません。");
    case EngineFailure::AlreadyExists: return QStringLiteral("テーブルまたは列は既に存在します。");
    case EngineFailure::DuplicateColumn: return QStringLiteral("同じ名前のフィールドが複数あります。");
    case EngineFailure::Syntax: return QStringLiteral("SQL ステートメントの構文エラーです。");
    case EngineFailure::Overflow: return QStringLiteral("オーバーフローしました。");
    case EngineFailure::Other: break;
    }
    return QStringLiteral("データベース エラーが発生しました。");
}

QString failureMessage(EngineFailure kind, const QString& context, const QString& engineWords)
{
    QString full = failureText(kind);
    if (!context.isEmpty()) full += QStringLiteral("\r\n") + context;
    return full + QStringLiteral("\r\n(") + engineWords + QLatin1Char(')');
}

}  // namespace db
