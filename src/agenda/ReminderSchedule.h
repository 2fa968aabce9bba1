#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Reminders of the appointments of the week planner and of the day's
// birthdays: when each is due, the user's settings, and the record of the
// reminders already given, shared by the window and `tivarel --rappels`.
//
// Timing rules, in local time (now's):
//  - an appointment with a time is due the delay before it (0 to 1440
//    minutes, in real minutes, so across a daylight-saving change too); it
//    is given from then until it begins, or within a minute of its due time
//    (a delay of 0). A reminder whose time passed while the computer slept
//    is so given at wake-up if its appointment has not begun, and dropped
//    otherwise;
//  - an item without a time is due at 8:00 of its day, or at the first
//    check after it, until the day ends;
//  - the day's birthdays are one reminder, given at the first check of the
//    day (those of 29 February on the 28th when the year has no 29th).
// A reminder is named by its id: the date key and the time ("yyyymmddhh:mm",
// the store's identity of an appointment) for an appointment with a time, so
// that a moved appointment is due again at its new time and one whose text
// changed is not; the date key, "*" and the text for an item without a time;
// the date key and "#" for the birthdays. A deleted appointment gives none.
struct Reminder
{
    QString id;
    QDateTime due;
    QDate date; // the day of the appointment (its week is shown on a click)
    QString summary;
    QString body;
};

struct ReminderSettings
{
    static constexpr int DefaultDelay = 15;
    static constexpr int MaxDelay = 1440;

    bool enabled = true;
    int delay = DefaultDelay; // minutes

    // "Tivarel-rappels.ini" in the user's data folder, beside Tivarel.ini
    // (whose four lines stay as they are): "Actif=1" and "Delai=15".
    static QString fileName() { return QStringLiteral("Tivarel-rappels.ini"); }
    // The defaults for a missing file; a value that does not read stays
    // at its default, a delay out of range is brought into it.
    static ReminderSettings fromLines(const QStringList &lines);
    QStringList toLines() const;
    static ReminderSettings read(const QString &dataDirectory);
    bool write(const QString &dataDirectory, QString *error = nullptr) const;
};

namespace ReminderSchedule {

// The reminders due at `now` (in due order), given or not: appointments from
// the organiser lines, the birthdays from the birthday lines. Lines that do
// not read are skipped. Nothing when reminders are off.
QList<Reminder> due(const QStringList &agendaLines, const QStringList &birthdayLines, const ReminderSettings &settings,
                    const QDateTime &now);

// A birthday line's text for `today`: "anniversaire de Marie (40 ans)" when
// the description holds a year of birth ("Marie 1986", "Marie (1986)"),
// "anniversaire de Marie" otherwise.
QString birthdayText(const QString &description, QDate today);

} // namespace ReminderSchedule

// The ids of the reminders given, in "Tivarel-rappels.faits" of the user's
// data folder, one per line. Every program that reminds takes its reminders
// through claim(), under a lock file beside it, so that the same reminder is
// never given twice, by two programs or across a restart.
class GivenReminders
{
public:
    explicit GivenReminders(const QString &dataDirectory);
    static QString fileName() { return QStringLiteral("Tivarel-rappels.faits"); }

    // The reminders of `due` not given yet, now recorded as given (the file
    // is rewritten atomically; ids of days before yesterday are dropped).
    // Nothing when the record stays locked (a reminder is then given at the
    // next check rather than twice); when it cannot be written, this object
    // still remembers what it gave.
    QList<Reminder> claim(const QList<Reminder> &due, QDate today);

private:
    QString m_path;
    QSet<QString> m_given; // given by this program or found given
};
