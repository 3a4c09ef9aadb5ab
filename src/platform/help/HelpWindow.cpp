#include "platform/help/HelpWindow.h"

#include "platform/help/HelpBook.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrlQuery>

namespace {

const QString kSearchScheme = QStringLiteral("tanzo-search");

// Pages come from the book; a search address is answered with a page of links made on the spot,
// so back and forward step through searches as through pages.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override
    {
        if (type == QTextDocument::HtmlResource && name.scheme() == kSearchScheme)
            return resultsPage(QUrlQuery(name).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded));
        return QTextBrowser::loadResource(type, name);
    }

private:
    static QString resultsPage(const QString& query)
    {
        const QStringList found = HelpBook::search(query);
        QString body = QStringLiteral("<h1>検索結果</h1><p>「%1」を含むページ：%2件</p>")
                           .arg(query.toHtmlEscaped())
                           .arg(found.size());
        if (found.isEmpty()) {
            body += QStringLiteral("<p>見つかりませんでした。言葉を短くするか、<a href=\"%1\">目次</a>からお探しください。</p>")
                        .arg(HelpBook::pageUrl(QString::fromLatin1(HelpBook::kIndex)).toString());
        } else {
            body += QStringLiteral("<ul>");
            for (const QString& page : found)
                body += QStringLiteral("<li><a href=\"%1\">%2</a></li>")
                            .arg(HelpBook::pageUrl(page).toString(), HelpBook::title(page).toHtmlEscaped());
            body += QStringLiteral("</ul>");
        }
        return QStringLiteral("<html><head><title>検索結果</title><link rel=\"stylesheet\" href=\"%1\"></head><body>%2</body></html>")
            .arg(HelpBook::pageUrl(QStringLiteral("help.css")).toString(), body);
    }
};

}  // namespace

QPointer<HelpWindow> HelpWindow::current_;

HelpWindow::HelpWindow(QWidget* owner) : QMainWindow(owner, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("在庫管理Tanzo ヘルプ"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 600);

    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("browser"));
    browser_->setOpenExternalLinks(false);
    // The book's one style sheet applies to every page, the search results included.
    browser_->document()->setDefaultStyleSheet(HelpBook::html(QStringLiteral("help.css")));
    setCentralWidget(browser_);

    auto* bar = addToolBar(QStringLiteral("ヘルプ"));
    bar->setObjectName(QStringLiteral("helpBar"));
    bar->setMovable(false);
    back_ = bar->addAction(QStringLiteral("戻る"), browser_, &QTextBrowser::backward);
    back_->setObjectName(QStringLiteral("back"));
    back_->setShortcut(QKeySequence::Back);
    forward_ = bar->addAction(QStringLiteral("進む"), browser_, &QTextBrowser::forward);
    forward_->setObjectName(QStringLiteral("forward"));
    forward_->setShortcut(QKeySequence::Forward);
    QAction* index = bar->addAction(QStringLiteral("目次"), this, [this] { openPage(QString::fromLatin1(HelpBook::kIndex)); });
    index->setObjectName(QStringLiteral("index"));
    QAction* start = bar->addAction(QStringLiteral("はじめに"), this, [this] { openPage(QString::fromLatin1(HelpBook::kStart)); });
    start->setObjectName(QStringLiteral("start"));
    bar->addSeparator();
    // Alt+S (the label's letter) and Ctrl+F take the keyboard to the search box.
    auto* searchLabel = new QLabel(QStringLiteral("検索(&S)："), bar);
    bar->addWidget(searchLabel);
    searchBox_ = new QLineEdit(bar);
    searchBox_->setObjectName(QStringLiteral("searchBox"));
    // Screen readers announce the page and the search box by name.
    searchLabel->setBuddy(searchBox_);
    searchBox_->setAccessibleName(QStringLiteral("検索"));
    browser_->setAccessibleName(QStringLiteral("ヘルプ"));
    searchBox_->setPlaceholderText(QStringLiteral("言葉を入れて Enter"));
    searchBox_->setClearButtonEnabled(true);
    bar->addWidget(searchBox_);
    connect(searchBox_, &QLineEdit::returnPressed, this, [this] { search(searchBox_->text()); });
    QAction* find = new QAction(QStringLiteral("検索"), this);
    find->setObjectName(QStringLiteral("find"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] { searchBox_->setFocus(Qt::ShortcutFocusReason); });
    addAction(find);
    // Esc and Ctrl+W put the book away, from the page or from the search box.
    QAction* closeBook = new QAction(QStringLiteral("閉じる"), this);
    closeBook->setObjectName(QStringLiteral("close"));
    closeBook->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)});
    connect(closeBook, &QAction::triggered, this, &QWidget::close);
    addAction(closeBook);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
}

HelpWindow* HelpWindow::showFor(QWidget& window)
{
    if (current_ && current_->parentWidget() != &window) delete current_.data();
    if (!current_) current_ = new HelpWindow(&window);
    current_->openPage(HelpBook::pageFor(window.objectName()));
    current_->show();
    current_->raise();
    current_->activateWindow();
    return current_;
}

HelpWindow* HelpWindow::current() { return current_; }

void HelpWindow::openPage(const QString& page) { browser_->setSource(HelpBook::pageUrl(page)); }

void HelpWindow::search(const QString& query)
{
    QUrl url;
    url.setScheme(kSearchScheme);
    url.setPath(QStringLiteral("results"));
    QUrlQuery q;
    q.addQueryItem(QStringLiteral("q"), query);
    url.setQuery(q);
    browser_->setSource(url, QTextDocument::HtmlResource);
}

QString HelpWindow::currentPage() const
{
    const QUrl url = browser_->source();
    return url.scheme() == kSearchScheme ? QString() : url.fileName();
}
