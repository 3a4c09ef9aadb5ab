#pragma once
// The data binding of a code-table grid: the database and the table it reads, and the rows
// it read last, as texts in the table's stored order. Refresh reads them again through the
// engine; nothing is held open between readings.

#include <QString>
#include <QStringList>
#include <QVector>

class Database;

class CodeTableReader {
public:
    QString databaseName;  // path of Tanzo.mdb
    QString recordSource;  // "CODE1" .. "CODE8"

    // Reads every row of recordSource; raises DbError when the database or the table cannot
    // be read, and then holds no rows.
    void Refresh();
    // Forgets the table and its rows.
    void clear();

    bool bound() const { return !recordSource.isEmpty(); }
    const QStringList& columns() const { return columns_; }
    const QVector<QStringList>& rows() const { return rows_; }
    // Index of the first row whose code (column 0) equals the text exactly, or -1.
    int rowOfCode(const QString& code) const;

    // Column names and rows of a table of an open database, each cell as text ("" for Null).
    static void read(Database& db, const QString& table, QStringList& columns, QVector<QStringList>& rows);

private:
    QStringList columns_;
    QVector<QStringList> rows_;
};
