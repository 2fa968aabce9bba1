#pragma once

#include <QWidget>

// The borderless window shown, centred, while the program starts.
class TSplash : public QWidget
{
    Q_OBJECT

public:
    explicit TSplash(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
