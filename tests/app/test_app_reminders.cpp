#include "ScriptedUiServices.h"
#include "agenda/ReminderSchedule.h"
#include "app/DesktopNotifier.h"
#include "app/ReminderDialog.h"
#include "common/BaseName.h"

#include <QCheckBox>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

// The desktop's notification service, played by the test on the session bus
// that dbus-run-session gives it.
class Notifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList calls; // "summary|body|actions"

public slots:
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &body,
                const QStringList &actions, const QVariantMap &, int)
    {
        calls << summary + u'|' + body + u'|' + actions.join(u',');
        return uint(calls.size());
    }
};

class TestAppReminders : public QObject
{
    Q_OBJECT
    Notifications m_service;

private slots:
    void initTestCase()
    {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY2(bus.isConnected(), "run under dbus-run-session");
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.Notifications")));
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &m_service,
                                   QDBusConnection::ExportAllSlots));
    }
    void init() { m_service.calls.clear(); }

    // A reminder goes to the service; its default action names its day.
    void notifier()
    {
        DesktopNotifier notifier;
        QSignalSpy clicked(&notifier, &DesktopNotifier::activated);
        QCOMPARE(notifier.notify("Dentiste", "Aujourd'hui à 10:00", QDate(2026, 1, 5)), DesktopNotifier::Way::Bus);
        QCOMPARE(m_service.calls, QStringList{"Dentiste|Aujourd'hui à 10:00|default,Ouvrir la semaine"});
        QDBusMessage invoked = QDBusMessage::createSignal("/org/freedesktop/Notifications",
                                                          "org.freedesktop.Notifications", "ActionInvoked");
        invoked << uint(1) << QStringLiteral("default");
        QDBusConnection::sessionBus().send(invoked);
        QTRY_COMPARE(clicked.size(), 1);
        QCOMPARE(clicked.at(0).at(0).toDate(), QDate(2026, 1, 5));
    }

    // The settings chosen in the dialog are those the reminders read, and
    // the dialog shows them again; a folder that cannot be written is told
    // and the dialog stays.
    void settingsDialog()
    {
        QTemporaryDir dir;
        ScriptedUiServices ui;
        {
            ReminderDialog d(ui, dir.path());
            d.findChild<QSpinBox *>("DelayBox")->setValue(25);
            d.findChild<QCheckBox *>("EnabledBox")->setChecked(false);
            d.accept();
            QCOMPARE(d.result(), int(QDialog::Accepted));
        }
        const ReminderSettings s = ReminderSettings::read(dir.path());
        QVERIFY(!s.enabled);
        QCOMPARE(s.delay, 25);
        ReminderDialog again(ui, dir.path());
        QCOMPARE(again.findChild<QSpinBox *>("DelayBox")->value(), 25);
        QVERIFY(!again.findChild<QSpinBox *>("DelayBox")->isEnabled());
        ReminderDialog nowhere(ui, dir.filePath("nul/part"));
        nowhere.accept();
        QCOMPARE(nowhere.result(), int(QDialog::Rejected));
        QCOMPARE(ui.messages().size(), 1);
    }

    // `tivarel --rappels` tells the appointment in 10 minutes within 5
    // seconds, not the one in 2 hours, and leaves the set as it was.
    void commandReadsOnly()
    {
        QTemporaryDir dir;
        const QDateTime now = QDateTime::currentDateTime();
        auto line = [&](int minutes, const char *text) {
            const QDateTime t = now.addSecs(60 * minutes);
            return t.toString("yyyyMMddhh:mm ").toLatin1() + text + "\r\n";
        };
        const QString doc = dir.filePath("agenda.orz");
        const QMap<QString, QByteArray> set{
            {".orz", line(10, "Dentiste") + line(120, "Garage")}, {".oan", "1231 Paul\r\n"}, {".ocn", " \r\n"}};
        for (auto [ext, bytes] : set.asKeyValueRange()) {
            QFile f(BaseName::withExtension(doc, ext));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        auto state = [&] {
            QStringList s;
            for (const QFileInfo &i : QDir(dir.path()).entryInfoList(QDir::Files | QDir::Hidden))
                s << i.fileName() + i.lastModified().toString(Qt::ISODateWithMs);
            return s;
        };
        const QStringList before = state();
        QProcess tivarel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        tivarel.setProcessEnvironment(env);
        tivarel.start(TIVAREL_EXE, {"--rappels", doc});
        QTRY_VERIFY_WITH_TIMEOUT(!m_service.calls.isEmpty(), 5000);
        QTest::qWait(1500);
        tivarel.kill();
        tivarel.waitForFinished();
        QCOMPARE(m_service.calls.size(), 1);
        QVERIFY2(m_service.calls.at(0).startsWith("Dentiste|"), qPrintable(m_service.calls.at(0)));
        // No lock, no temporary file, no file written (times to the millisecond).
        QCOMPARE(state(), before);
    }
};

QTEST_MAIN(TestAppReminders)
#include "test_app_reminders.moc"
