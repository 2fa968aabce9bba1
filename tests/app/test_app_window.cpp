// The main window as the user sees it: its title and those of the windows it
// opens are exactly their captions; tool bar buttons are found in the tool bar.

#include "ScriptedUiServices.h"
#include "TestFiles.h"
#include "app/Application.h"
#include "app/TMainForm.h"
#include "common/Clock.h"

#include <QApplication>
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
};

QTEST_MAIN(TestAppWindow)
#include "test_app_window.moc"
