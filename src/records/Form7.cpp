#include "records/Form7.h"

#include "core/App.h"

#include <QLabel>
#include <QLineEdit>

Form7::Form7(App& a) : RecordEditor(a, QStringLiteral("Form7"), QStringLiteral("メイン明細更新処理"), QStringLiteral("code"))
{
    Label5 = keepHeading;
    Label5->setObjectName(QStringLiteral("Label5"));
}

void Form7::prepare(EditorMode mode, const QStringList& values, const QString& registrationNo)
{
    const CategoryDefinition& row = app.cache.rows[app.cache.currentCategory];
    const QString heading = row.name + (mode == EditorMode::Change ? QStringLiteral("(明細)") : QStringLiteral(" (明細)"));
    prepareFields(mode, heading, row.mainFields, row.mainFieldCount, row.mainTableName, values);
    if (mode == EditorMode::New) showNextNumber();
    else Text2->setText(registrationNo);
}

std::vector<qint64> Form7::selectedKeys() const { return {keyOf(Text2)}; }

std::vector<qint64> Form7::newRowKeys() const
{
    return {qint64(app.cache.rows[app.cache.currentCategory].lastRegistrationNo) + 1};
}

void Form7::advanceCounter(Database& db)
{
    const int c = app.cache.currentCategory;
    saved_ = Counter{app.cache.rows[c].lastRegistrationNo, app.cache.rowChanged[c]};
    app.cache.rows[c].lastRegistrationNo += 1;
    app.cache.rowChanged[c] = 1;
    app.cache.SaveChangedRows(&db);
}

void Form7::restoreCounter()
{
    if (!saved_) return;
    const int c = app.cache.currentCategory;
    app.cache.rows[c].lastRegistrationNo = saved_->lastRegistrationNo;
    app.cache.rowChanged[c] = saved_->rowChanged;
    saved_.reset();
}

void Form7::showNextNumber()
{
    Text2->setText(QString::number(qint64(app.cache.rows[app.cache.currentCategory].lastRegistrationNo) + 1));
}
