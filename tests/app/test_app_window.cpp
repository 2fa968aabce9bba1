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
    void sections_data();
    void unchangedSetSavesBackByteForByte();
    void missingFile_data() { sections_data(); }
    void missingFile();
    void unchangedSaveWritesOnlyTheAlwaysWritten_data() { sections_data(); }
    void unchangedSaveWritesOnlyTheAlwaysWritten();
    void failedWrite_data() { sections_data(); }
    void failedWrite();
    void shortPathIsNeverSaved();
    void newDocumentStartsEmptyAndUnnamed();
    void settingsRoundTrip();
    void damagedSettingsGiveTheDefaults_data();
    void damagedSettingsGiveTheDefaults();
    void unreadableSettingsAreToldAndKept();
    void commandsWithoutATargetDoNothing_data();
    void commandsWithoutATargetDoNothing();
    void pageKeysStepTheWeekFromAnyDayList();
};

// One row per section: its page, its extension, whether loading a set
// without its file says so, and whether a save of an unchanged document
// writes it all the same.
void TestAppWindow::sections_data()
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

void TestAppWindow::unchangedSetSavesBackByteForByte()
{
    ChildFixture f(QDateTime(QDate(2026, 1, 6), QTime(10, 0)));
    const auto files = TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
    f.child.Charge(f.path(QStringLiteral("agenda.Orz")));
    QVERIFY(f.ui.messages().isEmpty());
    QVERIFY(!f.child.TestModif());
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

void TestAppWindow::missingFile()
{
    QFETCH(int, page);
    QFETCH(QString, ext);
    QFETCH(bool, missingIsTold);
    ChildFixture f;
    const auto files = TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
    QCOMPARE(f.child.page(page)->fileName(f.path(QStringLiteral("agenda.Orz"))), f.path("agenda" + ext));
    QVERIFY(QFile::remove(f.path("agenda" + ext)));
    f.child.Charge(f.path(QStringLiteral("agenda.orz")));
    const QStringList told = missingIsTold ? QStringList{"Fichier " + f.path("agenda" + ext) + " n'existe pas"}
                                           : QStringList();
    QCOMPARE(f.ui.messages(), told);
    QVERIFY(!f.child.TestModif());
    // The other sections were read all the same: they save back as they were.
    f.child.document().setModified();
    QVERIFY(f.child.Sauve(f.path(QStringLiteral("copie.orz"))));
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        if (it.key() != ext)
            QCOMPARE(TestFiles::readBytes(f.path("copie" + it.key())), it.value());
    }
}

void TestAppWindow::unchangedSaveWritesOnlyTheAlwaysWritten()
{
    QFETCH(QString, ext);
    QFETCH(bool, alwaysWritten);
    ChildFixture f;
    TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
    f.child.Charge(f.path(QStringLiteral("agenda.orz")));
    QVERIFY(QFile::remove(f.path("agenda" + ext)));
    QVERIFY(f.child.Sauve(f.path(QStringLiteral("agenda.orz"))));
    QCOMPARE(QFile::exists(f.path("agenda" + ext)), alwaysWritten);
}

// A section file that cannot be written (a folder stands in its place) is
// told; the save fails and the document stays modified.
void TestAppWindow::failedWrite()
{
    QFETCH(QString, ext);
    ChildFixture f;
    TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
    f.child.Charge(f.path(QStringLiteral("agenda.orz")));
    QVERIFY(QDir(f.dir.path()).mkdir("copie" + ext));
    f.child.document().setModified();
    QVERIFY(!f.child.Sauve(f.path(QStringLiteral("copie.orz"))));
    QVERIFY(f.child.TestModif());
    QVERIFY(f.ui.lastMessage().startsWith(QStringLiteral("Impossible d'écrire")));
    QVERIFY(f.ui.lastMessage().contains("copie" + ext));
}

void TestAppWindow::shortPathIsNeverSaved()
{
    ChildFixture f;
    f.child.document().setModified();
    QVERIFY(f.child.Sauve(QStringLiteral("a.or")));
    QVERIFY(f.child.TestModif());
    QVERIFY(QDir(f.dir.path()).entryList(QDir::Files).isEmpty());
}

void TestAppWindow::newDocumentStartsEmptyAndUnnamed()
{
    ChildFixture f;
    TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
    f.child.Charge(f.path(QStringLiteral("agenda.orz")));
    f.child.document().setModified();
    f.child.Nouveau();
    QVERIFY(f.child.document().name.isEmpty());
    QVERIFY(!f.child.TestModif());
    QVERIFY(f.child.Sauve(f.path(QStringLiteral("neuf.orz"))));
    QCOMPARE(TestFiles::readBytes(f.path(QStringLiteral("neuf.oaf"))), TestFiles::crlf({"<FAIRE>", "<FAIT>"}));
    QCOMPARE(TestFiles::readBytes(f.path(QStringLiteral("neuf.orz"))), TestFiles::crlf({" "}));
}

void TestAppWindow::settingsRoundTrip()
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
    QCOMPARE(TestUi::texts(f.child.comboBox(3)), QStringList{"Western"});
    QCOMPARE(TestUi::texts(f.child.comboBox(10)), QStringList{"Pharmacie du Port"});
    QVERIFY(f.child.GetIni().autoOpen);
    QCOMPARE(f.child.GetIni().rememberedDocument, f.path(QStringLiteral("agenda.orz")));
    QCOMPARE(f.child.document().caption, QStringLiteral("agenda.orz")); // opened at once
    QVERIFY(f.ui.messages().isEmpty());
}

void TestAppWindow::damagedSettingsGiveTheDefaults_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("two lines") << QByteArray("0\r\n/x/a.orz\r\n");
    QTest::newRow("garbage") << QByteArray("\xff\xfe\x00\x01zz\r\n\r\nabc\r\n\r\n", 16);
    QTest::newRow("automatic opening off") << QByteArray(" 0.00000000000000E+0000\r\n/x/a.orz\r\n0\r\n7\r\n");
}

void TestAppWindow::damagedSettingsGiveTheDefaults()
{
    QFETCH(QByteArray, ini);
    ChildFixture f;
    TestFiles::writeBytes(f.path(QStringLiteral("Tivarel.ini")), ini);
    TestFiles::writeBytes(f.path(QStringLiteral("Tivarel.cbx")), TestFiles::crlf({"Combo1Loyer"}));
    f.child.activate();
    QVERIFY(!f.child.GetIni().autoOpen);
    QVERIFY(f.child.GetIni().rememberedDocument.isEmpty());
    QVERIFY(f.ui.messages().isEmpty());
    // The remembered lists are still read, so they are not lost at exit.
    QCOMPARE(f.child.comboBox(1)->count(), 1);
    f.child.SauveIni();
    QCOMPARE(TestFiles::readBytes(f.path(QStringLiteral("Tivarel.cbx"))), TestFiles::crlf({"Combo1Loyer"}));
}

// Settings files that are there but cannot be read (folders of those names)
// are told and left as they are at exit.
void TestAppWindow::unreadableSettingsAreToldAndKept()
{
    ChildFixture f;
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Tivarel.ini")));
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("Tivarel.cbx")));
    f.child.activate();
    QCOMPARE(f.ui.messages().size(), 2);
    QVERIFY(f.ui.messages().constFirst().contains(QStringLiteral("Tivarel.ini")));
    QVERIFY(f.ui.messages().constLast().contains(QStringLiteral("Tivarel.cbx")));
    f.ui.clear();
    f.child.SauveIni();
    QVERIFY(f.ui.messages().isEmpty());
    QVERIFY(QFileInfo(f.path(QStringLiteral("Tivarel.ini"))).isDir());
    QVERIFY(QFileInfo(f.path(QStringLiteral("Tivarel.cbx"))).isDir());
}

void TestAppWindow::commandsWithoutATargetDoNothing_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("command");
    const QList<QPair<int, QStringList>> dashes = {
        {2, {"Couper", "Copier", "Coller"}},
        {3, {"Supprime", "Chercher", "FindNext", "Couper", "Copier", "Coller"}},
        {4, {"Supprime", "Precedent", "Suivant", "Premier", "Dernier", "Chercher", "FindNext", "Couper", "Copier",
             "Coller"}},
        {5, {"Ajout", "Supprime", "Premier", "Dernier", "Chercher", "FindNext", "Couper", "Copier", "Coller"}},
        {6, {"Couper", "Copier", "Coller"}},
        {7, {"Couper", "Copier", "Coller"}},
        {8, {"Chercher", "FindNext", "Couper", "Copier", "Coller"}},
        {9, {"Couper", "Copier", "Coller"}},
        {10, {"Couper", "Copier", "Coller"}},
    };
    for (const auto &[page, names] : dashes) {
        for (const QString &name : names)
            QTest::addRow("page %d %s", page, qPrintable(name)) << page << name;
    }
}

void TestAppWindow::commandsWithoutATargetDoNothing()
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

void TestAppWindow::pageKeysStepTheWeekFromAnyDayList()
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
    // Section switches keep the page asked for; out of range, nothing moves.
    for (int n : {5, 10, 2, 1}) {
        f.child.Section(n);
        QCOMPARE(f.child.activePage(), n);
    }
    f.child.Section(0);
    f.child.Section(11);
    QCOMPARE(f.child.activePage(), 1);
}

QTEST_MAIN(TestAppWindow)
#include "test_app_window.moc"
