#pragma once
#include "records/RecordEditor.h"

#include <optional>

// The main record editor: adds, changes and deletes a row of the category's main file. New
// rows take the category's next registration number.
class Form7 : public RecordEditor {
    Q_OBJECT
public:
    // The editor of category 0..5.
    Form7(App& app, int category);

    // values = the list's detail texts in field order (change/delete; ignored for New);
    // registrationNo = the chosen row's number (change/delete; New takes the next number itself).
    // False, after its message, when the row is gone or cannot be read: the editor stays shut.
    bool prepare(EditorMode mode, const QStringList& values, const QString& registrationNo);

    bool ShumokuAdd() { return addRecord(); }
    bool ShumokuUpDate() { return updateRecord(); }
    bool ShumokuDelete() { return deleteRecord(); }

protected:
    qint64 storeNew(RecordStore& store, const std::optional<QStringList>& texts) override;
    qint64 storeChange(RecordStore& store, const QStringList& texts) override;
    void storeRemove(RecordStore& store) override;
    void showNextNumber() override;

private:
    QLabel* Label5 = nullptr;  // "データを残す"
};
