#include "agenda/ReminderSchedule.h"

#include <QTemporaryDir>
#include <QTest>

// When reminders are due (run with TZ=Europe/Paris): one check with the
// first lines at `first` (none when empty), then, as another program or
// after a restart, a check with the second lines at `now`; `given` is what
// the second check gives. Lines are organiser lines, or birthday lines
// ("mmdd text"); "=" stands for the first lines.
class TestAgendaReminders : public QObject
{
    Q_OBJECT

private slots:
    void timing_data()
    {
        for (const char *c : {"settings", "lines1", "first", "lines2", "now", "given"})
            QTest::addColumn<QString>(c);
        const QString dentist = QStringLiteral("2026010510:00 Dentiste");
        const QString told = QStringLiteral("Dentiste|Aujourd'hui à 10:00");
        const auto row = [](const char *name, const QString &settings, const QString &lines1, const char *first,
                            const QString &lines2, const char *now, const QString &given) {
            QTest::newRow(name) << settings << lines1 << first << lines2 << now << given;
        };
        row("10 minutes before, delay 15", "", "", "", dentist, "2026-01-05T09:50", told);
        row("two hours before", "", "", "", dentist, "2026-01-05T08:00", "");
        row("delay 0, at its time", "Delai=0", "", "", dentist, "2026-01-05T10:00:40", told);
        row("delay 0, a minute late", "Delai=0", "", "", dentist, "2026-01-05T10:01:10", "");
        row("delay 1440, the day before", "Delai=9999", "", "", dentist, "2026-01-04T10:00", "Dentiste|Demain à 10:00");
        row("off", "Actif=0", "", "", dentist, "2026-01-05T09:50", "");
        row("leading blank hour", "", "", "", "20260105 9:30 Bus", "2026-01-05T09:15", "Bus|Aujourd'hui à 9:30");
        row("no time, before 8:00", "", "", "", "20260105      Courses", "2026-01-05T07:59", "");
        row("no time, at 8:00", "", "", "", "20260105      Courses", "2026-01-05T08:00", "Courses|Aujourd'hui");
        row("no time, started later", "", "", "", "20260105      Courses", "2026-01-05T21:00", "Courses|Aujourd'hui");
        row("no time, the day after", "", "", "", "20260104      Courses", "2026-01-05T08:00", "");
        row("across midnight", "", "", "", "2026010600:05 Train", "2026-01-05T23:50", "Train|Demain à 0:05");
        row("spring forward: 15 real minutes", "", "", "", "2026032903:10 Marche", "2026-03-29T01:55",
            "Marche|Aujourd'hui à 3:10");
        row("spring forward: not yet", "", "", "", "2026032903:10 Marche", "2026-03-29T01:54", "");
        row("fall back: 3 real hours", "Delai=180", "", "", "2026102503:10 Vol", "2026-10-25T01:10",
            "Vol|Aujourd'hui à 3:10");
        row("fall back: not yet", "Delai=180", "", "", "2026102503:10 Vol", "2026-10-25T01:09", "");
        row("unreadable lines", "", "", "", "2026010x 10:00 X|2026130510:00 Y|0105|1", "2026-01-05T09:50", "");
        row("time half typed: told as a day's", "", "", "", "2026010510:5  Z", "2026-01-05T09:50",
            "10:5  Z|Aujourd'hui");
        row("time unreadable: told as a day's", "", "", "", "20260105ab:30 V|2026010510:+5 W", "2026-01-05T09:50",
            "ab:30 V|Aujourd'hui / 10:+5 W|Aujourd'hui");
        row("two of one time", "", "", "", dentist + "|2026010510:00 Garage", "2026-01-05T09:50",
            "Dentiste ; Garage|Aujourd'hui à 10:00");
        row("due together: in the agenda's order", "", "", "", "2026010508:15 Bus|20260105      Courses",
            "2026-01-05T08:00", "Bus|Aujourd'hui à 8:15 / Courses|Aujourd'hui");
        row("not repeated after a restart", "", dentist, "2026-01-05T09:46", "=", "2026-01-05T09:55", "");
        row("slept across its time, not begun", "", dentist, "2026-01-05T09:40", "=", "2026-01-05T09:59", told);
        row("slept past its start", "", dentist, "2026-01-05T09:40", "=", "2026-01-05T10:02", "");
        row("moved: at its new time", "", dentist, "2026-01-05T09:50", "2026010511:00 Dentiste", "2026-01-05T10:50",
            "Dentiste|Aujourd'hui à 11:00");
        row("deleted", "", dentist, "2026-01-05T09:40", "2026010512:00 Autre", "2026-01-05T09:50", "");
        row("text changed: not repeated", "", dentist, "2026-01-05T09:50", "2026010510:00 Dentiste Dr Roux",
            "2026-01-05T09:55", "");
        row("birthdays", "", "", "", "0105 Marie (1986)|0105 Paul|0105 Léa - 2025|0612 Zoé", "2026-01-05T06:00",
            "Anniversaires|Aujourd'hui : anniversaire de Marie (40 ans)\nAujourd'hui : anniversaire de Paul\n"
            "Aujourd'hui : anniversaire de Léa (1 an)");
        row("29 February, no leap year; no text", "", "", "", "0229 Léon|0228 Luc|2027022810:30", "2027-02-28T10:20",
            "Anniversaires|Aujourd'hui : anniversaire de Léon\nAujourd'hui : anniversaire de Luc / "
            "Rendez-vous|Aujourd'hui à 10:30");
        row("birthdays once a day", "", "0105 Paul", "2026-01-05T06:00", "=", "2026-01-05T18:00", "");
        row("birthdays the next day", "", "0105 Paul", "2026-01-05T06:00", "0106 Paul", "2026-01-06T00:00",
            "Anniversaires|Aujourd'hui : anniversaire de Paul");
    }

    void timing()
    {
        QFETCH(QString, settings);
        QFETCH(QString, lines1);
        QFETCH(QString, first);
        QFETCH(QString, lines2);
        QFETCH(QString, now);
        QTemporaryDir data;
        QVERIFY(ReminderSettings::fromLines({settings}).write(data.path())); // as the settings window keeps them
        const ReminderSettings s = ReminderSettings::read(data.path());
        auto check = [&](const QString &lines, const QString &at) {
            QStringList agenda, birthdays;
            for (const QString &l : lines.split(u'|', Qt::SkipEmptyParts))
                (l.size() > 4 && l.at(4) == u' ' ? birthdays : agenda) << l;
            const QDateTime t = QDateTime::fromString(at, Qt::ISODate);
            QStringList out;
            for (const Reminder &r :
                 GivenReminders(data.path()).claim(ReminderSchedule::due(agenda, birthdays, s, t), t.date()))
                out << r.summary + u'|' + r.body;
            return out.join(QStringLiteral(" / "));
        };
        if (!first.isEmpty())
            check(lines1, first);
        QTEST(check(lines2 == u"=" ? lines1 : lines2, now), "given");
    }
};

QTEST_GUILESS_MAIN(TestAgendaReminders)
#include "test_agenda_reminders.moc"
