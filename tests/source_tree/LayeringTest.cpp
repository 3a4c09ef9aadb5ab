#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#ifndef TANZO_SOURCE_DIR
#error "TANZO_SOURCE_DIR must name the source tree"
#endif
#ifndef TANZO_QT_WIDGET_HEADERS
#error "TANZO_QT_WIDGET_HEADERS must name the include folders of Qt's widget and print-support modules"
#endif

namespace {

// The folders of src/ that include each other: "platform/db" … "core", "lists" … "app".
using IncludeGraph = QMap<QString, QSet<QString>>;

QString folderOf(const QString& relative)
{
    const QStringList parts = relative.split(QLatin1Char('/'));
    if (parts.size() < 2) return QString();
    if (parts[0] == QLatin1String("platform") && parts.size() > 2) return parts[0] + QLatin1Char('/') + parts[1];
    return parts[0];
}

// platform, then core, then the window folders, then app.
int layerOf(const QString& folder)
{
    if (folder.startsWith(QLatin1String("platform/"))) return 0;
    if (folder == QLatin1String("core")) return 1;
    if (folder == QLatin1String("app")) return 3;
    return 2;
}

// Every include that runs up the layers, and every circle between folders.
QStringList layeringProblems(const IncludeGraph& graph)
{
    QStringList problems;
    for (auto it = graph.begin(); it != graph.end(); ++it) {
        for (const QString& to : it.value()) {
            if (layerOf(to) > layerOf(it.key())) problems << it.key() + QStringLiteral(" includes ") + to;
        }
    }
    // A depth-first walk finds a circle as an edge back to a folder still on the path.
    QMap<QString, int> state;  // 1 on the path, 2 done
    QStringList path;
    std::function<void(const QString&)> visit = [&](const QString& from) {
        state[from] = 1;
        path << from;
        for (const QString& to : graph.value(from)) {
            if (to == from) continue;
            if (state.value(to) == 1) {
                problems << QStringLiteral("circle: ") + path.mid(path.indexOf(to)).join(QStringLiteral(" -> ")) +
                                QStringLiteral(" -> ") + to;
            } else if (state.value(to) == 0) {
                visit(to);
            }
        }
        path.removeLast();
        state[from] = 2;
    };
    for (auto it = graph.begin(); it != graph.end(); ++it) {
        if (state.value(it.key()) == 0) visit(it.key());
    }
    return problems;
}

}  // namespace

TEST(SourceTree, TheLayeringCheckFindsIncludesUpAndCircles)
{
    EXPECT_TRUE(layeringProblems({{"lists", {"records", "core", "platform/db"}}, {"records", {"core"}}}).isEmpty());
    EXPECT_EQ(layeringProblems({{"core", {"lists"}}}), QStringList{"core includes lists"});
    EXPECT_EQ(layeringProblems({{"platform/db", {"core"}}}), QStringList{"platform/db includes core"});
    EXPECT_EQ(layeringProblems({{"records", {"app"}}}), QStringList{"records includes app"});
    EXPECT_EQ(layeringProblems({{"lists", {"records"}}, {"records", {"reports"}}, {"reports", {"lists"}}}),
              QStringList{"circle: lists -> records -> reports -> lists"});
}

// Each folder of src/ includes only its own layer and those below it, and no two folders
// need each other; the engine's own header stays inside the database folder.
TEST(SourceTree, FoldersIncludeOnlyDownwardsAndWithoutACircle)
{
    const QString src = QStringLiteral(TANZO_SOURCE_DIR) + QStringLiteral("/src/");
    const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])"));
    IncludeGraph graph;
    QStringList engineOutside;
    int files = 0;
    QDirIterator it(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString from = folderOf(path.mid(src.size()));
        if (from.isEmpty()) continue;
        ++files;
        graph[from];
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            const auto m = include.match(line);
            if (!m.hasMatch()) continue;
            const QString target = m.captured(1);
            if (target == QLatin1String("sqlite3.h") && from != QLatin1String("platform/db")) engineOutside << path;
            const QString to = folderOf(target);
            if (!to.isEmpty() && QFileInfo::exists(src + target) && to != from) graph[from].insert(to);
        }
    }
    EXPECT_GT(files, 100);
    EXPECT_TRUE(graph.contains(QStringLiteral("app")) && graph.contains(QStringLiteral("core")));
    const QStringList problems = layeringProblems(graph);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(engineOutside.isEmpty()) << engineOutside.join(QLatin1Char('\n')).toStdString();
}

namespace {

// The libraries each target of the build links, read from the CMakeLists texts: tanzo_library(name
// links...), add_library(name ...) and target_link_libraries(name [PUBLIC|PRIVATE|INTERFACE] links...).
using LinkGraph = QMap<QString, QStringList>;

void readLinks(const QString& cmakeText, LinkGraph& graph)
{
    static const QRegularExpression comment(QStringLiteral(R"((^|\s)#[^\n]*)"), QRegularExpression::MultilineOption);
    static const QRegularExpression command(QStringLiteral(R"(\b(\w+)\s*\(([^()]*)\))"));
    static const QRegularExpression space(QStringLiteral(R"(\s+)"));
    QString text = cmakeText;
    text.replace(comment, QStringLiteral("\\1"));
    for (auto m = command.globalMatch(text); m.hasNext();) {
        const auto c = m.next();
        const QString verb = c.captured(1);
        const bool links = verb == QLatin1String("tanzo_library") || verb == QLatin1String("target_link_libraries");
        if (!links && verb != QLatin1String("add_library")) continue;
        QStringList args = c.captured(2).split(space, Qt::SkipEmptyParts);
        if (args.isEmpty() || args[0].contains(QLatin1Char('$'))) continue;
        QStringList& to = graph[args.takeFirst()];
        if (!links) continue;
        for (const QString& a : args) {
            if (a == QLatin1String("PUBLIC") || a == QLatin1String("PRIVATE") || a == QLatin1String("INTERFACE")) continue;
            if (!to.contains(a)) to << a;
        }
    }
}

// What core may not link, however it comes to it: the widget libraries of the tree and Qt's
// own widget and print-support modules.
const QStringList kWidgetLibraries = {QStringLiteral("tanzo_widgets"), QStringLiteral("tanzo_capture"),
                                      QStringLiteral("tanzo_ui"),      QStringLiteral("tanzo_help"),
                                      QStringLiteral("tanzo_qtprint"), QStringLiteral("tanzo_common"),
                                      QStringLiteral("Qt6::Widgets"),  QStringLiteral("Qt6::PrintSupport")};

// Each widget library the target reaches, with the way to it: "tanzo_core -> tanzo_print -> Qt6::PrintSupport".
QStringList widgetLinks(const LinkGraph& graph, const QString& target)
{
    QStringList found;
    QSet<QString> seen;
    QStringList path;
    std::function<void(const QString&)> visit = [&](const QString& from) {
        path << from;
        for (const QString& to : graph.value(from)) {
            if (seen.contains(to)) continue;
            seen.insert(to);
            if (kWidgetLibraries.contains(to))
                found << (path + QStringList{to}).join(QStringLiteral(" -> "));
            else
                visit(to);
        }
        path.removeLast();
    };
    visit(target);
    return found;
}

// Whether an include brings widgets: Qt's widget or print-support classes (qtClasses holds
// the names of their headers) or modules, QAction, or a header of the tree's widget libraries.
bool isWidgetInclude(const QString& include, const QSet<QString>& qtClasses)
{
    static const QStringList prefixes = {QStringLiteral("QtWidgets/"), QStringLiteral("QtPrintSupport/"),
                                         QStringLiteral("platform/widgets/"), QStringLiteral("platform/capture/"),
                                         QStringLiteral("platform/help/")};
    static const QStringList headers = {QStringLiteral("QtWidgets"), QStringLiteral("QtPrintSupport"),
                                        QStringLiteral("QAction"), QStringLiteral("platform/ui/QtUi.h"),
                                        QStringLiteral("platform/ui/HelpKey.h"),
                                        QStringLiteral("platform/ui/QtTranslations.h"),
                                        QStringLiteral("platform/print/QtPrinterBackend.h")};
    if (headers.contains(include) || qtClasses.contains(include)) return true;
    return std::any_of(prefixes.begin(), prefixes.end(), [&](const QString& p) { return include.startsWith(p); });
}

// The class headers of Qt's widget and print-support modules, from their include folders.
QSet<QString> qtWidgetClassHeaders()
{
    QSet<QString> names;
    for (const QString& dir : QStringLiteral(TANZO_QT_WIDGET_HEADERS).split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
        for (const QString& name : QDir(dir).entryList(QDir::Files)) {
            if (name.startsWith(QLatin1Char('Q')) && !name.contains(QLatin1Char('.'))) names.insert(name);
        }
    }
    return names;
}

}  // namespace

TEST(SourceTree, TheWidgetCheckFindsCoreLinkingOrIncludingWidgets)
{
    LinkGraph clean;
    readLinks(QStringLiteral("# core: tanzo_library(tanzo_core tanzo_widgets)\n"
                             "tanzo_library(tanzo_core tanzo_db tanzo_print)\n"
                             "add_library(tanzo_print STATIC Printer.cpp)\n"
                             "target_link_libraries(tanzo_print PUBLIC tanzo_text Qt6::Gui)\n"
                             "add_library(tanzo_qtprint STATIC QtPrinterBackend.cpp)\n"
                             "target_link_libraries(tanzo_qtprint PUBLIC tanzo_print Qt6::PrintSupport)\n"),
              clean);
    EXPECT_EQ(clean.value("tanzo_core"), (QStringList{"tanzo_db", "tanzo_print"}));
    EXPECT_EQ(clean.value("tanzo_print"), (QStringList{"tanzo_text", "Qt6::Gui"}));
    EXPECT_TRUE(widgetLinks(clean, "tanzo_core").isEmpty());
    EXPECT_EQ(widgetLinks(clean, "tanzo_qtprint"), QStringList{"tanzo_qtprint -> Qt6::PrintSupport"});

    LinkGraph bad;
    readLinks(QStringLiteral("tanzo_library(tanzo_core tanzo_db tanzo_ui_interface tanzo_capture)\n"
                             "tanzo_library(tanzo_db tanzo_text Qt6::Core)\n"
                             "tanzo_library(tanzo_text Qt6::Core Qt6::Widgets)\n"),
              bad);
    EXPECT_EQ(widgetLinks(bad, "tanzo_core"),
              (QStringList{"tanzo_core -> tanzo_db -> tanzo_text -> Qt6::Widgets", "tanzo_core -> tanzo_capture"}));

    const QSet<QString> qtClasses = {"QWidget", "QLabel", "QMenu", "QLineEdit", "QPrinter"};
    for (const char* include : {"QMenu", "QAction", "QLineEdit", "QPrinter", "QtWidgets", "QtWidgets/QLabel",
                                "QtPrintSupport/qprinter.h", "platform/widgets/StatusBar3.h",
                                "platform/capture/ScreenCapture.h", "platform/ui/QtUi.h", "platform/ui/HelpKey.h",
                                "platform/print/QtPrinterBackend.h"})
        EXPECT_TRUE(isWidgetInclude(QString::fromLatin1(include), qtClasses)) << include;
    for (const char* include : {"QString", "QColor", "QImage", "platform/ui/Ui.h", "platform/print/Printer.h",
                                "core/App.h", "platform/text/TextUtil.h"})
        EXPECT_FALSE(isWidgetInclude(QString::fromLatin1(include), qtClasses)) << include;
}

// Core is the program without its windows: its library links no widget library, however
// indirectly, and none of its files includes a widget header.
TEST(SourceTree, CoreLinksAndIncludesNoWidgets)
{
    const QString src = QStringLiteral(TANZO_SOURCE_DIR) + QStringLiteral("/src/");
    LinkGraph graph;
    QDirIterator lists(src, {QStringLiteral("CMakeLists.txt")}, QDir::Files, QDirIterator::Subdirectories);
    while (lists.hasNext()) {
        QFile f(lists.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        readLinks(QString::fromUtf8(f.readAll()), graph);
    }
    ASSERT_TRUE(graph.value("tanzo_core").contains("tanzo_db")) << "the links of tanzo_core were not read";
    ASSERT_TRUE(graph.value("tanzo_widgets").contains("Qt6::Widgets")) << "the links of tanzo_widgets were not read";
    const QStringList links = widgetLinks(graph, QStringLiteral("tanzo_core"));
    EXPECT_TRUE(links.isEmpty()) << links.join(QLatin1Char('\n')).toStdString();

    const QSet<QString> qtClasses = qtWidgetClassHeaders();
    ASSERT_TRUE(qtClasses.contains("QWidget") && qtClasses.contains("QPrinter")) << TANZO_QT_WIDGET_HEADERS;
    const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s*[<"]([^>"]+)[>"])"));
    QStringList offenders;
    int files = 0;
    QDirIterator it(src + QStringLiteral("core"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            const auto m = include.match(line);
            if (m.hasMatch() && isWidgetInclude(m.captured(1), qtClasses)) offenders << path + QStringLiteral(": ") + line;
        }
    }
    EXPECT_GT(files, 30);
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(QLatin1Char('\n')).toStdString();
}
