#pragma once
#include "records/RecordEditor.h"

// The sub record editor: adds, changes and deletes a row of the category's sub file for one
// main record. New rows take the next sub number of that record.
class Form8 : public RecordEditor {
    Q_OBJECT
public:
    // The editor of category 0..5.
    Form8(App& app, int category);

    // registrationNo = the main row's number; subNo = the chosen sub row (change/delete);
    // New takes the next sub number itself. False, after its message, when the row is gone or
    // cannot be read: the editor stays shut.
    bool prepare(EditorMode mode, const QStringList& values, const QString& registrationNo,
                 const QString& subNo);

    bool ShumokuSubAdd() { return addRecord(); }
    bool ShumokuSubUpDate() { return updateRecord(); }
    bool ShumokuSubDelete() { return deleteRecord(); }

protected:
    qint64 storeNew(RecordStore& store, const std::optional<QStringList>& texts) override;
    qint64 storeChange(RecordStore& store, const QStringList& texts) override;
    void storeRemove(RecordStore& store) override;
    void showNextNumber() override;
private:
    QLabel* Label5 = nullptr;     // "サブＮＯ"
    QLineEdit* Text1 = nullptr;   // the sub number
    QLabel* Label6 = nullptr;     // "データを残す"
};
