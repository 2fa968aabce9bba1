#include "app/TSplash.h"

#include "app/AppIcons.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QVBoxLayout>

TSplash::TSplash(QWidget *parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Splash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // A palette rather than a style sheet: style sheets are slow to set up,
    // and the splash is there to show at once.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

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

void TSplash::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    QPainter p(this);
    p.setPen(QColor(0x2b, 0x59, 0xc3));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
