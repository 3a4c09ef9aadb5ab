#pragma once
#include "core/FieldDefinition.h"
#include "core/PrintSettings.h"
#include "platform/print/PrintFont.h"
#include "platform/print/PrinterBackend.h"
#include "printing/PrintLayout.h"

#include <QDialog>
#include <QStringList>
#include <array>
#include <vector>

class App;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class ReportListView;
class StatusBar3;

// The body shared by the two report print settings windows: which report to make, which
// fields become printed columns, paper, orientation, font, left margin and header title, and
// the layout computation PrinterSet that sets the printer up and measures every column against
// the rows the list window shows.
//
// The window works on its own copy of the print settings. Only OK with a layout that fits the
// paper hands them to the program (and to the print command); the columns are shared by both
// reports, so OK leaves the other report without columns. Cancel clears the report's
// column count so that the next print asks again; closing the window otherwise leaves the
// settings last accepted as they were, and the printer as it was before the window opened.
class PrintSettingsDialog : public QDialog {
    Q_OBJECT
public:
    ~PrintSettingsDialog() override;

protected slots:
    // Run by the twins' constructors once their controls stand.
    void Form_Load();

private slots:
    // A report chosen (index 0 the detail list, 1 the CD-case back list).
    void Option3_Click(int index);
    // The tab control moved to another tab.
    void SSTab1_Click();
    void Command1_Click();  // 選択　＞
    void Command2_Click();  // ＜　削除
    void Command5_Click();  // 全て選択　≫
    void Option1_Click();   // 縦
    void Option2_Click();   // 横
    void Command4_Click();  // Ｏ　Ｋ
    void Command3_Click();  // キャンセル
    void Command6_Click();  // ヘルプ
    void Form_Unload();

public:
    // Sets the printer up from the window's choices and computes the layout into the window's
    // settings. false when the printer refused a setting (the person has been told); the
    // settings computed so far are then not to be used.
    bool PrinterSet();
    static int LenMbcs(const QString& s);

    // The settings as this window has computed them so far.
    const PrintSettings& settings() const { return work_; }
    // Left margin plus every column's width with its gap, from the last complete PrinterSet.
    int totalWidthMm() const { return fit_.totalMm; }
    // True once OK handed the settings over.
    bool settingsAccepted() const { return accepted_; }
    // The texts of the chosen columns, in order.
    QStringList chosenColumns() const;

    // Tab 0: the report
    // Tab 1: the printed fields (the chosen list is the twin's own)
    // Tab 2: the font
    // Tab 3: paper
    // Tab 4: header title
    // Buttons

protected:
    QLabel* Label6 = nullptr;  // heading
    QTabWidget* SSTab1 = nullptr;
    QGroupBox* Frame3 = nullptr;
    std::vector<QRadioButton*> Option3;
    QLabel* Label12 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* Text2 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command6 = nullptr;

    // What the twins tell apart.
    struct Design {
        const char* objectName;
        QString windowName;     // after "<title> Tanzo - "
        QString heading;        // Label6
        QString detailReport;   // Option3(0)
        const char* chosenListName;
        const char* confirmButtonName;
    };

    // category: the category 0..5 the list window shows; fieldNames: the names of the fields
    // of the file printed; rows: the list window's rows measured; listHeading: the list
    // window's heading, the default title; status: the list window's status bar, or null.
    PrintSettingsDialog(App& app, int category, const Design& design, const QStringList& fieldNames,
                        const ReportListView& rows, const QString& listHeading, StatusBar3* status);

    // The report's column count in a settings record.
    virtual qint16& columnCount(PrintSettings& s) const = 0;
    // The header titles from the window's choices (step 4 of PrinterSet).
    virtual void setHeaderTitles(PrintSettings& s);
    // The twin's own controls after a report was chosen.
    virtual void reportChosen() {}
    // The twin's own load: after the shared controls are set.
    virtual void loadOwnControls() {}
    // Opens the twin's confirmation window over the settings just computed.
    virtual void showConfirmation() = 0;

    // The confirmation button: checks the choice, computes the layout and shows the result.
    void confirmClick();

    App& app_;
    const int category_;
    PrintSettings work_;
    const QStringList fieldNames_;
    const ReportListView& rows_;
    const QString listHeading_;
    QWidget* titlePage_ = nullptr;  // tab 4
    QListWidget* chosen_ = nullptr;
    QPushButton* confirm_ = nullptr;

    void closeEvent(QCloseEvent* e) override;
    void done(int result) override;

    // The names of the first count fields of a file.
    static QStringList namesOf(const std::array<FieldDefinition, 8>& fields, int count);

private:
    void buildTabs(const Design& d);
    void showPaperChoice(bool shown);
    void setStatus(const QString& text);
    void errorMessage(const QString& text, const QString& title);
    // The margin box holds a usable margin; otherwise the person is told and false.
    bool marginAccepted();
    void handOver();
    void restorePrinter();

    StatusBar3* status_;
    bool accepted_ = false;
    bool unloaded_ = false;
    bool statusShown_ = false;  // this window's text is in the list's status panel 3
    printlayout::PageFit fit_;
    // The printer as it was when the window opened.
    int savedPaper_ = 0;
    Orientation savedOrientation_ = Orientation::Portrait;
    PrintFont savedFont_;
};
