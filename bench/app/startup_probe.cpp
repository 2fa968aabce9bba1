// Starts like the program does, and quits as soon as the main window has
// been painted once. With "bare" it shows a plain QMainWindow instead, the
// baseline of the start-up benchmark; with "labelled", the same window with
// one line of text.

#include "app/Application.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"
#include "common/Clock.h"
#include "common/UiServices.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>

namespace {

// At the window's first paint, prints the wall-clock time in nanoseconds
// and leaves at once (tearing the windows down is not part of starting).
class QuitOnPaint : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            QTimer::singleShot(0, qApp, [] {
                timespec ts;
                clock_gettime(CLOCK_REALTIME, &ts);
                std::printf("%lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QuitOnPaint quit;
    const bool labelled = argc > 1 && std::strcmp(argv[1], "labelled") == 0;
    if (labelled || (argc > 1 && std::strcmp(argv[1], "bare") == 0)) {
        QMainWindow w;
        w.resize(800, 600);
        // "labelled": one line of text, so the baseline pays for the font
        // set-up that any window with text pays.
        if (labelled)
            w.setCentralWidget(new QLabel(QStringLiteral("Tivarel"), &w));
        w.installEventFilter(&quit);
        w.show();
        return app.exec();
    }
    auto splash = std::make_unique<TSplash>();
    splash->show();
    splash->repaint();
    Application::setUp(app);
    WidgetUiServices ui;
    SystemClock clock;
    TMainForm form(ui, clock, QDir::currentPath());
    splash.reset();
    form.installEventFilter(&quit);
    form.show();
    return app.exec();
}
