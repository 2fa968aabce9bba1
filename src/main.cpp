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

    WidgetUiServices ui;
    SystemClock clock;
    // The program keeps its own small files in the folder it was started from.
    TMainForm mainForm(ui, clock, QDir::currentPath());
    splash.reset();

    mainForm.show();
    return app.exec();
}
