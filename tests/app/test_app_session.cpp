#include "Fixtures.h"
#include "agenda/WeekPage.h"
#include "app/DocumentSession.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

#include <cstdio>

// Another Tivarel, played by this same program started with "--peer <start
// folder> <document> [appointment [now]]": it opens the document (telling
// "ready 1", or "ready 0" when it did not get it), adds the appointment
// without saving and, with "now", writes its recovery copy at once.
static int runPeer(const QStringList &args)
{
    ScriptedUiServices ui;
    FixedClock clock;
    TChild child(ui, clock, args.at(2));
    const bool opened = child.Charge(args.at(3));
    if (args.size() > 4) {
        static_cast<WeekPage *>(child.page(SectionId::Week))
            ->store()
            .addAppointment(QStringLiteral("20260105"), QStringLiteral("1000"), args.at(4));
        child.document().setModified();
        if (args.size() > 5)
            child.session().writeRecovery();
    }
    std::printf("ready %d\n", opened ? 1 : 0);
    std::fflush(stdout);
    return qApp->exec();
}

// The peer's answer once it is ready: "1" or "0".
static QByteArray startPeer(QProcess &peer, const QStringList &args)
{
    peer.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--peer")} + args);
    while (!peer.canReadLine() && peer.waitForReadyRead(20000)) {
    }
    return peer.readLine().trimmed().mid(6);
}

// How the other program ends in recoveryAfterAbnormalEnd: it still runs, it
// is told to end (SIGTERM) before writing any copy, or killed after one
// (and its copy then lost its last file).
enum PeerEnd
{
    Running,
    Terminated,
    Killed,
    KilledCopyCut
};

class TestAppSession : public QObject
{
    Q_OBJECT

private slots:
    void twoProgramsOnOneDocument();
    void recoveryAfterAbnormalEnd_data();
    void recoveryAfterAbnormalEnd();
};

void TestAppSession::twoProgramsOnOneDocument()
{
    MainFormFixture f;
    const auto files = TestFiles::writeSampleSet(f.dir.path(), QStringLiteral("maison"));
    const QString doc = f.path(QStringLiteral("maison.orz"));
    QProcess peer;
    QCOMPARE(startPeer(peer, {f.path(QStringLiteral("peer")), doc}), QByteArray("1"));
    QVERIFY(QFileInfo::exists(f.path(QStringLiteral(".maison.orz.lock"))));

    f.ui.answer(QMessageBox::Yes);
    f.form.openDocument(doc);
    QVERIFY(f.ui.lastMessage().contains(QStringLiteral("processus %1").arg(peer.processId())));
    QVERIFY(f.child().isReadOnly());
    QVERIFY(!f.form.action(QStringLiteral("FileSaveItem"))->isEnabled());
    QVERIFY(!f.form.toolButton(QStringLiteral("SpeedButton7"))->isEnabled());
    QVERIFY(f.form.action(QStringLiteral("FileSaveAsItem"))->isEnabled());

    // Typing into a field changes nothing; a save, even of a document made
    // modified behind the user's back, writes no file of the set.
    f.child().Section(6);
    auto *title = f.child().findChild<QLineEdit *>(QStringLiteral("Edit7"));
    QTest::keyClicks(title, QStringLiteral("xyz"));
    QTest::keyClick(title, Qt::Key_Delete);
    QCOMPARE(title->text(), QStringLiteral("Vacances"));
    QVERIFY(!f.child().TestModif());
    f.child().document().setModified();
    QVERIFY(!f.form.FileSave()); // "Enregistrer sous", cancelled
    QVERIFY(!f.child().Sauve(doc));
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        QCOMPARE(TestFiles::readBytes(f.path(QStringLiteral("maison") + it.key())), it.value());

    // Under another name the document is writable again, with that name's lock.
    f.ui.fileName(f.path(QStringLiteral("copie.orz")));
    QVERIFY(f.form.FileSaveAs());
    QTRY_VERIFY(!f.child().isReadOnly());
    QVERIFY(f.form.action(QStringLiteral("FileSaveItem"))->isEnabled());
    QCOMPARE(TestFiles::readBytes(f.path(QStringLiteral("copie.oap"))), files.value(QStringLiteral(".oap")));
    QVERIFY(QFileInfo::exists(f.path(QStringLiteral(".copie.orz.lock"))));

    // The other program is killed: its stale lock is taken over without a
    // question, and the next program is the one refused.
    peer.kill();
    QVERIFY(peer.waitForFinished());
    const auto asked = f.ui.shown().size();
    f.form.openDocument(doc);
    QCOMPARE(f.ui.shown().size(), asked);
    QVERIFY(!f.child().isReadOnly());
    // A new document gives the set up; opened again, it is held again.
    f.form.FileNew();
    f.form.openDocument(doc);
    QProcess second;
    QCOMPARE(startPeer(second, {f.path(QStringLiteral("peer")), doc}), QByteArray("0"));
    second.kill();
    second.waitForFinished();
}

void TestAppSession::recoveryAfterAbnormalEnd_data()
{
    QTest::addColumn<int>("end"); // how the peer ends
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("kept");
    QTest::newRow("restore after kill") << int(Killed) << int(QMessageBox::Yes) << true << false << true;
    QTest::newRow("restore after end signal") << int(Terminated) << int(QMessageBox::Yes) << true << false << true;
    QTest::newRow("look") << int(Killed) << int(QMessageBox::Open) << true << true << true;
    QTest::newRow("discard") << int(Killed) << int(QMessageBox::Abort) << false << false << false;
    QTest::newRow("later") << int(Killed) << int(QMessageBox::Cancel) << false << false << true;
    QTest::newRow("copy without its last file")
        << int(KilledCopyCut) << int(QMessageBox::NoButton) << false << false << false;
    QTest::newRow("its program still runs") << int(Running) << int(QMessageBox::NoButton) << false << false << true;
}

void TestAppSession::recoveryAfterAbnormalEnd()
{
    QFETCH(int, end);
    QFETCH(int, answer);
    QFETCH(bool, shown);
    QFETCH(bool, readOnly);
    QFETCH(bool, kept);
    QTemporaryDir dir;
    const auto files = TestFiles::writeSampleSet(dir.path(), QStringLiteral("maison"));
    const QString doc = dir.filePath(QStringLiteral("maison.orz"));
    const QString text = QStringLiteral("Rendez-vous non enregistré");
    QProcess peer;
    QStringList args{dir.path(), doc, text};
    if (end != Terminated)
        args << QStringLiteral("now");
    QCOMPARE(startPeer(peer, args), QByteArray("1"));
    if (end != Running) {
        end == Terminated ? peer.terminate() : peer.kill();
        QVERIFY(peer.waitForFinished());
        QCOMPARE(peer.exitStatus(), end == Terminated ? QProcess::NormalExit : QProcess::CrashExit);
    }
    if (end == KilledCopyCut) {
        QDirIterator copy(dir.filePath(QStringLiteral("recuperation")), {"*.osc"}, QDir::Files,
                          QDirIterator::Subdirectories);
        QVERIFY(copy.hasNext() && QFile::remove(copy.next()));
    }
    QFile::remove(dir.filePath(QStringLiteral("maison.oaf")));

    ScriptedUiServices ui;
    if (answer != QMessageBox::NoButton)
        ui.answer(QMessageBox::StandardButton(answer));
    FixedClock clock;
    TChild child(ui, clock, dir.path());
    child.activate();
    const QDir recovery(dir.filePath(QStringLiteral("recuperation")));
    // A copy whose program still runs is that program's: nothing is asked.
    QCOMPARE(ui.messages().size(), end == Running || end == KilledCopyCut ? 0 : 1);
    QCOMPARE(child.model().sectionLines(SectionId::Week).join(u'\n').contains(text), shown);
    QCOMPARE(child.isReadOnly(), readOnly);
    QCOMPARE(!recovery.entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty(), kept);
    if (end == Running) {
        peer.kill();
        peer.waitForFinished();
    }
    if (answer != QMessageBox::Yes)
        return;
    // Restored under its own name, modified: the save writes the whole set
    // back, the file the copy still had included, and the copy goes.
    QCOMPARE(child.document().name, doc);
    QVERIFY(child.TestModif());
    QVERIFY(child.Sauve(doc));
    QVERIFY(TestFiles::readBytes(doc).contains(text.toLatin1()));
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        if (it.key() != QLatin1String(".orz"))
            QCOMPARE(TestFiles::readBytes(dir.filePath(QStringLiteral("maison") + it.key())), it.value());
    QTRY_VERIFY(recovery.entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc > 3 && QByteArray(argv[1]) == "--peer")
        return runPeer(app.arguments());
    TestAppSession test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_app_session.moc"
