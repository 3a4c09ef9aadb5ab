#pragma once
#include "core/FieldDefinition.h"
#include "core/SearchConditions.h"
#include "lists/ListDialogTarget.h"

#include <QMainWindow>
#include <QString>
#include <vector>

class App;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class ReportListView;
class StatusBar3;
struct CategoryDefinition;

// The inquiry browser (照会): read only. The person opens a category from the menu, with
// all its main records or with those the search-and-open dialog finds; the main records
// stand in ListView1 and the sub records of the selected main record in ListView2. From
// here the all-files search, the code viewer, the sort order and find dialogs and the
// screen print are reached. The window never writes to the database.
class Form10 : public QMainWindow, public ListDialogTarget {
    Q_OBJECT
public:
    explicit Form10(App& app);

    // "メイン明細レコード順／総数 　　" index " / " count.
    static QString positionText(int index, int count);

private slots:
    // Opening: caption, placement, the category captions of the menus; nothing is open.
    void Form_Load();
public:
    // The category open in the browser (0..5; 0 before one is chosen).
    int openCategory() const { return category_; }
    // The 開く and 検索して開く entries: named categories with a main file, by name.
    void Menuopen();
    void Menukensaku();

private slots:
    void mf10_Click(int k);  // category k+1 with all its records
    void mf11_Click(int k);  // category k+1 with the records the search finds
    void mff2_Click();       // the all-files search
    void mf15_Click();       // screen print of this window
    void mf12_Click();       // close
    void mf13_Click();       // end the program
    void mt1_Click();        // the code viewer
    void mk11_Click();       // the find dialog
    void ms11_Click();       // the sort order dialog
    void mh1_Click();        // help

public:
    void SubListViewHD();
    void SubListViewSet();
    void SubListViewKensaku();
    // Label5 and the position text from the selected main row.
    void Txt1Label5Set();
    // The sub list: headers and the sub records of the number in Label5.
    void ListView2List();

private slots:
    void ListView1_ItemClick(int row);
    void ListView1_ColumnClick(int column);
    // Label5 changed: the sub list follows it.
    void Label5_Change();
    void ListView2_LostFocus();

public:
    // Sets Label5; a change of its text runs Label5_Change, as the caption's change event does.
    void setLabel5(const QString& text);

protected:
    // What the sort order and find dialogs act on: the main list and the status bar.
    ReportListView& dialogList() override { return *ListView1; }
    StatusBar3& dialogStatusBar() override { return *StatusBar1; }
    void listReordered() override;
    // A found row is shown as a click on it would: its sub records follow.
    void listRowFound() override;

private:
    QLabel* Label1 = nullptr;  // "照　会"
    QLabel* Label2 = nullptr;  // "種目区分："
    QLabel* Label3 = nullptr;  // the open category's name
    QLabel* Label4 = nullptr;  // "登録ＮＯ："
    QLabel* Label5 = nullptr;  // the selected main record's number
    QLabel* Label6 = nullptr;  // "メイン明細"
    QLabel* Label7 = nullptr;  // "サブ明細"
    ReportListView* ListView1 = nullptr;  // main records
    ReportListView* ListView2 = nullptr;  // sub records of the selected main record
    QPlainTextEdit* Text2 = nullptr;      // how to begin, until a category is open
    StatusBar3* StatusBar1 = nullptr;
    QLabel* Picture1 = nullptr;
    QMenu* mf1 = nullptr;
    QMenu* mfo1 = nullptr;
    std::vector<QAction*> mf10;  // 0..5
    QMenu* mff1 = nullptr;
    std::vector<QAction*> mf11;  // 0..5
    QAction* mff2 = nullptr;
    QAction* mf15 = nullptr;
    QAction* mf12 = nullptr;
    QAction* mf13 = nullptr;
    QAction* mt1 = nullptr;
    QMenu* mk1 = nullptr;
    QAction* mk11 = nullptr;
    QMenu* ms1 = nullptr;
    QAction* ms11 = nullptr;
    QAction* mh1 = nullptr;

    void buildMenus();
    // False, with the message, when category k has no main file.
    bool mainFileReady(int k);
    // Makes category k the open one, for the list mode.
    void chooseCategory(int k);
    // The main list without headers and rows, in table order again.
    void clearMainList();
    // After a reading: the first row selected and its sub records shown.
    void showFirstRow();
    // Panel 2 from the selected main row.
    void showPosition();
    const CategoryDefinition& category() const;

    App& app_;
    QWidget* client_ = nullptr;
    int category_ = 0;                     // the open category 0..5
    std::vector<FieldDefinition> fields_;  // main fields of the open category
    SearchConditions search_;              // the conditions of the last search-and-open here
};
