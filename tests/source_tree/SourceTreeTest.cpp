#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#ifndef TANZO_SOURCE_DIR
#error "TANZO_SOURCE_DIR must name the source tree"
#endif

// Every message box, input box and common dialog goes through the Ui service: no other
// folder may open one itself.
TEST(SourceTree, DialogsOpenOnlyInsideTheUiService)
{
    const QString src = QStringLiteral(TANZO_SOURCE_DIR) + QStringLiteral("/src");
    const QRegularExpression direct(QStringLiteral(
        R"((QMessageBox|QInputDialog|QColorDialog|QFontDialog|QFileDialog|QPrintDialog)\s*(::|\b\w+\s*[\(\{;])|\.exec\s*\(\s*\)|->exec\s*\(\s*\))"));
    // The pattern knows a dialog when it sees one.
    for (const char* sample : {"QMessageBox::warning(this, t, m);", "QFileDialog dlg(this);", "dlg.exec();",
                               "QInputDialog::getText(w, a, b);", "box->exec( );"})
        EXPECT_TRUE(direct.match(QString::fromLatin1(sample)).hasMatch()) << sample;
    for (const char* sample : {"menu.exec(pos);", "return QApplication::exec();", "ui.msgBox(text, b, i, t);"})
        EXPECT_FALSE(direct.match(QString::fromLatin1(sample)).hasMatch()) << sample;

    QStringList offenders;
    int files = 0;
    QDirIterator it(src, {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        if (path.contains(QStringLiteral("/src/platform/ui/"))) continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
        int lineNo = 0;
        for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            ++lineNo;
            if (direct.match(line).hasMatch()) offenders << QStringLiteral("%1:%2: %3").arg(path).arg(lineNo).arg(line.trimmed());
        }
    }
    EXPECT_GT(files, 10);
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(QLatin1Char('\n')).toStdString();
}
