#include "records/Form8.h"

#include "core/App.h"
#include "core/RecordStore.h"

#include <QLabel>
#include <QLineEdit>

Form8::Form8(App& a, int category)
    : RecordEditor(a, category, QStringLiteral("Form8"), QStringLiteral("サブ明細更新処理"), QStringLiteral("Cord"))
{
    Label5 = label(client, "Label5", QStringLiteral("サブＮＯ"), 2800, 600, 1000);
    Text1 = keyBox(client, "Text1", 3850);
    // サブＮＯ stands beside 登録ＮＯ, before the fields.
    setTabOrder(Text2, Text1);
    Label6 = keepHeading;
    Label6->setObjectName(QStringLiteral("Label6"));
}

bool Form8::prepare(EditorMode mode, const QStringList& values, const QString& registrationNo, const QString& subNo)
{
    const CategoryDefinition& row = app.cache.row(category);
    prepareFields(mode, row.name + QStringLiteral(" (サブ明細)"), row.subFields, row.subFieldCount, row.subTableName,
                  values);
    Text2->setText(registrationNo);
    Text1->setEnabled(mode != EditorMode::Delete);
    if (mode == EditorMode::New) {
        showNextNumber();
        return true;
    }
    Text1->setText(subNo);
    return showStoredRow([&](RecordStore& store) { return store.subRow(category, keyOf(Text2), keyOf(Text1)); });
}

qint64 Form8::storeNew(RecordStore& store, const std::optional<QStringList>& texts)
{
    return store.addSub(category, keyOf(Text2), texts);
}

qint64 Form8::storeChange(RecordStore& store, const QStringList& texts)
{
    store.changeSub(category, keyOf(Text2), keyOf(Text1), texts, shown);
    return keyOf(Text1);
}

void Form8::storeRemove(RecordStore& store)
{
    store.removeSub(category, keyOf(Text2), keyOf(Text1), shown);
}

void Form8::showNextNumber()
{
    // The number the store will take: read from the sub file each time a new row is offered.
    app.guard([&] {
        RecordStore store(app.cache);
        Text1->setText(QString::number(store.nextSubNo(category, keyOf(Text2))));
    });
}
