#include "records/Form7.h"

#include "core/App.h"
#include "core/RecordStore.h"

#include <QLabel>
#include <QLineEdit>

Form7::Form7(App& a, int category)
    : RecordEditor(a, category, QStringLiteral("Form7"), QStringLiteral("メイン明細更新処理"), QStringLiteral("code"))
{
    Label5 = keepHeading;
    Label5->setObjectName(QStringLiteral("Label5"));
}

bool Form7::prepare(EditorMode mode, const QStringList& values, const QString& registrationNo)
{
    const CategoryDefinition& row = app.cache.row(category);
    const QString heading = row.name + (mode == EditorMode::Change ? QStringLiteral("(明細)") : QStringLiteral(" (明細)"));
    prepareFields(mode, heading, row.mainFields, row.mainFieldCount, row.mainTableName, values);
    if (mode == EditorMode::New) {
        showNextNumber();
        return true;
    }
    Text2->setText(registrationNo);
    return showStoredRow([&](RecordStore& store) { return store.mainRow(category, keyOf(Text2)); });
}

qint64 Form7::storeNew(RecordStore& store, const std::optional<QStringList>& texts)
{
    return store.addMain(category, texts);
}

qint64 Form7::storeChange(RecordStore& store, const QStringList& texts)
{
    store.changeMain(category, keyOf(Text2), texts, shown);
    return keyOf(Text2);
}

void Form7::storeRemove(RecordStore& store) { store.removeMain(category, keyOf(Text2), shown); }

void Form7::showNextNumber()
{
    Text2->setText(QString::number(qint64(app.cache.row(category).lastRegistrationNo) + 1));
}
