// Backups of the document set: one copy a day of the set as it was before
// the day's first save, 14 days kept; a restore from the "Fichier" menu puts
// a copy back byte for byte after copying the current set aside; a copy
// that cannot be made never stops a save.
#include "Fixtures.h"

#include "common/BackupStore.h"
#include "common/TextFile.h"
#include "document/SectionPage.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

class TestAppBackups : public QObject
{
    Q_OBJECT

private slots:
    void fifteenDaysKeepTheFirstVersionOfFourteen()
    {
        const QDate first(2026, 12, 1);
        TestContext t(first);
        DialogNotices notices(t.ui, nullptr);
        const QString base = t.startDirectory.filePath("agenda");
        TestFiles::writeBytes(base + ".orz", "avant\r\n");
        for (int day = 0; day < 15; ++day) {
            t.clock.setDate(first.addDays(day));
            for (int save = 0; save < 2; ++save) {
                for (const QString ext : {".orz", ".obg"}) {
                    t.context.backups().beforeReplace(base + ext, notices);
                    QVERIFY(TextFile::write(base + ext, {QStringLiteral("%1-%2").arg(day).arg(save)}));
                }
            }
        }
        const auto copies = t.context.backups().store().list(base);
        QCOMPARE(copies.size(), 14); // the first day's copy is gone
        for (int i = 0; i < copies.size(); ++i) {
            const int day = 14 - i;
            QCOMPARE(copies[i].date, first.addDays(day));
            QCOMPARE(copies[i].files, QStringList({"agenda.orz", "agenda.obg"}));
            for (const QString &file : copies[i].files)
                QCOMPARE(TestFiles::readBytes(QDir(copies[i].folder).filePath(file)),
                         QStringLiteral("%1-1\r\n").arg(day - 1).toLatin1());
        }
        QVERIFY(t.ui.messages().isEmpty());
    }

    void restoreFromTheFileMenu()
    {
        MainFormFixture f(QDateTime(QDate(2026, 12, 6), QTime(14, 30, 12)));
        const QString base = f.path("agenda");
        auto before = TestFiles::writeSampleSet(f.dir.path(), "agenda");
        QFile::remove(base + ".osc");
        before.remove(".osc");
        BackupStore &store = f.child().context().backups().store();
        // The day's copy, made this morning.
        QCOMPARE(store.dailyCopy(base, QDate(2026, 12, 6)).outcome, BackupStore::Outcome::Made);
        // The day's damage: the organiser overwritten, a file the copy lacks.
        TestFiles::writeBytes(base + ".orz", "ab\xEEm\xE9\r\n");
        TestFiles::writeBytes(base + ".osc", "nouveau\r\n");
        f.form.openDocument(base + ".orz");
        // A copy cut short on another day goes when the restore tidies up.
        const QString cut = f.path("sauvegardes/agenda-2026-12-01.part");
        QVERIFY(QDir().mkpath(cut));

        QStringList listed;
        f.ui.dialog([&listed](QDialog *d) {
            listed = TestUi::texts(d->findChild<QListWidget *>("ListBox1"));
            return int(QDialog::Accepted);
        });
        f.ui.answer(QMessageBox::Ok);
        f.form.action("RestoreBackupItem")->trigger();
        QCOMPARE(listed, QStringList({QString::fromUtf8("dimanche 6 décembre 2026 - 9 fichier(s)")}));
        QVERIFY(
            f.ui.lastMessage().startsWith(QString::fromUtf8("Remplacer le document par la sauvegarde du dimanche")));
        for (const QString ext : {".orz", ".ocn", ".oan", ".oaf", ".obg", ".oap", ".ovd", ".oco", ".olv", ".osc"})
            QCOMPARE(TestFiles::readBytes(base + ext), before.value(ext));
        QVERIFY(!QFile::exists(base + ".osc") && !QFileInfo::exists(cut));
        QVERIFY(f.child().page(SectionId::Week)->searchLines()->contains("20260105 0900 Dentiste"));
        // The set as it was before the restore, copied aside first: listed
        // before the day's first copy.
        const auto copies = store.list(base);
        QCOMPARE(copies.size(), 2);
        QCOMPARE(copies[0].time, QTime(14, 30, 12));
        QCOMPARE(TestFiles::readBytes(QDir(copies[0].folder).filePath("agenda.orz")), QByteArray("ab\xEEm\xE9\r\n"));
        QCOMPARE(TestFiles::readBytes(QDir(copies[0].folder).filePath("agenda.osc")), QByteArray("nouveau\r\n"));
    }

    void saveGoesOnWhenNoCopyCanBeMade()
    {
        ChildFixture c;
        const QString doc = c.path("agenda.orz");
        TestFiles::writeSampleSet(c.dir.path(), "agenda");
        TestFiles::writeBytes(c.path("sauvegardes"), "un fichier, pas un dossier");
        c.child.Charge(doc);
        c.child.Section(5);
        c.child.findChild<QLineEdit *>("MaskEdit1")->setText("05/01/2026");
        auto *expense = c.child.findChild<QLineEdit *>("Edit3");
        expense->setText("42");
        QTest::keyClick(expense, Qt::Key_Return);
        QVERIFY(c.child.Sauve(doc));
        QCOMPARE(c.ui.messages().size(), 1);
        QVERIFY(c.ui.lastMessage().contains(QString::fromUtf8("L'enregistrement se fait quand même")));
        QVERIFY(TestFiles::readBytes(c.path("agenda.obg")).contains("42,00"));
        QVERIFY(c.child.Sauve(doc));
        QCOMPARE(c.ui.messages().size(), 1); // told once
    }
};

QTEST_MAIN(TestAppBackups)
#include "test_app_backups.moc"
