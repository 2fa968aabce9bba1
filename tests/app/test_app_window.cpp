#include "Fixtures.h"
#include "app/Document.h"
#include "app/SectionPage.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTest>

// The document window over its ten sections: the files of a document set,
// what a save writes, failing writes, settings, and which generic commands
// do nothing on which page.
class TestAppWindow : public QObject
{
    Q_OBJECT

    using Command = void (TChild::*)();

private slots:
    // One row per section: its page, its extension, whether loading a set
    // without its file says so, and whether a save of an unchanged document
    // writes it all the same.
    void sectionFiles_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<bool>("missingIsTold");
        QTest::addColumn<bool>("alwaysWritten");
        QTest::newRow("1 organiser") << 1 << ".orz" << true << false;
        QTest::newRow("2 addresses") << 2 << ".ocn" << false << false;
        QTest::newRow("3 birthdays") << 3 << ".oan" << false << true;
        QTest::newRow("4 to-do") << 4 << ".oaf" << false << false;
        QTest::newRow("5 budget") << 5 << ".obg" << false << false;
        QTest::newRow("6 album") << 6 << ".oap" << false << true;
        QTest::newRow("7 videos") << 7 << ".ovd" << false << true;
        QTest::newRow("8 shopping") << 8 << ".oco" << false << true;
        QTest::newRow("9 books") << 9 << ".olv" << false << true;
        QTest::newRow("10 reimbursements") << 10 << ".osc" << false << true;
    }

    // A set without the section's file: told or not; an unchanged save writes
    // it only when always written; the other sections save back as they were;
    // a file that cannot be written (a folder in its place) fails the save.
    void sectionFiles()
    {
        QFETCH(int, page);
        QFETCH(QString, ext);
        QFETCH(bool, missingIsTold);
        ChildFixture f;
        const auto files = TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
        QCOMPARE(f.child.page(page)->fileName(f.path(QStringLiteral("agenda.Orz"))), f.path("agenda" + ext));
        QVERIFY(QFile::remove(f.path("agenda" + ext)));
        f.child.Charge(f.path(QStringLiteral("agenda.orz")));
        QCOMPARE(f.ui.messages(), missingIsTold ? QStringList{"Fichier " + f.path("agenda" + ext) + " n'existe pas"}
                                                : QStringList());
        QVERIFY(!f.child.TestModif());
        QVERIFY(f.child.Sauve(f.path(QStringLiteral("agenda.orz"))));
        QTEST(QFile::exists(f.path("agenda" + ext)), "alwaysWritten");
        f.child.document().setModified();
        QVERIFY(f.child.Sauve(f.path(QStringLiteral("copie.orz"))));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            if (it.key() != ext)
                QCOMPARE(TestFiles::readBytes(f.path("copie" + it.key())), it.value());
        }
        QVERIFY(QDir(f.dir.path()).mkdir("echec" + ext));
        f.child.document().setModified();
        QVERIFY(!f.child.Sauve(f.path(QStringLiteral("echec.orz"))));
        QVERIFY(f.child.TestModif());
        QVERIFY(f.ui.lastMessage().startsWith(QStringLiteral("Impossible d'écrire"))
                && f.ui.lastMessage().contains("echec" + ext));
    }

    void unchangedSetSavesBackByteForByte()
    {
        ChildFixture f(QDateTime(QDate(2026, 1, 6), QTime(10, 0)));
        const auto files = TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
        f.child.Charge(f.path(QStringLiteral("agenda.Orz")));
        QVERIFY(f.ui.messages().isEmpty() && !f.child.TestModif());
        QCOMPARE(f.child.document().name, f.path(QStringLiteral("agenda.orz")));
        // In place, and under a new name, which writes the whole set.
        QVERIFY(f.child.Sauve(f.path(QStringLiteral("agenda.Orz"))));
        QVERIFY(f.child.Sauve(f.path(QStringLiteral("copie.orz"))));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QCOMPARE(TestFiles::readBytes(f.path("agenda" + it.key())), it.value());
            QCOMPARE(TestFiles::readBytes(f.path("copie" + it.key())), it.value());
        }
        QCOMPARE(f.child.document().name, f.path(QStringLiteral("copie.orz")));
    }

    void shortPathIsNeverSaved()
    {
        ChildFixture f;
        f.child.document().setModified();
        QVERIFY(f.child.Sauve(QStringLiteral("a.or")));
        QVERIFY(f.child.TestModif());
        QVERIFY(QDir(f.dir.path()).entryList(QDir::Files).isEmpty());
    }

    void settingsRoundTrip()
    {
        ChildFixture f;
        TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
        {
            TChild child(f.ui, f.clock, f.dir.path());
            child.activate();
            child.comboBox(3)->addItem(QStringLiteral("Western"));
            child.comboBox(10)->addItem(QStringLiteral("Pharmacie du Port"));
            child.comboBox(8)->addItem(QStringLiteral("Neuf")); // not remembered
            child.SetIni(true);
            child.document().name = f.path(QStringLiteral("agenda.orz"));
            child.SauveIni();
        }
        QCOMPARE(TestFiles::readBytes(f.path(QStringLiteral("Tivarel.ini"))),
                 TestFiles::crlf({" 0.00000000000000E+0000", f.path(QStringLiteral("agenda.orz")), "1", "0"}));
        QCOMPARE(TestFiles::readBytes(f.path(QStringLiteral("Tivarel.cbx"))),
                 TestFiles::crlf({"Combo3Western", "ComboAPharmacie du Port"}));

        f.child.activate();
        QCOMPARE(TestUi::texts(f.child.comboBox(3)) + TestUi::texts(f.child.comboBox(10)),
                 (QStringList{"Western", "Pharmacie du Port"}));
        QCOMPARE(f.child.document().caption, QStringLiteral("agenda.orz")); // opened at once
        QVERIFY(f.ui.messages().isEmpty());
    }

    // A damaged settings file gives the defaults (which files are damaged is
    // the settings store's rule) while the remembered lists are still read and
    // kept at exit; settings files that cannot be read (folders of those
    // names) are told and left as they are.
    void settingsThatCannotBeUsed()
    {
        ChildFixture f;
        TestFiles::writeBytes(f.path("Tivarel.ini"), QByteArray("\xff\xfe\x00\x01zz\r\n\r\nabc\r\n\r\n", 16));
        TestFiles::writeBytes(f.path("Tivarel.cbx"), TestFiles::crlf({"Combo1Loyer"}));
        f.child.activate();
        QVERIFY(!f.child.GetIni().autoOpen && f.child.GetIni().rememberedDocument.isEmpty());
        QVERIFY(f.ui.messages().isEmpty());
        QCOMPARE(f.child.comboBox(1)->count(), 1);
        f.child.SauveIni();
        QCOMPARE(TestFiles::readBytes(f.path("Tivarel.cbx")), TestFiles::crlf({"Combo1Loyer"}));

        ChildFixture g;
        QVERIFY(QDir(g.dir.path()).mkdir("Tivarel.ini") && QDir(g.dir.path()).mkdir("Tivarel.cbx"));
        g.child.activate();
        QCOMPARE(g.ui.messages().size(), 2);
        QVERIFY(g.ui.messages()[0].contains("Tivarel.ini") && g.ui.messages()[1].contains("Tivarel.cbx"));
        g.ui.clear();
        g.child.SauveIni();
        QVERIFY(g.ui.messages().isEmpty());
        QVERIFY(QFileInfo(g.path("Tivarel.ini")).isDir() && QFileInfo(g.path("Tivarel.cbx")).isDir());
    }

    void commandsWithoutATargetDoNothing_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("command");
        const QStringList clipboard{"Couper", "Copier", "Coller"}, search{"Chercher", "FindNext"};
        const QList<QPair<int, QStringList>> dashes = {
            {2, clipboard}, {6, clipboard}, {7, clipboard}, {9, clipboard}, {10, clipboard},
            {3, QStringList{"Supprime"} + search + clipboard},
            {4, QStringList{"Supprime", "Precedent", "Suivant", "Premier", "Dernier"} + search + clipboard},
            {5, QStringList{"Ajout", "Supprime", "Premier", "Dernier"} + search + clipboard},
            {8, search + clipboard},
        };
        for (const auto &[page, names] : dashes) {
            for (const QString &name : names)
                QTest::addRow("page %d %s", page, qPrintable(name)) << page << name;
        }
    }

    void commandsWithoutATargetDoNothing()
    {
        QFETCH(int, page);
        QFETCH(QString, command);
        const QMap<QString, Command> commands = {
            {"Premier", &TChild::Premier},   {"Precedent", &TChild::Precedent}, {"Suivant", &TChild::Suivant},
            {"Dernier", &TChild::Dernier},   {"Ajout", &TChild::Ajout},         {"Supprime", &TChild::Supprime},
            {"Chercher", &TChild::Chercher}, {"FindNext", &TChild::FindNext},   {"Couper", &TChild::Couper},
            {"Copier", &TChild::Copier},     {"Coller", &TChild::Coller}};
        ChildFixture f(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        f.child.activate();
        f.child.Section(page);
        const QDate reference = f.child.document().referenceDate;
        f.ui.clear();

        (f.child.*commands.value(command))();

        QVERIFY2(f.ui.shown().isEmpty(), qPrintable(f.ui.shown().isEmpty() ? QString() : f.ui.shown().constFirst().text));
        QVERIFY(!f.child.TestModif());
        QCOMPARE(f.child.activePage(), page);
        QCOMPARE(f.child.document().referenceDate, reference);
    }

    void pageKeysStepTheWeekFromAnyDayList()
    {
        ChildFixture f(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        f.child.resize(800, 560);
        f.child.show();
        f.child.activate();
        FIND_CHILD(friday, QListWidget, &f.child, QStringLiteral("ListBox5"));
        QTest::keyClick(friday, Qt::Key_PageDown);
        QCOMPARE(f.child.document().referenceDate, QDate(2026, 3, 18));
        QTest::keyClick(friday, Qt::Key_PageUp);
        QTest::keyClick(friday, Qt::Key_PageUp);
        QCOMPARE(f.child.document().referenceDate, QDate(2026, 3, 4));
        // Out of range, the section stays.
        f.child.Section(0);
        f.child.Section(11);
        QCOMPARE(f.child.activePage(), 1);
    }

};

QTEST_MAIN(TestAppWindow)
#include "test_app_window.moc"
