#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

#ifndef TANZO_SOURCE_DIR
#error "TANZO_SOURCE_DIR must name the source tree"
#endif

namespace {

struct ProcessResult {
    int code = -1;
    QString output;
};

ProcessResult run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000)) return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAll())};
}

QString entryValue(const QString& entry, const QString& key)
{
    for (const QString& line : entry.split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char('='))) return line.mid(key.size() + 1);
    return {};
}

}  // namespace

// The installer writes an entry the desktop accepts, starting the program of the folder it was
// given even when the folder's name holds characters the entry has to escape.
TEST(DesktopEntry, InstallsAValidEntryAndTheIconItNames)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString programDir = tmp.filePath(QStringLiteral("在庫 \"a\" $b`c\\d"));
    ASSERT_TRUE(QDir().mkpath(programDir));
    const QString dataHome = tmp.filePath(QStringLiteral("share"));
    const ProcessResult install = run(QStringLiteral("bash"), {QStringLiteral(TANZO_SOURCE_DIR "/desktop/install-desktop.sh"), programDir, dataHome});
    ASSERT_EQ(install.code, 0) << install.output.toStdString();

    const QString entryPath = dataHome + QStringLiteral("/applications/tanzo.desktop");
    const ProcessResult validate = run(QStringLiteral("desktop-file-validate"), {entryPath});
    EXPECT_EQ(validate.code, 0) << validate.output.toStdString();
    EXPECT_TRUE(validate.output.trimmed().isEmpty()) << validate.output.toStdString();

    QFile f(entryPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(f.readAll());
    EXPECT_EQ(entryValue(entry, QStringLiteral("Name")).toStdString(), std::string("在庫管理Tanzo"));
    EXPECT_EQ(entryValue(entry, QStringLiteral("Categories")).toStdString(), "Office;");
    // Undoing both escapes gives back the program's own path.
    EXPECT_EQ(entryValue(entry, QStringLiteral("Exec")).toStdString(),
              QStringLiteral("\"%1/在庫 \\\\\"a\\\\\" \\\\$b\\\\`c\\\\\\\\d/tanzo\"").arg(tmp.path()).toStdString());

    const QString icon = entryValue(entry, QStringLiteral("Icon"));
    QFile svg(dataHome + QStringLiteral("/icons/hicolor/scalable/apps/") + icon + QStringLiteral(".svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly)) << svg.fileName().toStdString();
    QXmlStreamReader xml(&svg);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    while (!xml.atEnd()) xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}
