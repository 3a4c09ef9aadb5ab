#pragma once
#include "core/ListRequest.h"
#include "common/ShowUntilDone.h"
#include "lists/RecordListWindow.h"

class QPushButton;

// The main record list of a category (種目別メイン明細): all records, the records found by
// the field search, or the one record found by the all-files search, with the shown
// record's fields above the list and a button to its sub records.
class Form5 : public RecordListWindow {
    Q_OBJECT
public:
    explicit Form5(App& app, const ListRequest& shown = {});
    // Shows the list modally, again as long as it closes to be reopened.
    static void run(App& app, const ListRequest& shown = {}) { ::showUntilDone<Form5>(app, shown); }
    // What the list was opened to show.
    const ListRequest& shown() const { return shown_; }

private slots:
    void Timer1_Timer() override;
    void Command1_Click();
    void Text3_Change();
    void ListView1_LostFocus();

public:
    void SubListViewHD();
    void SubListViewSet();
    void SubListViewKensaku();
    void SubListViewOne();
    void Text123Set();
    void SubRcCk();
    // The sub records of the shown record, counted when it was shown.
    int subRecordCount() const { return subRecordCount_; }

protected:
    void showSelectedRow() override { Text123Set(); }
    void readRows() override;
    bool editorPreCheck(EditorMode mode) override;
    void openEditor(EditorMode mode) override;
    int numberColumn() const override { return static_cast<int>(fields_.size()); }
    void showRegistrationNumber(bool shown) override;
    std::unique_ptr<SortDialog> sortDialog() override;
    void openPrintSettings() override;
    void printReport(PrintJob::Destination where) override;
    std::unique_ptr<FindDialog> findDialog() override;

private:
    QLabel* Label5 = nullptr;         // "登録ＮＯ"
    QPushButton* Command1 = nullptr;  // the sub records of the shown record

    RecordReader::Request request(RecordReader::RowFilter filter, const QString& nullText = QString()) const;
    void refreshSubRecordButton();

    ListRequest shown_;
    std::vector<FieldDefinition> fields_;
    int subRecordCount_ = 0;  // sub records of the shown record
};
