#pragma once
#include "core/SearchConditions.h"

#include <QMainWindow>
#include <QStringList>
#include <optional>
#include <vector>

class App;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class ReportListView;
class StatusBar3;

// The all-files search (全ファイル検索): asks for a text, then finds it in every text field of
// every main and sub file and lists each hit with where it was found; the selected hit's
// whole record shows above the list, and 編集 opens that one record in its record list.
// Opened from the inquiry browser it offers no 編集.
class Form9 : public QMainWindow {
    Q_OBJECT
public:
    enum class OpenedFrom { MainWindow, InquiryBrowser };
    explicit Form9(App& app, OpenedFrom from = OpenedFrom::MainWindow);
    // Shows the window modally, again as long as 検索条件 asks for a new search.
    static void run(App& app, OpenedFrom from);

    bool reopenRequested() const { return reopen_; }
    int hitCount() const { return hitCount_; }

private slots:
    // Opening: caption and placement, then the search in the first tick of the timer.
    void Form_Load();
    void Timer1_Timer();

public:
    void SubListViewHD();
    void SubListViewKensaku();
    void Txt1234Set();
    void ListView2List();

private slots:
    void ListView1_ItemClick(int row);
    void ListView1_ColumnClick(int column);
    void ListView2_LostFocus();
    void Text2_Change();

    void mf11_Click();  // 編集: the hit's record in its record list
    void mf12_Click();  // screen print of the window
    void mf13_Click();  // close
    void mk1_Click();   // a new search
    void mv11_Click(bool on);  // file name and numbers shown / hidden
    void mh1_Click();   // help

public:
    // Hit list columns.
    enum Column { FoundText, CategoryName, FieldName, FileName, RegistrationNo, SubNo };

private:
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* Text2 = nullptr;  // table of the selected hit
    QLineEdit* Text3 = nullptr;  // its registration number
    QLineEdit* Text4 = nullptr;  // its sub number
    ReportListView* ListView1 = nullptr;  // the hits
    ReportListView* ListView2 = nullptr;  // the selected hit's record
    StatusBar3* StatusBar1 = nullptr;
    QMenu* mf1 = nullptr;
    QAction* mf10 = nullptr;
    QAction* mf11 = nullptr;
    QAction* mf12 = nullptr;
    QAction* mf13 = nullptr;
    QAction* mk1 = nullptr;
    QMenu* mv1 = nullptr;
    QAction* mv11 = nullptr;
    QAction* mh1 = nullptr;

    struct FileRef {
        int category;
        bool sub;
    };
    // The created main or sub file whose table name is this text.
    std::optional<FileRef> fileNamed(const QString& table) const;
    void showPosition();
    void buildMenus();

    App& app_;
    QWidget* client_ = nullptr;
    int fileCount_ = 0;      // files that exist
    int hitCount_ = 0;
    bool reopen_ = false;
    OpenedFrom from_;
    SearchConditions search_;  // the text sought and its case mode
};
