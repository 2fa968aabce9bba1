#include "app/Application.h"
#include "app/ExchangeCommand.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"
#include "common/Clock.h"
#include "common/UiServices.h"

#include <QApplication>
#include <QTextStream>

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

    QApplication app(argc, argv);

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
    TMainForm mainForm(ui, clock, Application::dataDirectory());
    splash.reset();

    mainForm.show();
    if (!document.isEmpty())
        mainForm.openDocument(document);
    return app.exec();
}
