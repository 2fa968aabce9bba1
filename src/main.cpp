#include "app/Application.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"
#include "common/Clock.h"
#include "common/UiServices.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Before anything else, while the current folder is still the one the
    // user started from.
    const QString document = Application::commandLineDocument(app.arguments());

    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();

    Application::setUp(app);

    WidgetUiServices ui;
    SystemClock clock;
    TMainForm mainForm(ui, clock);
    splash.reset();

    mainForm.show();
    if (!document.isEmpty())
        mainForm.openDocument(document);
    return app.exec();
}
