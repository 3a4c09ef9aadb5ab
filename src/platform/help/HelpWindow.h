#pragma once
#include <QMainWindow>
#include <QPointer>

class QLineEdit;
class QTextBrowser;
class QAction;

// The help book's window: a text browser over the pages, with back and forward, the index,
// the getting-started page and a search box. It belongs to the window it was opened for, so it
// stays usable while that window is modal, and closes with it.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner = nullptr);

    // Opens the book at the page of `window` (its object name) and brings it to the front.
    // One help window is open at a time; it moves to the window that asks.
    static HelpWindow* showFor(QWidget& window);
    // The help window open now, or null.
    static HelpWindow* current();

    void openPage(const QString& page);
    // Shows the pages that hold every word of `query`, as a page of links.
    void search(const QString& query);
    // The page shown, by file name ("Form7.html"); "" for a search result.
    QString currentPage() const;

private:
    QTextBrowser* browser_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    static QPointer<HelpWindow> current_;
};
