#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// Field names and code-table names become column names in a CREATE TABLE statement, so
// they are checked before anything is executed. The checks return the message to show
// (title "ERROR", error icon), or nothing when the names can be used.
namespace schema {

// The key columns of the main and sub files and the code column of a code table.
inline const QString kRegistrationNoColumn = QStringLiteral("登録ＮＯ");
inline const QString kSubNoColumn = QStringLiteral("サブＮＯ");
inline const QString kCodeColumn = QStringLiteral("コード");

// One name as it will stand in the statement (already trimmed). `what` names the entry box
// in the message ("フィールド名称", "コード・テーブル名"); `taken` are the columns the
// table has besides the user's, compared case- and width-insensitively; the engine's names
// of a row's id (rowid, oid, _rowid_) are refused the same way.
std::optional<QString> checkColumnName(const QString& name, const QString& what, const QStringList& taken);

// All names of one table in order, then no two of them equal (compared textually).
std::optional<QString> checkColumnNames(const QStringList& names, const QString& what, const QStringList& taken);

}  // namespace schema
