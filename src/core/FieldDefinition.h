#pragma once
#include <QString>

// One field of a main or sub file: its name and its type word ("TEXT", "TEXT3D", "TEXT3C",
// "LONG", "CURRENCY", "DATE", "CODE3"). In the system row the same pair carries settings.
struct FieldDefinition {
    QString name;
    QString typeWord;
};

namespace typeword {
// The digit of a code table (1..8) carried in the fifth character, or 0 when there is none.
int codeTableNumber(const QString& typeWord);
bool isCode(const QString& typeWord);     // first four characters "CODE"
bool isText(const QString& typeWord);     // first four characters "TEXT"
bool isDirectText(const QString& typeWord);  // "TEXT" + k + "D"
}  // namespace typeword
