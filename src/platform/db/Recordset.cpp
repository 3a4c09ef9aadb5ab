#include "platform/db/Recordset.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"

#include <QRegularExpression>
#include <limits>
#include <sqlite3.h>

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

QString overflow(const ColumnInfo& c, const QString& text)
{
    return QStringLiteral("オーバーフローしました。フィールド '%1' に値 '%2' は大きすぎます。").arg(c.name, text);
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

Value readColumn(sqlite3_stmt* stmt, int col, const ColumnInfo& info)
{
    const int t = sqlite3_column_type(stmt, col);
    if (t == SQLITE_NULL) return Value::null();
    switch (info.type) {
    case ColumnInfo::Type::Short:
    case ColumnInfo::Type::Long:
        if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return Value::integer(sqlite3_column_int64(stmt, col));
        break;
    case ColumnInfo::Type::Currency:
        if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return Value::currency(sqlite3_column_int64(stmt, col));
        break;
    case ColumnInfo::Type::Date: {
        const QString s = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, col)));
        const QDate d = QDate::fromString(s, Qt::ISODate);
        if (d.isValid()) return Value::date(d);
        return Value::text(s);
    }
    default:
        break;
    }
    const char* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, col));
    return Value::text(QString::fromUtf8(p, sqlite3_column_bytes(stmt, col)));
}

void bindValue(sqlite3_stmt* stmt, int index, const Value& v)
{
    switch (v.kind()) {
    case Value::Kind::Null: sqlite3_bind_null(stmt, index); break;
    case Value::Kind::Integer: sqlite3_bind_int64(stmt, index, v.toInt()); break;
    case Value::Kind::Currency: sqlite3_bind_int64(stmt, index, v.currencyUnits()); break;
    case Value::Kind::Date: {
        const QByteArray s = v.toDate().toString(Qt::ISODate).toUtf8();
        sqlite3_bind_text(stmt, index, s.constData(), s.size(), SQLITE_TRANSIENT);
        break;
    }
    case Value::Kind::Text: {
        const QByteArray s = v.toString().toUtf8();
        sqlite3_bind_text(stmt, index, s.constData(), s.size(), SQLITE_TRANSIENT);
        break;
    }
    }
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
        const auto n = text::parseNumber(t);
        if (!n) throw DbError(typeMismatch(c, t));
        if (*n > 922337203685477.0 || *n < -922337203685477.0) throw DbError(overflow(c, t));
        return Value::currency(text::roundHalfEven(*n * 10000.0));
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

Recordset::Recordset(sqlite3* db, const QString& table, std::vector<ColumnInfo> columns, std::vector<Equals> where)
    : db_(db), table_(table), columns_(std::move(columns)), where_(std::move(where))
{
    // A text is compared as it stands: one the column could not hold matches no row.
    for (Equals& e : where_) {
        const int ordinal = checkedOrdinal(e.column);
        if (e.value.kind() != Value::Kind::Text) e.value = coerce(columns_[size_t(ordinal)], e.value);
    }
    moveFirst();
}

QString Recordset::whereClause(int firstParameter) const
{
    QString sql;
    for (size_t i = 0; i < where_.size(); ++i)
        sql += QStringLiteral(" AND %1 = ?%2").arg(quoteName(where_[i].column)).arg(firstParameter + static_cast<int>(i));
    return sql;
}

void Recordset::bindWhere(sqlite3_stmt* stmt, int firstParameter) const
{
    for (size_t i = 0; i < where_.size(); ++i) bindValue(stmt, firstParameter + static_cast<int>(i), where_[i].value);
}

Recordset::Recordset(Recordset&& o) noexcept
    : db_(o.db_), table_(std::move(o.table_)), columns_(std::move(o.columns_)), where_(std::move(o.where_)), reader_(o.reader_), eof_(o.eof_),
      rowid_(o.rowid_), current_(std::move(o.current_)), loaded_(std::move(o.loaded_)), mode_(o.mode_), pending_(std::move(o.pending_)),
      lastModified_(o.lastModified_), count_(o.count_)
{
    o.reader_ = nullptr;
    o.db_ = nullptr;
}

Recordset& Recordset::operator=(Recordset&& o) noexcept
{
    if (this != &o) {
        resetReader(false);
        db_ = o.db_;
        table_ = std::move(o.table_);
        columns_ = std::move(o.columns_);
        where_ = std::move(o.where_);
        reader_ = o.reader_;
        eof_ = o.eof_;
        rowid_ = o.rowid_;
        current_ = std::move(o.current_);
        loaded_ = std::move(o.loaded_);
        mode_ = o.mode_;
        pending_ = std::move(o.pending_);
        lastModified_ = o.lastModified_;
        count_ = o.count_;
        o.reader_ = nullptr;
        o.db_ = nullptr;
    }
    return *this;
}

Recordset::~Recordset() { resetReader(false); }

void Recordset::loadAll() const
{
    for (size_t i = 0; i < loaded_.size(); ++i) {
        if (!loaded_[i]) {
            current_[i] = readColumn(reader_, static_cast<int>(i) + 1, columns_[i]);
            loaded_[i] = 1;
        }
    }
}

void Recordset::resetReader(bool keepCurrent)
{
    // The statement goes; what the current row still holds there is kept first.
    if (keepCurrent && reader_ && !eof_) loadAll();
    if (reader_) sqlite3_finalize(reader_);
    reader_ = nullptr;
}

void Recordset::seekRowid(qint64 rowid, bool after)
{
    resetReader(false);
    const QString sql = QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid %2 ?1%3 ORDER BY rowid")
                            .arg(quoteName(table_), after ? QStringLiteral(">") : QStringLiteral(">="), whereClause(2));
    const QByteArray u = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db_, u.constData(), u.size(), &reader_, nullptr);
    if (rc != SQLITE_OK) Database::fail(db_, rc, QString());
    sqlite3_bind_int64(reader_, 1, rowid);
    bindWhere(reader_, 2);
    stepReader();
}

void Recordset::stepReader()
{
    const int rc = sqlite3_step(reader_);
    if (rc == SQLITE_ROW) {
        eof_ = false;
        readCurrent();
    } else {
        eof_ = true;
        current_.clear();
        loaded_.clear();
        resetReader();
        if (rc != SQLITE_DONE) Database::fail(db_, rc, QString());
    }
}

void Recordset::readCurrent()
{
    rowid_ = sqlite3_column_int64(reader_, 0);
    current_.resize(columns_.size());
    loaded_.assign(columns_.size(), 0);
}

void Recordset::moveFirst()
{
    mode_ = EditMode::None;
    seekRowid(std::numeric_limits<qint64>::min(), false);
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
    const QByteArray u = QStringLiteral("SELECT max(rowid) FROM %1 WHERE 1%2").arg(quoteName(table_), whereClause(1)).toUtf8();
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db_, u.constData(), u.size(), &s, nullptr);
    if (rc != SQLITE_OK) Database::fail(db_, rc, QString());
    bindWhere(s, 1);
    rc = sqlite3_step(s);
    const bool any = rc == SQLITE_ROW && sqlite3_column_type(s, 0) != SQLITE_NULL;
    const qint64 last = any ? sqlite3_column_int64(s, 0) : 0;
    sqlite3_finalize(s);
    if (!any) {
        eof_ = true;
        current_.clear();
        loaded_.clear();
        return;
    }
    seekRowid(last, false);
}

int Recordset::recordCount()
{
    if (!count_) {
        const QByteArray u = QStringLiteral("SELECT count(*) FROM %1 WHERE 1%2").arg(quoteName(table_), whereClause(1)).toUtf8();
        sqlite3_stmt* s = nullptr;
        const int rc = sqlite3_prepare_v2(db_, u.constData(), u.size(), &s, nullptr);
        if (rc != SQLITE_OK) Database::fail(db_, rc, QString());
        bindWhere(s, 1);
        sqlite3_step(s);
        count_ = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
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
    if (i < 0) throw DbError(QStringLiteral("フィールド '%1' はこのテーブルにありません。").arg(name));
    return i;
}

void Recordset::requireCurrent() const
{
    if (eof_) throw DbError(QStringLiteral("カレント レコードがありません。"));
}

Value Recordset::field(int ordinal) const
{
    if (ordinal < 0 || ordinal >= fieldCount())
        throw DbError(QStringLiteral("フィールド番号 %1 はこのテーブルにありません。").arg(ordinal));
    if (mode_ != EditMode::None) return pending_[ordinal];
    requireCurrent();
    if (!loaded_[ordinal]) {
        current_[ordinal] = readColumn(reader_, ordinal + 1, columns_[ordinal]);
        loaded_[ordinal] = 1;
    }
    return current_[ordinal];
}

Recordset::RawCell Recordset::raw(int ordinal) const
{
    RawCell c;
    if (ordinal < 0 || ordinal >= fieldCount() || mode_ != EditMode::None || eof_ || !reader_ || loaded_[ordinal])
        return c;  // Other: field() answers, from what it already holds
    const int col = ordinal + 1;
    const int t = sqlite3_column_type(reader_, col);
    if (t == SQLITE_NULL) {
        c.kind = RawCell::Kind::Null;
        return c;
    }
    // The same reading as readColumn, without the Value.
    switch (columns_[ordinal].type) {
    case ColumnInfo::Type::Short:
    case ColumnInfo::Type::Long:
        if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) {
            c.kind = RawCell::Kind::Integer;
            c.integer = sqlite3_column_int64(reader_, col);
            return c;
        }
        break;
    case ColumnInfo::Type::Currency:
        if (t == SQLITE_INTEGER || t == SQLITE_FLOAT) return c;
        break;
    case ColumnInfo::Type::Date:
        if (t == SQLITE_TEXT && sqlite3_column_bytes(reader_, col) == 10) {
            const char* p = reinterpret_cast<const char*>(sqlite3_column_text(reader_, col));
            if (p && isIsoDate(p)) {
                c.kind = RawCell::Kind::IsoDate;
                c.text = p;
                c.bytes = 10;
            }
        }
        return c;
    default: break;
    }
    c.kind = RawCell::Kind::Text;
    c.text = reinterpret_cast<const char*>(sqlite3_column_text(reader_, col));
    c.bytes = sqlite3_column_bytes(reader_, col);
    return c;
}

Value Recordset::field(const QString& name) const { return field(checkedOrdinal(name)); }

void Recordset::addNew()
{
    mode_ = EditMode::Add;
    pending_.assign(columns_.size(), Value::null());
}

void Recordset::edit()
{
    requireCurrent();
    if (reader_) loadAll();
    mode_ = EditMode::Edit;
    pending_ = current_;
}

void Recordset::setField(int ordinal, const QString& t)
{
    if (mode_ == EditMode::None) throw DbError(QStringLiteral("AddNew または Edit を実行していません。"));
    if (ordinal < 0 || ordinal >= fieldCount())
        throw DbError(QStringLiteral("フィールド番号 %1 はこのテーブルにありません。").arg(ordinal));
    pending_[ordinal] = convert(columns_[ordinal], t);
}

void Recordset::setField(const QString& name, const QString& t) { setField(checkedOrdinal(name), t); }

void Recordset::setValue(int ordinal, const Value& v)
{
    if (mode_ == EditMode::None) throw DbError(QStringLiteral("AddNew または Edit を実行していません。"));
    if (ordinal < 0 || ordinal >= fieldCount())
        throw DbError(QStringLiteral("フィールド番号 %1 はこのテーブルにありません。").arg(ordinal));
    pending_[ordinal] = coerce(columns_[ordinal], v);
}

void Recordset::setValue(const QString& name, const Value& v) { setValue(checkedOrdinal(name), v); }

void Recordset::update()
{
    if (mode_ == EditMode::None) throw DbError(QStringLiteral("AddNew または Edit を実行していません。"));
    resetReader();
    QString sql;
    if (mode_ == EditMode::Add) {
        QStringList names, marks;
        for (size_t i = 0; i < columns_.size(); ++i) {
            names << quoteName(columns_[i].name);
            marks << QStringLiteral("?%1").arg(i + 1);
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quoteName(table_), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    } else {
        QStringList sets;
        for (size_t i = 0; i < columns_.size(); ++i) sets << QStringLiteral("%1 = ?%2").arg(quoteName(columns_[i].name)).arg(i + 1);
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3").arg(quoteName(table_), sets.join(QLatin1Char(','))).arg(columns_.size() + 1);
    }
    const QByteArray u = sql.toUtf8();
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db_, u.constData(), u.size(), &s, nullptr);
    if (rc != SQLITE_OK) Database::fail(db_, rc, QString());
    for (size_t i = 0; i < columns_.size(); ++i) bindValue(s, static_cast<int>(i) + 1, pending_[i]);
    if (mode_ == EditMode::Edit) sqlite3_bind_int64(s, static_cast<int>(columns_.size()) + 1, rowid_);
    rc = sqlite3_step(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) Database::fail(db_, rc, QString());
    if (mode_ == EditMode::Add) {
        lastModified_ = sqlite3_last_insert_rowid(db_);
        count_.reset();
    } else {
        lastModified_ = rowid_;
        current_ = pending_;
        loaded_.assign(columns_.size(), 1);
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
    requireCurrent();
    mode_ = EditMode::None;
    resetReader();
    const QByteArray u = QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quoteName(table_)).toUtf8();
    sqlite3_stmt* s = nullptr;
    int rc = sqlite3_prepare_v2(db_, u.constData(), u.size(), &s, nullptr);
    if (rc != SQLITE_OK) Database::fail(db_, rc, QString());
    sqlite3_bind_int64(s, 1, rowid_);
    rc = sqlite3_step(s);
    sqlite3_finalize(s);
    if (rc != SQLITE_DONE) Database::fail(db_, rc, QString());
    count_.reset();
    // The deleted row stays "current" in name only; moveNext goes on after it.
}

void Recordset::moveToLastModified()
{
    if (!lastModified_) return;
    seekRowid(*lastModified_, false);
}

RowInserter::RowInserter(sqlite3* db, const QString& table, std::vector<ColumnInfo> columns)
    : db_(db), columns_(std::move(columns))
{
    QStringList names, marks;
    for (size_t i = 0; i < columns_.size(); ++i) {
        names << quoteName(columns_[i].name);
        marks << QStringLiteral("?%1").arg(i + 1);
    }
    const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(quoteName(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))
                               .toUtf8();
    const int rc = sqlite3_prepare_v2(db_, sql.constData(), sql.size(), &stmt_, nullptr);
    if (rc != SQLITE_OK) Database::fail(db_, rc, QString());
}

RowInserter::RowInserter(RowInserter&& o) noexcept : db_(o.db_), stmt_(o.stmt_), columns_(std::move(o.columns_))
{
    o.stmt_ = nullptr;
}

RowInserter::~RowInserter()
{
    if (stmt_) sqlite3_finalize(stmt_);
}

int RowInserter::ordinalOf(const QString& name) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

void RowInserter::insert(const std::vector<Value>& values)
{
    sqlite3_reset(stmt_);
    for (size_t i = 0; i < columns_.size(); ++i)
        bindValue(stmt_, static_cast<int>(i) + 1, i < values.size() ? values[i] : Value::null());
    const int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_DONE) {
        sqlite3_reset(stmt_);
        Database::fail(db_, rc, QString());
    }
}
