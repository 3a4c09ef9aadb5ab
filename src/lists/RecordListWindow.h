#pragma once
#include "core/CategoryDefinition.h"
#include "common/PrintJob.h"
#include "common/ScreenPrint.h"
#include "lists/DetailPanel.h"
#include "lists/ListDialogTarget.h"
#include "common/RecordReader.h"
#include "records/RecordEditor.h"

#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class App;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class FindDialog;
class ReportListView;
class SortDialog;
class StatusBar3;

// The body shared by the record list windows (the main record list and the main-and-sub
// list): menus, tool bar, three-panel status bar, the list ListView1, the detail panel, the
// first-tick reading, the column-click sort, the sort order and find dialogs, copy, the view
// toggles, help, close and end, and the hand-over to a record editor with the reading again
// when it closes.
class RecordListWindow : public QMainWindow, public ListDialogTarget {
    Q_OBJECT
public:
    // The captions in which the two windows differ.
    struct Wording {
        QString windowName;  // after "<title> Tanzo - "
        QString mf1, mf10, mf140, mf141, mf16, mf18, me1, mv1, mv11, mk1, ms1, mh1;
    };
    // What status panel 1 says the list shows.
    enum class Showing { AllRecords, SearchResults, OneFound, SubRecords, SortedByColumn };

    static QString showingText(Showing s);
    // "レコード順／総数　　" index " / " count.
    static QString positionText(int index, int count);

    // Set when the window closed to be opened again; the opener shows a fresh one.
    bool reopenRequested() const { return reopen_; }

protected slots:
    // Opening: caption, placement, and the first tick of the timer for the reading; run by
    // the twins' constructors once their controls stand.
    void Form_Load();

private slots:
    virtual void Timer1_Timer() = 0;

    void mf11_Click();  // new record
    void mf12_Click();  // change the shown record
    void mf13_Click();  // delete the shown record
    void mf140_Click();  // screen print: the window
    void mf141_Click();  // screen print: its user-data area
    void mf142_Click();  // screen print: the whole screen
    void mf15_Click();  // print settings
    void mf16_Click();  // print the report
    void mf17_Click();  // take in a CSV file
    void mf18_Click();  // close
    void mf19_Click();  // end the program
    void me11_Click();  // copy
    void me14_Click();  // back to the table order: close and open again
    void mv11_Click(bool on);  // registration number shown / hidden
    void mv12_Click(bool on);  // tool bar hidden / shown
    void mh1_Click();   // help
    void mk11_Click();  // the find dialog
    void ms11_Click();  // the sort order dialog
    void Toolbar1_ButtonClick(const QString& key);
    void ListView1_ItemClick(int row);
    void ListView1_ColumnClick(int column);
    void Text1_Change(int i);
public:
    // The code name of detail row i into Text4(i).
    void SubCodeSet(int i);

    // The tool bar button with this key, or null.
    QAction* toolbarButton(const QString& key) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

    QMenu* mf1 = nullptr;
    QAction* mf10 = nullptr;
    QAction* mf11 = nullptr;
    QAction* mf12 = nullptr;
    QAction* mf13 = nullptr;
    QMenu* mf14 = nullptr;
    QAction* mf140 = nullptr;
    QAction* mf141 = nullptr;
    QAction* mf142 = nullptr;
    QAction* mf15 = nullptr;
    QAction* mf16 = nullptr;
    QAction* mf16v = nullptr;
    QAction* mf16d = nullptr;
    QAction* mf17 = nullptr;
    QAction* mf18 = nullptr;
    QAction* mf19 = nullptr;
    QMenu* me1 = nullptr;
    QAction* me11 = nullptr;
    QAction* me14 = nullptr;
    QMenu* mv1 = nullptr;
    QAction* mv11 = nullptr;
    QAction* mv12 = nullptr;
    QMenu* mk1 = nullptr;
    QAction* mk11 = nullptr;
    QMenu* ms1 = nullptr;
    QAction* ms11 = nullptr;
    QAction* mh1 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    StatusBar3* StatusBar1 = nullptr;
    ReportListView* ListView1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Picture1 = nullptr;

    // category: the category 0..5 listed; detailTop: where the first detail row stands (twips).
    RecordListWindow(App& app, int category, const Wording& wording, int detailTop);

    // Procedures the twins give.
    virtual void showSelectedRow() = 0;            // the selected row into the detail panel
    virtual void readRows() = 0;                   // the rows again, as at opening
    virtual bool editorPreCheck(EditorMode mode) = 0;  // change and delete only
    // Whether the list shows sub records (a CSV file is then taken into the sub file).
    virtual bool listsSubRecords() const { return false; }
    virtual void openEditor(EditorMode mode) = 0;  // builds, prepares and shows the editor
    // The list column that holds each row's own number (the one Text3 shows).
    virtual int numberColumn() const = 0;
    virtual void showRegistrationNumber(bool shown) = 0;
    // The window's own sort order and find dialogs.
    virtual std::unique_ptr<SortDialog> sortDialog() = 0;
    // The report of this list: its settings window, and the print command.
    virtual void openPrintSettings() = 0;
    virtual void printReport(PrintJob::Destination where) = 0;
    virtual std::unique_ptr<FindDialog> findDialog() = 0;
    // The list became empty: nothing is shown any more.
    virtual void clearShownRecord();
    // 元に戻す: the headers and rows of the lists go.
    virtual void clearLists();

    // Reads rows into a list; status panel 3 shows the progress when asked. A database error
    // is shown and the rows read before it stay. Returns the rows taken.
    int readList(ReportListView& list, const RecordReader::Request& request, bool progress);
    // Builds the detail rows for the fields, puts ListView1 under them and makes the
    // window tall enough for it.
    void buildDetail(const std::vector<FieldDefinition>& fields, int listTop, int listHeight);
    // Copies a row into the detail panel without the change events (the caller looks the
    // code names up itself).
    void showRowQuietly(int row);
    // Looks up the code names of every code field of the detail panel.
    void showCodeNames();
    void showWhat(Showing s);
    // Panel 2 from the list's selected row.
    void showPosition();
    // Runs an editor modally and notes the row it stored last; on its close the rows are read
    // again.
    void runEditor(RecordEditor& editor);
    // The category the list shows, and its number 0..5.
    const CategoryDefinition& category() const;
    int categoryIndex() const { return category_; }
    // Closes the window to be opened again by its opener.
    void requestReopen();

    // What the sort order and find dialogs act on: ListView1 and the status bar.
    ReportListView& dialogList() override { return *ListView1; }
    StatusBar3& dialogStatusBar() override { return *StatusBar1; }
    void listReordered() override;
    void listRowFound() override;

    App& app_;
    const int category_;
    QWidget* client_;
    DetailPanel detail;

    // The detail panel's control arrays under their names.
    std::vector<QLabel*>& Label3 = detail.Label3;
    std::vector<QLabel*>& Label4 = detail.Label4;
    std::vector<QLineEdit*>& Text1 = detail.Text1;
    std::vector<QLineEdit*>& Text4 = detail.Text4;

private:
    void buildMenus(const Wording& w);
    // The entries of the ファイル, 編集 and 表示 menus, made when each first opens.
    void fillFileMenu();
    void fillEditMenu();
    void fillViewMenu();
    void buildToolbar();
    // The height of the menu bar and the status bar together, in pixels.
    int barsHeight() const;
    void screenPrint(ScreenPrint::Capture what, PrintJob::Destination where);
    void handOver(EditorMode mode);
    // Reads the rows again and shows the one whose own number is `number`, else the row at
    // `place` (or the last).
    void readAgain(const QString& number, int place);

    Wording wording_;
    std::optional<qint64> storedNumber_;  // the own number of the row the editor stored last
    std::map<QString, void (RecordListWindow::*)()> toolbarHandlers_;
    std::map<QString, QAction*> toolbarButtons_;
    bool reopen_ = false;
};
