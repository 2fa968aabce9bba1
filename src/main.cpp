#include "app/Application.h"
#include "app/ExchangeCommand.h"
#include "app/ReminderCommand.h"
#include "app/Settings.h"
#include "app/SyncCommand.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"
#include "common/Clock.h"
#include "common/UiServices.h"

#include <QApplication>
#include <QTextStream>

#include <algorithm>
#include <memory>

int main(int argc, char *argv[])
{
    // An exchange asked for on the command line runs without any window (and
    // without a display).
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (ExchangeCommand::requested(arguments)) {
        QCoreApplication core(argc, argv);
        SystemClock clock;
        QTextStream out(stdout);
        QTextStream err(stderr);
        return ExchangeCommand::run(core.arguments(), clock, out, err);
    }
    if (SyncCommand::requested(arguments)) {
        QCoreApplication core(argc, argv);
        SystemClock clock;
        QTextStream out(stdout), err(stderr), in(stdin);
        return SyncCommand::run(core.arguments(), clock, out, err, in);
    }

    // A command line the program does not understand gets the usage and
    // status 1, never a window. Qt's own options ("-style fusion") are known
    // only once QApplication has taken them out, so a line naming one is
    // checked again then.
    QString why;
    const bool understood = ExchangeCommand::understood(arguments, &why);
    auto refuse = [&why] {
        QTextStream err(stderr);
        err << why << Qt::endl << ExchangeCommand::usage();
        return int(ExchangeCommand::BadUsage);
    };
    static const QStringList qtOptions{"platform",
                                       "platformpluginpath",
                                       "platformtheme",
                                       "plugin",
                                       "qmljsdebugger",
                                       "qwindowgeometry",
                                       "qwindowicon",
                                       "qwindowtitle",
                                       "reverse",
                                       "session",
                                       "display",
                                       "geometry",
                                       "style",
                                       "stylesheet",
                                       "widgetcount",
                                       "title",
                                       "name",
                                       "visual",
                                       "ncols",
                                       "cmap",
                                       "im",
                                       "inputstyle",
                                       "nograb",
                                       "dograb",
                                       "sync"};
    const bool qtOption = std::any_of(arguments.cbegin() + 1, arguments.cend(), [](const QString &a) {
        const QString name = a.section(u'=', 0, 0);
        return a.startsWith(u'-') && qtOptions.contains(QStringView(name).mid(name.startsWith(u"--") ? 2 : 1));
    });
    if (!understood && !qtOption)
        return refuse();
    // Help and version are told without any window, even without a display.
    if (const QString text = ExchangeCommand::information(arguments); !text.isEmpty()) {
        QTextStream(stdout) << text;
        return 0;
    }

    QApplication app(argc, argv);
    if (!understood && !ExchangeCommand::understood(app.arguments(), &why))
        return refuse();
    if (ReminderCommand::requested(app.arguments())) {
        Application::setUp(app);
        SystemClock clock;
        return ReminderCommand::run(app, clock, Settings::dataDirectory());
    }

    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();

    Application::setUp(app);
    // A relative document name on the command line is found from the folder
    // the user started in.
    const QString document = Application::commandLineDocument(app.arguments());

    WidgetUiServices ui;
    SystemClock clock;
    // The program keeps its own small files (settings, remembered lists,
    // notepad) in the user's data folder, whatever folder it was started
    // from.
    TMainForm mainForm(ui, clock, Settings::dataDirectory());
    splash.reset();

    mainForm.show();
    if (!document.isEmpty())
        mainForm.openDocument(document);
    mainForm.showWeek(ReminderCommand::weekAsked(app.arguments()));
    mainForm.startReminders();
    return app.exec();
}
