#pragma once
#include "core/FieldDefinition.h"

#include <QString>
#include <array>

// One row of the management table: a category, or (row 7) the system settings.
struct CategoryDefinition {
    qint16 rowKey = 0;
    qint16 named = 0;
    QString name;
    QString databaseFileName;
    qint16 mainCreated = 0;
    QString mainTableName;
    qint16 mainFieldCount = 0;
    std::array<FieldDefinition, 8> mainFields;
    qint16 subCreated = 0;
    QString subTableName;
    qint16 subFieldCount = 0;
    std::array<FieldDefinition, 8> subFields;
    qint32 lastRegistrationNo = 0;
};
