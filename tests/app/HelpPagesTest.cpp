#include "Builders.h"
#include "Find.h"
#include "TestApp.h"
#include "app/Form1.h"
#include "platform/help/HelpBook.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QRadioButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// A caption as a person reads it: without its access key ("(&F)", "（&Ｈ）", "&(O)", "&"),
// the dots of an item that opens a window, blanks and a closing colon.
QString spoken(QString text)
{
    static const QRegularExpression key(QStringLiteral("&?[(（]&?[A-Za-zＡ-Ｚ][)）]"));
    static const QRegularExpression tail(QStringLiteral("(\\.\\.\\.|…|：|:)$"));
    static const QRegularExpression blanks(QStringLiteral("[\\s\\x{3000}]+"));
    text.remove(key).remove(QLatin1Char('&')).remove(blanks);
    return text.remove(tail);
}

// A control a help page names: by its caption, or, where the caption is the user's own (the
// category buttons, the categories of a menu), by the object names of the controls it stands
// for (data-controls="Command1_0 mf10_*").
struct Mark {
    QString name;
    QStringList objects;
};

QList<Mark> marksOf(const QString& page)
{
    static const QRegularExpression span(
        QStringLiteral("<span class=\"control\"(?: data-controls=\"([^\"]*)\")?>(.*?)</span>"));
    QList<Mark> marks;
    for (auto it = span.globalMatch(HelpBook::html(page)); it.hasNext();) {
        const auto m = it.next();
        marks.push_back({spoken(QTextDocumentFragment::fromHtml(m.captured(2)).toPlainText()),
                         m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts)});
    }
    return marks;
}

bool matches(const QString& pattern, const QString& objectName)
{
    return pattern.endsWith(QLatin1Char('*')) ? objectName.startsWith(pattern.chopped(1)) : objectName == pattern;
}

QList<QAction*> itemsOf(const QList<QAction*>& actions)
{
    QList<QAction*> out;
    for (QAction* a : actions) {
        if (a->isSeparator() || spoken(a->text()).isEmpty()) continue;
        out << a;
        if (a->menu()) out << itemsOf(a->menu()->actions());
    }
    return out;
}

struct Controls {
    std::set<QString> named;                            // every caption a person sees on a control
    std::set<QString> objects;                          // the object names of the controls
    std::vector<std::pair<QString, QString>> required;  // caption and object name of each button and menu item
};

Controls controlsOf(QWidget& w)
{
    // The menus are looked through first, as a person reading the page beside the window does.
    person::openMenus(w);
    Controls c;
    auto add = [&c](const QObject* o, const QString& text, bool required) {
        c.objects.insert(o->objectName());
        const QString name = spoken(text);
        if (name.isEmpty()) return;
        c.named.insert(name);
        if (required) c.required.emplace_back(name, o->objectName());
    };
    for (QWidget* x : w.findChildren<QWidget*>()) {
        if (x->window() != &w && !qobject_cast<QMenu*>(x)) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(x)) {
            // A tool bar's buttons are its actions, counted below.
            if (!qobject_cast<QToolBar*>(b->parentWidget())) add(b, b->text(), qobject_cast<QPushButton*>(b) != nullptr);
        } else if (auto* g = qobject_cast<QGroupBox*>(x)) {
            add(g, g->title(), false);
        } else if (auto* tabs = qobject_cast<QTabWidget*>(x)) {
            for (int i = 0; i < tabs->count(); ++i) add(tabs, tabs->tabText(i), false);
        } else if (auto* l = qobject_cast<QLabel*>(x)) {
            add(l, l->text(), false);
        }
    }
    // The menu bar's items (a heading the menu shows greyed is not an item), the tool bar's
    // buttons, and the entries of the window's pop-up menus.
    if (auto* main = qobject_cast<QMainWindow*>(&w)) {
        for (QAction* a : itemsOf(main->menuBar()->actions())) add(a, a->text(), !a->menu() && a->isEnabled());
        for (QToolBar* bar : main->findChildren<QToolBar*>())
            for (QAction* a : itemsOf(bar->actions())) add(a, a->text(), true);
    }
    for (QMenu* m : w.findChildren<QMenu*>())
        for (QAction* a : itemsOf(m->actions())) add(a, a->text(), false);
    return c;
}

// Each control the window's page names is a control of the window, and each button and menu
// item of the window is named on its page. Records what it finds wrong in `faults`.
void checkPage(QWidget& w, QStringList& checked, QStringList& faults)
{
    const QString page = HelpBook::pageFor(w.objectName());
    if (page == QLatin1String(HelpBook::kIndex) || checked.contains(page)) return;
    checked << page;
    const Controls c = controlsOf(w);
    const QList<Mark> marks = marksOf(page);
    QStringList names, patterns;
    for (const Mark& m : marks) {
        names << m.name;
        patterns << m.objects;
        if (m.objects.isEmpty() && !c.named.count(m.name))
            faults << page + QStringLiteral(" names 「") + m.name + QStringLiteral("」, which the window does not have");
        for (const QString& p : m.objects)
            if (std::none_of(c.objects.begin(), c.objects.end(), [&](const QString& o) { return matches(p, o); }))
                faults << page + QStringLiteral(" names ") + p + QStringLiteral(", which the window does not have");
    }
    for (const auto& [name, object] : c.required) {
        const bool byObject = std::any_of(patterns.begin(), patterns.end(), [&](const QString& p) { return matches(p, object); });
        if (!names.contains(name) && !byObject)
            faults << page + QStringLiteral(" does not name 「") + name + QStringLiteral("」");
    }
}

void trigger(QWidget& w, const char* item)
{
    if (QAction* a = child<QAction>(w, QString::fromLatin1(item))) a->trigger();
}

}  // namespace

// A person opens every window of the program and reads its help page beside it: every control
// the page names is there, and every button and menu item of the window is explained.
TEST(HelpPages, NameEveryButtonAndMenuItemOfTheirWindowAndNothingElse)
{
    TestApp t;
    build::sampleShop(t.app);
    const QString csv = t.dir.path() + QStringLiteral("/in.csv");
    {
        QFile f(csv);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("a,1500,PO\r\n");
    }
    QStringList checked, faults;
    auto look = [&](const QString& name, std::function<void(QWidget&)> then = {}) {
        t.ui.onShow(name, [&, then](QWidget& w) {
            checkPage(w, checked, faults);
            if (then) then(w);
        });
    };

    Form1 main(t.app);
    ASSERT_TRUE(main.start());
    checkPage(main, checked, faults);

    const std::vector<std::pair<const char*, const char*>> fromMain = {
        {"mt11", "Form2a"}, {"mt12", "Form2b"}, {"mt14", "Form2e"}, {"mt15", "Form2f"}, {"mt17", "Form2h"},
        {"mf12", "Form12a"}, {"mf13", "Form12b"}, {"mh12", "Formv"},  {"mkk1", "Form13a"}, {"mkk2", "Form13b"},
        {"mkk3", "Form13c"}};
    for (const auto& [item, window] : fromMain) {
        look(QString::fromLatin1(window));
        trigger(main, item);
    }
    look(QStringLiteral("Form2c"), [&](QWidget& w) {
        auto* category = child<QComboBox>(w, QStringLiteral("Combo1"));
        category->setCurrentIndex(category->findText(QStringLiteral("ＤＶＤ")));
        look(QStringLiteral("Form2d"));
        child<QPushButton>(w, QStringLiteral("Command2"))->click();
    });
    trigger(main, "mt13");
    look(QStringLiteral("Form2ga"), [&](QWidget& w) {
        look(QStringLiteral("Form2gb"));
        child<QPushButton>(w, QStringLiteral("Command2"))->click();
    });
    trigger(main, "mt16");

    look(QStringLiteral("Form10"), [&](QWidget& w) {
        for (const char* name : {"Form10k", "Form10s", "Form11a"}) look(QString::fromLatin1(name));
        child<QMenu>(w, QStringLiteral("mfo1"))->actions().at(0)->trigger();
        for (const char* item : {"mk11", "ms11", "mt1"}) trigger(w, item);
    });
    trigger(main, "mi1");

    auto list = [&](const char* editor, const char* print, const char* confirmation, const char* find,
                    const char* sort) {
        return [&, editor, print, confirmation, find, sort](QWidget& w) {
            for (const char* name : {editor, find, sort}) look(QString::fromLatin1(name));
            look(QString::fromLatin1(print), [&, confirmation](QWidget& p) {
                child<QRadioButton>(p, QStringLiteral("Option3_0"))->click();
                child<QPushButton>(p, QStringLiteral("Command5"))->click();
                look(QString::fromLatin1(confirmation));
                for (QPushButton* b : p.findChildren<QPushButton*>())
                    if (b->text() == QStringLiteral("印刷設定状況確認")) b->click();
            });
            for (const char* item : {"mf11", "mk11", "ms11", "mf15"}) trigger(w, item);
        };
    };
    look(QStringLiteral("Form5"), [&](QWidget& w) {
        list("Form7", "Form5ps", "Form5pp", "Form5k", "Form5s")(w);
        t.ui.answerText(csv);
        look(QStringLiteral("CsvImportDialog"), [](QWidget& d) { child<QPushButton>(d, QStringLiteral("CancelButton"))->click(); });
        trigger(w, "mf17");
        look(QStringLiteral("Form6"), list("Form8", "Form6ps", "Form6pp", "Form6k", "Form6s"));
        child<QPushButton>(w, QStringLiteral("Command1"))->click();
    });
    child<QPushButton>(main, QStringLiteral("Command1_0"))->click();

    look(QStringLiteral("Form5kf"));
    t.ui.answerMenu(QStringLiteral("mk11_0"));
    child<QPushButton>(main, QStringLiteral("Command2"))->click();
    look(QStringLiteral("Form9k"), [&](QWidget& w) {
        look(QStringLiteral("Form9"));
        child<QLineEdit>(w, QStringLiteral("Text1"))->setText(QStringLiteral("歌"));
        child<QPushButton>(w, QStringLiteral("Command1"))->click();
    });
    child<QPushButton>(main, QStringLiteral("Command3"))->click();

    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    // Every page of a window was read beside its window; the others are the book's own.
    QStringList unread;
    for (const QString& page : HelpBook::pages())
        if (!checked.contains(page) && !QStringList{"index.html", "start.html", "CsvExport.html"}.contains(page)) unread << page;
    EXPECT_TRUE(unread.isEmpty()) << unread.join(QLatin1Char(' ')).toStdString();
    // The check knows a control: the main window's own pages name its buttons.
    EXPECT_GT(marksOf(QStringLiteral("Form1.html")).size(), 3);
}
