#include "app/TAboutBox.h"

#include "app/AppIcons.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos de Tivarel"));

    auto *icon = new QLabel(this);
    icon->setPixmap(AppIcons::program().pixmap(48, 48));
    auto *product = new QLabel(QStringLiteral("Tivarel"), this);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont f = product->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    product->setFont(f);
    auto *version = new QLabel(QStringLiteral("Version 3.0"), this);
    version->setObjectName(QStringLiteral("Version"));
    auto *maker1 = new QLabel(QStringLiteral("Organiseur familial"), this);
    auto *maker2 = new QLabel(QStringLiteral("Les développeurs de Tivarel"), this);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(product, 0, 1);
    grid->addWidget(version, 1, 1);
    grid->addWidget(maker1, 2, 1);
    grid->addWidget(maker2, 3, 1);
    grid->addWidget(ok, 4, 0, 1, 2, Qt::AlignCenter);
}
