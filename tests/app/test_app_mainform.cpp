#include "Fixtures.h"
#include "agenda/WeekPage.h"
#include "app/Application.h"
#include "budget/BudgetFormat.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusTipEvent>
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
        // Shown; with agenda lines, the set "agenda" holding them is opened.
        explicit Fixture(const QString &start, const QStringList &agenda = {}) : form(ui, clock, start)
        {
            form.show();
            if (agenda.isEmpty())
                return;
            TestFiles::writeBytes(start + "/agenda.orz", TestFiles::crlf(agenda));
            ui.fileName(start + "/agenda.orz");
            form.FileOpen();
        }
    };

private slots:
    void cleanup()
    {
        for (const QString &f : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(path(f));
    }

    // A section button shows its page; an options or game item opens its
    // window, which, cancelled, leaves the document as it was.
    void commandsOpenTheirPageOrWindow_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("opens");
        const QString rows = "SpeedButton11=1 SpeedButton8=2 SpeedButton16=9 SpeedButton15=8 SpeedButton17=10 "
                             "ComptesItem=TComptes PostesItem=TPostes CategorieItem=TCateg FormatvItem=TFmtv "
                             "FormataItem=TFmtA Categorie2Item=TCateg2 MagasinsItem=TFmtM PraticiensItem=TMedecins "
                             "PharmaciesItem=TOfficines ReversiItem=Othello HelpAboutItem=AboutBox";
        for (const QString &row : rows.split(u' '))
            QTest::newRow(qPrintable(row)) << row.section(u'=', 0, 0) << row.section(u'=', 1);
    }
    void commandsOpenTheirPageOrWindow()
    {
        QFETCH(QString, control);
        QFETCH(QString, opens);
        Fixture f{m_dir.path()};
        if (control.startsWith(u"SpeedButton")) {
            QTest::mouseClick(f.form.toolButton(control), Qt::LeftButton);
            QCOMPARE(QString::number(f.form.child()->activePage()), opens);
            return;
        }
        f.form.action(control)->trigger();
        const auto last = f.ui.shown().value(f.ui.shown().size() - 1);
        QCOMPARE(last.kind + u' ' + last.text, "dialog " + opens);
        QVERIFY(!f.form.child()->TestModif());
    }

    // The shown window: pages made after the first paint, the status bar,
    // handlers bound by name, and the characters its fields and saves let in.
    void shownWindow()
    {
        Fixture f{m_dir.path()};
        // Only the week planner is needed to show.
        QVERIFY(f.form.findChild<QWidget *>("TabSheet1"));
        QTRY_VERIFY(f.form.findChild<QWidget *>("TabSheet10"));
        // Fields keep out what files cannot hold.
        auto *name = new QLineEdit(&f.form);
        auto *memo = new QPlainTextEdit(&f.form);
        for (QWidget *field : QList<QWidget *>{name, memo}) {
            field->show();
            // One key press carrying the whole text, as an input method sends it.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("Łukasz 🎉!"));
            QCoreApplication::sendEvent(field, &press);
        }
        QCOMPARE(name->text() + u'|' + memo->toPlainText() + u'|' + f.form.hintPanel()->text().left(9),
                 QStringLiteral("Lukasz !|Lukasz !|Saisie : "));
        // A command before the pages exist makes them.
        Fixture early{m_dir.path()};
        early.form.child()->Section(9);
        QVERIFY(early.form.child()->activePage() == 9 && early.form.findChild<QWidget *>("TabSheet9")->isVisible());
        // The address book shows its first letter once it is made.
        FIND_CHILD(caption, QLabel, f.form.findChild<QWidget *>("TabSheet2"), "Panel8");
        QCOMPARE(caption->text(), QStringLiteral("<A>"));
        // Hints go to the status bar's first panel, the time to its clock panel.
        QStatusTipEvent tip(QStringLiteral("Ouvrir un fichier"));
        QCoreApplication::sendEvent(&f.form, &tip);
        QCOMPARE(f.form.hintPanel()->text() + u' ' + f.form.clockPanel()->text(),
                 QStringLiteral("Ouvrir un fichier 14:05:09"));
        // A handler bound by the name of a button runs from the button and
        // from the menu item of the same command.
        int runs = 0;
        QVERIFY(f.form.setHandler("CopyBtn", [&] { ++runs; }));
        QVERIFY(!f.form.setHandler("NoSuchItem", [] {}));
        f.form.action("CopyItem")->trigger();
        QTest::mouseClick(f.form.toolButton("CopyBtn"), Qt::LeftButton);
        QCOMPARE(runs, 2);
        // No two entries of a menu share their underlined letter.
        for (const QMenu *menu : f.form.findChildren<QMenu *>()) {
            QString letters;
            for (const QAction *a : menu->actions())
                letters += a->text().section(u'&', 1).left(1).toLower();
            for (QChar c : letters)
                QVERIFY2(letters.count(c) == 1, qPrintable(menu->title() + u' ' + c));
        }
        // A save that would lose a character asks first.
        TestContext t;
        WeekPage page(t.context, t.model.agenda());
        page.store().setLines({QStringLiteral("2026010609:00 Łódź")});
        t.ui.answer(QMessageBox::No);
        QVERIFY(!t.save(path("perte.orz"), true, {&page})
                && t.ui.lastMessage().contains(QStringLiteral("« Semaine »")));
    }

    void setUpThenOpenTheChosenSet()
    {
        // Set up, Qt's own dialogs speak French.
        Application::setUp(*qApp);
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Tivarel"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QStringList texts;
        for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            texts << box.button(b)->text().remove(u'&');
        texts << QCoreApplication::translate("QHelpSearchQueryWidget", "Search"); // the help's search tab
        QCoreApplication::setApplicationName(QStringLiteral("autre"));
        // No display name of our own, which Qt would append to every title.
        texts << QLocale::languageToString(QLocale().language()) << QGuiApplication::applicationDisplayName();
        QCOMPARE(texts, (QStringList{"Oui", "Non", "Annuler", "Recherche", "French", "autre"}));
        TestFiles::writeBytes(path("agenda.orz"), TestFiles::crlf({"20260105 0900 Dentiste"}));
        Fixture f{m_dir.path()};
        f.ui.fileName(path("agenda.txt")); // the extension is replaced
        f.form.FileOpen();
        const QStringList opened{f.form.fileName(), f.form.child()->document().name, f.form.windowTitle()};
        QCOMPARE(opened, QStringList({path("agenda.Orz"), path("agenda.orz"), "Tivarel - agenda.orz"}));
        // The title stays the caption after an unchanged save.
        QVERIFY(f.ui.messages().isEmpty() && f.form.FileSave() && f.form.windowTitle() == "Tivarel - agenda.orz");
        // The dialogs start in the document's folder, organiser files first;
        // the document is among the recent ones.
        f.form.FileOpen();
        QCOMPARE(f.ui.shown().constLast().proposed.section(u' ', 0, 1), m_dir.path() + "|Documents Tivarel");
        f.form.findChild<QMenu *>("Recents1")->aboutToShow();
        QCOMPARE(f.form.findChild<QAction *>("Recent1")->statusTip(), path("agenda.orz"));
    }

    void saveAsAsksBeforeReplacingAnyFileOfTheSet_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saved");
        QTest::newRow("organiser exists, OK") << "famille.orz" << int(QMessageBox::Ok) << true;
        QTest::newRow("organiser exists, Cancel") << "famille.orz" << int(QMessageBox::Cancel) << false;
        QTest::newRow("only the budget exists, Cancel") << "famille.obg" << int(QMessageBox::Cancel) << false;
        QTest::newRow("Save As dialog cancelled") << "" << int(QMessageBox::Ok) << false;
    }
    void saveAsAsksBeforeReplacingAnyFileOfTheSet()
    {
        QFETCH(QString, existing);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        if (!existing.isEmpty())
            TestFiles::writeBytes(path(existing), "old\r\n");
        Fixture f{m_dir.path()};
        f.form.child()->document().setModified();
        if (!existing.isEmpty()) {
            f.ui.fileName(path("famille.orz"));
            f.ui.answer(QMessageBox::StandardButton(answer));
        }
        // Without a name, Save runs Save As.
        QCOMPARE(f.form.FileSave(), saved);
        QCOMPARE(f.ui.shown().constFirst().kind, QStringLiteral("save"));
        if (!existing.isEmpty()) {
            QCOMPARE(f.ui.messages(), QStringList{"Ce fichier existe déjà"});
            QCOMPARE(f.ui.shown().constLast().buttons, QMessageBox::Ok | QMessageBox::Cancel);
            QCOMPARE(TestFiles::readBytes(path(existing)) == "old\r\n", !saved);
        }
        QCOMPARE(f.form.fileName() + (f.form.child()->TestModif() ? " changed" : ""),
                 saved ? path("famille.Orz") : QString(" changed"));
    }

    void failedSaveAsKeepsTheOldName()
    {
        QVERIFY(QDir().mkpath(path("echec.oan"))); // a folder where a file of the set goes
        Fixture f{m_dir.path()};
        f.form.child()->document().setModified();
        f.ui.fileName(path("echec.orz"));
        f.ui.answer(QMessageBox::Ok);
        QVERIFY(!f.form.FileSaveAs());
        QVERIFY(f.form.fileName().isEmpty() && f.form.child()->TestModif());
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
        Fixture f{m_dir.path(), {"20260105 0900 Dentiste"}};
        f.form.child()->document().setModified();
        QFile::remove(path("agenda.orz"));
        f.ui.answer(QMessageBox::StandardButton(answer));
        QCOMPARE(f.form.close(), closes);
        QCOMPARE(f.ui.messages(), QStringList{"Enregistrer changements dans agenda.Orz ?"});
        QCOMPARE(f.ui.shown().constLast().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        // The settings are written only when the window really closes.
        QCOMPARE(QList({QFile::exists(path("agenda.orz")), !f.form.child()->TestModif(),
                        QFile::exists(path("Tivarel.ini"))}),
                 QList({saved, saved, closes}));
    }

    void deletionStillOnScreenIsNotLostAtExit()
    {
        Fixture f{m_dir.path(), {"20260105 0900 Dentiste", "20260106 1000 Coiffeur"}};
        FIND_CHILD(monday, QListWidget, &f.form, "ListBox1");
        QCOMPARE(monday->count(), 1);
        monday->setCurrentRow(0);
        QTest::keyClick(monday, Qt::Key_Delete);
        f.ui.answer(QMessageBox::Yes);
        QVERIFY(monday->count() == 0 && f.form.close());
        QCOMPARE(f.ui.messages(), QStringList{"Enregistrer changements dans agenda.Orz ?"});
        QCOMPARE(TestFiles::readBytes(path("agenda.orz")), TestFiles::crlf({"20260106 1000 Coiffeur"}));
    }

    void startReadsTheSettings()
    {
        TestFiles::writeBytes(path("agenda.orz"), TestFiles::crlf({"20260105 0900 Dentiste"}));
        TestFiles::writeBytes(path("Tivarel.ini"),
                              TestFiles::crlf({" 0.00000000000000E+0000", path("agenda.orz"), "1", "0"}));
        Fixture f{m_dir.path()};
        QAction *autoOpen = f.form.action("AutoOpenItem");
        QVERIFY(autoOpen->isChecked());
        QCOMPARE(QStringList({f.form.fileName(), f.form.startDirectory()}),
                 QStringList({path("agenda.orz"), m_dir.path()}));
        // The document opens once the window has been painted.
        QTRY_COMPARE(f.form.windowTitle() + f.ui.lastMessage(), QStringLiteral("Tivarel - agenda.orz"));
        // The menu item toggles automatic opening.
        for (bool on : {false, true}) {
            autoOpen->trigger();
            QVERIFY(autoOpen->isChecked() == on && f.form.child()->GetIni().autoOpen == on);
        }
        // A window left without a document keeps the remembered one; a first
        // start opens automatically.
        f.form.FileNew();
        QVERIFY(f.form.close() && TestFiles::readBytes(path("Tivarel.ini")).contains(path("agenda.orz").toUtf8()));
        QFile::remove(path("Tivarel.ini"));
        QVERIFY(Fixture(m_dir.path()).form.action("AutoOpenItem")->isChecked());
    }

    // The keyboard alone: page, widget given the focus (":row", that row made
    // current), key (none: "Effacer" clicked), answer (Y/N) and the widget
    // whose text (or count) is probed ("@": the date the dialog proposed);
    // expected, the questions asked, "|" and the probe.
    void keyboard_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        const QString line = "Supprimer la ligne « 05/01/2026 Loyer 500,00 » ?|";
        QTest::newRow("week, Ctrl+PgUp") << "1 ListBox1 Ctrl+PgUp - Panel4" << QString("|Semaine 1");
        QTest::newRow("week, Insert: the focused day") << "1 ListBox3 Ins - @" << QString("|07/01/2026");
        QTest::newRow("budget, Delete") << "5 StringGrid1:0 Del Y Edit4" << line + "0,00";
        QTest::newRow("budget, Effacer, No") << "5 StringGrid1:0 - N Edit4" << line + "500,00";
        QTest::newRow("budget, Enter takes the row") << "5 StringGrid1:1 Return - Edit2" << QString("|eau");
        QTest::newRow("birthdays, Effacer")
            << "3 ListBox9:0 - Y ListBox9" << QString("Supprimer la fiche « Paul » ?|0");
        QTest::newRow("films, Ctrl+End") << "7 - Ctrl+End - Edit9" << QString("|Nikita");
        QTest::newRow("films, Delete") << "7 - Del N Edit9"
                                       << QString("Supprimer la fiche « Le Grand Bleu » ?|Le Grand Bleu");
    }
    void keyboard()
    {
        QFETCH(QString, keys);
        const QStringList k = keys.split(u' ');
        TestFiles::writeSampleSet(m_dir.path(), "agenda");
        auto film = [](int n, const char *title) {
            return TestFiles::block(
                n, {"F", "09/03/2024", "4", title, "", "", "", "", "2000", "60", "", "96", "", "96", ""});
        };
        TestFiles::writeBytes(path("agenda.ovd"), TestFiles::crlf(film(0, "Le Grand Bleu") + film(1, "Nikita")));
        TestFiles::writeBytes(path("agenda.oan"), TestFiles::crlf({"0115 Paul"}));
        QStringList budget;
        const QStringList rows[] = {{"05/01/2026", "Loyer", "", "500,00"}, {"09/01/2026", "Eau", "eau", "", "20,00"}};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                budget << BudgetFormat::cellLine("258202601", r, c, rows[r][c]);
        TestFiles::writeBytes(path("agenda.obg"), TestFiles::crlf(budget));
        Fixture f{m_dir.path()};
        f.ui.fileName(path("agenda.orz"));
        f.form.FileOpen();
        f.form.child()->Section(k[0].toInt());
        f.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.form));
        QWidget *shown = f.form.child()->page(SectionId(k[0].toInt()));
        if (auto *w = shown->findChild<QWidget *>(k[1].section(u':', 0, 0)))
            w->setFocus(Qt::TabFocusReason);
        else if (QApplication::focusWidget())
            QApplication::focusWidget()->clearFocus();
        if (auto *view = qobject_cast<QAbstractItemView *>(QApplication::focusWidget()))
            view->setCurrentIndex(view->model()->index(k[1].section(u':', 1).toInt(), 0));
        QString date;
        if (k[4] == "@")
            f.ui.dialog([&date](QDialog *d) {
                date = d->findChild<QDateEdit *>()->date().toString("dd/MM/yyyy");
                return int(QDialog::Rejected);
            });
        if (k[3] != "-")
            f.ui.answer(k[3] == "Y" ? QMessageBox::Yes : QMessageBox::No);
        if (k[2] == "-")
            QTest::mouseClick(f.form.toolButton("SpeedButton6"), Qt::LeftButton);
        else
            QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : &f.form, QKeySequence(k[2]));
        const QWidget *w = shown->findChild<QWidget *>(k[4]);
        const QVariant text = w ? w->property("text") : QVariant(date);
        const QString got = text.isValid() ? text.toString().trimmed() : w->property("count").toString();
        QTEST(f.ui.messages().join(u'/') + u'|' + got, "expected");
    }

    void openAndNewAskAboutUnsavedChangesFirst()
    {
        Fixture f{m_dir.path(), {"20260105 0900 Dentiste"}};
        f.form.child()->document().setModified();
        f.ui.answer(QMessageBox::Cancel);
        f.form.FileOpen();
        QCOMPARE(f.ui.messages(), QStringList{"Enregistrer changements dans agenda.Orz ?"});
        // No open dialog after Cancel.
        QVERIFY(f.form.child()->TestModif() && f.ui.shown().constLast().kind == "message");
        f.ui.answer(QMessageBox::No);
        f.form.child()->document().referenceDate = QDate(2027, 3, 1); // the planner shows another week
        QTest::mouseClick(f.form.toolButton("FileNew1Btn"), Qt::LeftButton);
        QVERIFY(f.form.fileName().isEmpty() && f.form.child()->document().name.isEmpty() && !f.form.child()->TestModif()
                && f.form.child()->document().referenceDate == f.clock.today());
        QCOMPARE(f.form.windowTitle(), QStringLiteral("Tivarel"));
        // Unnamed and changed: closing asks; Yes, then the Save As dialog cancelled, keeps the window.
        f.form.child()->document().setModified();
        f.ui.answer(QMessageBox::Yes);
        QVERIFY(!f.form.close() && f.form.child()->TestModif());
        // Empty: the new set saves the empty files.
        QVERIFY(f.form.child()->Sauve(path("neuf.orz")));
        QCOMPARE(TestFiles::readBytes(path("neuf.oaf")) + TestFiles::readBytes(path("neuf.orz")),
                 TestFiles::crlf({"<FAIRE>", "<FAIT>", " "}));
        // Unchanged: closing asks nothing.
        f.ui.clear();
        QVERIFY(f.form.close() && f.ui.messages().isEmpty());
    }

    // Without a desktop service or a tray, the window reminds in a small window of its own; its button
    // shows the appointment's week (next week, at midnight).
    void remindsFromTheWindow()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
        MainFormFixture f(QDateTime(QDate(2026, 1, 11), QTime(23, 55)));
        f.child().model().agenda().setLines({"2026011200:05 Train", "2026011202:00 Tard"});
        f.form.startReminders();
        QList<QWidget *> shown;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"ReminderWindow" && w->isVisible())
                shown << w;
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0]->findChild<QLabel *>("ReminderText")->text(), QStringLiteral("Demain à 0:05"));
        QTest::mouseClick(shown[0]->findChild<QPushButton *>("OpenWeekButton"), Qt::LeftButton);
        QCOMPARE(f.child().document().referenceDate, QDate(2026, 1, 12));
    }
};

QTEST_MAIN(TestAppMainform)
#include "test_app_mainform.moc"
