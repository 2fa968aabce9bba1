#include "FixedClock.h"
#include "agenda/TFicheRdv.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The appointment dialog driven through its fields and keys.
class TestAgendaDialog : public QObject
{
    Q_OBJECT

private slots:
    void initFillsTheFields_data();
    void initFillsTheFields();
    void typedTime_data();
    void typedTime();
    void okAccepts();
    void enterInMessageAccepts();
    void okWaitsForACompleteTime();
    void cancelAndEscapeGiveNothing_data();
    void cancelAndEscapeGiveNothing();
    void withoutADateShowsTheClocksToday();

private:
    FixedClock m_clock{QDateTime(QDate(2026, 3, 5), QTime(9, 0))};
    struct Fields
    {
        QDateEdit *date;
        QLineEdit *time;
        QLineEdit *message;
        QPushButton *cancel;
        QPushButton *ok;
    };
    static Fields fields(TFicheRdv &d)
    {
        return {d.findChild<QDateEdit *>("DateTimePicker1"), d.findChild<QLineEdit *>("MaskEdit1"),
                d.findChild<QLineEdit *>("Edit1"), d.findChild<QPushButton *>("Button1"),
                d.findChild<QPushButton *>("Button2")};
    }
};

void TestAgendaDialog::initFillsTheFields_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("returned");

    QTest::newRow("new appointment") << "10:00" << "10:00" << "10:00";
    QTest::newRow("leading-blank hour") << " 9:30" << "_9:30" << " 9:30";
    QTest::newRow("leading zero kept") << "09:30" << "09:30" << "09:30";
    QTest::newRow("longer text cut to the pattern") << "10:00 x" << "10:00" << "10:00";
    QTest::newRow("item without a time") << "texte" << "__:__" << "  :  ";
}

void TestAgendaDialog::initFillsTheFields()
{
    QFETCH(QString, time);
    QFETCH(QString, shown);
    QFETCH(QString, returned);

    TFicheRdv d(m_clock);
    const Fields f = fields(d);
    d.Init(time, QStringLiteral("Dentiste"), QDate(2006, 1, 9));
    QCOMPARE(f.date->date(), QDate(2006, 1, 9));
    QCOMPARE(f.time->displayText(), shown);
    QCOMPARE(f.message->text(), QStringLiteral("Dentiste"));
    // Not accepted yet: nothing comes back.
    QCOMPARE(d.Result().message, QString());
    QCOMPARE(d.Result().key, QString());
    d.accept();
    QCOMPARE(d.Result().time, returned);
    QCOMPARE(d.Result().key, QStringLiteral("20060109"));
}

void TestAgendaDialog::typedTime_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("complete");

    // The field is cleared, then the keys are typed from its first position.
    QTest::newRow("four digits") << "1130" << "11:30" << true;
    QTest::newRow("first hour digit skipped with a blank") << " 930" << " 9:30" << true;
    QTest::newRow("first hour digit skipped with the right arrow") << ">930" << " 9:30" << true;
    QTest::newRow("letters refused") << "1a1b30" << "11:30" << true;
    QTest::newRow("colon typed over the fixed colon") << "09:45" << "09:45" << true;
    QTest::newRow("one-digit hour then colon") << "9:30" << " 9:30" << true;
    QTest::newRow("minute digit missing") << "113" << "11:3 " << false;
    QTest::newRow("any two-digit values accepted") << "9999" << "99:99" << true;
}

void TestAgendaDialog::typedTime()
{
    QFETCH(QString, keys);
    QFETCH(QString, time);
    QFETCH(bool, complete);

    TFicheRdv d(m_clock);
    const Fields f = fields(d);
    d.Init(QStringLiteral("10:00"), QString(), QDate(2026, 1, 7));
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    f.time->setFocus();
    f.time->selectAll();
    QTest::keyClick(f.time, Qt::Key_Delete);
    f.time->setCursorPosition(0);
    for (QChar c : keys) {
        if (c == u'>')
            QTest::keyClick(f.time, Qt::Key_Right);
        else
            QTest::keyClick(f.time, c.toLatin1());
    }
    QCOMPARE(d.timeText(), time);
    QCOMPARE(d.timeComplete(), complete);
}

void TestAgendaDialog::okAccepts()
{
    TFicheRdv d(m_clock);
    const Fields f = fields(d);
    d.Init(QStringLiteral("10:00"), QString(), QDate(2026, 1, 7));
    d.show();
    f.message->setFocus();
    QTest::keyClicks(f.message, QStringLiteral("Reunion"));
    QTest::mouseClick(f.ok, Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(!d.isVisible());
    const TFicheRdv::Values v = d.Result();
    QCOMPARE(v.key, QStringLiteral("20260107"));
    QCOMPARE(v.time, QStringLiteral("10:00"));
    QCOMPARE(v.message, QStringLiteral("Reunion"));
}

void TestAgendaDialog::enterInMessageAccepts()
{
    TFicheRdv d(m_clock);
    const Fields f = fields(d);
    d.Init(QStringLiteral("10:00"), QString(), QDate(2026, 1, 7));
    d.show();
    int accepted = 0;
    connect(&d, &QDialog::accepted, this, [&] { ++accepted; });
    f.message->setFocus();
    QTest::keyClicks(f.message, QStringLiteral("Dentiste"));
    QTest::keyClick(f.message, Qt::Key_Return);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(accepted, 1); // once: the key is taken by the message field
    QCOMPARE(d.Result().message, QStringLiteral("Dentiste"));
}

void TestAgendaDialog::okWaitsForACompleteTime()
{
    TFicheRdv d(m_clock);
    const Fields f = fields(d);
    d.Init(QStringLiteral("1"), QStringLiteral("Dentiste"), QDate(2026, 1, 7));
    d.show();
    QVERIFY(!d.timeComplete());
    QTest::mouseClick(f.ok, Qt::LeftButton);
    QVERIFY(d.isVisible());
    QCOMPARE(d.Result().message, QString());
    QTest::keyClick(f.message, Qt::Key_Return);
    QVERIFY(d.isVisible());
}

void TestAgendaDialog::cancelAndEscapeGiveNothing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Annuler") << false;
    QTest::newRow("Escape") << true;
}

void TestAgendaDialog::cancelAndEscapeGiveNothing()
{
    QFETCH(bool, escape);

    TFicheRdv d(m_clock);
    const Fields f = fields(d);
    d.Init(QStringLiteral("10:00"), QStringLiteral("Réunion"), QDate(2026, 1, 7));
    d.show();
    QTest::keyClicks(f.message, QStringLiteral(" changee"));
    if (escape)
        QTest::keyClick(f.message, Qt::Key_Escape);
    else
        QTest::mouseClick(f.cancel, Qt::LeftButton);
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(!d.isVisible());
    const TFicheRdv::Values v = d.Result();
    QCOMPARE(v.key, QString());
    QCOMPARE(v.time, QString());
    QCOMPARE(v.message, QString());
}

void TestAgendaDialog::withoutADateShowsTheClocksToday()
{
    TFicheRdv d(m_clock);
    d.Init(QStringLiteral("10:00"), QString(), QDate());
    QCOMPARE(fields(d).date->date(), QDate(2026, 3, 5));
}

QTEST_MAIN(TestAgendaDialog)
#include "test_agenda_dialog.moc"
