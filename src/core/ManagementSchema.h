#pragma once
#include <QString>
#include <QStringList>
#include <optional>

class Database;

// The management table 管理テーブル: forty-three columns in a fixed physical order. The
// configuration cache reads them by ordinal and writes them back by name.
namespace management {

inline const QString kTable = QStringLiteral("管理テーブル");
inline constexpr int kColumnCount = 43;
inline constexpr int kRowCount = 7;
// The last column: a category row's registration counter; the system row's configuration
// version, raised by every change of settings.
inline const QString kCounterColumn = QStringLiteral("登録NO");

// Column names in their physical order.
const QStringList& columnNames();
// Declared types in the same order: SHORT, TEXT or LONG.
const QStringList& columnTypes();
// The CREATE TABLE statement of the management table.
QString createStatement();

// What is wrong with the management table of an open database, in Japanese, or nullopt
// when the table is there with its 43 columns in order and at least its seven rows.
std::optional<QString> shapeProblem(Database& db);

// Initial settings of the system row (row 7).
inline const QString kInitialTitle = QStringLiteral("在庫管理");
inline const QString kInitialTitleColour = QStringLiteral("16744448");
inline const QString kInitialBackColour = QStringLiteral("8454143");

}  // namespace management
