#pragma once
#include "printing/PrintSettingsDialog.h"

#include <QRect>
#include <array>

// Print settings for the report of the main-and-sub list (印刷設定(サブ)): the detail list or
// the CD-case back list of the sub records the list shows. The CD-case back list has a second
// title; both titles may be taken from the values of the main record.
class Form6ps : public PrintSettingsDialog {
    Q_OBJECT
public:
    // subRows: the list's sub list ListView1 (measured); mainRow: its main list ListView2 (the
    // main record's values offered as titles); listHeading: its heading Label1, the title of
    // the detail list when none is typed; status: its status bar.
    // category: the category 0..5 the list shows.
    Form6ps(App& app, int category, const ReportListView& subRows, const ReportListView& mainRow,
            const QString& listHeading, StatusBar3* status = nullptr);

    // Shows the window modally (the list's 印刷設定).
    static void run(App& app, int category, const ReportListView& subRows, const ReportListView& mainRow,
                    const QString& listHeading, StatusBar3* status = nullptr);

private slots:
    void Command7_Click();  // 挿入 ≫ into title 1
    void Command8_Click();  // 挿入 ≫ into title 2
    void Command9_Click() { confirmClick(); }

public:
    QListWidget* List3 = nullptr;  // the printed fields, in order
    QListWidget* List2 = nullptr;  // the main record's values
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPushButton* Command9 = nullptr;  // 印刷設定状況確認

protected:
    qint16& columnCount(PrintSettings& s) const override { return s.subColumnCount; }
    void setHeaderTitles(PrintSettings& s) override;
    void reportChosen() override;
    void loadOwnControls() override;
    void showConfirmation() override;

private:
    void showSecondTitle(bool shown);
    // The main record's value offered at index i, trimmed; "" when there is none.
    QString mainValue(int i) const;

    const ReportListView& mainRow_;
    // Where title 1 stands alone (detail list) and beside the main record's values (CD case).
    std::array<QRect, 3> titleAlone_;
    std::array<QRect, 3> titleBeside_;
};
