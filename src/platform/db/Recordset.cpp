#include "platform/db/Recordset.h"

#include "platform/db/Backend.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/EngineFailure.h"
#include "platform/text/TextUtil.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

ColumnInfo::Type columnTypeOf(const QString& declared, int* maxLength)
{
    const QString d = declared.trimmed().toUpper();
    if (maxLength) *maxLength = 255;
    static const QRegularExpression sized(QStringLiteral("^TEXT\\s*\\(\\s*(\\d+)\\s*\\)$"));
    const auto m = sized.match(d);
    if (m.hasMatch()) {
        if (maxLength) *maxLength = m.captured(1).toInt();
        return ColumnInfo::Type::Text;
    }
    if (d == QLatin1String("TEXT")) return ColumnInfo::Type::Text;
    if (d == QLatin1String("SHORT")) return ColumnInfo::Type::Short;
    if (d == QLatin1String("LONG")) return ColumnInfo::Type::Long;
    if (d == QLatin1String("CURRENCY")) return ColumnInfo::Type::Currency;
    if (d == QLatin1String("DATE")) return ColumnInfo::Type::Date;
    return ColumnInfo::Type::Other;
}

namespace {

QString typeMismatch(const ColumnInfo& c, const QString& text)
{
    return QStringLiteral("データ型変換エラーです。フィールド '%1' に値 '%2' を設定できません。").arg(c.name, text);
}

DbError noSuchColumn(const QString& name)
{
    return DbError(QStringLiteral("フィールド '%1' はこのテーブルにありません。").arg(name));
}

DbError noSuchOrdinal(int ordinal)
{
    return DbError(QStringLiteral("フィールド番号 %1 はこのテーブルにありません。").arg(ordinal));
}

QString overflow(const ColumnInfo& c, const QString& text)
{
    return db::failureText(db::EngineFailure::Overflow) +
           QStringLiteral("フィールド '%1' に値 '%2' は大きすぎます。").arg(c.name, text);
}

// Whether ten bytes are a yyyy-MM-dd of a day that exists (year 1 to 9999), as QDate reads it.
bool isIsoDate(const char* p)
{
    auto digit = [p](int i) { return p[i] >= '0' && p[i] <= '9'; };
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!digit(i)) return false;
    if (p[4] != '-' || p[7] != '-') return false;
    auto num = [p](int i, int n) {
        int v = 0;
        for (int k = 0; k < n; ++k) v = v * 10 + (p[i + k] - '0');
        return v;
    };
    const int y = num(0, 4), m = num(5, 2), d = num(8, 2);
    if (y < 1 || m < 1 || m > 12 || d < 1) return false;
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return d <= days[m - 1] + (m == 2 && leap ? 1 : 0);
}

Value readColumn(const db::Statement& stmt, int col, const ColumnInfo& info)
{
    using Cell = db::Statement::Cell;
    const Cell t = stmt.cell(col);
    if (t == Cell::Null) return Value::null();
    int bytes = 0;
    switch (info.type) {
    case ColumnInfo::Type::Short:
    case ColumnInfo::Type::Long:
        if (t == Cell::Integer || t == Cell::Float) return Value::integer(stmt.integer(col));
        break;
    case ColumnInfo::Type::Currency:
        if (t == Cell::Integer || t == Cell::Float) return Value::currency(stmt.units(col));
        break;
    case ColumnInfo::Type::Date: {
        const char* p = stmt.text(col, &bytes);
        const QString s = QString::fromUtf8(p, bytes);
        const QDate d = QDate::fromString(s, Qt::ISODate);
        if (d.isValid()) return Value::date(d);
        return Value::text(s);
    }
    default:
        break;
    }
    const char* p = stmt.text(col, &bytes);
    return Value::text(QString::fromUtf8(p, bytes));
}

// Brings a value to the column's type before it is stored.
Value coerce(const ColumnInfo& c, const Value& v)
{
    if (v.isNull()) return v;
    if (v.kind() == Value::Kind::Text) return Recordset::convert(c, v.toString());
    auto checkRange = [&](qint64 n, qint64 lo, qint64 hi) {
        if (n < lo || n > hi) throw DbError(overflow(c, v.toString()));
        return Value::integer(n);
    };
    switch (c.type) {
    case ColumnInfo::Type::Short: return checkRange(v.toInt(), -32768, 32767);
    case ColumnInfo::Type::Long:
        return checkRange(v.toInt(), std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    case ColumnInfo::Type::Currency: return Value::currency(v.currencyUnits());
    case ColumnInfo::Type::Date: return Value::date(v.toDate());
    case ColumnInfo::Type::Text:
        return Recordset::convert(c, v.toString());
    default: return v;
    }
}

}  // namespace

Value Recordset::convert(const ColumnInfo& c, const QString& t)
{
    switch (c.type) {
    case ColumnInfo::Type::Short:
    case ColumnInfo::Type::Long: {
        const auto n = text::parseNumber(t);
        if (!n) throw DbError(typeMismatch(c, t));
        const double lo = c.type == ColumnInfo::Type::Short ? -32768.0 : -2147483648.0;
        const double hi = c.type == ColumnInfo::Type::Short ? 32767.0 : 2147483647.0;
        const double r = static_cast<double>(text::roundHalfEven(*n));
        if (r < lo || r > hi) throw DbError(overflow(c, t));
        return Value::integer(static_cast<qint64>(r));
    }
    case ColumnInfo::Type::Currency: {
        const auto n = text::parseAmount(t);
        if (!n) throw DbError(typeMismatch(c, t));
        if (!n->fits) throw DbError(overflow(c, t));
        return Value::currency(n->units);
    }
    case ColumnInfo::Type::Date: {
        const auto d = text::parseDate(t);
        if (!d) throw DbError(typeMismatch(c, t));
        return Value::date(*d);
    }
    case ColumnInfo::Type::Text:
        if (t.size() > c.maxLength)
            throw DbError(QStringLiteral("フィールド '%1' のサイズ (%2 文字) が小さすぎるため、入力したデータを格納できません。")
                              .arg(c.name).arg(c.maxLength));
        return Value::text(t);
    case ColumnInfo::Type::Other:
        return Value::text(t);
    }
    return Value::text(t);
}


Recordset::Recordset(db::Backend& backend, const QString& table, std::vector<ColumnInfo> columns, std::vector<Equals> where,
                     const Narrowing& narrowing)
    : backend_(&backend), table_(table), rowColumn_(backend.rowColumn()), columns_(std::move(columns)), where_(std::move(where))
{
    const std::vector<int>& carried = narrowing.columns;
    QStringList names;
    for (size_t i = 0; i < columns_.size(); ++i) {
        const bool carry = carried.empty() || std::find(carried.begin(), carried.end(), static_cast<int>(i)) != carried.end();
        names << (carry ? quoteName(columns_[i].name) : QStringLiteral("NULL"));
    }
    columnList_ = names.join(QLatin1Char(','));
    if (narrowing.rowids) {
        QStringList ids;
        for (qint64 id : *narrowing.rowids) ids << QString::number(id);
        rowids_ = QLatin1Char('[') + ids.join(QLatin1Char(',')) + QLatin1Char(']');
        rowidCount_ = static_cast<int>(narrowing.rowids->size());
        matchesNone_ = rowidCount_ == 0;
    }
    if (!narrowing.holdsOneOf.empty()) {
        const ColumnInfo& column = columns_.at(size_t(narrowing.holdingColumn));
        // Only a text column is looked into; another is read whole.
        if (column.type == ColumnInfo::Type::Text) {
            holdingColumn_ = column.name;
            holdsOneOf_ = narrowing.holdsOneOf;
        }
    }
    readOnly_ = !carried.empty() || narrowing.rowids.has_value() || !narrowing.holdsOneOf.empty();
    for (Equals& e : where_) {
        const int ordinal = checkedOrdinal(e.column);
        const ColumnInfo& column = columns_[size_t(ordinal)];
        // The condition names the column as the table spells it.
        e.column = column.name;
        if (e.value.kind() != Value::Kind::Text) {
            e.value = coerce(column, e.value);
        } else if (column.type != ColumnInfo::Type::Text && column.type != ColumnInfo::Type::Other) {
            // A text is compared as the column's value; one the column could not hold
            // matches no row.
            try {
                e.value = convert(column, e.value.toString());
            } catch (const DbError&) {
                matchesNone_ = true;
            }
        }
    }
    moveFirst();
}

QString Recordset::whereClause(int firstParameter) const
{
    QString sql;
    for (size_t i = 0; i < where_.size(); ++i)
        sql += QStringLiteral(" AND %1 = ?%2").arg(quoteName(where_[i].column)).arg(firstParameter + static_cast<int>(i));
    int next = firstParameter + static_cast<int>(where_.size());
    if (rowidCount_ > 0) sql += QStringLiteral(" AND ") + backend_->inIdList(rowColumn_, next++);
    if (!holdsOneOf_.empty()) {
        QStringList any;
        for (size_t i = 0; i < holdsOneOf_.size(); ++i) any << backend_->holdsText(quoteName(holdingColumn_), next++);
        sql += QStringLiteral(" AND (%1)").arg(any.join(QStringLiteral(" OR ")));
    }
    return sql;
}

void Recordset::bindWhere(db::Statement& stmt, int firstParameter) const
{
    for (size_t i = 0; i < where_.size(); ++i) stmt.bind(firstParameter + static_cast<int>(i), where_[i].value);
    int next = firstParameter + static_cast<int>(where_.size());
    if (rowidCount_ > 0) stmt.bind(next++, Value::text(rowids_));
    for (const QString& text : holdsOneOf_) stmt.bind(next++, Value::text(text));
}

Recordset::Recordset(Recordset&& o) noexcept = default;

Recordset& Recordset::operator=(Recordset&& o) noexcept = default;

Recordset::~Recordset() = default;

void Recordset::loadAll() const
{
    for (size_t i = 0; i < loaded_.size(); ++i) {
        if (!loaded_[i]) {
            current_[i] = readColumn(*reader_, static_cast<int>(i) + 1, columns_[i]);
            loaded_[i] = 1;
            anyLoaded_ = true;
        }
    }
}

void Recordset::resetReader(bool keepCurrent)
{
    // The statement goes; what the current row still holds there is kept first.
    if (keepCurrent && reader_ && !eof_) loadAll();
    reader_.reset();
    nextPage_.reset();
}

void Recordset::seekRowid(qint64 rowid, bool after, bool walking)
{
    walking_ = walking;
    resetReader(false);
    if (matchesNone_) {
        eof_ = true;
        current_.clear();
        loaded_.clear();
        return;
    }
    // A walk's pages grow from a few rows to the back end's full page: a record set opened
    // to add a row, or to look at its first ones, reads no more than that.
    reader_ = pageReader(rowid, after, pageLimit_);
    pageRows_ = 0;
    stepReader();
}

std::unique_ptr<db::Statement> Recordset::pageReader(qint64 rowid, bool after, int limit) const
{
    const int page = backend_->pageSize() > 0 ? std::min(backend_->pageSize(), limit) : 0;
    const QString sql = QStringLiteral("SELECT %1, %2 FROM %3 WHERE %1 %4 ?1%5 ORDER BY %1%6")
                            .arg(rowColumn_, columnList_, quoteName(table_), after ? QStringLiteral(">") : QStringLiteral(">="),
                                 whereClause(2), page > 0 ? QStringLiteral(" LIMIT %1").arg(page) : QString());
    std::unique_ptr<db::Statement> reader = backend_->prepare(sql);
    reader->bind(1, Value::integer(rowid));
    bindWhere(*reader, 2);
    return reader;
}

int Recordset::grownLimit() const
{
    // Fourfold, up to the back end's full page: grown past it, the limit soon left the
    // integer's range and the rest of a long walk came as one answer with no limit at all.
    return int(std::min<qint64>(qint64(pageLimit_) * 4, std::max(backend_->pageSize(), pageLimit_)));
}

void Recordset::stepReader()
{
    bool row = false;
    try {
        row = reader_->step();
    } catch (...) {
        eof_ = true;
        current_.clear();
        loaded_.clear();
        reader_.reset();
        nextPage_.reset();
        throw;
    }
    // A page is full when it holds as many rows as it may (a reading of so many row ids then
    // has them all).
    const auto full = [this](int rows) {
        return backend_->pageSize() > 0 && rows == std::min(backend_->pageSize(), pageLimit_) && rows != rowidCount_;
    };
    if (row) {
        eof_ = false;
        // A full page of a walk has come: the next one is asked for now, so the server makes
        // it while this one is read. (Not after a write, which may well be followed by
        // another that would drop it.)
        if (++pageRows_ == 1 && walking_ && full(reader_->answerRows())) {
            nextPage_ = pageReader(reader_->lastInteger(0), true, grownLimit());
            nextPage_->sendAhead();
        }
        readCurrent();
        return;
    }
    // A full page read: the next, larger one starts after its last row.
    if (full(pageRows_)) {
        pageLimit_ = grownLimit();
        if (!nextPage_) {
            seekRowid(rowid_, true, true);
            return;
        }
        reader_ = std::move(nextPage_);
        pageRows_ = 0;
        stepReader();
        return;
    }
    eof_ = true;
    current_.clear();
    loaded_.clear();
    resetReader();
}

void Recordset::readCurrent()
{
    rowid_ = reader_->integer(0);
    // Nothing is converted yet; a walk that only reads raw cells leaves the flags as they are.
    if (loaded_.size() != columns_.size()) {
        current_.resize(columns_.size());
        loaded_.assign(columns_.size(), 0);
    } else if (anyLoaded_) {
        std::fill(loaded_.begin(), loaded_.end(), 0);
    }
    anyLoaded_ = false;
}

void Recordset::moveFirst()
{
    mode_ = EditMode::None;
    pageLimit_ = std::max(kFirstPage, rowidCount_);
    seekRowid(std::numeric_limits<qint64>::min(), false, true);
}

void Recordset::moveNext()
{
    if (eof_) throw DbError(QStringLiteral("カレント レコードがありません。"));
    mode_ = EditMode::None;
    if (reader_) stepReader();
    else seekRowid(rowid_, true);
}

void Recordset::moveLast()
{
    mode_ = EditMode::None;
    resetReader(false);
    std::optional<qint64> last;
    if (!matchesNone_) {
        auto s = backend_->prepare(QStringLiteral("SELECT max(%1) FROM %2 WHERE 1 = 1%3").arg(rowColumn_, quoteName(table_), whereClause(1)));
        bindWhere(*s, 1);
        if (s->step() && s->cell(0) != db::Statement::Cell::Null) last = s->integer(0);
    }
    if (!last) {
        eof_ = true;
        current_.clear();
        loaded_.clear();
        return;
    }
    seekRowid(*last, false);
}

int Recordset::recordCount()
{
    if (!count_) {
        if (matchesNone_) return *(count_ = 0);
        auto s = backend_->prepare(QStringLiteral("SELECT count(*) FROM %1 WHERE 1 = 1%2").arg(quoteName(table_), whereClause(1)));
        bindWhere(*s, 1);
        count_ = s->step() ? static_cast<int>(s->integer(0)) : 0;
    }
    return *count_;
}

int Recordset::ordinalOf(const QString& name) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

int Recordset::checkedOrdinal(const QString& name) const
{
    const int i = ordinalOf(name);
    if (i < 0) throw noSuchColumn(name);
    return i;
}

void Recordset::requireCurrent() const
{
    if (eof_) throw DbError(QStringLiteral("カレント レコードがありません。"));
}

void Recordset::requireWritable() const
{
    if (readOnly_) throw DbError(QStringLiteral("データベースまたはオブジェクトは読み取り専用なので、更新できません。"));
}

Value Recordset::field(int ordinal) const
{
    if (ordinal < 0 || ordinal >= fieldCount())
        throw noSuchOrdinal(ordinal);
    if (mode_ != EditMode::None) return pending_[ordinal];
    requireCurrent();
    if (!loaded_[ordinal]) {
        current_[ordinal] = readColumn(*reader_, ordinal + 1, columns_[ordinal]);
        loaded_[ordinal] = 1;
        anyLoaded_ = true;
    }
    return current_[ordinal];
}

Recordset::RawCell Recordset::raw(int ordinal) const
{
    using Cell = db::Statement::Cell;
    RawCell c;
    if (ordinal < 0 || ordinal >= fieldCount() || mode_ != EditMode::None || eof_ || !reader_ ||
        (anyLoaded_ && loaded_[ordinal]))
        return c;  // Other: field() answers, from what it already holds
    const int col = ordinal + 1;
    const ColumnInfo::Type type = columns_[ordinal].type;
    if (type == ColumnInfo::Type::Text || type == ColumnInfo::Type::Other) {
        // A text column gives its text whatever the engine holds in it; asked once.
        c.text = reader_->textOrNull(col, &c.bytes);
        c.kind = c.text ? RawCell::Kind::Text : RawCell::Kind::Null;
        return c;
    }
    if (type == ColumnInfo::Type::Date) {
        // Only a stored yyyy-MM-dd of a real day is read here; a number or another text in a
        // date column is Other, as the engine keeps its kind whatever its text.
        int bytes = 0;
        const char* p = reader_->textOrNull(col, &bytes);
        if (!p) c.kind = RawCell::Kind::Null;
        else if (bytes == 10 && isIsoDate(p)) {
            c.kind = RawCell::Kind::IsoDate;
            c.text = p;
            c.bytes = 10;
        }
        return c;
    }
    const Cell t = reader_->cell(col);
    if (t == Cell::Null) {
        c.kind = RawCell::Kind::Null;
        return c;
    }
    // The same reading as readColumn, without the Value.
    switch (type) {
    case ColumnInfo::Type::Short:
    case ColumnInfo::Type::Long:
        if (t == Cell::Integer || t == Cell::Float) {
            c.kind = RawCell::Kind::Integer;
            c.integer = reader_->integer(col);
            return c;
        }
        break;
    case ColumnInfo::Type::Currency:
        if (t == Cell::Integer || t == Cell::Float) {
            c.kind = RawCell::Kind::Units;
            c.integer = reader_->units(col);
            return c;
        }
        break;
    default: break;
    }
    c.kind = RawCell::Kind::Text;
    c.text = reader_->text(col, &c.bytes);
    return c;
}

Value Recordset::field(const QString& name) const { return field(checkedOrdinal(name)); }

void Recordset::addNew()
{
    requireWritable();
    mode_ = EditMode::Add;
    pending_.assign(columns_.size(), Value::null());
}

void Recordset::edit()
{
    requireWritable();
    requireCurrent();
    if (reader_) loadAll();
    mode_ = EditMode::Edit;
    pending_ = current_;
}

void Recordset::setField(int ordinal, const QString& t)
{
    if (mode_ == EditMode::None) throw DbError(QStringLiteral("AddNew または Edit を実行していません。"));
    if (ordinal < 0 || ordinal >= fieldCount())
        throw noSuchOrdinal(ordinal);
    pending_[ordinal] = convert(columns_[ordinal], t);
}

void Recordset::setField(const QString& name, const QString& t) { setField(checkedOrdinal(name), t); }

void Recordset::setValue(int ordinal, const Value& v)
{
    if (mode_ == EditMode::None) throw DbError(QStringLiteral("AddNew または Edit を実行していません。"));
    if (ordinal < 0 || ordinal >= fieldCount())
        throw noSuchOrdinal(ordinal);
    pending_[ordinal] = coerce(columns_[ordinal], v);
}

void Recordset::setValue(const QString& name, const Value& v) { setValue(checkedOrdinal(name), v); }

namespace {

QString insertStatement(const QString& table, const std::vector<ColumnInfo>& columns, const QString& returning)
{
    QStringList names, marks;
    for (size_t i = 0; i < columns.size(); ++i) {
        names << quoteName(columns[i].name);
        marks << QStringLiteral("?%1").arg(i + 1);
    }
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quoteName(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    if (!returning.isEmpty()) sql += QStringLiteral(" RETURNING ") + returning;
    return sql;
}

}  // namespace

void Recordset::update()
{
    if (mode_ == EditMode::None) throw DbError(QStringLiteral("AddNew または Edit を実行していません。"));
    resetReader();
    std::unique_ptr<db::Statement> s;
    if (mode_ == EditMode::Add) {
        s = backend_->prepare(insertStatement(table_, columns_, rowColumn_));
    } else {
        QStringList sets;
        for (size_t i = 0; i < columns_.size(); ++i) sets << QStringLiteral("%1 = ?%2").arg(quoteName(columns_[i].name)).arg(i + 1);
        s = backend_->prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?%4")
                                  .arg(quoteName(table_), sets.join(QLatin1Char(',')), rowColumn_)
                                  .arg(columns_.size() + 1));
    }
    for (size_t i = 0; i < columns_.size(); ++i) s->bind(static_cast<int>(i) + 1, pending_[i]);
    if (mode_ == EditMode::Edit) s->bind(static_cast<int>(columns_.size()) + 1, Value::integer(rowid_));
    const bool row = s->step();
    if (mode_ == EditMode::Add) {
        if (!row) throw DbError(QStringLiteral("レコードを追加できませんでした。"));
        lastModified_ = s->integer(0);
        count_.reset();
    } else {
        lastModified_ = rowid_;
        current_ = pending_;
        loaded_.assign(columns_.size(), 1);
        anyLoaded_ = true;
    }
    mode_ = EditMode::None;
    pending_.clear();
}

void Recordset::cancelUpdate()
{
    mode_ = EditMode::None;
    pending_.clear();
}

void Recordset::deleteCurrent()
{
    requireWritable();
    requireCurrent();
    mode_ = EditMode::None;
    resetReader();
    auto s = backend_->prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?1").arg(quoteName(table_), rowColumn_));
    s->bind(1, Value::integer(rowid_));
    s->step();
    count_.reset();
    // The deleted row stays "current" in name only; moveNext goes on after it.
}

void Recordset::moveToLastModified()
{
    if (!lastModified_) return;
    seekRowid(*lastModified_, false);
}

RowInserter::RowInserter(db::Backend& backend, const QString& table, std::vector<ColumnInfo> columns)
    : columns_(std::move(columns))
{
    stmt_ = backend.prepare(insertStatement(table, columns_, QString()));
}

RowInserter::RowInserter(RowInserter&& o) noexcept = default;

RowInserter::~RowInserter() = default;

int RowInserter::ordinalOf(const QString& name) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

void RowInserter::insertTexts(const QStringList& texts, const std::vector<Recordset::Equals>& set)
{
    std::vector<Value> values(columns_.size());
    for (int k = 0; k < texts.size(); ++k) {
        if (k >= static_cast<int>(columns_.size())) throw noSuchOrdinal(k);
        values[size_t(k)] = Recordset::convert(columns_[size_t(k)], texts[k]);
    }
    for (const Recordset::Equals& e : set) {
        const int ordinal = ordinalOf(e.column);
        if (ordinal < 0) throw noSuchColumn(e.column);
        values[size_t(ordinal)] = coerce(columns_[size_t(ordinal)], e.value);
    }
    for (size_t i = 0; i < columns_.size(); ++i) stmt_->bind(static_cast<int>(i) + 1, values[i]);
    // Its answer is not read: on a server it goes with the commit.
    stmt_->stepLater();
}

void RowInserter::insert(const std::vector<Value>& values)
{
    for (size_t i = 0; i < columns_.size(); ++i) stmt_->bind(static_cast<int>(i) + 1, i < values.size() ? values[i] : Value::null());
    stmt_->step();
}
