#include "platform/db/EngineFailure.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

#ifndef TANZO_SOURCE_DIR
#error "TANZO_SOURCE_DIR must name the source tree"
#endif

// The back ends share one table of engine messages: each message is written once in the
// sources, and the engine's own header names nothing of the file engine.
TEST(SourceTree, EachEngineMessageIsWrittenOnce)
{
    const QString src = QStringLiteral(TANZO_SOURCE_DIR) + QStringLiteral("/src");
    QStringList sources;
    QDirIterator it(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
        sources << QString::fromUtf8(f.readAll());
    }
    ASSERT_GT(sources.size(), 100);
    for (int k = 0; k <= int(db::EngineFailure::Other); ++k) {
        const QString text = db::failureText(db::EngineFailure(k));
        qsizetype written = 0;
        for (const QString& s : sources) written += s.count(text);
        EXPECT_EQ(written, 1) << text.toStdString();
    }

    QFile header(src + QStringLiteral("/platform/db/Database.h"));
    ASSERT_TRUE(header.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(header.readAll());
    EXPECT_FALSE(text.contains(QStringLiteral("sqlite3")) || text.contains(QStringLiteral("SqliteBackend")));
}
