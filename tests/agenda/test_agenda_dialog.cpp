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
    FixedClock m_clock{QDateTime(QDate(2026, 3, 5), QTime(9, 0))};
    static QLineEdit *edit(TFicheRdv &d, const char *name) { return d.findChild<QLineEdit *>(name); }
    static QString values(const TFicheRdv &d)
    {
        const TFicheRdv::Values v = d.Result();
        return v.key + u'|' + v.time + u'|' + v.message;
    }

private slots:
    // Init(time, "Réunion", 7 January 2026); then, unless `keys` is null, the time field is cleared and the keys
    // typed from its first position ('>' is the right arrow); then the message gets " changee" and the dialog is
    // closed by `how`. `state` is the time shown, the time read, whether it is complete, still open, accepts.
    void drive_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *time, const char *keys, const char *how, const char *state,
                            const QString &values) { QTest::newRow(name) << time << keys << how << state << values; };
        const QString accepted = QStringLiteral("20260107|%1|Réunion changee");
        row("shown: new appointment", "10:00", nullptr, "ok", "10:00|10:00|1|0|1", accepted.arg("10:00"));
        row("shown: leading-blank hour", " 9:30", nullptr, "ok", "_9:30| 9:30|1|0|1", accepted.arg(" 9:30"));
        row("shown: leading zero kept", "09:30", nullptr, "ok", "09:30|09:30|1|0|1", accepted.arg("09:30"));
        row("shown: longer text cut to the pattern", "10:00 x", nullptr, "ok", "10:00|10:00|1|0|1",
            accepted.arg("10:00"));
        row("shown: item without a time", "texte", nullptr, "accept", "__:__|  :  |0|0|1", accepted.arg("  :  "));
        row("typed: four digits", "10:00", "1130", "enter", "11:30|11:30|1|0|1", accepted.arg("11:30"));
        row("typed: first hour digit skipped with a blank", "10:00", " 930", "ok", "_9:30| 9:30|1|0|1",
            accepted.arg(" 9:30"));
        row("typed: first hour digit skipped with the right arrow", "10:00", ">930", "ok", "_9:30| 9:30|1|0|1",
            accepted.arg(" 9:30"));
        row("typed: letters refused", "10:00", "1a1b30", "ok", "11:30|11:30|1|0|1", accepted.arg("11:30"));
        row("typed: colon over the fixed colon", "10:00", "09:45", "ok", "09:45|09:45|1|0|1", accepted.arg("09:45"));
        row("typed: one-digit hour then colon", "10:00", "9:30", "ok", "_9:30| 9:30|1|0|1", accepted.arg(" 9:30"));
        row("typed: any two-digit values", "10:00", "9999", "ok", "99:99|99:99|1|0|1", accepted.arg("99:99"));
        row("typed: minute digit missing, Enter waits", "10:00", "113", "enter", "11:3_|11:3 |0|1|0", "||");
        row("short time, OK waits", "1", nullptr, "ok", "1_:__|1 :  |0|1|0", "||");
        row("Annuler", "10:00", nullptr, "cancel", "10:00|10:00|1|0|0", "||");
        row("Escape", "10:00", nullptr, "escape", "10:00|10:00|1|0|0", "||");
    }
    void drive()
    {
        QFETCH(QString, time);
        QFETCH(QString, keys);
        QFETCH(QString, how);
        TFicheRdv d(m_clock);
        QLineEdit *t = edit(d, "MaskEdit1");
        QLineEdit *m = edit(d, "Edit1");
        d.Init(time, QStringLiteral("Réunion"), how == "escape" ? QDate() : QDate(2026, 1, 7));
        // Without a date it shows the clock's today.
        QCOMPARE(d.findChild<QDateEdit *>("DateTimePicker1")->date(),
                 how == "escape" ? QDate(2026, 3, 5) : QDate(2026, 1, 7));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        int accepts = 0;
        connect(&d, &QDialog::accepted, this, [&] { ++accepts; });
        if (!keys.isNull()) {
            t->setFocus();
            t->clear();
            for (QChar c : keys)
                c == u'>' ? QTest::keyClick(t, Qt::Key_Right) : QTest::keyClick(t, c.toLatin1());
        }
        m->setFocus();
        m->end(false);
        QTest::keyClicks(m, QStringLiteral(" changee"));
        QCOMPARE(values(d), QStringLiteral("||")); // not closed yet: nothing comes back
        const QString shown = t->displayText() + u'|' + d.timeText() + u'|' + QString::number(d.timeComplete());
        if (how == "ok" || how == "cancel")
            QTest::mouseClick(d.findChild<QPushButton *>(how == "ok" ? "Button2" : "Button1"), Qt::LeftButton);
        else if (how == "accept")
            d.accept();
        else
            QTest::keyClick(m, how == "enter" ? Qt::Key_Return : Qt::Key_Escape);
        QTEST(shown + u'|' + QString::number(d.isVisible()) + u'|' + QString::number(accepts), "state");
        QTEST(values(d), "expected");
    }
};

QTEST_MAIN(TestAgendaDialog)
#include "test_agenda_dialog.moc"
