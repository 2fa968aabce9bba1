#include "app/Application.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"
#include "common/Clock.h"
#include "common/UiServices.h"

#include <QApplication>
#include <QDir>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();

    Application::setUp(app);
    // The document named on the command line is found from the folder the
    // user started in; then the user's data folder becomes the start
    // directory, where the program's own small files live.
    const QString document = Application::commandLineDocument(app.arguments());
    QDir::setCurrent(Application::dataDirectory());

    WidgetUiServices ui;
    SystemClock clock;
    TMainForm mainForm(ui, clock);
    splash.reset();

    mainForm.show();
    if (!document.isEmpty())
        mainForm.openDocument(document);
    return app.exec();
}
