#pragma once
#include "core/FieldDefinition.h"

#include <QString>
#include <QStringList>
#include <vector>

class App;

// Builders for tests and the benchmark: they make categories, files, code tables and rows
// through the same engine and cache the screens use, and write the cache back.
namespace build {

void nameCategory(App& app, int category, const QString& name);
// Creates the main (or sub) file of a category with the given fields and records it.
void defineMain(App& app, int category, const std::vector<FieldDefinition>& fields);
void defineSub(App& app, int category, const std::vector<FieldDefinition>& fields);
// Creates code table k (1..8) with its name and code length, and registers it.
void createCodeTable(App& app, int k, const QString& name, int length);
// The reading and printing progress switches of the system row, stored.
void setReadProgress(App& app, bool on);
void setPrintProgress(App& app, bool on);
void addCode(App& app, int k, const QString& code, const QString& name);
// Adds a main row with the given field texts (converted by the engine) and number; raises
// the category's last registration number when it is higher.
void addMainRow(App& app, int category, const QStringList& values, int registrationNo);
void addSubRow(App& app, int category, const QStringList& values, int registrationNo, int subNo);
// Number of rows of a table.
int rowCount(App& app, const QString& table);

// A shop of two categories: ＣＤ with a main file of every kind of field (品名, 価格, 発売日, 枚数,
// 分類 coded in table 1) and a sub file (曲名, 秒), one record of each; ＤＶＤ without files.
void sampleShop(App& app);

}  // namespace build
