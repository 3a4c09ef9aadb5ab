#include "core/ConfigCache.h"

#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"

#include <vector>

namespace {

const QString kFourSpaces = QStringLiteral("    ");

QString textOr4(const Value& v) { return v.isNull() ? kFourSpaces : v.toString(); }

}  // namespace

SettingsMovedOn::SettingsMovedOn()
    : DbError(QStringLiteral("他の端末で設定が変更されたため、この設定は保存しませんでした。"
                             "設定を読み直しましたので、確認してから、もう一度操作して下さい。"))
{
}

void ConfigCache::LoadConfigCache(Recordset& t)
{
    t.moveFirst();
    for (int r = 0; r < 7; ++r) {
        if (t.eof()) throw DbError(QStringLiteral("管理テーブルの行が足りません (7 行必要です)。"));
        CategoryDefinition& d = rows_[r];
        d.rowKey = static_cast<qint16>(t.field(0).toInt());
        d.named = static_cast<qint16>(t.field(1).toInt());
        d.name = textOr4(t.field(2));
        d.databaseFileName = textOr4(t.field(3));
        d.mainCreated = static_cast<qint16>(t.field(4).toInt());
        d.mainTableName = textOr4(t.field(5));
        d.mainFieldCount = static_cast<qint16>(t.field(6).toInt());
        for (int k = 0; k < 8; ++k) {
            d.mainFields[k].name = textOr4(t.field(7 + 2 * k));
            d.mainFields[k].typeWord = textOr4(t.field(8 + 2 * k));
        }
        d.subCreated = static_cast<qint16>(t.field(23).toInt());
        d.subTableName = textOr4(t.field(24));
        d.subFieldCount = static_cast<qint16>(t.field(25).toInt());
        for (int k = 0; k < 8; ++k) {
            d.subFields[k].name = textOr4(t.field(26 + 2 * k));
            d.subFields[k].typeWord = textOr4(t.field(27 + 2 * k));
        }
        d.lastRegistrationNo = static_cast<qint32>(t.field(42).toInt());
        t.moveNext();
    }
}

void ConfigCache::SaveManagementRow(Recordset& t, int r)
{
    CategoryDefinition& d = rows_[r];
    // The stored counter is never taken back by a row written from an older picture of the
    // table: it keeps the larger number unless the counter was restarted on purpose.
    if (!counterRestarted_[r]) {
        const Value stored = t.field(QStringLiteral("登録NO"));
        if (!stored.isNull() && stored.toInt() > d.lastRegistrationNo)
            d.lastRegistrationNo = static_cast<qint32>(stored.toInt());
    }
    t.edit();
    auto setInt = [&](const char* name, qint64 v) { t.setValue(QString::fromUtf8(name), Value::integer(v)); };
    auto setText = [&](const QString& name, const QString& v) { t.setValue(name, Value::text(v)); };
    setInt("CommandKeyNO", d.rowKey);
    setInt("種目名入力有無", d.named);
    setText(QStringLiteral("種目名"), d.name);
    setText(QStringLiteral("データベースファイル名"), d.databaseFileName);
    setInt("種目テーブル名入力有無", d.mainCreated);
    setText(QStringLiteral("種目テーブル名"), d.mainTableName);
    setInt("フィールド個数", d.mainFieldCount);
    for (int k = 0; k < 8; ++k) setText(QStringLiteral("フィールド%1名").arg(k + 1), d.mainFields[k].name);
    for (int k = 0; k < 8; ++k) setText(QStringLiteral("フィールド%1データ型").arg(k + 1), d.mainFields[k].typeWord);
    setInt("種目SUBテーブル名入力有無", d.subCreated);
    setText(QStringLiteral("種目SUBテーブル名"), d.subTableName);
    setInt("SUBフィールド個数", d.subFieldCount);
    for (int k = 0; k < 8; ++k) setText(QStringLiteral("SUBフィールド%1名").arg(k + 1), d.subFields[k].name);
    for (int k = 0; k < 8; ++k) setText(QStringLiteral("SUBフィールド%1データ型").arg(k + 1), d.subFields[k].typeWord);
    setInt("登録NO", d.lastRegistrationNo);
    t.update();
    t.moveToLastModified();
}

void ConfigCache::SaveChangedRows(Database* within)
{
    auto write = [this](Database& db) {
        bool current = false;
        {
            Database::Transaction tx(db);
            // The system row is held from here to the end of the write, so two desks storing
            // settings at once take turns, and the second sees the first one's version.
            current = isCurrent(db);
            if (current) {
                Recordset t = db.openTable(management::kTable);
                std::array<bool, 7> written{};
                for (int r = 0; r < 7; ++r) {
                    if (t.eof()) throw DbError(QStringLiteral("管理テーブルの行が足りません (7 行必要です)。"));
                    if (rowChanged_[r]) {
                        SaveManagementRow(t, r);
                        written[r] = true;
                    }
                    t.moveNext();
                }
                // Every stored change of settings raises the version other desks look at.
                rows_[kSystemRow].lastRegistrationNo =
                    static_cast<qint32>(db.addToCell(management::kTable, kSystemRow, management::kCounterColumn, 1));
                tx.commit();
                // The flags are cleared only once every marked row is stored.
                for (int r = 0; r < 7; ++r) {
                    if (!written[r]) continue;
                    rowChanged_[r] = false;
                    counterRestarted_[r] = false;
                }
            }
        }
        if (current) return;
        // Another desk stored settings this cache has not seen: nothing of this change is
        // written over them, and what is stored now is read and shown.
        reloadIfChanged(db);
        throw SettingsMovedOn();
    };
    if (within) {
        write(*within);
    } else {
        Database db = Database::open(databasePath_);
        write(db);
    }
}

bool ConfigCache::isCurrent(Database& db)
{
    return db.addToCell(management::kTable, kSystemRow, management::kCounterColumn, 0) ==
           rows_[kSystemRow].lastRegistrationNo;
}

bool ConfigCache::reloadIfChanged(Database& db)
{
    Recordset t = db.openTable(management::kTable);
    for (int r = 0; r < kSystemRow && !t.eof(); ++r) t.moveNext();
    if (t.eof()) throw DbError(QStringLiteral("管理テーブルの行が足りません (7 行必要です)。"));
    const Value stored = t.field(management::kCounterColumn);
    if ((stored.isNull() ? 0 : stored.toInt()) == rows_[kSystemRow].lastRegistrationNo) return false;
    db.forgetSchema();
    LoadConfigCache(t);
    rowChanged_.fill(false);
    counterRestarted_.fill(false);
    notify();
    return true;
}

QString ConfigCache::mainTableName(int i) { return QStringLiteral("SHUMOKU%1").arg(i + 1); }
QString ConfigCache::subTableName(int i) { return QStringLiteral("SHUMOKU%1SUB").arg(i + 1); }
QString ConfigCache::codeTableName(int k) { return QStringLiteral("CODE%1").arg(k + 1); }

bool ConfigCache::readProgressOn() const { return rows_[kSystemRow].mainFields[3].typeWord == QLatin1String("1"); }
bool ConfigCache::printProgressOn() const { return rows_[kSystemRow].mainFields[4].typeWord == QLatin1String("1"); }

QString ConfigCache::caption(const QString& windowName) const
{
    return text::Trim(systemTitle()) + QStringLiteral(" Tanzo - ") + windowName;
}

QString ConfigCache::codeTableNameOf(int k) const
{
    if (k < 1 || k > 8) return QString();
    return rows_[kSystemRow].subFields[k - 1].name;
}

int ConfigCache::codeLengthOf(int k) const
{
    if (k < 1 || k > 8) return 0;
    return text::Trim(rows_[kSystemRow].subFields[k - 1].typeWord).toInt();
}

int ConfigCache::categoryByName(const QString& name) const
{
    for (int i = 0; i < 6; ++i)
        if (rows_[i].name == name) return i;
    return -1;
}

ConfigCache::ConfigCache(const ConfigCache& other)
    : rows_(other.rows_),
      rowChanged_(other.rowChanged_),
      counterRestarted_(other.counterRestarted_),
      databasePath_(other.databasePath_)
{
}

ConfigCache& ConfigCache::operator=(const ConfigCache& other)
{
    rows_ = other.rows_;
    rowChanged_ = other.rowChanged_;
    counterRestarted_ = other.counterRestarted_;
    databasePath_ = other.databasePath_;
    return *this;
}

void ConfigCache::setRow(int r, const CategoryDefinition& d)
{
    Change change(*this);
    change.edit(r) = d;
    change.store();
    change.keep();
}

void ConfigCache::setCategoryNames(const std::array<QString, 6>& names)
{
    Change change(*this);
    for (int i = 0; i < 6; ++i) {
        const QString& name = names[size_t(i)];
        const qint16 named = text::isBlank(name) ? 0 : 1;
        if (change.row(i).name == name && change.row(i).named == named) continue;
        CategoryDefinition& d = change.edit(i);
        // The name is kept as typed; only the test for a name trims it.
        d.name = name;
        d.named = named;
    }
    change.store();
    change.keep();
}

std::optional<QString> ConfigCache::categoryNamesRefusal(const std::array<QString, 6>& names) const
{
    for (int i = 0; i < 6; ++i) {
        const QString& name = names[size_t(i)];
        if (text::isBlank(name) && row(i).mainCreated == 1)
            return QStringLiteral("ファイル作成済のため、種目名は取消しできません。");
        if (text::hasControlCharacter(name)) return text::controlCharacterMessage(QStringLiteral("種目名"));
    }
    return std::nullopt;
}

SystemSettings ConfigCache::systemSettings() const
{
    return {systemTitle(), titleColourText(), backColourText(), readProgressOn(), printProgressOn()};
}

void ConfigCache::setSystemSettings(const SystemSettings& settings)
{
    Change change(*this);
    change.setSystemSettings(settings);
    change.store();
    change.keep();
}

int ConfigCache::onChanged(Listener listener)
{
    const int id = nextListener_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void ConfigCache::removeListener(int id) { listeners_.erase(id); }

void ConfigCache::notify()
{
    // A listener may remove itself or another while being told.
    std::vector<int> ids;
    for (const auto& [id, listener] : listeners_) ids.push_back(id);
    for (int id : ids) {
        const auto it = listeners_.find(id);
        if (it != listeners_.end()) it->second();
    }
}

ConfigCache::Change::Change(ConfigCache& cache)
    : cache_(cache), rows_(cache.rows_), restarted_(cache.counterRestarted_)
{
}

ConfigCache::Change::~Change()
{
    if (kept_) return;
    cache_.rows_ = rows_;
    cache_.counterRestarted_ = restarted_;
    cache_.rowChanged_.fill(false);
}

CategoryDefinition& ConfigCache::Change::edit(int r)
{
    cache_.rowChanged_[size_t(r)] = true;
    return cache_.rows_[size_t(r)];
}

void ConfigCache::Change::restartCounter(int r)
{
    edit(r).lastRegistrationNo = 0;
    cache_.counterRestarted_[size_t(r)] = true;
}

void ConfigCache::Change::noteCounter(int r, qint32 number) { cache_.rows_[size_t(r)].lastRegistrationNo = number; }

void ConfigCache::Change::setSystemSettings(const SystemSettings& s)
{
    auto& fields = edit(kSystemRow).mainFields;
    fields[0].typeWord = s.title;
    fields[1].typeWord = s.titleColour;
    fields[2].typeWord = s.backColour;
    fields[3].typeWord = s.readProgress ? QStringLiteral("1") : QStringLiteral("0");
    fields[4].typeWord = s.printProgress ? QStringLiteral("1") : QStringLiteral("0");
}

void ConfigCache::Change::store(Database* within)
{
    try {
        cache_.SaveChangedRows(within);
    } catch (const SettingsMovedOn&) {
        takeStored();
        throw;
    }
}

void ConfigCache::Change::checkCurrent(Database& db)
{
    if (cache_.isCurrent(db)) return;
    cache_.reloadIfChanged(db);
    takeStored();
    throw SettingsMovedOn();
}

void ConfigCache::Change::takeStored()
{
    // The settings read again stay when this change ends without being kept.
    rows_ = cache_.rows_;
    restarted_ = cache_.counterRestarted_;
}

void ConfigCache::Change::keep()
{
    kept_ = true;
    cache_.notify();
}
