#pragma once
#include "core/CategoryDefinition.h"
#include "core/SearchConditions.h"

#include <QDate>
#include <QString>
#include <array>

class Database;
class Recordset;

// The management table held in memory for the whole run, with the hand-over fields the
// windows pass to each other. Screens change a row, mark it and call SaveChangedRows.
class ConfigCache {
public:
    static constexpr int kSystemRow = 6;

    std::array<CategoryDefinition, 7> rows;
    std::array<qint32, 7> rowChanged{};
    // Set by restartCounter: the next write-back of the row may lower its 登録NO.
    std::array<bool, 7> counterRestarted{};

    std::array<QString, 6> mainTableName;
    std::array<QString, 6> subTableName;
    std::array<QString, 8> codeTableName;

    qint16 currentCategory = 0;
    QString currentCategoryName;
    QString currentFileKind;
    qint16 allFilesSearchState = 0;

    qint32 listWindowWidth = 15045;
    qint32 listWindowLeft = 0;
    qint32 listWindowTop = 0;
    qint32 listExtraWidth = 0;
    qint32 schemaWindowLeft = 0;
    qint32 schemaWindowTop = 0;

    // The last search conditions, set by the search dialog.
    QString searchTypeWord;
    QString searchText;
    QString searchCode;
    qint32 searchLong = 0;
    qint64 searchCurrency = 0;  // 1/10 000 yen
    QDate searchDate;
    qint16 searchFieldIndex = 0;
    qint16 searchComparison = 0;  // 0 equal, 1 greater, 2 less
    qint16 searchCaseMode = 0;    // 0 textual, 1 ordinal
    // The last search conditions as one value.
    SearchConditions searchConditions() const;

    qint32 subRecordCount = 0;
    qint32 subNoCounter = 0;
    qint16 allFilesDialogOpen = 0;

    // Where Tanzo.mdb is; every write-back opens it anew.
    QString databasePath;

    // Fills rows[0..6] from the management table, reading its columns by ordinal.
    void LoadConfigCache(Recordset& table);
    // Reads the management table again when another desk has stored a change of settings
    // since this cache was read or last wrote (the system row's version differs). Returns
    // whether it did; rows marked changed here are then forgotten, as the stored ones win.
    bool reloadIfChanged(Database& db);
    // Writes back every row whose rowChanged is 1 and clears those flags. With an open
    // database the rows are written inside it (and inside its transaction, if any). A row's
    // 登録NO keeps the larger of the stored and the cached number, so a row written from a
    // stale cache never hands out numbers again; the cache takes the number written.
    void SaveChangedRows(Database* within = nullptr);
    // Writes row r into the current record of the management table, by column name.
    void SaveManagementRow(Recordset& table, int r);
    // Sets row r's 登録NO to 0 for a main file emptied or dropped; the next write-back of the
    // row stores the 0.
    void restartCounter(int r);

    // Fills the fixed table names SHUMOKU1.., SHUMOKU1SUB.., CODE1...
    void fillTableNames();

    // Settings of the system row: the title, its colour and the background colour (colour
    // numbers as text), and the two progress switches ("1" on, "0" off). A setter leaves the
    // row to be marked changed by the caller.
    QString systemTitle() const { return rows[kSystemRow].mainFields[0].typeWord; }
    QString titleColourText() const { return rows[kSystemRow].mainFields[1].typeWord; }
    QString backColourText() const { return rows[kSystemRow].mainFields[2].typeWord; }
    bool readProgressOn() const;
    bool printProgressOn() const;
    void setSystemTitle(const QString& title) { rows[kSystemRow].mainFields[0].typeWord = title; }
    void setTitleColourText(const QString& colour) { rows[kSystemRow].mainFields[1].typeWord = colour; }
    void setBackColourText(const QString& colour) { rows[kSystemRow].mainFields[2].typeWord = colour; }
    void setReadProgressOn(bool on) { rows[kSystemRow].mainFields[3].typeWord = on ? QStringLiteral("1") : QStringLiteral("0"); }
    void setPrintProgressOn(bool on) { rows[kSystemRow].mainFields[4].typeWord = on ? QStringLiteral("1") : QStringLiteral("0"); }
    // The window caption of a screen: trimmed title + " Tanzo - " + its name.
    QString caption(const QString& windowName) const;
    // The code table register: name and code length of table k (1..8).
    QString codeTableNameOf(int k) const;
    int codeLengthOf(int k) const;
    // The first category 0..5 whose name equals the text exactly, or -1.
    int categoryByName(const QString& name) const;
};
