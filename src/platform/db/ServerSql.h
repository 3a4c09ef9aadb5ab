#pragma once
#include <QString>

// The program's statements in the database server's own words. The program writes its
// statements once, in the file database's terms; these turn them into PostgreSQL's.
namespace db::serversql {

// The hidden column that numbers a table's rows in the order they were added.
inline const QString kRowColumn = QStringLiteral("_tanzo_row");

// ?1, ?2 … become $1, $2 … (outside quoted texts and names).
QString parameters(const QString& sql);

// One statement of the program's own: CREATE TABLE with the file database's types (TEXT(n),
// TEXT, SHORT, LONG, CURRENCY, DATE) and named constraints, DROP TABLE, DELETE FROM; names
// are quoted as written (Japanese names kept) and a created table gets the hidden row column.
// Text after the first statement, or a type the server has no word for, raises DbError.
QString statement(const QString& sql);

// The file database's type word for a column type as the server describes it
// (format_type): "character varying(4)" → "TEXT(4)", "integer" → "LONG" …; other types are
// returned as they stand.
QString declaredType(const QString& serverType);

}  // namespace db::serversql
