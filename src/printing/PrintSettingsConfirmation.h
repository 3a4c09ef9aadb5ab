#pragma once
#include <QDialog>
#include <QStringList>

class App;
class QLabel;
class QListWidget;
class ReportListView;
struct PrintSettings;

// The body shared by the two print settings confirmations (印刷設定状況確認): what the
// settings just computed will produce — the report, every field's measured column width, the
// chosen columns and their total, font size, paper, orientation, margin, the usable width, the
// width left over (or missing) and the header titles. Read only; it has no buttons and is
// closed with the window's close box.
class PrintSettingsConfirmation : public QDialog {
    Q_OBJECT
protected slots:
    // Run by the twins' constructors once their controls stand.
    void Form_Load();

protected:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;  // the report
    QLabel* Label5 = nullptr;
    QListWidget* List1 = nullptr;  // every field
    QListWidget* List2 = nullptr;  // its width
    QLabel* Label6 = nullptr;
    QListWidget* List3 = nullptr;  // the printed fields and the total
    QListWidget* List4 = nullptr;  // their widths
    QLabel* Label13 = nullptr;
    QLabel* Label16 = nullptr;  // font size
    QLabel* Label14 = nullptr;
    QLabel* Label17 = nullptr;  // paper
    QLabel* Label15 = nullptr;
    QLabel* Label18 = nullptr;  // orientation
    QLabel* Label9 = nullptr;
    QLabel* Label8 = nullptr;  // left margin
    QLabel* Label7 = nullptr;
    QLabel* Label10 = nullptr;  // usable width
    QLabel* Label11 = nullptr;  // left over or missing
    QLabel* Label12 = nullptr;  // its width
    QLabel* Label19 = nullptr;
    QLabel* Label20 = nullptr;  // header title (1)

    // settings: as the settings window has just computed them (their page metrics are
    // computed again here); fieldNames: the fields of the file printed; chosen: the settings
    // window's chosen columns; rows: the list window's rows.
    PrintSettingsConfirmation(App& app, const char* objectName, PrintSettings& settings, const QStringList& fieldNames,
                              const QStringList& chosen, const ReportListView& rows);

    // The header title labels.
    virtual void showTitles();

    App& app_;
    PrintSettings& settings_;

private:
    const QStringList fieldNames_;
    const QStringList chosen_;
    const ReportListView& rows_;
};
