#include "app/window/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installQtTranslations(QCoreApplication& application)
{
    // Tries qtbase_<language>.qm for each of the UI languages in turn
    // (de_CH: qtbase_de_CH, qtbase_de).
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
