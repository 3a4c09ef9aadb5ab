#pragma once
#include "printing/PrintSettingsDialog.h"

// Print settings for the report of the main record list (印刷設定): the detail list or the
// CD-case back list of the records the list shows.
class Form5ps : public PrintSettingsDialog {
    Q_OBJECT
public:
    // rows: the list's ListView1; listHeading: its heading Label1 (the category name), the
    // title when none is typed; status: its status bar, which shows the work in panel 3.
    // category: the category 0..5 the list shows.
    Form5ps(App& app, int category, const ReportListView& rows, const QString& listHeading, StatusBar3* status = nullptr);

    // Shows the window modally (the list's 印刷設定).
    static void run(App& app, int category, const ReportListView& rows, const QString& listHeading,
                    StatusBar3* status = nullptr);

private slots:
    // 印刷設定状況確認
    void Command7_Click() { confirmClick(); }

public:
    QListWidget* List2 = nullptr;     // the printed fields, in order
    QPushButton* Command7 = nullptr;  // 印刷設定状況確認

protected:
    qint16& columnCount(PrintSettings& s) const override { return s.mainColumnCount; }
    void showConfirmation() override;
};
