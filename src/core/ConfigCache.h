#pragma once
#include "core/CategoryDefinition.h"

#include "platform/db/DbError.h"

#include <QString>
#include <array>
#include <functional>
#include <map>
#include <optional>

class Database;
class Recordset;

// A store of settings refused because another desk stored a change of settings after this
// cache read them: nothing was written, and the cache holds the stored settings again.
class SettingsMovedOn : public DbError {
public:
    SettingsMovedOn();
};

// The settings of the system row as one value: the title, its colour and the background
// colour (colour numbers as text), and the two progress switches.
struct SystemSettings {
    QString title;
    QString titleColour;
    QString backColour;
    bool readProgress = false;
    bool printProgress = false;
};

// The management table held in memory for the whole run. It is read through typed getters;
// every setter stores what it changes in one transaction and, when the store fails, leaves
// the cache as it was and lets the DbError go on to the caller. Every store first makes sure,
// inside its transaction, that the stored settings version is the one this cache read: when
// another desk has stored settings since, nothing is written, the cache reads the table again
// (its listeners hear of it) and SettingsMovedOn goes to the caller. A stored change is told
// to whoever listens (onChanged).
class ConfigCache {
public:
    static constexpr int kSystemRow = 6;
    using Rows = std::array<CategoryDefinition, 7>;

    ConfigCache() = default;
    // A copy holds the rows and the location, not the listeners.
    ConfigCache(const ConfigCache& other);
    ConfigCache& operator=(const ConfigCache& other);

    // Where Tanzo.mdb is; every store opens it anew.
    const QString& databasePath() const { return databasePath_; }
    void setDatabasePath(const QString& path) { databasePath_ = path; }

    // Row r of the table: categories 0..5 and the system row.
    const CategoryDefinition& row(int r) const { return rows_[size_t(r)]; }
    // The fixed table names SHUMOKU1.., SHUMOKU1SUB.., CODE1...
    static QString mainTableName(int i);
    static QString subTableName(int i);
    static QString codeTableName(int k);

    // Fills the rows from the management table, reading its columns by ordinal.
    void LoadConfigCache(Recordset& table);
    // Reads the management table again when another desk has stored a change of settings
    // since this cache was read or last wrote (the system row's version differs). Returns
    // whether it did; the listeners hear of it.
    bool reloadIfChanged(Database& db);

    // Stores row r as given (its 登録NO keeps the larger of the stored and the given number).
    void setRow(int r, const CategoryDefinition& d);
    // Stores the names of categories 0..5 together, each as typed; a blank name leaves its
    // category unnamed. Only the rows whose name changed are written.
    void setCategoryNames(const std::array<QString, 6>& names);
    // Why names cannot be stored as given, or nothing: a category whose main file is made
    // keeps a name, and no name holds a control character.
    std::optional<QString> categoryNamesRefusal(const std::array<QString, 6>& names) const;
    SystemSettings systemSettings() const;
    void setSystemSettings(const SystemSettings& settings);

    // Settings of the system row, read one by one.
    QString systemTitle() const { return rows_[kSystemRow].mainFields[0].typeWord; }
    QString titleColourText() const { return rows_[kSystemRow].mainFields[1].typeWord; }
    QString backColourText() const { return rows_[kSystemRow].mainFields[2].typeWord; }
    bool readProgressOn() const;
    bool printProgressOn() const;
    // The window caption of a screen: trimmed title + " Tanzo - " + its name.
    QString caption(const QString& windowName) const;
    // The code table register: name and code length of table k (1..8).
    QString codeTableNameOf(int k) const;
    int codeLengthOf(int k) const;
    // The first category 0..5 whose name equals the text exactly, or -1.
    int categoryByName(const QString& name) const;

    // Calls the listener after every stored change and every reading again; returns its
    // number for removeListener.
    using Listener = std::function<void()>;
    int onChanged(Listener listener);
    void removeListener(int id);

    // One change of the table made in core, perhaps together with statements of its own: the
    // rows it edits are marked, store() writes them inside one transaction (the caller's, when
    // it gives its open database), keep() makes the change stand and tells the listeners. A
    // change not kept puts the cache back as it was when it began.
    class Change {
    public:
        explicit Change(ConfigCache& cache);
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

        const CategoryDefinition& row(int r) const { return cache_.rows_[size_t(r)]; }
        // Row r to change; store() writes it back.
        CategoryDefinition& edit(int r);
        // Sets row r's 登録NO to 0 (a main file emptied or dropped): its write-back may lower it.
        void restartCounter(int r);
        // Takes a 登録NO the caller stored itself; the row is not written back for it.
        void noteCounter(int r, qint32 number);
        void setSystemSettings(const SystemSettings& settings);
        // Writes every edited row and raises the version other desks look at. Refused with
        // SettingsMovedOn, writing nothing, when the stored version is no longer the one read;
        // the change then stands for the settings read again.
        void store(Database* within = nullptr);
        // The same check made first, inside the caller's transaction, by a change whose own
        // statements (a table made or dropped) rest on the settings it read: when another desk
        // stored settings since, nothing is done, they are read again and SettingsMovedOn goes on.
        void checkCurrent(Database& db);
        void keep();

    private:
        // Makes the settings just read again what this change puts back when it is not kept.
        void takeStored();

        ConfigCache& cache_;
        Rows rows_;
        std::array<bool, 7> restarted_;
        bool kept_ = false;
    };

private:
    // Writes back every marked row inside one transaction and clears the marks once all are
    // stored. A row's 登録NO keeps the larger of the stored and the cached number unless its
    // counter was restarted, so a row written from a stale cache never hands out numbers again.
    void SaveChangedRows(Database* within);
    // Holds the system row for the rest of the transaction and tells whether its version is
    // still the one this cache read.
    bool isCurrent(Database& db);
    void SaveManagementRow(Recordset& table, int r);
    void notify();

    Rows rows_;
    std::array<bool, 7> rowChanged_{};
    std::array<bool, 7> counterRestarted_{};
    QString databasePath_;
    std::map<int, Listener> listeners_;
    int nextListener_ = 0;
};
