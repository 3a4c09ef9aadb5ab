#include <QDirIterator>
#include <QFileInfo>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

#ifndef TANZO_SOURCE_DIR
#error "TANZO_SOURCE_DIR must name the source tree"
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
