#pragma once

#include <QWidget>

class QToolButton;

// An up/down arrow pair without a value of its own, for the windows that
// nudge a value shown elsewhere (the euro rate, the clock's fields).
class SpinButton : public QWidget
{
    Q_OBJECT

public:
    explicit SpinButton(QWidget *parent = nullptr);

    QToolButton *upButton() const { return m_up; }
    QToolButton *downButton() const { return m_down; }

signals:
    void up();
    void down();

private:
    QToolButton *m_up;
    QToolButton *m_down;
};
