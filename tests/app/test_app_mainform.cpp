#include "ScriptedUiServices.h"
#include "Fixtures.h"
#include "Fixtures.h"
#include "agenda/WeekPage.h"
#include "app/Application.h"
#include "app/SectionPage.h"
#include "app/TChild.h"
#include "app/TMainForm.h"
#include "common/Clock.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

// The main window's commands, driven through its menu items and buttons.
class TestAppMainform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    struct Fixture
    {
        ScriptedUiServices ui;
        FixedClock clock{QDateTime(QDate(2026, 1, 6), QTime(14, 5, 9))};
        TMainForm form;
        explicit Fixture(const QString &start) : form(ui, clock, start) { form.show(); }
    };

private slots:
    void init()
    {
    }
    void cleanup()
    {
        for (const QString &f : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(path(f));
    }

    void sectionButtonsSwitchPages_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("page");
        QTest::newRow("Agenda") << "SpeedButton11" << 1;
        QTest::newRow("Adresses") << "SpeedButton8" << 2;
        QTest::newRow("Bibliothèque is page 9") << "SpeedButton16" << 9;
        QTest::newRow("Liste des achats is page 8") << "SpeedButton15" << 8;
        QTest::newRow("Suivi Sécu") << "SpeedButton17" << 10;
    }
    void sectionButtonsSwitchPages()
    {
        QFETCH(QString, button);
        QFETCH(int, page);
        Fixture f{m_dir.path()};
        QTest::mouseClick(f.form.toolButton(button), Qt::LeftButton);
        QCOMPARE(f.form.child()->activePage(), page);
    }

    void hintGoesToPanelZero()
    {
        Fixture f{m_dir.path()};
        QStatusTipEvent tip(QStringLiteral("Ouvrir un fichier"));
        QCoreApplication::sendEvent(&f.form, &tip);
        QCOMPARE(f.form.hintPanel()->text(), QStringLiteral("Ouvrir un fichier"));
        QCOMPARE(f.form.clockPanel()->text(), QStringLiteral("14:05:09"));
        f.form.resize(900, 700);
        QCOMPARE(f.form.hintPanel()->width(), 800);
    }

    // A handler bound by name runs from the menu item and from its button;
    // a print command runs it between "Imprime..." and a cleared panel.
    void boundHandlersRunFromItemAndButton()
    {
        Fixture f{m_dir.path()};
        QStringList runs;
        QVERIFY(f.form.setHandler("CopyBtn", [&] { runs << f.form.hintPanel()->text(); }));
        QVERIFY(f.form.setHandler("PrintNamesItem", [&] { runs << f.form.hintPanel()->text(); }));
        QVERIFY(!f.form.setHandler("NoSuchItem", [] {}));
        f.form.hintPanel()->setText("x");
        f.form.action("CopyItem")->trigger();
        TestUi::click(f.form.toolButton("CopyBtn"));
        f.form.action("PrintNamesItem")->trigger();
        QCOMPARE(runs, (QStringList{"x", "x", "Imprime..."}));
        QVERIFY(f.form.hintPanel()->text().isEmpty());
    }

    void qtDialogsSpeakFrench()
    {
        Application::setUp(*qApp);
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tivarel"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Oui"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Non"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Annuler"));
        QCOMPARE(QLocale().language(), QLocale::French);
    }

    void optionsAndGameOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::newRow("Comptes") << "ComptesItem" << "TComptes";
        QTest::newRow("Postes") << "PostesItem" << "TPostes";
        QTest::newRow("Vidéothèque catégorie") << "CategorieItem" << "TCateg";
        QTest::newRow("Formats vidéo") << "FormatvItem" << "TFmtv";
        QTest::newRow("Formats audio") << "FormataItem" << "TFmtA";
        QTest::newRow("Bibliothèque catégories") << "Categorie2Item" << "TCateg2";
        QTest::newRow("Magasins") << "MagasinsItem" << "TFmtM";
        QTest::newRow("Praticiens") << "PraticiensItem" << "TMedecins";
        QTest::newRow("Pharmacies") << "PharmaciesItem" << "TOfficines";
        QTest::newRow("Reversi") << "ReversiItem" << "Othello";
        QTest::newRow("A propos") << "HelpAboutItem" << "AboutBox";
    }
    void optionsAndGameOpenTheirWindows()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        Fixture f{m_dir.path()};
        f.form.action(item)->trigger();
        QVERIFY(!f.ui.shown().isEmpty());
        QCOMPARE(f.ui.shown().constLast().kind, QStringLiteral("dialog"));
        QCOMPARE(f.ui.shown().constLast().text, window);
        // A cancelled editor leaves the document as it was.
        QVERIFY(!f.form.child()->TestModif());
    }

    void hiddenPagesAreMadeAfterTheFirstPaint()
    {
        Fixture f{m_dir.path()};
        // Only the week planner is needed to show.
        QVERIFY(f.form.findChild<QWidget *>("TabSheet1"));
        QTRY_VERIFY(f.form.findChild<QWidget *>("TabSheet10"));
        // The address book shows its first letter once it is made.
        auto *caption = f.form.findChild<QWidget *>("TabSheet2")->findChild<QLabel *>("Panel8");
        QVERIFY(caption);
        QCOMPARE(caption->text(), QStringLiteral("<A>"));
    }

    void aCommandBeforeThePagesExistMakesThem()
    {
        Fixture f{m_dir.path()};
        f.form.child()->Section(9);
        QCOMPARE(f.form.child()->activePage(), 9);
        QVERIFY(f.form.findChild<QWidget *>("TabSheet9")->isVisible());
    }

    void openLoadsTheChosenSet()
    {
        TestFiles::writeBytes(path("agenda.orz"), TestFiles::crlf({"20260105 0900 Dentiste"}));
        Fixture f{m_dir.path()};
        f.ui.fileName(path("agenda.txt")); // the extension is replaced
        f.form.FileOpen();
        QCOMPARE(f.form.fileName(), path("agenda.Orz"));
        QCOMPARE(f.form.child()->document().name, path("agenda.orz"));
        QVERIFY(f.ui.messages().isEmpty());
        QCOMPARE(f.form.windowTitle(), QStringLiteral("Tivarel - agenda.orz"));
    }

    void openAsksAboutUnsavedChangesFirst()
    {
        Fixture f{m_dir.path()};
        f.form.child()->document().setModified();
        f.ui.answer(QMessageBox::Cancel);
        f.form.FileOpen();
        QCOMPARE(f.ui.messages(), QStringList{"Enregistrer changements dans  ?"});
        QVERIFY(f.form.child()->TestModif());
        QCOMPARE(f.ui.shown().size(), 1); // no open dialog after Cancel
    }

    void saveWithoutANameRunsSaveAs()
    {
        Fixture f{m_dir.path()};
        f.form.child()->document().setModified();
        // Cancelled Save As: nothing saved, no name.
        QVERIFY(!f.form.FileSave());
        QCOMPARE(f.ui.shown().constLast().kind, QStringLiteral("save"));
        QVERIFY(f.form.fileName().isEmpty());
        QVERIFY(f.form.child()->TestModif());

        f.ui.fileName(path("budget.orz"));
        QVERIFY(f.form.FileSave());
        QCOMPARE(f.form.fileName(), path("budget.Orz"));
        QVERIFY(QFile::exists(path("budget.orz")));
        QVERIFY(!f.form.child()->TestModif());
    }

    void saveAsAsksBeforeReplacingAnyFileOfTheSet_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("organiser exists, OK") << "famille.orz" << int(QMessageBox::Ok) << true;
        QTest::newRow("organiser exists, Cancel") << "famille.orz" << int(QMessageBox::Cancel) << false;
        QTest::newRow("only the budget exists, Cancel") << "famille.obg" << int(QMessageBox::Cancel) << false;
    }
    void saveAsAsksBeforeReplacingAnyFileOfTheSet()
    {
        QFETCH(QString, existing);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        TestFiles::writeBytes(path(existing), "old\r\n");
        Fixture f{m_dir.path()};
        f.form.child()->document().setModified();
        f.ui.fileName(path("famille.orz"));
        f.ui.answer(QMessageBox::StandardButton(answer));
        QCOMPARE(f.form.FileSaveAs(), saved);
        QCOMPARE(f.ui.messages(), QStringList{"Ce fichier existe déjà"});
        QCOMPARE(f.ui.shown().constLast().buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(f.form.fileName().isEmpty(), !saved);
        QCOMPARE(TestFiles::readBytes(path(existing)) == "old\r\n", !saved);
    }

    void closeQuery_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Yes saves and closes") << int(QMessageBox::Yes) << true << true;
        QTest::newRow("No closes without saving") << int(QMessageBox::No) << true << false;
        QTest::newRow("Cancel keeps the program") << int(QMessageBox::Cancel) << false << false;
    }
    void closeQuery()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        TestFiles::writeBytes(path("agenda.orz"), TestFiles::crlf({"20260105 0900 Dentiste"}));
        Fixture f{m_dir.path()};
        f.ui.fileName(path("agenda.orz"));
        f.form.FileOpen();
        f.form.child()->document().setModified();
        QFile::remove(path("agenda.orz"));
        f.ui.answer(QMessageBox::StandardButton(answer));
        QCOMPARE(f.form.close(), closes);
        QCOMPARE(f.ui.messages(), QStringList{"Enregistrer changements dans agenda.Orz ?"});
        QCOMPARE(f.ui.shown().constLast().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(QFile::exists(path("agenda.orz")), saved);
        QCOMPARE(f.form.child()->TestModif(), !saved);
        // The settings are written only when the window really closes.
        QCOMPARE(QFile::exists(path("Tivarel.ini")), closes);
    }

    void deletionStillOnScreenIsNotLostAtExit()
    {
        TestFiles::writeBytes(path("agenda.orz"), TestFiles::crlf({"20260105 0900 Dentiste", "20260106 1000 Coiffeur"}));
        Fixture f{m_dir.path()};
        f.ui.fileName(path("agenda.orz"));
        f.form.FileOpen();
        auto *monday = f.form.findChild<QListWidget *>("ListBox1");
        QVERIFY(monday);
        QCOMPARE(monday->count(), 1);
        monday->setCurrentRow(0);
        QTest::keyClick(monday, Qt::Key_Delete);
        QCOMPARE(monday->count(), 0);
        f.ui.answer(QMessageBox::Yes);
        QVERIFY(f.form.close());
        QCOMPARE(f.ui.messages(), QStringList{"Enregistrer changements dans agenda.Orz ?"});
        QCOMPARE(TestFiles::readBytes(path("agenda.orz")), TestFiles::crlf({"20260106 1000 Coiffeur"}));
    }

    void closeWithoutChangesAsksNothing()
    {
        Fixture f{m_dir.path()};
        QVERIFY(f.form.close());
        QVERIFY(f.ui.messages().isEmpty());
    }

    void closeQueryYesWithCancelledSaveAsKeepsTheProgram()
    {
        Fixture f{m_dir.path()};
        f.form.child()->document().setModified();
        f.ui.answer(QMessageBox::Yes); // then the Save As dialog is cancelled
        QVERIFY(!f.form.close());
        QVERIFY(f.form.child()->TestModif());
    }

    void automaticOpeningToggles()
    {
        Fixture f{m_dir.path()};
        QAction *autoOpen = f.form.action("AutoOpenItem");
        QVERIFY(!autoOpen->isChecked());
        autoOpen->trigger();
        QVERIFY(autoOpen->isChecked());
        QVERIFY(f.form.child()->GetIni().autoOpen);
        autoOpen->trigger();
        QVERIFY(!autoOpen->isChecked());
        QVERIFY(!f.form.child()->GetIni().autoOpen);
    }

    void startReadsTheSettings()
    {
        TestFiles::writeBytes(path("agenda.orz"), TestFiles::crlf({"20260105 0900 Dentiste"}));
        TestFiles::writeBytes(path("Tivarel.ini"),
                              TestFiles::crlf({" 0.00000000000000E+0000", path("agenda.orz"), "1", "0"}));
        Fixture f{m_dir.path()};
        QVERIFY(f.form.action("AutoOpenItem")->isChecked());
        QCOMPARE(f.form.fileName(), path("agenda.orz"));
        QCOMPARE(f.form.startDirectory(), m_dir.path());
        // The document opens once the window has been painted.
        QTRY_COMPARE(f.form.windowTitle(), QStringLiteral("Tivarel - agenda.orz"));
        QVERIFY(f.ui.messages().isEmpty());
    }

    void newDocumentAfterTheQuestion()
    {
        TestFiles::writeBytes(path("agenda.orz"), TestFiles::crlf({"20260105 0900 Dentiste"}));
        Fixture f{m_dir.path()};
        f.ui.fileName(path("agenda.orz"));
        f.form.FileOpen();
        f.form.child()->document().setModified();
        f.ui.answer(QMessageBox::No);
        QTest::mouseClick(f.form.toolButton("FileNew1Btn"), Qt::LeftButton);
        QVERIFY(f.form.fileName().isEmpty());
        QVERIFY(f.form.child()->document().name.isEmpty());
        QVERIFY(!f.form.child()->TestModif());
        QCOMPARE(f.form.windowTitle(), QStringLiteral("Tivarel"));
    }

    void titleIsTheCaptionAfterAnUnchangedSave()
    {
        Application::setUp(*qApp);
        QCoreApplication::setApplicationName(QStringLiteral("autre"));
        // No display name of our own, which Qt would append to every title.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("autre"));
        TestFiles::writeBytes(path("agenda.orz"), TestFiles::crlf({"20260105 0900 Dentiste"}));
        Fixture f{m_dir.path()};
        f.ui.fileName(path("agenda.orz"));
        f.form.FileOpen();
        QVERIFY(f.form.FileSave());
        QCOMPARE(f.form.windowTitle(), QStringLiteral("Tivarel - agenda.orz"));
        // The pages exist now, and the to-do page's arrows share these names.
        QCOMPARE(f.form.toolButton("SpeedButton1")->toolTip(), QStringLiteral("Suivant"));
    }

    void fieldsKeepOutWhatFilesCannotHold()
    {
        Fixture f{m_dir.path()};
        auto *name = new QLineEdit(&f.form);
        auto *memo = new QPlainTextEdit(&f.form);
        for (QWidget *field : {static_cast<QWidget *>(name), static_cast<QWidget *>(memo)}) {
            field->show();
            // One key press carrying the whole text, as an input method sends it.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("Łukasz 🎉!"));
            QCoreApplication::sendEvent(field, &press);
        }
        QCOMPARE(name->text(), QStringLiteral("Lukasz !"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("Lukasz !"));
        QVERIFY(f.form.hintPanel()->text().startsWith(QStringLiteral("Saisie : ")));
    }

    void saveThatWouldLoseACharacterAsks()
    {
        TestContext t;
        WeekPage page(t.context);
        page.store().setLines({QStringLiteral("2026010609:00 Łódź")});
        t.ui.answer(QMessageBox::No);
        QVERIFY(!page.save(path("perte.orz"), true));
        QVERIFY(t.ui.lastMessage().contains(QStringLiteral("« Semaine »")));
    }
};

QTEST_MAIN(TestAppMainform)
#include "test_app_mainform.moc"
