#include "platform/help/HelpBook.h"

#include "platform/text/TextUtil.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace HelpBook {

namespace {

const QString kRoot = QStringLiteral(":/help/");

QString plainText(const QString& page)
{
    return QTextDocumentFragment::fromHtml(html(page)).toPlainText();
}

}  // namespace

QStringList pages()
{
    return QDir(kRoot).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QUrl pageUrl(const QString& page) { return QUrl(QStringLiteral("qrc:/help/") + page); }

QString pageFor(const QString& windowName)
{
    const QString page = windowName + QStringLiteral(".html");
    if (!windowName.isEmpty() && QFile::exists(kRoot + page)) return page;
    return QString::fromLatin1(kIndex);
}

QString html(const QString& page)
{
    QFile f(kRoot + page);
    if (page.isEmpty() || !f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

QString title(const QString& page)
{
    static const QRegularExpression re(QStringLiteral("<title>(.*?)</title>"),
                                       QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(html(page));
    return m.hasMatch() ? m.captured(1).trimmed() : page;
}

QStringList search(const QString& query)
{
    const QStringList words = text::Trim(query).split(QRegularExpression(QStringLiteral("[ \\x{3000}]+")), Qt::SkipEmptyParts);
    if (words.isEmpty()) return {};
    QStringList found;
    for (const QString& page : pages()) {
        const QString text = title(page) + QLatin1Char('\n') + plainText(page);
        bool all = true;
        for (const QString& w : words) all = all && text::containsText(text, w, 0);
        if (all) found << page;
    }
    if (found.removeOne(QString::fromLatin1(kIndex))) found.prepend(QString::fromLatin1(kIndex));
    return found;
}

QStringList links(const QString& page)
{
    static const QRegularExpression re(QStringLiteral("href\\s*=\\s*\"([^\"#]*)(#[^\"]*)?\""));
    QStringList out;
    auto it = re.globalMatch(html(page));
    while (it.hasNext()) {
        const QString target = it.next().captured(1);
        if (!target.isEmpty() && !target.contains(QLatin1Char(':'))) out << target;
    }
    return out;
}

}  // namespace HelpBook
