#pragma once

#include "agenda/ReminderSchedule.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class Clock;
class DesktopNotifier;

// Gives the reminders while a program runs (the window, or `tivarel
// --rappels`): every few seconds it reads the settings, asks the schedule
// what is due and notifies what the record of given reminders lets it take.
//
// It also watches the clock: when the time of day moves against the time
// that passed (the computer slept, the system time or the time zone
// changed), it tells `clockJumped` before checking at once, so the caller can
// read its files again.
class ReminderService : public QObject
{
    Q_OBJECT

public:
    // The organiser lines and the birthday lines to remind from.
    struct Lines
    {
        QStringList agenda;
        QStringList birthdays;
    };

    static constexpr int CheckInterval = 10000; // ms

    ReminderService(const Clock &clock, const QString &dataDirectory, std::function<Lines()> lines,
                    QObject *parent = nullptr);
    ~ReminderService() override;

    DesktopNotifier &notifier() const { return *m_notifier; }
    // Starts the checks; the first is made at once.
    void start();
    // Checks now; returns how many reminders were given.
    int check();

signals:
    void clockJumped();

private:
    void tick();

    const Clock &m_clock;
    QString m_dataDirectory;
    std::function<Lines()> m_lines;
    GivenReminders m_given;
    DesktopNotifier *m_notifier;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
    QDateTime m_lastWall;
    int m_lastOffset = 0;
};
