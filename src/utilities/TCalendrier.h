#pragma once

#include <QDialog>

class Clock;
class QCalendarWidget;
class QLabel;

// "Calendrier": a perpetual month calendar opened on today.
class TCalendrier : public QDialog
{
    Q_OBJECT

public:
    explicit TCalendrier(const Clock &clock, QWidget *parent = nullptr);

    void BitBtn1Click(); // previous month
    void BitBtn2Click(); // next month

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showHeading();

    QCalendarWidget *m_calendar;
    QLabel *m_heading;
};
