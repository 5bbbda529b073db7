#include "gui/kit/QtTranslations.h"

#include "gui/kit/ItalianQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QTranslator* QtTranslations::installItalian() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    // Asked after the catalog (the last installed is asked first), and gone with it.
    QCoreApplication::installTranslator(new ItalianQtTexts(translator));
    QCoreApplication::installTranslator(translator);
    return translator;
}
