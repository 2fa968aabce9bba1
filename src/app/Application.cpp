#include "app/Application.h"

#include "app/AppIcons.h"
#include "common/DateText.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Application {

void setUp(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Tivarel"));
    // No display name: Qt would append it to every window title, and the
    // titles are the windows' own captions.
    QApplication::setApplicationVersion(QStringLiteral("3.0"));
    QApplication::setWindowIcon(AppIcons::program());

    // The interface is French whatever LANG says: Qt's own buttons and
    // dialogs too ("Oui", "Non", "Annuler").
    const QLocale locale = DateText::appLocale();
    QLocale::setDefault(locale);
    auto *qtbase = new QTranslator(&app);
    if (qtbase->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtbase);
    auto *multimedia = new QTranslator(&app);
    if (multimedia->load(locale, QStringLiteral("qtmultimedia"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(multimedia);
}

} // namespace Application
