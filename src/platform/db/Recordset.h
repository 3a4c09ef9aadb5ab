#pragma once
#include "platform/db/Value.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace db {
class Backend;
class Statement;
}  // namespace db

// The declared type of a column, which decides how an assigned text is converted.
struct ColumnInfo {
    enum class Type { Text, Short, Long, Currency, Date, Other };
    QString name;
    QString declared;  // as declared in CREATE TABLE, e.g. "TEXT(4)"
    Type type = Type::Text;
    int maxLength = 255;  // characters, for Text
};

ColumnInfo::Type columnTypeOf(const QString& declared, int* maxLength);

// An updatable record set over one table, in the table's natural order (the order rows were
// added), which is the same at every opening. Rows are read by stepping a prepared statement
// (a page at a time on a server); every write is one statement and repositions the reading
// after the current row.
class Recordset {
public:
    // A condition on one column: the rows whose column equals the value (a Null equals none).
    struct Equals {
        QString column;
        Value value;
    };

    // What a reading leaves out, so that a server carries fewer values: only these columns
    // (the others read as Null), only the rows with these row ids, only the rows whose text
    // column holds one of these texts. A record set narrowed so is for reading only.
    struct Narrowing {
        std::vector<int> columns;
        std::optional<std::vector<qint64>> rowids;
        int holdingColumn;  // read only when there are texts
        std::vector<QString> holdsOneOf;
    };

    Recordset(db::Backend& backend, const QString& table, std::vector<ColumnInfo> columns, std::vector<Equals> where = {},
              const Narrowing& narrowing = {});
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    bool eof() const { return eof_; }
    void moveFirst();
    void moveNext();
    void moveLast();
    // Number of rows in the table.
    int recordCount();

    int fieldCount() const { return static_cast<int>(columns_.size()); }
    // The engine's id of the current row.
    qint64 rowId() const { return rowid_; }
    const std::vector<ColumnInfo>& columns() const { return columns_; }
    int ordinalOf(const QString& name) const;  // -1 when there is no such column

    // The current row's value (or the pending value during addNew/edit).
    Value field(int ordinal) const;
    Value field(const QString& name) const;

    // The current row's cell as the engine holds it, for a reading that wants its text
    // without making a Value: a Null, a whole number of a SHORT or LONG column, or the
    // stored text (UTF-8, valid until the next move), or a date stored as a valid
    // yyyy-MM-dd (its ten bytes in text), or an amount of an amount column (its units of
    // 1/10 000 in integer). Any other cell (another date, or a row being edited) is Other,
    // and field() gives it.
    struct RawCell {
        enum class Kind { Null, Integer, Text, IsoDate, Units, Other };
        Kind kind = Kind::Other;
        qint64 integer = 0;
        const char* text = nullptr;
        int bytes = 0;
    };
    RawCell raw(int ordinal) const;

    void addNew();
    void edit();
    // Assigns a text, converted by the column's declared type; a text that does not convert
    // raises DbError and the pending row keeps its earlier value.
    void setField(int ordinal, const QString& text);
    void setField(const QString& name, const QString& text);
    void setValue(int ordinal, const Value& v);
    void setValue(const QString& name, const Value& v);
    // Stores the pending row (INSERT after addNew, UPDATE after edit).
    void update();
    void cancelUpdate();
    void deleteCurrent();
    void moveToLastModified();

    // Converts a text for a column as the engine does on assignment (exposed for checks).
    static Value convert(const ColumnInfo& column, const QString& text);

private:
    enum class EditMode { None, Add, Edit };
    void readCurrent();
    void stepReader();
    void resetReader(bool keepCurrent = true);
    // Reads the page from rowid on (or after it); walking: the page is one of a walk from the
    // first row, not a reading again after a write.
    void seekRowid(qint64 rowid, bool after, bool walking = false);
    // The statement reading a page of at most limit rows from rowid on (or after it).
    std::unique_ptr<db::Statement> pageReader(qint64 rowid, bool after, int limit) const;
    // The limit of the page after this one.
    int grownLimit() const;
    void requireCurrent() const;
    void requireWritable() const;
    int checkedOrdinal(const QString& name) const;
    // " AND <column> = ?n ..." for the conditions, numbered from firstParameter, and their binding.
    QString whereClause(int firstParameter) const;
    void bindWhere(db::Statement& stmt, int firstParameter) const;

    db::Backend* backend_ = nullptr;
    QString table_;
    QString rowColumn_;
    QString columnList_;  // the columns' quoted names, in order
    std::vector<ColumnInfo> columns_;
    std::vector<Equals> where_;
    QString rowids_;       // the row ids a narrowed reading is kept to, as a JSON array
    int rowidCount_ = 0;
    QString holdingColumn_;             // a text column, when the rows must hold one of
    std::vector<QString> holdsOneOf_;   // these texts
    bool readOnly_ = false;
    bool matchesNone_ = false;  // a condition no stored value can meet
    std::unique_ptr<db::Statement> reader_;  // positioned statement, may be null after a write
    std::unique_ptr<db::Statement> nextPage_;  // the page after the reader's, asked for ahead
    bool walking_ = false;
    int pageRows_ = 0;                        // rows the reader has given of its page
    static constexpr int kFirstPage = 20;
    int pageLimit_ = kFirstPage;              // rows the next page may hold, at most
    bool eof_ = true;
    qint64 rowid_ = 0;                // rowid of the current row
    // The current row's values, read from the statement when first asked for: a walk that
    // looks at one column of each row converts only that column.
    mutable std::vector<Value> current_;
    mutable std::vector<char> loaded_;
    mutable bool anyLoaded_ = false;  // some flag of loaded_ is set
    void loadAll() const;
    EditMode mode_ = EditMode::None;
    std::vector<Value> pending_;
    std::optional<qint64> lastModified_;
    std::optional<int> count_;
};

// Many new rows into one table through one prepared statement: each row is its values in
// column order, already converted for the columns (Recordset::convert). Made by
// Database::inserter; lives no longer than its Database.
class RowInserter {
public:
    RowInserter(db::Backend& backend, const QString& table, std::vector<ColumnInfo> columns);
    RowInserter(RowInserter&&) noexcept;
    RowInserter& operator=(RowInserter&&) = delete;
    RowInserter(const RowInserter&) = delete;
    ~RowInserter();

    const std::vector<ColumnInfo>& columns() const { return columns_; }
    int ordinalOf(const QString& name) const;  // -1 when there is no such column
    // Stores one row; raises DbError when the engine refuses it.
    void insert(const std::vector<Value>& values);
    // Stores one row of texts in column order, converted by the column types as setField
    // does, with the given columns set to values as setValue does.
    void insertTexts(const QStringList& texts, const std::vector<Recordset::Equals>& set);

private:
    std::unique_ptr<db::Statement> stmt_;
    std::vector<ColumnInfo> columns_;
};
