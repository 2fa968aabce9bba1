#include "app/TSplash.h"

#include "app/AppIcons.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TSplash::TSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setStyleSheet(QStringLiteral("TSplash { background: white; border: 1px solid #2b59c3; }"));

    auto *picture = new QLabel(this);
    picture->setPixmap(AppIcons::program().pixmap(48, 48));
    picture->setAlignment(Qt::AlignCenter);

    auto *title = new QLabel(QStringLiteral("Tivarel"), this);
    QFont f(QStringLiteral("Arial"), 24);
    f.setBold(true);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(QStringLiteral("Version 3.0"), this);
    version->setAlignment(Qt::AlignCenter);
    auto *maker = new QLabel(QStringLiteral("Les développeurs de Tivarel"), this);
    maker->setAlignment(Qt::AlignCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(picture);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(maker);

    adjustSize();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}
