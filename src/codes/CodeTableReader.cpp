#include "codes/CodeTableReader.h"

#include "platform/db/Database.h"

void CodeTableReader::read(Database& db, const QString& table, QStringList& columns, QVector<QStringList>& rows)
{
    columns.clear();
    rows.clear();
    Recordset rs = db.openTable(table);
    for (const ColumnInfo& c : rs.columns()) columns << c.name;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList cells;
        for (int i = 0; i < rs.fieldCount(); ++i) cells << rs.field(i).toString();
        rows.push_back(cells);
    }
}

void CodeTableReader::Refresh()
{
    columns_.clear();
    rows_.clear();
    if (!bound()) return;
    Database db = Database::open(databaseName);
    QStringList columns;
    QVector<QStringList> rows;
    read(db, recordSource, columns, rows);
    columns_ = columns;
    rows_ = rows;
}

void CodeTableReader::clear()
{
    databaseName.clear();
    recordSource.clear();
    columns_.clear();
    rows_.clear();
}

int CodeTableReader::rowOfCode(const QString& code) const
{
    for (int r = 0; r < rows_.size(); ++r)
        if (!rows_[r].isEmpty() && rows_[r][0] == code) return r;
    return -1;
}
