#include "agenda/WeekArithmetic.h"

#include <QTest>

// The displayed week and its number, checked against ISO 8601.
class TestAgendaWeek : public QObject
{
    Q_OBJECT

private slots:
    void displayedWeek_data();
    void displayedWeek();
    void everyDayAgainstIsoRule();
    void dayOfWeekNumbering();
};

void TestAgendaWeek::displayedWeek_data()
{
    QTest::addColumn<QDate>("reference");
    QTest::addColumn<QDate>("monday");
    QTest::addColumn<int>("number");

    // 1 January 2006 was a Sunday.
    QTest::newRow("monday 9 jan 2006") << QDate(2006, 1, 9) << QDate(2006, 1, 9) << 2;
    QTest::newRow("sunday 1 jan 2006 ends the last week of 2005") << QDate(2006, 1, 1) << QDate(2005, 12, 26) << 52;
    QTest::newRow("saturday 7 jan 2006") << QDate(2006, 1, 7) << QDate(2006, 1, 2) << 1;
    QTest::newRow("sunday 8 jan 2006 stays in its own week") << QDate(2006, 1, 8) << QDate(2006, 1, 2) << 1;
    // Thursday years: 1 January is in week 1, and the year has 53 weeks.
    QTest::newRow("thursday 1 jan 2026") << QDate(2026, 1, 1) << QDate(2025, 12, 29) << 1;
    QTest::newRow("sunday 4 jan 2026") << QDate(2026, 1, 4) << QDate(2025, 12, 29) << 1;
    QTest::newRow("monday 5 jan 2026") << QDate(2026, 1, 5) << QDate(2026, 1, 5) << 2;
    QTest::newRow("wednesday 7 jan 2026") << QDate(2026, 1, 7) << QDate(2026, 1, 5) << 2;
    QTest::newRow("thursday 31 dec 2026 week 53") << QDate(2026, 12, 31) << QDate(2026, 12, 28) << 53;
    QTest::newRow("sunday 3 jan 2027 still week 53") << QDate(2027, 1, 3) << QDate(2026, 12, 28) << 53;
    QTest::newRow("monday 4 jan 2027 week 1") << QDate(2027, 1, 4) << QDate(2027, 1, 4) << 1;
    QTest::newRow("thursday 1 jan 2015") << QDate(2015, 1, 1) << QDate(2014, 12, 29) << 1;
    QTest::newRow("monday 29 dec 2008 is week 1 of 2009") << QDate(2008, 12, 29) << QDate(2008, 12, 29) << 1;
    QTest::newRow("thursday 31 dec 2009 week 53") << QDate(2009, 12, 31) << QDate(2009, 12, 28) << 53;
    QTest::newRow("sunday 3 jan 2010 week 53") << QDate(2010, 1, 3) << QDate(2009, 12, 28) << 53;
    // A leap year that starts on a Wednesday also has 53 weeks.
    QTest::newRow("thursday 31 dec 2020 week 53") << QDate(2020, 12, 31) << QDate(2020, 12, 28) << 53;
    QTest::newRow("sunday 3 jan 2021 week 53") << QDate(2021, 1, 3) << QDate(2020, 12, 28) << 53;
    QTest::newRow("saturday 1 jan 2022 week 52") << QDate(2022, 1, 1) << QDate(2021, 12, 27) << 52;
    QTest::newRow("sunday 28 dec 2025") << QDate(2025, 12, 28) << QDate(2025, 12, 22) << 52;
    QTest::newRow("monday 1 jan 2024") << QDate(2024, 1, 1) << QDate(2024, 1, 1) << 1;
    QTest::newRow("friday 31 dec 2032 week 53") << QDate(2032, 12, 31) << QDate(2032, 12, 27) << 53;
    // 29 February.
    QTest::newRow("saturday 29 feb 2020") << QDate(2020, 2, 29) << QDate(2020, 2, 24) << 9;
    QTest::newRow("thursday 29 feb 2024") << QDate(2024, 2, 29) << QDate(2024, 2, 26) << 9;
    QTest::newRow("sunday 29 feb 2004") << QDate(2004, 2, 29) << QDate(2004, 2, 23) << 9;
    // Far from any 1 January on a Sunday: the number is still ISO's.
    QTest::newRow("sunday 23 mar 2003") << QDate(2003, 3, 23) << QDate(2003, 3, 17) << 12;
    QTest::newRow("friday 21 mar 2031") << QDate(2031, 3, 21) << QDate(2031, 3, 17) << 12;
}

void TestAgendaWeek::displayedWeek()
{
    QFETCH(QDate, reference);
    QFETCH(QDate, monday);
    QFETCH(int, number);

    QCOMPARE(WeekArithmetic::monday(reference), monday);
    QCOMPARE(WeekArithmetic::day(reference, 1), monday);
    QCOMPARE(WeekArithmetic::day(reference, 7), monday.addDays(6));
    QCOMPARE(WeekArithmetic::weekNumber(reference), number);
    QCOMPARE(WeekArithmetic::weekLabel(reference), QStringLiteral("Semaine %1").arg(number));
}

// Every day from 1995 to 2040: the week contains the reference date, starts
// on a Monday, and its number follows the ISO rule "week 1 is the week of
// the year's first Thursday", worked out here from the Thursday of the week.
void TestAgendaWeek::everyDayAgainstIsoRule()
{
    for (QDate r(1995, 1, 1); r <= QDate(2040, 12, 31); r = r.addDays(1)) {
        const QDate mon = WeekArithmetic::monday(r);
        QCOMPARE(mon.dayOfWeek(), 1);
        QVERIFY2(mon <= r && r <= mon.addDays(6), qPrintable(r.toString(Qt::ISODate)));
        const QDate thursday = mon.addDays(3);
        const int iso = (thursday.dayOfYear() - 1) / 7 + 1;
        if (WeekArithmetic::weekNumber(r) != iso)
            QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3")
                                 .arg(r.toString(Qt::ISODate))
                                 .arg(WeekArithmetic::weekNumber(r))
                                 .arg(iso)));
    }
}

void TestAgendaWeek::dayOfWeekNumbering()
{
    const QDate wednesday(2026, 1, 7);
    for (int i = 1; i <= 7; ++i) {
        const QDate d = WeekArithmetic::day(wednesday, i);
        QCOMPARE(d.dayOfWeek(), i);
        QCOMPARE(d, QDate(2026, 1, 4 + i));
    }
}

QTEST_GUILESS_MAIN(TestAgendaWeek)
#include "test_agenda_week.moc"
