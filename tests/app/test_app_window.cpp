#include "Fixtures.h"
#include "document/Document.h"
#include "document/SectionPage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

// The document window over its ten sections: the files of a document set,
// what a save writes, failing writes, settings, and which generic commands
// do nothing on which page.
class TestAppWindow : public QObject
{
    Q_OBJECT

    using Command = void (TChild::*)();

private slots:
    // One row per section: its page, its extension (a set loaded without the
    // organiser's file says so, no other), and whether a save of an unchanged document
    // writes it all the same; the lines of a file of the section ('|'), an edit of its page and what it keeps.
    void sectionFiles_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<bool>("alwaysWritten");
        QTest::addColumn<QStringList>("edit"); // lines, steps (openWhileShowing), words kept
        const QStringList exts = QString(".orz .ocn .oan .oaf .obg .oap .ovd .oco .olv .osc").split(u' ');
        const QStringList edits =
            QString("2026010509:00 Nouveau1|2026010510:00 Nouveau2;ListBox1#A100Nouveau1|A101Nouveau2;ListBox8#"
                    "0105 Nouveau1|0106 "
                    "Nouveau2;ListBox9#<FAIRE>|Nouveau1|Nouveau2|<FAIT>;ListBox15#258202601000005/01/"
                    "2026|2582026010002Nouveau|"
                    "25820260100031,00;MaskEdit1=06012026 Edit3=7 Edit3!#<BLOC0000>|TITLE T|PICTURE "
                    "|Nouveau|</BLOC0000>;Edit7=X#<BLOC0000>|Nouveau|"
                    "09/03/2024|4|T|||||2000|60||96||96||</BLOC0000>;Edit9=X#<BLOC0000>|05/01/"
                    "2026|Nouveau|CMDENouveau1|CMDENouveau2|</BLOC0000>;"
                    "StringGrid5=X#<BLOC0000>|Nouveau|31/12/2025|3|T|||||1999|Bon|</"
                    "BLOC0000>;Edit14=X#<BLOC0000>|Nouveau|02/01/2026|Dr|40|||"
                    "03/01/2026|10||20||</BLOC0000>;Edit19=41")
                .split(u'#');
        for (int page = 1; page <= 10; ++page)
            QTest::addRow("%d %s", page, qPrintable(exts[page - 1]))
                << page << exts[page - 1] << QList{3, 6, 7, 8, 9, 10}.contains(page)
                << (edits[page - 1] + ";Nouveau").split(';');
    }

    // A set opened while a page shows: the page shows that set. Set A (the lines with "Ancien" for "Nouveau")
    // is opened and the page shown, then set B; the page is edited ("Name": Delete on the first row of that
    // list, "Name=text": typed there, or in the first cell of a grid, "Name!": Enter there, "+": "Ajouter")
    // and B saved: B's file keeps the words and nothing of A.
    void openWhileShowing_data()
    {
        sectionFiles_data();
        QTest::newRow("8 two short lists added")
            << 8 << ".oco" << true << QStringList{"", "StringGrid5=Pain + StringGrid5=Lait", "Pain Lait"};
    }
    void openWhileShowing()
    {
        QFETCH(int, page);
        QFETCH(QStringList, edit);
        ChildFixture f;
        for (const QString set : {"a", "b"})
            TestFiles::writeBytes(
                DocumentModel::fileName(f.path(set), SectionId(page)),
                TestFiles::crlf(
                    edit[0].isEmpty()
                        ? QStringList()
                        : QString(edit[0]).replace(set == "a" ? "Nouveau" : "Ancien", "Ancien").split(u'|')));
        f.child.activate(), f.child.Charge(f.path("a.orz")), f.child.Section(page), f.child.Charge(f.path("b.orz"));
        for (const QString &step : edit[1].split(u' ')) {
            QWidget *w =
                f.child.page(SectionId(page))->findChild<QWidget *>(QString(step).remove(u'!').section(u'=', 0, 0));
            if (step == "+")
                f.child.Ajout();
            else if (auto *grid = qobject_cast<QTableWidget *>(w))
                grid->setItem(0, 0, new QTableWidgetItem(step.section(u'=', 1)));
            else if (auto *view = qobject_cast<QAbstractItemView *>(w))
                view->setCurrentIndex(view->model()->index(0, 0)), QTest::keyClick(view, Qt::Key_Delete);
            else if (step.endsWith(u'!'))
                QTest::keyClick(w, Qt::Key_Return);
            else
                static_cast<QLineEdit *>(w)->selectAll(), QTest::keyClicks(w, step.section(u'=', 1));
        }
        QVERIFY(f.child.Sauve(f.path("b.orz")));
        const QString saved =
            QString::fromLatin1(TestFiles::readBytes(DocumentModel::fileName(f.path("b"), SectionId(page))));
        QVERIFY2(!saved.contains("Ancien")
                     && std::ranges::all_of(edit[2].split(u' '), [&](auto &w) { return saved.contains(w); }),
                 qPrintable(saved));
    }

    // A set without the section's file: told or not; an unchanged save writes
    // it only when always written; the other sections save back as they were;
    // a file that cannot be written (a folder in its place) fails the save
    // and no file of that set is written.
    void sectionFiles()
    {
        QFETCH(int, page);
        QFETCH(QString, ext);
        ChildFixture f;
        const auto files = TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
        QCOMPARE(DocumentModel::fileName(f.path(QStringLiteral("agenda.Orz")), SectionId(page)),
                 f.path("agenda" + ext));
        QVERIFY(QFile::remove(f.path("agenda" + ext)));
        f.child.Charge(f.path(QStringLiteral("agenda.orz")));
        QCOMPARE(f.ui.messages(),
                 page == 1 ? QStringList{"Fichier " + f.path("agenda" + ext) + " n'existe pas"} : QStringList());
        QVERIFY(!f.child.TestModif() && f.child.Sauve(f.path(QStringLiteral("agenda.orz"))));
        QTEST(QFile::exists(f.path("agenda" + ext)), "alwaysWritten");
        f.child.document().setModified();
        QVERIFY(f.child.Sauve(f.path(QStringLiteral("copie.orz"))));
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            QCOMPARE(it.key() == ext ? it.value() : TestFiles::readBytes(f.path("copie" + it.key())), it.value());
        QVERIFY(QDir(f.dir.path()).mkdir("echec" + ext));
        f.child.document().setModified();
        QVERIFY(!f.child.Sauve(f.path(QStringLiteral("echec.orz"))) && f.child.TestModif());
        QVERIFY(f.ui.lastMessage().startsWith(QStringLiteral("Impossible d'écrire"))
                && f.ui.lastMessage().contains("echec" + ext));
        QCOMPARE(QDir(f.dir.path()).entryList({"*echec*"}, QDir::AllEntries | QDir::Hidden),
                 QStringList("echec" + ext));
    }

    void unchangedSetSavesBackByteForByte()
    {
        ChildFixture f(QDateTime(QDate(2026, 1, 6), QTime(10, 0)));
        const auto files = TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
        f.child.Charge(f.path(QStringLiteral("agenda.Orz")));
        QVERIFY(f.ui.messages().isEmpty() && !f.child.TestModif() && f.child.document().name == f.path("agenda.orz"));
        // In place, and under a new name, which writes the whole set.
        QVERIFY(f.child.Sauve(f.path(QStringLiteral("agenda.Orz"))));
        QVERIFY(f.child.Sauve(f.path(QStringLiteral("copie.orz"))));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QCOMPARE(TestFiles::readBytes(f.path("agenda" + it.key())), it.value());
            QCOMPARE(TestFiles::readBytes(f.path("copie" + it.key())), it.value());
        }
        QCOMPARE(f.child.document().name, f.path(QStringLiteral("copie.orz")));
        // A path too short to name a set is never saved.
        const QStringList before = QDir(f.dir.path()).entryList(QDir::Files);
        f.child.document().setModified();
        QVERIFY(f.child.Sauve(QStringLiteral("a.or")) && f.child.TestModif());
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), before);
    }

    // A save that fails (a file size limit, a folder that takes no new file,
    // a file its owner made read-only) replaces none of the ten files, names the file and keeps the document
    // modified under its old name; with the fault gone the same save writes
    // the whole set, through the link that stands for one file, keeping a
    // private file private. (A folder in a file's place: sectionFiles.)
    void failingDiskKeepsTheSet()
    {
        for (const int kind : {0, 1, 2}) {
            const bool sizeLimit = kind == 0, readOnlyFile = kind == 2;
            ChildFixture f;
            const auto files = TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("agenda"));
            f.child.Charge(f.path(QStringLiteral("agenda.orz")));
            f.child.document().setModified();
            const auto target = [&](const QString &e) { return f.path("cible/x" + e); };
            QVERIFY(QDir(f.dir.path()).mkdir("cible") && QFile::link("../vrai.obg", target(".obg")));
            for (const QString &e : files.keys())
                TestFiles::writeBytes(target(e), e.toLatin1());
            QVERIFY(QFile::setPermissions(target(".orz"), QFile::ReadOwner | QFile::WriteOwner));
            // No file may grow past 40 bytes (the organiser file is larger); or
            // the folder is r-x, or the address book r--, and root loses its
            // rights over them by taking nobody's.
            const rlimit limit{sizeLimit ? 40 : RLIM_INFINITY, RLIM_INFINITY}, none{RLIM_INFINITY, RLIM_INFINITY};
            setrlimit(RLIMIT_FSIZE, &limit);
            if (readOnlyFile) {
                // Nobody's folder and files, through a parent nobody may cross.
                QFile::setPermissions(f.dir.path(), QFile::Permissions(0x7711));
                QStringList owned{"cible", "vrai.obg"};
                for (const QString &e : files.keys())
                    owned << "cible/x" + e;
                for (const QString &e : owned)
                    [[maybe_unused]] const int ignored = lchown(QFile::encodeName(f.path(e)).constData(), 65534, 65534);
            }
            QVERIFY(sizeLimit
                    || (readOnlyFile ? QFile::setPermissions(target(".ocn"), QFile::Permissions(0x4444))
                                     : QFile::setPermissions(f.path("cible"), QFile::Permissions(0x5555))));
            QVERIFY(sizeLimit || setfsuid(65534) >= 0);
            const bool saved = f.child.Sauve(target(".orz"));
            setfsuid(getuid()), setrlimit(RLIMIT_FSIZE, &none),
                QFile::setPermissions(f.path("cible"), QFile::Permissions(0x7755));
            QVERIFY(f.ui.lastMessage().contains(readOnlyFile ? target(".ocn") + " : le fichier est protégé"
                                                             : target(".orz") + " : "));
            QFile::setPermissions(target(".ocn"), QFile::Permissions(0x6644));
            QVERIFY(!saved && f.child.TestModif() && f.child.document().name == f.path("agenda.orz"));
            QVERIFY(f.ui.lastMessage().contains("aucun de ses"));
            // The ten files and no temporary one ("sauvegardes" is the day's backup).
            QCOMPARE(
                QDir(f.path("cible")).entryList({"*.*"}, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                10);
            for (const QString &e : files.keys())
                QCOMPARE(TestFiles::readBytes(target(e)), e.toLatin1());
            QVERIFY(f.child.Sauve(target(".orz")) && !f.child.TestModif());
            for (const QString &e : files.keys())
                QCOMPARE(TestFiles::readBytes(target(e)), files[e]);
            QVERIFY(QFileInfo(target(".obg")).isSymLink()
                    && (int(QFile::permissions(target(".orz"))) & 0xF0FF) == 0x6000);
        }
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
        QCOMPARE(TestFiles::readBytes(f.path("Tivarel.ini")) + "|" + TestFiles::readBytes(f.path("Tivarel.cbx")),
                 TestFiles::crlf({" 0.00000000000000E+0000", f.path("agenda.orz"), "1", "0"}) + "|"
                     + TestFiles::crlf({"Combo3Western", "ComboAPharmacie du Port"}));

        f.child.activate();
        QCOMPARE(TestUi::texts(f.child.comboBox(3)) + TestUi::texts(f.child.comboBox(10)),
                 (QStringList{"Western", "Pharmacie du Port"}));
        // Opened at once, silently.
        QCOMPARE(f.child.document().caption + f.ui.messages().join(u'|'), QStringLiteral("agenda.orz"));
    }

    // A damaged settings file gives the defaults (which files are damaged is
    // the settings store's rule) while the remembered lists are still read and
    // kept at exit; settings files that cannot be read (folders of those
    // names) are told and left as they are.
    void settingsThatCannotBeUsed()
    {
        ChildFixture f;
        TestFiles::writeBytes(f.path("Tivarel.ini"), QByteArray("\xff\xfe\x00\x01zz\r\n\r\nabc\r\n\r\n", 16));
        TestFiles::writeBytes(f.path("Tivarel.cbx"), TestFiles::crlf({"Combo1Loyer", "Solde21500,00"}));
        f.child.activate();
        QVERIFY(!f.child.GetIni().autoOpen && f.child.GetIni().rememberedDocument.isEmpty()
                && f.ui.messages().isEmpty());
        QCOMPARE(f.child.comboBox(1)->count(), 1);
        f.child.SauveIni();
        QCOMPARE(TestFiles::readBytes(f.path("Tivarel.cbx")), TestFiles::crlf({"Combo1Loyer", "Solde21500,00"}));

        ChildFixture g;
        QVERIFY(QDir(g.dir.path()).mkdir("Tivarel.ini") && QDir(g.dir.path()).mkdir("Tivarel.cbx"));
        g.child.activate();
        QVERIFY(g.ui.messages().size() == 2 && g.ui.messages()[0].contains("Tivarel.ini")
                && g.ui.messages()[1].contains("Tivarel.cbx"));
        g.ui.clear();
        g.child.SauveIni();
        QVERIFY(g.ui.messages().isEmpty() && QFileInfo(g.path("Tivarel.ini")).isDir()
                && QFileInfo(g.path("Tivarel.cbx")).isDir());
    }

    void commandsWithoutATargetDoNothing_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("command");
        // Per page from 2 on: "C" stands for the clipboard commands, "F" for the two search commands.
        const QStringList dashes = QString("C|Supprime F C|Supprime Precedent Suivant Premier Dernier F C|"
                                           "Ajout Supprime Premier Dernier F C|C|C|F C|C|C")
                                       .split(u'|');
        for (int page = 2; page <= 10; ++page) {
            const QString names =
                QString(dashes[page - 2]).replace("C", "Couper Copier Coller").replace("F", "Chercher FindNext");
            for (const QString &name : names.split(u' '))
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

        QVERIFY2(f.ui.shown().isEmpty(),
                 qPrintable(f.ui.shown().isEmpty() ? QString() : f.ui.shown().constFirst().text));
        QVERIFY(!f.child.TestModif() && f.child.activePage() == page && f.child.document().referenceDate == reference);
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
