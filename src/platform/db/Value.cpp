#include "platform/db/Value.h"

#include "platform/db/DbError.h"
#include "platform/db/EngineFailure.h"
#include "platform/text/TextUtil.h"

#include <cmath>

Value Value::integer(qint64 v)
{
    Value r;
    r.kind_ = Kind::Integer;
    r.int_ = v;
    return r;
}

Value Value::currency(qint64 units)
{
    Value r;
    r.kind_ = Kind::Currency;
    r.int_ = units;
    return r;
}

Value Value::date(const QDate& d)
{
    Value r;
    r.kind_ = Kind::Date;
    r.date_ = d;
    return r;
}

Value Value::text(const QString& s)
{
    Value r;
    r.kind_ = Kind::Text;
    r.text_ = s;
    return r;
}

QString Value::toString() const
{
    switch (kind_) {
    case Kind::Null: return QString();
    case Kind::Integer: return QString::number(int_);
    case Kind::Currency: return text::currencyToText(int_);
    case Kind::Date: return text::formatDate(date_);
    case Kind::Text: return text_;
    }
    return QString();
}

qint64 Value::toInt() const
{
    switch (kind_) {
    case Kind::Null: throw DbError(QStringLiteral("Null の使い方が不正です。"));
    case Kind::Integer: return int_;
    case Kind::Currency: return text::unitsToYen(int_);
    case Kind::Date: return date_.toJulianDay();
    case Kind::Text: {
        const auto n = text::parseNumber(text_);
        if (!n) throw DbError(QStringLiteral("型が一致しません。[ %1 ]").arg(text_));
        return text::roundHalfEven(*n);
    }
    }
    return 0;
}

qint64 Value::currencyUnits() const
{
    if (kind_ == Kind::Currency) return int_;
    qint64 units = 0;
    if (kind_ == Kind::Integer) {
        if (__builtin_mul_overflow(int_, qint64(10000), &units)) throw DbError(db::failureText(db::EngineFailure::Overflow));
        return units;
    }
    if (kind_ == Kind::Text) {
        const auto n = text::parseAmount(text_);
        if (n && n->fits) return n->units;
        if (n) throw DbError(db::failureText(db::EngineFailure::Overflow));
    }
    if (kind_ == Kind::Null) throw DbError(QStringLiteral("Null の使い方が不正です。"));
    throw DbError(QStringLiteral("型が一致しません。[ %1 ]").arg(toString()));
}

QDate Value::toDate() const
{
    if (kind_ == Kind::Date) return date_;
    if (kind_ == Kind::Text) {
        if (const auto d = text::parseDate(text_)) return *d;
    }
    if (kind_ == Kind::Null) throw DbError(QStringLiteral("Null の使い方が不正です。"));
    throw DbError(QStringLiteral("型が一致しません。[ %1 ]").arg(toString()));
}

bool Value::operator==(const Value& o) const
{
    if (kind_ != o.kind_) return false;
    switch (kind_) {
    case Kind::Null: return true;
    case Kind::Integer:
    case Kind::Currency: return int_ == o.int_;
    case Kind::Date: return date_ == o.date_;
    case Kind::Text: return text_ == o.text_;
    }
    return false;
}
