#include "core/ConfigCache.h"

#include "core/ManagementSchema.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/text/TextUtil.h"

namespace {

const QString kFourSpaces = QStringLiteral("    ");

QString textOr4(const Value& v) { return v.isNull() ? kFourSpaces : v.toString(); }

}  // namespace

void ConfigCache::LoadConfigCache(Recordset& t)
{
    t.moveFirst();
    for (int r = 0; r < 7; ++r) {
        if (t.eof()) throw DbError(QStringLiteral("管理テーブルの行が足りません (7 行必要です)。"));
        CategoryDefinition& d = rows[r];
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
    CategoryDefinition& d = rows[r];
    // The stored counter is never taken back by a row written from an older picture of the
    // table: it keeps the larger number unless the counter was restarted on purpose.
    if (!counterRestarted[r]) {
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
        Database::Transaction tx(db);
        Recordset t = db.openTable(management::kTable);
        std::array<bool, 7> written{};
        for (int r = 0; r < 7; ++r) {
            if (t.eof()) throw DbError(QStringLiteral("管理テーブルの行が足りません (7 行必要です)。"));
            if (rowChanged[r] == 1) {
                SaveManagementRow(t, r);
                written[r] = true;
            }
            t.moveNext();
        }
        // Every stored change of settings raises the version other desks look at.
        rows[kSystemRow].lastRegistrationNo =
            static_cast<qint32>(db.addToCell(management::kTable, kSystemRow, management::kCounterColumn, 1));
        tx.commit();
        // The flags are cleared only once every marked row is stored.
        for (int r = 0; r < 7; ++r) {
            if (!written[r]) continue;
            rowChanged[r] = 0;
            counterRestarted[r] = false;
        }
    };
    if (within) {
        write(*within);
    } else {
        Database db = Database::open(databasePath);
        write(db);
    }
}

bool ConfigCache::reloadIfChanged(Database& db)
{
    Recordset t = db.openTable(management::kTable);
    for (int r = 0; r < kSystemRow && !t.eof(); ++r) t.moveNext();
    if (t.eof()) throw DbError(QStringLiteral("管理テーブルの行が足りません (7 行必要です)。"));
    const Value stored = t.field(management::kCounterColumn);
    if ((stored.isNull() ? 0 : stored.toInt()) == rows[kSystemRow].lastRegistrationNo) return false;
    db.forgetSchema();
    LoadConfigCache(t);
    fillTableNames();
    rowChanged.fill(0);
    counterRestarted.fill(false);
    return true;
}

void ConfigCache::restartCounter(int r)
{
    rows[r].lastRegistrationNo = 0;
    counterRestarted[r] = true;
}

void ConfigCache::fillTableNames()
{
    for (int i = 0; i < 6; ++i) {
        mainTableName[i] = QStringLiteral("SHUMOKU%1").arg(i + 1);
        subTableName[i] = QStringLiteral("SHUMOKU%1SUB").arg(i + 1);
    }
    for (int k = 0; k < 8; ++k) codeTableName[k] = QStringLiteral("CODE%1").arg(k + 1);
}

bool ConfigCache::readProgressOn() const { return rows[kSystemRow].mainFields[3].typeWord == QLatin1String("1"); }
bool ConfigCache::printProgressOn() const { return rows[kSystemRow].mainFields[4].typeWord == QLatin1String("1"); }

QString ConfigCache::caption(const QString& windowName) const
{
    return text::Trim(systemTitle()) + QStringLiteral(" Tanzo - ") + windowName;
}

QString ConfigCache::codeTableNameOf(int k) const
{
    if (k < 1 || k > 8) return QString();
    return rows[kSystemRow].subFields[k - 1].name;
}

int ConfigCache::codeLengthOf(int k) const
{
    if (k < 1 || k > 8) return 0;
    return text::Trim(rows[kSystemRow].subFields[k - 1].typeWord).toInt();
}

int ConfigCache::categoryByName(const QString& name) const
{
    for (int i = 0; i < 6; ++i)
        if (rows[i].name == name) return i;
    return -1;
}

SearchConditions ConfigCache::searchConditions() const
{
    SearchConditions c;
    c.typeWord = searchTypeWord;
    c.fieldIndex = searchFieldIndex;
    c.text = searchText;
    c.code = searchCode;
    c.number = searchLong;
    c.amount = searchCurrency;
    c.date = searchDate;
    c.comparison = searchComparison;
    c.caseMode = searchCaseMode;
    return c;
}
