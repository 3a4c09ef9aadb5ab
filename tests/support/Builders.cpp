#include "Builders.h"

#include "core/App.h"
#include "platform/db/Database.h"

namespace build {

namespace {

QString columnType(App& app, const QString& typeWord)
{
    if (typeword::isCode(typeWord))
        return QStringLiteral("TEXT(%1)").arg(app.cache.codeLengthOf(typeword::codeTableNumber(typeWord)));
    if (typeword::isText(typeWord)) return QStringLiteral("TEXT");
    return typeWord;
}

QString fieldList(App& app, const std::vector<FieldDefinition>& fields)
{
    QString s;
    for (const FieldDefinition& f : fields) s += f.name + QLatin1Char(' ') + columnType(app, f.typeWord) + QStringLiteral(", ");
    return s;
}

void record(std::array<FieldDefinition, 8>& target, const std::vector<FieldDefinition>& fields)
{
    for (int k = 0; k < 8; ++k)
        target[k] = k < static_cast<int>(fields.size()) ? fields[k] : FieldDefinition{QStringLiteral(" "), QStringLiteral(" ")};
}

void addRow(App& app, const QString& table, const QStringList& values, const QList<int>& keys)
{
    Database db = app.openDatabase();
    Recordset rs = db.openTable(table);
    rs.addNew();
    for (int i = 0; i < values.size(); ++i)
        if (!values[i].isNull()) rs.setField(i, values[i]);
    for (int k = 0; k < keys.size(); ++k) rs.setValue(static_cast<int>(values.size()) + k, Value::integer(keys[k]));
    rs.update();
}

}  // namespace

void nameCategory(App& app, int category, const QString& name)
{
    CategoryDefinition row = app.cache.row(category);
    row.name = name;
    row.named = 1;
    app.cache.setRow(category, row);
}

void defineMain(App& app, int category, const std::vector<FieldDefinition>& fields)
{
    const QString table = app.cache.mainTableName(category);
    app.openDatabase().execute(QStringLiteral("CREATE TABLE %1 (%2登録ＮＯ LONG CONSTRAINT MyFieldMain PRIMARY KEY)")
                                   .arg(table, fieldList(app, fields)));
    CategoryDefinition row = app.cache.row(category);
    row.mainCreated = 1;
    row.mainTableName = table;
    row.mainFieldCount = static_cast<qint16>(fields.size());
    record(row.mainFields, fields);
    app.cache.setRow(category, row);
}

void defineSub(App& app, int category, const std::vector<FieldDefinition>& fields)
{
    const QString table = app.cache.subTableName(category);
    app.openDatabase().execute(QStringLiteral("CREATE TABLE %1 (%2登録ＮＯ LONG ,サブＮＯ LONG, "
                                              "CONSTRAINT MyFieldSub PRIMARY KEY(登録ＮＯ, サブＮＯ))")
                                   .arg(table, fieldList(app, fields)));
    CategoryDefinition row = app.cache.row(category);
    row.subCreated = 1;
    row.subTableName = table;
    row.subFieldCount = static_cast<qint16>(fields.size());
    record(row.subFields, fields);
    app.cache.setRow(category, row);
}

void createCodeTable(App& app, int k, const QString& name, int length)
{
    app.openDatabase().execute(
        QStringLiteral("CREATE TABLE CODE%1 ( コード TEXT(%2) CONSTRAINT MyFieldConstraint PRIMARY KEY, %3 TEXT(30))")
            .arg(k)
            .arg(length)
            .arg(name));
    CategoryDefinition sys = app.cache.row(ConfigCache::kSystemRow);
    sys.subFields[k - 1] = {name, QString::number(length)};
    sys.subFieldCount = static_cast<qint16>(sys.subFieldCount + 1);
    app.cache.setRow(ConfigCache::kSystemRow, sys);
}

void setReadProgress(App& app, bool on)
{
    SystemSettings s = app.cache.systemSettings();
    s.readProgress = on;
    app.cache.setSystemSettings(s);
}

void setPrintProgress(App& app, bool on)
{
    SystemSettings s = app.cache.systemSettings();
    s.printProgress = on;
    app.cache.setSystemSettings(s);
}

void addCode(App& app, int k, const QString& code, const QString& name)
{
    addRow(app, app.cache.codeTableName(k - 1), {code, name}, {});
}

void addMainRow(App& app, int category, const QStringList& values, int registrationNo)
{
    addRow(app, app.cache.mainTableName(category), values, {registrationNo});
    CategoryDefinition row = app.cache.row(category);
    if (registrationNo > row.lastRegistrationNo) {
        row.lastRegistrationNo = registrationNo;
        app.cache.setRow(category, row);
    }
}

void addSubRow(App& app, int category, const QStringList& values, int registrationNo, int subNo)
{
    addRow(app, app.cache.subTableName(category), values, {registrationNo, subNo});
}

int rowCount(App& app, const QString& table)
{
    Database db = app.openDatabase();
    return db.openTable(table).recordCount();
}

void sampleShop(App& app)
{
    nameCategory(app, 0, QStringLiteral("ＣＤ"));
    nameCategory(app, 1, QStringLiteral("ＤＶＤ"));
    createCodeTable(app, 1, QStringLiteral("分類"), 2);
    addCode(app, 1, QStringLiteral("PO"), QStringLiteral("ポップス"));
    defineMain(app, 0,
               {{QStringLiteral("品名"), QStringLiteral("TEXT")},
                {QStringLiteral("価格"), QStringLiteral("CURRENCY")},
                {QStringLiteral("発売日"), QStringLiteral("DATE")},
                {QStringLiteral("枚数"), QStringLiteral("LONG")},
                {QStringLiteral("分類"), QStringLiteral("CODE1")}});
    defineSub(app, 0, {{QStringLiteral("曲名"), QStringLiteral("TEXT")}, {QStringLiteral("秒"), QStringLiteral("LONG")}});
    addMainRow(app, 0, {QStringLiteral("海の歌"), "1500", "2024/03/05", "2", "PO"}, 1);
    addSubRow(app, 0, {QStringLiteral("一曲目"), "245"}, 1, 1);
}

}  // namespace build
