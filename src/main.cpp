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

    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();

    Application::setUp(app);

    WidgetUiServices ui;
    SystemClock clock;
    TMainForm mainForm(ui, clock);
    splash.reset();

    mainForm.show();
    return app.exec();
}
