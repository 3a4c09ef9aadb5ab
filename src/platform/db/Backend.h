#pragma once
#include "platform/db/Recordset.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// What the engine needs of the store underneath: the database file (SQLite) or a database
// server (PostgreSQL). Statements are the program's own, with parameters written ?1, ?2, …;
// a back end translates what its store spells otherwise. Only the engine's own files see
// this.
namespace db {

// One prepared statement: bound, then stepped row by row.
class Statement {
public:
    enum class Cell { Null, Integer, Float, Text };
    virtual ~Statement() = default;
    // Binds a value already brought to its column's type (parameters count from 1).
    virtual void bind(int index, const Value& value) = 0;
    // Moves to the next row of the result; false when there is none. An engine error raises
    // DbError.
    virtual bool step() = 0;
    // Runs a statement whose result is not read (an INSERT). Inside a transaction a server
    // may send it with the transaction's next statement or with its commit, and its refusal
    // is raised there; nothing is stored then.
    virtual void stepLater() { step(); }
    // The current row's cells (columns count from 0).
    virtual Cell cell(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
    // An amount cell in units of 1/10 000.
    virtual qint64 units(int column) const = 0;
    // UTF-8, valid until the next step.
    virtual const char* text(int column, int* bytes) const = 0;
    // The cell's UTF-8 as text() gives it, or null for a Null cell: cell() and text() in one
    // asking, for a reading that takes a column as text.
    virtual const char* textOrNull(int column, int* bytes) const
    {
        if (cell(column) == Cell::Null) return nullptr;
        return text(column, bytes);
    }
    // Once the first step has read the whole answer (a server's page): its number of rows
    // and a whole number of its last row. -1 where the rows come one step at a time.
    virtual int answerRows() const { return -1; }
    virtual qint64 lastInteger(int) const { return 0; }
    // Asks the engine for the answer now, so that it is made while the program does other
    // work; the first step takes it. An engine that answers at each step does nothing.
    virtual void sendAhead() {}
};

class Backend {
public:
    struct SchemaObject {
        QString type;
        QString name;
        QString table;
        QString sql;
    };

    virtual ~Backend() = default;
    // Where the database is, as the program was told it.
    virtual QString location() const = 0;
    virtual std::unique_ptr<Statement> prepare(const QString& sql) = 0;
    // Runs one statement of the program's own (CREATE TABLE, DROP TABLE, DELETE …); any text
    // after the first statement is refused and nothing runs.
    virtual void execute(const QString& sql) = 0;
    // The hidden column that numbers the rows in the order they were added.
    virtual QString rowColumn() const = 0;
    // Rows of a walk read per statement (0: all at once).
    virtual int pageSize() const = 0;
    // A condition that the column holds one of the ids of a JSON array bound as text to
    // parameter ?n ("[1,2,3]").
    virtual QString inIdList(const QString& column, int parameter) const = 0;
    // A condition that the text column holds the text bound to parameter ?n.
    virtual QString holdsText(const QString& column, int parameter) const = 0;
    virtual bool tableExists(const QString& table) = 0;
    // The columns as the program declared them (TEXT(n), SHORT, LONG, CURRENCY, DATE, TEXT).
    virtual std::vector<ColumnInfo> columns(const QString& table) = 0;
    virtual std::vector<SchemaObject> schemaObjects() = 0;
    virtual QStringList damage() = 0;
    // Whether the connection still answers (a file replaced under its name does not).
    virtual bool alive() = 0;
    // Whether what the location names now is still the store this connection opened: a file
    // replaced under the same name is not.
    virtual bool stillThere() const { return true; }
    // Whether the word is reserved, so it cannot stand unquoted as a name in the program's
    // statements.
    virtual bool isKeyword(const QString& word) const = 0;
    // Forgets what it keeps of the tables' columns: another desk may have changed them.
    virtual void forgetSchema() {}
    // Holds, until the open transaction ends, the lock every desk takes before it makes the
    // program's tables in an empty database (a file is made by one program alone).
    virtual void holdSetUpLock() {}
    // The reads of the transaction just begun see one moment of the store (a file's read
    // transaction already does).
    virtual void readOneMoment() {}

    // Transactions: the first one open is the outermost, each one opened inside it is a save
    // point of it. Begin gives the depth the commit or the rollback names.
    int beginTransaction()
    {
        begin(depth_ + 1);
        return ++depth_;
    }
    void commitTransaction(int depth)
    {
        commit(depth);
        --depth_;
    }
    void rollbackTransaction(int depth) noexcept
    {
        rollback(depth);
        --depth_;
    }

protected:
    // Depth 1 is the outermost transaction; deeper ones are save points of it.
    virtual void begin(int depth) = 0;
    virtual void commit(int depth) = 0;
    virtual void rollback(int depth) noexcept = 0;

private:
    // Transactions open on this connection now.
    int depth_ = 0;
};

}  // namespace db
