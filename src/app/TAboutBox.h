#pragma once

#include <QDialog>

// "A propos de Tivarel".
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
};
