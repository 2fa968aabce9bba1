#include "ScriptedUiServices.h"
#include "Fixtures.h"
#include "app/Document.h"
#include "app/SectionPage.h"
#include "app/TChild.h"
#include "common/Clock.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A document set on disk, one distinct file per section, in the formats the
// sections read.
class DocumentSetTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Writes a small but well-formed set named `base` and returns the bytes
    // of each file by extension.
    QMap<QString, QByteArray> writeSet(const QString &base)
    {
        QMap<QString, QByteArray> files;
        files[".orz"] = TestFiles::crlf({"20260105 0900 Dentiste", "20260107 1400 R\u00e9union \u00e9cole"});
        files[".ocn"] = TestFiles::crlf({" "});
        files[".oan"] = TestFiles::crlf({});
        files[".oaf"] = TestFiles::crlf({"<FAIRE>", "Acheter du pain", "<FAIT>", "Payer la cantine"});
        files[".obg"] = TestFiles::crlf({});
        files[".oap"] = TestFiles::crlf({"<BLOC0000>", "TITLE Vacances", "PICTURE ", "</BLOC0000>"});
        files[".ovd"] = TestFiles::crlf({});
        files[".oco"] = TestFiles::crlf({});
        files[".olv"] = TestFiles::crlf({});
        files[".osc"] = TestFiles::crlf({});
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            TestFiles::writeBytes(path(base + it.key()), it.value());
        return files;
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
    }
    void cleanup()
    {
        for (const QString &f : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(path(f));
    }

    void sectionFilesFollowTheBaseName()
    {
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        const QStringList expected = {".orz", ".ocn", ".oan", ".oaf", ".obg", ".oap", ".ovd", ".oco", ".olv", ".osc"};
        for (int n = 1; n <= 10; ++n) {
            QCOMPARE(QString::fromLatin1(Document::extension(n)), expected[n - 1]);
            QCOMPARE(child.page(n)->fileName(QStringLiteral("/d/agenda.Orz")), "/d/agenda" + expected[n - 1]);
            QCOMPARE(child.page(n)->objectName(), QStringLiteral("TabSheet%1").arg(n));
        }
    }

    void unchangedSetSavesBackByteForByte()
    {
        const auto files = writeSet(QStringLiteral("agenda"));
        ScriptedUiServices ui;
        FixedClock clock(QDateTime(QDate(2026, 1, 6), QTime(10, 0)));
        TChild child(ui, clock, m_dir.path());
        child.Charge(path(QStringLiteral("agenda.Orz")));
        QVERIFY(ui.messages().isEmpty());
        QVERIFY(!child.TestModif());
        QCOMPARE(child.document().name, path(QStringLiteral("agenda.orz")));

        QVERIFY(child.Sauve(path(QStringLiteral("agenda.Orz"))));
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            QCOMPARE(TestFiles::readBytes(path("agenda" + it.key())), it.value());
    }

    void unchangedSaveRewritesOnlyTheAlwaysWrittenSections()
    {
        writeSet(QStringLiteral("agenda"));
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.Charge(path(QStringLiteral("agenda.orz")));
        for (const char *ext : {".orz", ".ocn", ".oan", ".oaf", ".obg", ".oap", ".ovd", ".oco", ".olv", ".osc"})
            QVERIFY(QFile::remove(path("agenda" + QString::fromLatin1(ext))));

        QVERIFY(child.Sauve(path(QStringLiteral("agenda.orz"))));
        // Organiser and address book only when modified; to-do and budget
        // only when edited; birthdays and the five block files always.
        QStringList written = QDir(m_dir.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(written, (QStringList{"agenda.oan", "agenda.oap", "agenda.oco", "agenda.olv", "agenda.osc",
                                       "agenda.ovd"}));
    }

    void savingUnderANewNameWritesTheWholeSet()
    {
        const auto files = writeSet(QStringLiteral("agenda"));
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.Charge(path(QStringLiteral("agenda.orz")));
        QVERIFY(child.Sauve(path(QStringLiteral("copie.Orz"))));
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            QCOMPARE(TestFiles::readBytes(path("copie" + it.key())), it.value());
        QCOMPARE(child.document().name, path(QStringLiteral("copie.orz")));
    }

    void shortPathIsNeverSaved()
    {
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.document().setModified();
        QVERIFY(child.Sauve(QStringLiteral("a.or")));
        QVERIFY(child.TestModif());
        QVERIFY(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
    }

    void missingOrganiserIsReportedWithItsFullPath()
    {
        writeSet(QStringLiteral("agenda"));
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.Charge(path(QStringLiteral("agenda.orz")));
        child.document().setModified();

        const QString missing = path(QStringLiteral("x.orz"));
        child.Charge(path(QStringLiteral("x.Orz")));
        QCOMPARE(ui.messages(), QStringList{"Fichier " + missing + " n'existe pas"});
        QCOMPARE(ui.shown().constLast().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!child.TestModif());
        QCOMPARE(child.document().name, missing);

        // The appointments in memory stay and are written under the new name.
        child.document().setModified();
        QVERIFY(child.Sauve(missing));
        QCOMPARE(TestFiles::readBytes(missing),
                 TestFiles::crlf({"20260105 0900 Dentiste", "20260107 1400 R\u00e9union \u00e9cole"}));
    }

    void shortTopLinesOfTheOrganiserAreDropped()
    {
        TestFiles::writeBytes(path(QStringLiteral("a.orz")),
                              TestFiles::crlf({" ", "", "1234567", "20260105 0900 A", "short", "20260106 1000 B"}));
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.Charge(path(QStringLiteral("a.orz")));
        child.document().setModified();
        QVERIFY(child.Sauve(path(QStringLiteral("a.orz"))));
        // Lines below the first appointment stay (and the saved store is sorted).
        QCOMPARE(TestFiles::readBytes(path(QStringLiteral("a.orz"))),
                 TestFiles::crlf({"20260105 0900 A", "20260106 1000 B", "short"}));
    }

    void failedWriteKeepsTheDocumentModified()
    {
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.document().setModified();
        QVERIFY(!child.Sauve(path(QStringLiteral("no/such/folder/agenda.orz"))));
        QVERIFY(child.TestModif());
        QVERIFY(!ui.messages().isEmpty());
        QVERIFY(ui.lastMessage().startsWith(QStringLiteral("Impossible d'écrire")));
    }

    void settingsRoundTrip()
    {
        {
            ScriptedUiServices ui;
            FixedClock clock;
            TChild child(ui, clock, m_dir.path());
            child.activate();
            child.comboBox(3)->addItem(QStringLiteral("Western"));
            child.comboBox(10)->addItem(QStringLiteral("Pharmacie du Port"));
            child.comboBox(8)->addItem(QStringLiteral("Neuf")); // not remembered
            child.SetIni(true);
            child.document().name = path(QStringLiteral("agenda.orz"));
            child.SauveIni();
        }
        const QStringList ini = TextFileLines(path(QStringLiteral("Tivarel.ini")));
        QCOMPARE(ini, (QStringList{" 0.00000000000000E+0000", path(QStringLiteral("agenda.orz")), "1", "0"}));
        QCOMPARE(TestFiles::readBytes(path(QStringLiteral("Tivarel.cbx"))),
                 TestFiles::crlf({"Combo3Western", "ComboAPharmacie du Port"}));

        writeSet(QStringLiteral("agenda"));
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.activate();
        QCOMPARE(child.comboBox(3)->itemText(0), QStringLiteral("Western"));
        QCOMPARE(child.comboBox(10)->itemText(0), QStringLiteral("Pharmacie du Port"));
        const auto values = child.GetIni();
        QVERIFY(values.autoOpen);
        QCOMPARE(values.rememberedDocument, path(QStringLiteral("agenda.orz")));
        QVERIFY(ui.messages().isEmpty()); // the remembered document was opened
    }

    void automaticOpeningOffForgetsTheDocument()
    {
        TestFiles::writeBytes(path(QStringLiteral("Tivarel.ini")),
                              TestFiles::crlf({" 0.00000000000000E+0000", "/home/anne/agenda.orz", "0", "7"}));
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.activate();
        const auto values = child.GetIni();
        QVERIFY(!values.autoOpen);
        QVERIFY(values.rememberedDocument.isEmpty());
        QCOMPARE(values.reservedInteger, 7);
        QVERIFY(ui.messages().isEmpty());
    }

    void damagedSettingsGiveTheDefaults_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("two lines") << QByteArray("0\r\n/x/a.orz\r\n");
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x00\x01zz\r\n\r\nabc\r\n\r\n", 16);
    }
    void damagedSettingsGiveTheDefaults()
    {
        QFETCH(QByteArray, ini);
        TestFiles::writeBytes(path(QStringLiteral("Tivarel.ini")), ini);
        TestFiles::writeBytes(path(QStringLiteral("Tivarel.cbx")), TestFiles::crlf({"Combo1Loyer"}));
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.activate();
        QVERIFY(!child.GetIni().autoOpen);
        QVERIFY(child.GetIni().rememberedDocument.isEmpty());
        // The remembered lists are still read, so they are not lost at exit.
        QCOMPARE(child.comboBox(1)->count(), 1);
        child.SauveIni();
        QCOMPARE(TextFileLines(path(QStringLiteral("Tivarel.ini"))).size(), 4);
        QCOMPARE(TestFiles::readBytes(path(QStringLiteral("Tivarel.cbx"))), TestFiles::crlf({"Combo1Loyer"}));
    }

    void sectionSwitchShowsThePage()
    {
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.activate();
        QCOMPARE(child.activePage(), 1);
        for (int n : {5, 10, 2, 1}) {
            child.Section(n);
            QCOMPARE(child.activePage(), n);
        }
        child.Section(0);
        child.Section(11);
        QCOMPARE(child.activePage(), 1);
    }

    void newDocumentStartsEmptyAndUnnamed()
    {
        writeSet(QStringLiteral("agenda"));
        ScriptedUiServices ui;
        FixedClock clock;
        TChild child(ui, clock, m_dir.path());
        child.Charge(path(QStringLiteral("agenda.orz")));
        child.document().setModified();
        child.Nouveau();
        QVERIFY(child.document().name.isEmpty());
        QVERIFY(!child.TestModif());
        // Saving the new document under a name writes a fresh, empty set.
        QVERIFY(child.Sauve(path(QStringLiteral("neuf.orz"))));
        QCOMPARE(TestFiles::readBytes(path(QStringLiteral("neuf.oaf"))), TestFiles::crlf({"<FAIRE>", "<FAIT>"}));
        QVERIFY(QFile::exists(path(QStringLiteral("neuf.orz"))));
    }

private:
    static QStringList TextFileLines(const QString &p)
    {
        const QByteArray b = TestFiles::readBytes(p);
        QStringList out = QString::fromLatin1(b).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.constLast().isEmpty())
            out.removeLast();
        return out;
    }
};

QTEST_MAIN(DocumentSetTest)
#include "test_documentset.moc"
