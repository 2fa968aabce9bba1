#include "app/Application.h"

#include "app/AppIcons.h"
#include "app/ExchangeCommand.h"
#include "common/DateText.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <QUrl>

namespace Application {

void setUp(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("Tivarel"));
    // No display name: Qt would append it to every window title, and the
    // titles are the windows' own captions.
    QApplication::setApplicationVersion(ExchangeCommand::version());
    // Commands take their pictures from the desktop's icon theme; a desktop
    // that names none (or a bare window manager) gets Adwaita's.
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == QLatin1String("hicolor"))
        QIcon::setThemeName(QStringLiteral("Adwaita"));
    QApplication::setWindowIcon(AppIcons::program());
    // Matches the desktop entry's name, so the desktop links the window to
    // its entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tivarel.Tivarel"));

    // The interface is French whatever LANG says: Qt's own buttons and
    // dialogs too ("Oui", "Non", "Annuler").
    const QLocale locale = DateText::appLocale();
    QLocale::setDefault(locale);
    // Every Qt catalogue the program uses: widgets and dialogs, multimedia,
    // and the help window's search and index ("qt_help").
    for (const char *catalogue : {"qtbase", "qtmultimedia", "qt_help"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(locale, QString::fromLatin1(catalogue), QStringLiteral("_"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QApplication::installTranslator(translator);
        else
            delete translator;
    }
}

QString commandLineDocument(const QStringList &arguments)
{
    QCommandLineParser parser;
    // The exchange options are listed by --help; they are run by
    // ExchangeCommand before any window.
    ExchangeCommand::addAllOptions(parser);
    if (!parser.parse(arguments))
        return {};
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    const QString arg = parser.positionalArguments().value(0);
    if (arg.isEmpty())
        return {};
    const QString path = arg.startsWith(QLatin1String("file:")) ? QUrl(arg).toLocalFile() : arg;
    return QFileInfo(path).absoluteFilePath();
}

} // namespace Application
