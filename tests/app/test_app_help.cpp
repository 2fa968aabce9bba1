#include "Fixtures.h"
#include "app/Application.h"
#include "app/HelpLauncher.h"
#include "app/HelpTopics.h"
#include "app/HelpWindow.h"
#include "app/Settings.h"

#include <QAction>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>

// The help reaches a real page from every entry point, and the program
// opens the document named on its command line.
class TestAppHelp : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QDir::setCurrent(m_dir.path());
    }

    void entryPoints_data()
    {
        QTest::addColumn<QString>("entry"); // a menu command, or F1:<where>
        QTest::addColumn<QString>("page");
        QTest::newRow("Index") << "HelpContentsItem" << HelpTopics::contents();
        QTest::newRow("Rechercher, on the index") << "HelpSearchItem" << HelpTopics::contents();
        QTest::newRow("Utiliser l'aide") << "HelpHowToItem" << QString("aide.html");
        // "where=page": the page is where=page.html.
        const QString rows =
            "section:1=semaine section:2=adresses section:3=anniversaires section:4=choses "
            "section:5=budget section:6=album section:7=videotheque section:8=achats "
            "section:9=bibliotheque section:10=secu menu:Fichier1=fichier menu:Imprimer1=fichier "
            "menu:Edition1=edition menu:Sections1=sections menu:Options1=options "
            "menu:Utilitaires1=utilitaires dialog:HorlogeItem=horloge dialog:CalendrierItem=calendrier "
            "dialog:CalculatriceItem=calculatrice dialog:EuroItem=euro dialog:BlocNotesItem=bloc-notes "
            "dialog:PrenomsItem=prenoms dialog:PeseLettresItem=pese-lettres dialog:ReversiItem=reversi "
            "dialog:ComptesItem=budget dialog:PostesItem=options dialog:PharmaciesItem=options "
            "dialog:HelpAboutItem=premiers-pas dialog:add:1=semaine dialog:add:2=adresses "
            "dialog:add:3=anniversaires";
        for (const QString &row : rows.split(u' '))
            QTest::addRow("F1 %s", qPrintable(row.section(u'=', 0, 0)))
                << "F1:" + row.section(u'=', 0, 0) << row.section(u'=', 1) + ".html";
    }

    void entryPoints()
    {
        QFETCH(QString, entry);
        QFETCH(QString, page);
        MainFormFixture f;
        const QStringList parts = entry.split(u':');
        if (parts.size() == 1) {
            f.form.action(entry)->trigger();
        } else if (parts[1] == u"section") {
            f.form.child()->Section(parts[2].toInt());
            QTest::keyClick(f.form.child(), Qt::Key_F1);
        } else if (parts[1] == u"menu") {
            FIND_CHILD(menu, QMenu, &f.form, parts[2]);
            QTest::keyClick(menu, Qt::Key_F1);
        } else {
            f.ui.dialog([](QDialog *d) {
                QTest::keyClick(d, Qt::Key_F1);
                return int(QDialog::Rejected);
            });
            if (parts[2] == u"add") {
                f.form.child()->Section(parts[3].toInt());
                f.form.child()->Ajout();
            } else {
                f.form.action(parts[2])->trigger();
            }
            QVERIFY(f.ui.allAnswersUsed());
        }
        HelpWindow *window = f.form.help()->window();
        QVERIFY2(window, "the help collection was not built");
        QCOMPARE(window->currentPage(), page);
        QCOMPARE(window->currentTab(), entry == u"HelpSearchItem" ? HelpWindow::IndexTab : HelpWindow::ContentsTab);
        QVERIFY2(window->hasPage(page), qPrintable(page));
        // Every help page is in the collection.
        const QStringList files = QDir(QStringLiteral(TIVAREL_HELP_PAGES)).entryList({QStringLiteral("*.html")});
        QCOMPARE_GE(files.size(), 27);
        for (const QString &file : files)
            QVERIFY2(window->hasPage(file), qPrintable(file));
    }

    // Without a help collection the user is told where it was looked for;
    // the next request looks again.
    void missingHelp()
    {
        MainFormFixture f;
        f.form.help()->setCollectionCandidates({m_dir.filePath("aide/tivarel.qhc")});
        f.form.action(QStringLiteral("HelpContentsItem"))->trigger();
        QCOMPARE(f.ui.messages(), QStringList("L'aide n'est pas installée : le fichier tivarel.qhc n'est dans aucun "
                                              "de ces dossiers :\n"
                                              + m_dir.filePath("aide")));
        f.form.help()->setCollectionCandidates(HelpWindow::collectionCandidates());
        f.form.action(QStringLiteral("HelpContentsItem"))->trigger();
        QVERIFY(f.form.help()->window() && f.form.help()->window()->isVisible() && f.ui.messages().size() == 1);
    }

    // The data folder is made on first start; when it cannot be made, the
    // program starts in the current folder. The document named on the command
    // line (none, relative, or a file address) is opened.
    void startUp()
    {
        TestFiles::writeBytes(m_dir.filePath("plain-file"), "x");
        QCoreApplication::setApplicationName(QStringLiteral("Tivarel"));
        for (const auto &[home, start] : {std::pair("xdg", "xdg/Tivarel"), std::pair("plain-file/xdg", ".")}) {
            QStandardPaths::setTestModeEnabled(false);
            qputenv("XDG_DATA_HOME", m_dir.filePath(home).toLocal8Bit());
            const QString made = Settings::dataDirectory();
            QStandardPaths::setTestModeEnabled(true);
            QVERIFY2(QDir(made) == QDir(m_dir.filePath(start)) && QFileInfo(made).isDir(), qPrintable(made));
        }
        // scripts/run.sh starts the program in that same folder.
        qputenv("XDG_DATA_HOME", m_dir.filePath("xdg").toLocal8Bit());
        QProcess sh;
        sh.start(QStringLiteral("bash"), {"-c", "eval \"$(grep '^data=' " RUN_SCRIPT ")\"; printf %s \"$data\""});
        QVERIFY(sh.waitForFinished());
        QCOMPARE(QString::fromLocal8Bit(sh.readAllStandardOutput()), m_dir.filePath("xdg/Tivarel"));
        const QString doc = "file:///home/a/Mes%20documents/agenda.orz";
        QCOMPARE(QStringList({Application::commandLineDocument({"tivarel"}),
                              Application::commandLineDocument({"tivarel", "agenda.orz"}),
                              Application::commandLineDocument({"tivarel", doc})}),
                 QStringList({QString(), m_dir.filePath("agenda.orz"), "/home/a/Mes documents/agenda.orz"}));
        TestFiles::writeBytes(m_dir.filePath("maison.orz"), TestFiles::crlf({"20260106 09:00 Dentiste"}));
        MainFormFixture f;
        f.form.openDocument(m_dir.filePath("maison.orz"));
        QCOMPARE(f.form.fileName(), m_dir.filePath("maison.Orz"));
        QVERIFY(f.ui.messages().filter(QStringLiteral("n'existe pas")).isEmpty());
        f.form.openDocument(m_dir.filePath("absent.orz"));
        QCOMPARE(f.ui.lastMessage(), "Fichier " + m_dir.filePath("absent.orz") + " n'existe pas");
    }
};

QTEST_MAIN(TestAppHelp)
#include "test_app_help.moc"
