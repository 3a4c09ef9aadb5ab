#include "platform/ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installQtTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_ja"), dir)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}
