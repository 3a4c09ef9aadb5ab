#pragma once
#include <QDate>
#include <QString>

// The condition of a field search: which field, what kind of value and the value sought.
struct SearchConditions {
    QString typeWord;      // "TEXT", "CODE", "LONG", "CURRENCY" or "DATE"
    int fieldIndex = 0;    // ordinal of the searched field
    QString text;
    QString code;
    qint32 number = 0;
    qint64 amount = 0;     // 1/10 000 yen
    QDate date;
    int comparison = 0;    // 0 equal, 1 greater than, 2 less than
    int caseMode = 0;      // 0 textual, 1 ordinal
};
