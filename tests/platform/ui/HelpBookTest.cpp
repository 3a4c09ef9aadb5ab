#include "platform/help/HelpBook.h"
#include "platform/help/HelpWindow.h"
#include "platform/ui/QtUi.h"

#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#ifndef TANZO_SOURCE_DIR
#error "TANZO_SOURCE_DIR must name the source tree"
#endif

namespace {

// Every window class of the program, by scanning the sources for "class FormXxx :".
QStringList windowClasses()
{
    static const QRegularExpression cls(QStringLiteral(R"(^class\s+(Form\w+)\s*:)"), QRegularExpression::MultilineOption);
    QSet<QString> names;
    QDirIterator it(QStringLiteral(TANZO_SOURCE_DIR "/src"), {QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly)) continue;
        for (auto m = cls.globalMatch(QString::fromUtf8(f.readAll())); m.hasNext();) names << m.next().captured(1);
    }
    QStringList out(names.begin(), names.end());
    out.sort();
    return out;
}

}  // namespace

TEST(HelpBook, EveryWindowHasAPageAndEveryLinkLeadsToAPage)
{
    const QStringList windows = windowClasses();
    ASSERT_GT(windows.size(), 30);  // the scan finds the program's windows
    EXPECT_TRUE(windows.contains(QStringLiteral("Form1")) && windows.contains(QStringLiteral("Form13c")));

    const QStringList pages = HelpBook::pages();
    QStringList missing;
    for (const QString& w : windows)
        if (HelpBook::pageFor(w) != w + QStringLiteral(".html")) missing << w;
    EXPECT_TRUE(missing.isEmpty()) << "windows without a page: " << missing.join(QLatin1Char(' ')).toStdString();

    // Every link leads to a page or file of the book; every page has a title and the style
    // sheet, and can be reached from the index.
    QSet<QString> fromIndex;
    QStringList broken;
    for (const QString& page : pages) {
        EXPECT_NE(HelpBook::title(page), page) << page.toStdString() << " has no title";
        EXPECT_TRUE(HelpBook::links(page).contains(QStringLiteral("help.css"))) << page.toStdString();
        for (const QString& target : HelpBook::links(page)) {
            if (!QFile::exists(QStringLiteral(":/help/") + target)) broken << page + QStringLiteral(" → ") + target;
            if (page == QLatin1String(HelpBook::kIndex)) fromIndex << target;
        }
    }
    EXPECT_TRUE(broken.isEmpty()) << broken.join(QLatin1Char('\n')).toStdString();
    for (const QString& page : pages)
        if (page != QLatin1String(HelpBook::kIndex)) {
            EXPECT_TRUE(fromIndex.contains(page)) << page.toStdString() << " is not in the index";
        }

    // A window without a page opens the index rather than nothing.
    EXPECT_EQ(HelpBook::pageFor(QStringLiteral("NoSuchWindow")), QStringLiteral("index.html"));
    EXPECT_EQ(HelpBook::pageFor(QString()), QStringLiteral("index.html"));
    EXPECT_TRUE(HelpBook::html(QStringLiteral("NoSuchWindow.html")).isEmpty());
}

TEST(HelpBook, SearchFoldsWidthKanaAndCaseAndNeedsEveryWord)
{
    const QStringList backup = HelpBook::search(QStringLiteral("バックアップ"));
    EXPECT_TRUE(backup.contains(QStringLiteral("Form12a.html")));
    // Half-width katakana and hiragana find the same pages.
    EXPECT_EQ(HelpBook::search(QStringLiteral("ﾊﾞｯｸｱｯﾌﾟ")), backup);
    EXPECT_EQ(HelpBook::search(QStringLiteral("ばっくあっぷ")), backup);
    // Every word must be on the page; blanks of either width separate words.
    const QStringList both = HelpBook::search(QStringLiteral("バックアップ　復元"));
    EXPECT_FALSE(both.isEmpty());
    for (const QString& p : both) EXPECT_TRUE(backup.contains(p));
    EXPECT_LE(both.size(), backup.size());
    EXPECT_TRUE(HelpBook::search(QStringLiteral("バックアップ ぞうきんがけ")).isEmpty());
    EXPECT_TRUE(HelpBook::search(QStringLiteral("　 ")).isEmpty());
}

TEST(HelpWindow, BackForwardIndexAndSearchFromItsOwnControls)
{
    QWidget owner;
    owner.setObjectName(QStringLiteral("Form5"));
    HelpWindow* help = HelpWindow::showFor(owner);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->parentWidget(), &owner);
    EXPECT_EQ(help->currentPage(), QStringLiteral("Form5.html"));
    auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("browser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(browser->toPlainText().isEmpty());

    auto action = [&](const char* name) { return help->findChild<QAction*>(QString::fromLatin1(name)); };
    EXPECT_FALSE(action("back")->isEnabled());
    action("index")->trigger();
    EXPECT_EQ(help->currentPage(), QStringLiteral("index.html"));
    EXPECT_TRUE(action("back")->isEnabled());
    action("start")->trigger();
    EXPECT_EQ(help->currentPage(), QStringLiteral("start.html"));
    action("back")->trigger();
    action("back")->trigger();
    EXPECT_EQ(help->currentPage(), QStringLiteral("Form5.html"));
    EXPECT_TRUE(action("forward")->isEnabled());
    action("forward")->trigger();
    EXPECT_EQ(help->currentPage(), QStringLiteral("index.html"));

    // A search typed into the box lists the pages that hold the word, as links.
    auto* box = help->findChild<QLineEdit*>(QStringLiteral("searchBox"));
    ASSERT_NE(box, nullptr);
    box->setText(QStringLiteral("ﾘｽﾄｱ"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(help->currentPage().isEmpty());
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("検索結果")));
    EXPECT_TRUE(browser->toHtml().contains(QStringLiteral("Form12b.html")));
    action("back")->trigger();
    EXPECT_EQ(help->currentPage(), QStringLiteral("index.html"));
    box->setText(QStringLiteral("ぞうきんがけ"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("見つかりませんでした")));

    // Another window asking moves the one help window to it; the first one's closes.
    QPointer<HelpWindow> first = help;
    QWidget other;
    other.setObjectName(QStringLiteral("Form12a"));
    HelpWindow* second = HelpWindow::showFor(other);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(second->parentWidget(), &other);
    EXPECT_EQ(second->currentPage(), QStringLiteral("Form12a.html"));
    EXPECT_EQ(HelpWindow::current(), second);
}

TEST(HelpWindow, TheProgramsUiOpensTheBookForTheWindowThatAsks)
{
    QtUi ui;
    QWidget window;
    window.setObjectName(QStringLiteral("Form2a"));
    ui.sendHelpKey(window);
    ASSERT_NE(HelpWindow::current(), nullptr);
    EXPECT_EQ(HelpWindow::current()->parentWidget(), &window);
    EXPECT_EQ(HelpWindow::current()->currentPage(), QStringLiteral("Form2a.html"));
    EXPECT_TRUE(HelpWindow::current()->isVisible());
}
