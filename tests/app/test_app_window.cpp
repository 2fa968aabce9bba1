// The main window as the user sees it: its title and those of the windows it
// opens are exactly their captions; tool bar buttons are found in the tool bar.

#include "ScriptedUiServices.h"
#include "TestFiles.h"
#include "app/Application.h"
#include "agenda/WeekPage.h"
#include "app/TMainForm.h"
#include "common/Clock.h"
#include "common/TextFile.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

class TestAppWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    struct Fixture
    {
        ScriptedUiServices ui;
        FixedClock clock{QDateTime(QDate(2026, 1, 6), QTime(14, 5, 9))};
        TMainForm form{ui, clock};
        Fixture() { form.show(); }
    };

private slots:
    void initTestCase()
    {
        Application::setUp(*qApp);
        TestFiles::writeBytes(m_dir.filePath("agenda.orz"), "2026010609:00 Dentiste\r\n");
    }

    // Qt appends an explicitly set display name to every window title.
    void noSuffixToTitles()
    {
        const QString name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("autre"));
        const QString display = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(name);
        QCOMPARE(display, QStringLiteral("autre"));
    }

    void titleAfter_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("title");
        QTest::newRow("new document") << false << "Tivarel";
        QTest::newRow("opened, saved unchanged") << true << "Tivarel - agenda.orz";
    }
    void titleAfter()
    {
        QFETCH(bool, save);
        QFETCH(QString, title);
        Fixture f;
        if (save) {
            f.ui.fileName(m_dir.filePath("agenda.orz"));
            f.form.FileOpen();
            QVERIFY(f.form.FileSave());
        }
        QCOMPARE(f.form.windowTitle(), title);
    }

    void toolBarButtonsOnceThePagesExist_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("SpeedButton1") << "SpeedButton1" << "Suivant";
        QTest::newRow("SpeedButton2") << "SpeedButton2" << "Précédent";
    }
    void toolBarButtonsOnceThePagesExist()
    {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        Fixture f;
        f.ui.fileName(m_dir.filePath("agenda.orz"));
        f.form.FileOpen();
        QToolButton *b = f.form.toolButton(name);
        QVERIFY(b);
        QCOMPARE(b->toolTip(), hint);
    }

    // What the files cannot hold is turned or refused as it is typed, and
    // the status bar says so.
    void fieldsKeepOutWhatCannotBeSaved_data()
    {
        QTest::addColumn<bool>("multiLine");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("one-line field") << false << "Łukasz" << "Lukasz";
        QTest::newRow("memo, emoji refused") << true << "Bon 🎉film" << "Bon film";
    }
    void fieldsKeepOutWhatCannotBeSaved()
    {
        QFETCH(bool, multiLine);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Fixture f;
        QWidget *field = multiLine ? static_cast<QWidget *>(new QPlainTextEdit(&f.form))
                                   : static_cast<QWidget *>(new QLineEdit(&f.form));
        field->show();
        // Typed as one key press carrying the whole text (an input method, a
        // paste): QTest's key clicks know only ASCII.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
        QCoreApplication::sendEvent(field, &press);
        const QString text = multiLine ? static_cast<QPlainTextEdit *>(field)->toPlainText()
                                       : static_cast<QLineEdit *>(field)->text();
        QCOMPARE(text, kept);
        QVERIFY(f.form.findChild<QLabel *>("StatusPanel0")->text().startsWith("Saisie : "));
    }

    // A store line the fields did not guard is not written as "?" unasked.
    void saveThatWouldLoseACharacterAsks_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("written");
        QTest::newRow("No keeps the file") << QMessageBox::No << false;
        QTest::newRow("Yes writes it") << QMessageBox::Yes << true;
    }
    void saveThatWouldLoseACharacterAsks()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, written);
        TestContext t;
        WeekPage page(t.context);
        page.store().setLines({QStringLiteral("2026010609:00 Łódź")});
        t.ui.answer(answer);
        const QString path = m_dir.filePath("perte.orz");
        QCOMPARE(page.save(path, true), written);
        QVERIFY(t.ui.lastMessage().contains("« Semaine »"));
        QCOMPARE(TextFile::read(path).has_value(), written);
        QFile::remove(path);
    }
};

QTEST_MAIN(TestAppWindow)
#include "test_app_window.moc"
