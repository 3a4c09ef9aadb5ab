#pragma once
#include "core/ListRequest.h"
#include "common/ShowUntilDone.h"
#include "lists/RecordListWindow.h"

// The sub records of one main record (種目別サブ明細): the main record as the one row of
// ListView2, its sub records in ListView1, the selected sub record field by field.
class Form6 : public RecordListWindow {
    Q_OBJECT
public:
    Form6(App& app, const ListRequest& shown);
    // Shows the list modally, again as long as it closes to be reopened.
    static void run(App& app, const ListRequest& shown) { ::showUntilDone<Form6>(app, shown); }
    // What the list was opened to show.
    const ListRequest& shown() const { return shown_; }

private slots:
    void Timer1_Timer() override;

public:
    void SubListViewHD();
    void SubListViewSet();
    void ListView2List();
    void Text1235Set();

protected:
    void showSelectedRow() override { Text1235Set(); }
    void readRows() override;
    bool listsSubRecords() const override { return true; }
    bool editorPreCheck(EditorMode mode) override;
    void openEditor(EditorMode mode) override;
    int numberColumn() const override { return static_cast<int>(fields_.size()) + 1; }
    void showRegistrationNumber(bool shown) override;
    std::unique_ptr<SortDialog> sortDialog() override;
    void openPrintSettings() override;
    void printReport(PrintJob::Destination where) override;
    std::unique_ptr<FindDialog> findDialog() override;
    void clearShownRecord() override;
    void clearLists() override;

private:
    ReportListView* ListView2 = nullptr;  // the main record
    QLabel* Label5 = nullptr;             // "登録ＮＯ："
    QLineEdit* Text2 = nullptr;           // the main record's number
    QLabel* Label6 = nullptr;             // "サブＮＯ："
    QLabel* Label7 = nullptr;             // "(メイン・レコード)"
    QLabel* Label8 = nullptr;             // "(サブ・レコード)"

    ListRequest shown_;
    std::vector<FieldDefinition> fields_;
};
