#include "agenda/WeekArithmetic.h"

#include <QTest>

// The displayed week and its number, checked day by day against QDate's ISO 8601 week.
class TestAgendaWeek : public QObject
{
    Q_OBJECT

private slots:
    void everyDayAgainstQDateIsoWeek()
    {
        for (QDate r(1995, 1, 1); r <= QDate(2040, 12, 31); r = r.addDays(1)) {
            const QDate mon = WeekArithmetic::monday(r);
            const int n = WeekArithmetic::weekNumber(r);
            // The week is Monday..Sunday around the date (Sunday stays in its own week).
            if (mon.dayOfWeek() != 1 || r < mon || r > mon.addDays(6) || n != r.weekNumber()
                || WeekArithmetic::day(r, 1) != mon || WeekArithmetic::day(r, 7) != mon.addDays(6))
                QFAIL(qPrintable(QStringLiteral("%1: monday %2, week %3 instead of %4")
                                     .arg(r.toString(Qt::ISODate), mon.toString(Qt::ISODate))
                                     .arg(n)
                                     .arg(r.weekNumber())));
        }
        QCOMPARE(WeekArithmetic::weekLabel(QDate(2027, 1, 3)), QStringLiteral("Semaine 53"));
        for (int i = 1; i <= 7; ++i)
            QCOMPARE(WeekArithmetic::day(QDate(2026, 1, 7), i), QDate(2026, 1, 4 + i));
    }
};

QTEST_GUILESS_MAIN(TestAgendaWeek)
#include "test_agenda_week.moc"
