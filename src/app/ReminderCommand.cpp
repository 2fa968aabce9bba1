#include "app/ReminderCommand.h"

#include "app/Application.h"
#include "app/DesktopNotifier.h"
#include "app/ExchangeCommand.h"
#include "app/ReminderService.h"
#include "app/Settings.h"
#include "common/BaseName.h"
#include "common/DateText.h"
#include "common/Notices.h"
#include "common/TextFile.h"
#include "model/DocumentModel.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace {

const QString kWindowService = QStringLiteral("org.tivarel.Tivarel");
const QString kWindowPath = QStringLiteral("/Tivarel");

// The window's object on the bus: ShowWeek("yyyymmdd").
class WeekServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tivarel.Tivarel")

public:
    WeekServer(QObject *owner, std::function<void(QDate)> show) : QObject(owner), m_show(std::move(show)) {}

public slots:
    void ShowWeek(const QString &key)
    {
        if (const auto day = DateText::fromKey(key))
            m_show(*day);
    }

private:
    std::function<void(QDate)> m_show;
};

QString optionValue(const QStringList &arguments, const QString &name)
{
    QCommandLineParser parser;
    ExchangeCommand::addAllOptions(parser);
    parser.parse(arguments);
    return parser.value(name);
}

// The document to remind from: the one named, or the last one the window
// remembered.
QString documentOf(const QStringList &arguments, const QString &dataDirectory)
{
    const QString named = Application::commandLineDocument(arguments);
    if (!named.isEmpty())
        return named;
    const auto ini = Settings::fromLines(
        TextFile::read(QDir(dataDirectory).filePath(QStringLiteral("Tivarel.ini"))).value_or(QStringList()));
    return ini ? ini->rememberedDocument : QString();
}

// Loading tells nobody: no one reads the notices of a program with no window,
// and the set is never written (a damaged block file is left as it is).
class QuietNotices final : public Notices
{
public:
    void tell(const QString &, Kind) override {}
    bool ask(const QString &) override { return false; }
};

// All that the reminders read of the document set, read-only, loaded as the
// window loads it: its appointments and birthdays. A missing or unreadable
// file reads as empty.
ReminderService::Lines readSet(const QString &document)
{
    if (document.isEmpty())
        return {};
    DocumentModel model;
    QuietNotices quiet;
    model.reset(QDate::currentDate());
    model.load(document, QDate::currentDate(), quiet);
    return {model.agenda().lines(), model.birthdays().lines()};
}

// Shows the week in the running window, or starts one on it.
void openWeek(const QString &document, QDate day)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString key = DateText::key(day);
    if (bus.isConnected() && bus.interface()->isServiceRegistered(kWindowService)) {
        bus.call(QDBusMessage::createMethodCall(kWindowService, kWindowPath, kWindowService, QStringLiteral("ShowWeek"))
                     << key,
                 QDBus::NoBlock);
        return;
    }
    QStringList args{QStringLiteral("--semaine"), key};
    if (!document.isEmpty())
        args << document;
    QProcess::startDetached(QCoreApplication::applicationFilePath(), args);
}

} // namespace

namespace ReminderCommand {

bool requested(const QStringList &arguments)
{
    for (const QString &a : arguments.mid(1)) {
        if (a == u"--")
            break;
        if (a == u"--rappels")
            return true;
    }
    return false;
}

QDate weekAsked(const QStringList &arguments)
{
    return DateText::fromKey(optionValue(arguments, QStringLiteral("semaine"))).value_or(QDate());
}

int run(QApplication &app, const Clock &clock, const QString &dataDirectory)
{
    QApplication::setQuitOnLastWindowClosed(false);
    const bool named = !Application::commandLineDocument(app.arguments()).isEmpty();
    QString document = documentOf(app.arguments(), dataDirectory);
    const QString organiser = BaseName::withExtension(document, QStringLiteral(".orz"));
    if (named && !QFileInfo::exists(organiser)) {
        QTextStream(stderr) << QStringLiteral("Fichier %1 n'existe pas").arg(organiser) << Qt::endl;
        return 2;
    }
    ReminderService::Lines lines = readSet(document);
    ReminderService service(clock, dataDirectory, [&lines] { return lines; });

    // A save replaces the files (a new file renamed over the old one), so
    // the folder is watched too, and the files are watched again after
    // each change. Tivarel.ini names the document when none was named.
    QFileSystemWatcher watcher;
    auto watch = [&] {
        // Without a document named, the data folder too: Tivarel.ini may not
        // be there yet.
        QStringList paths{QDir(dataDirectory).filePath(QStringLiteral("Tivarel.ini"))};
        if (!named)
            paths << dataDirectory;
        if (!document.isEmpty())
            paths << BaseName::withExtension(document, QStringLiteral(".orz"))
                  << BaseName::withExtension(document, QStringLiteral(".oan")) << QFileInfo(document).absolutePath();
        for (const QString &p : paths)
            if (!watcher.files().contains(p) && !watcher.directories().contains(p) && QFileInfo::exists(p))
                watcher.addPath(p);
    };
    auto reload = [&] {
        if (!named)
            document = documentOf(app.arguments(), dataDirectory);
        lines = readSet(document);
        watch();
        service.check();
    };
    watch();
    QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &service, reload);
    QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &service, reload);
    QObject::connect(&service, &ReminderService::clockJumped, &service, [&] {
        lines = readSet(document);
        watch();
    });
    QObject::connect(&service.notifier(), &DesktopNotifier::activated, &service,
                     [&document](QDate day) { openWeek(document, day); });
    service.start();
    return app.exec();
}

void serveWindow(QObject *owner, std::function<void(QDate)> show)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto *server = new WeekServer(owner, std::move(show));
    if (bus.registerService(kWindowService))
        bus.registerObject(kWindowPath, server, QDBusConnection::ExportAllSlots);
}

} // namespace ReminderCommand

namespace ReminderAutostart {

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/org.tivarel.Tivarel-rappels.desktop");
}

bool isOn()
{
    return QFileInfo::exists(path());
}

bool set(bool on, QString *error)
{
    if (!on) {
        QFile entry(path());
        if (!entry.exists() || entry.remove())
            return true;
        if (error)
            *error = QStringLiteral("Impossible de supprimer %1").arg(path());
        return false;
    }
    QString exe = QCoreApplication::applicationFilePath();
    if (exe.contains(u' '))
        exe = u'"' + exe + u'"';
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Tivarel : rappels\n"
                                        "Comment=Rappels des rendez-vous et des anniversaires de Tivarel\n"
                                        "Exec=%1 --rappels\n"
                                        "Icon=org.tivarel.Tivarel\n"
                                        "Terminal=false\n"
                                        "NoDisplay=true\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(exe);
    QDir().mkpath(QFileInfo(path()).absolutePath());
    return TextFile::writeBytes(path(), text.toUtf8(), error);
}

} // namespace ReminderAutostart

#include "ReminderCommand.moc"
