#include "core/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

bool KivQtTranslations::install(QCoreApplication &app)
{
    // German whatever language the desktop speaks: the program's own texts are German too.
    const QLocale german(QLocale::German, QLocale::Germany);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qt_de" names the files of all modules; the base module's file alone serves where it is missing.
    for (const QString &name : {QStringLiteral("qt"), QStringLiteral("qtbase")}) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(german, name, QStringLiteral("_"), folder)
            && QCoreApplication::installTranslator(translator.get())) {
            translator.release()->setParent(&app);
            return true;
        }
    }
    return false;
}
