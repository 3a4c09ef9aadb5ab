#pragma once
#include <QDate>
#include <QString>
#include <QtGlobal>

// One cell as the engine hands it out: Null told apart from every value.
class Value {
public:
    enum class Kind { Null, Integer, Currency, Date, Text };

    Value() = default;
    static Value null() { return Value(); }
    static Value integer(qint64 v);
    static Value currency(qint64 units);  // 1/10 000 yen
    static Value date(const QDate& d);
    static Value text(const QString& s);

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }

    // The value as text, the way the engine converts it: integers plainly, amounts without
    // grouping ("1234.5"), dates as yyyy/MM/dd, texts as stored. Null gives "".
    QString toString() const;
    // Whole numbers; an amount is rounded half to even, a numeric text converted.
    // Null or a non-numeric text raises DbError.
    qint64 toInt() const;
    qint64 currencyUnits() const;
    QDate toDate() const;

    bool operator==(const Value& o) const;

private:
    Kind kind_ = Kind::Null;
    qint64 int_ = 0;
    QDate date_;
    QString text_;
};
