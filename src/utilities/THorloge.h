#pragma once

#include <QDialog>

class Clock;
class QButtonGroup;
class QLabel;
class QTimer;
class SystemTimeSetter;
class UiServices;

// "Horloge": a ticking desk clock whose display can be frozen, adjusted
// field by field and handed to the system as its new time.
class THorloge : public QDialog
{
    Q_OBJECT

public:
    THorloge(const Clock &clock, SystemTimeSetter &setter, UiServices &ui, QWidget *parent = nullptr);

    bool editing() const { return m_editing; }

    void Button2Click(); // "Set"
    void SpinButton1Up() { spin(1); }
    void SpinButton1Down() { spin(-1); }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
    void Timer1Timer();
    void spin(int step);
    bool setSystemClock();

    const Clock &m_clock;
    SystemTimeSetter &m_setter;
    UiServices &m_ui;
    QLabel *m_time;
    QLabel *m_date;
    QButtonGroup *m_fields;
    QTimer *m_timer;
    bool m_editing = false;
    bool m_inMessage = false;
};
