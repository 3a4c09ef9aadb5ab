#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>

// The pages of the help book, built into the program. Every window of the program has a page
// named after the window ("Form7.html"); the book also has its index ("index.html") and a page
// on getting started ("start.html").
namespace HelpBook {

inline constexpr const char* kIndex = "index.html";
inline constexpr const char* kStart = "start.html";

// Every page of the book by file name, in name order.
QStringList pages();
// The address of a page in the resources ("qrc:/help/Form7.html").
QUrl pageUrl(const QString& page);
// The page of a window, by the window's name; the index when the window has none.
QString pageFor(const QString& windowName);
// A page's HTML text; empty when the book has no such page.
QString html(const QString& page);
// A page's title (its <title> element).
QString title(const QString& page);
// The pages whose text holds every word of `query` (words split at blanks), compared as the
// lists compare text: full and half width, kana and case alike. Index first, then name order.
QStringList search(const QString& query);
// The local pages a page links to (href targets without their fragment), in order.
QStringList links(const QString& page);

}  // namespace HelpBook
