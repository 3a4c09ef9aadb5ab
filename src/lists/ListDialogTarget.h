#pragma once

class ReportListView;
class StatusBar3;

// A window whose list the sort order and in-list find dialogs act on. The dialogs work on
// the rows already in the list and never touch the database.
class ListDialogTarget {
public:
    // The list the dialogs sort and search.
    virtual ReportListView& dialogList() = 0;
    // The window's status bar; panel 1 says what the list shows.
    virtual StatusBar3& dialogStatusBar() = 0;
    // A new sort order moved the rows: the window brings its position text up to date.
    virtual void listReordered() = 0;
    // A find selected a row: the window shows that row as a click on it would.
    virtual void listRowFound() = 0;

protected:
    ~ListDialogTarget() = default;
};
