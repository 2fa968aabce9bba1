#include "TestFiles.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kFiles = 10;

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

int modeOf(const QString &path)
{
    struct stat st = {};
    return stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

} // namespace

// Saving a set of files whole or not at all, through links and keeping
// permissions, even when the saving process is killed.
class TestCommonSave : public QObject
{
    Q_OBJECT

private slots:
    // The file at `failing` cannot be written: the files staged before it
    // are not put in place, the later ones are not written, the message
    // names the file and why, and no temporary file stays behind.
    void failedFileLeavesTheSetAsItWas_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("failing");
        QTest::addColumn<QString>("why");
        QTest::newRow("size limit, first file") << "limit" << 0 << "le fichier dépasse la taille permise";
        QTest::newRow("size limit, sixth file") << "limit" << 5 << "le fichier dépasse la taille permise";
        QTest::newRow("size limit, last file") << "limit" << 9 << "le fichier dépasse la taille permise";
        QTest::newRow("folder in the way") << "folder" << 5 << "un dossier porte ce nom";
        QTest::newRow("link into a missing folder") << "dangling" << 3 << "le dossier n'existe pas";
        QTest::newRow("read-only folder") << "readonly" << 0 << "accès refusé";
    }
    void failedFileLeavesTheSetAsItWas()
    {
        QFETCH(QString, failure);
        QFETCH(int, failing);
        QFETCH(QString, why);
        QTemporaryDir dir;
        const auto path = [&](int i) { return dir.filePath(QStringLiteral("set.f%1").arg(i)); };
        for (int i = 0; i < kFiles; ++i)
            TestFiles::writeBytes(path(i), "ancien " + QByteArray::number(i) + "\r\n");
        if (failure == "folder")
            QVERIFY(QFile::remove(path(failing)) && QDir(dir.path()).mkdir(QFileInfo(path(failing)).fileName()));
        if (failure == "dangling")
            QVERIFY(QFile::remove(path(failing)) && QFile::link(dir.filePath("nowhere/x"), path(failing)));
        const QStringList before = entries(dir.path());
        QMap<QString, QByteArray> old;
        for (const QString &name : before)
            old[name] = TestFiles::readBytes(dir.filePath(name));
        {
            std::optional<TestFiles::FileSizeLimit> limit;
            std::optional<TestFiles::ReadOnlyFolder> readOnly;
            if (failure == "limit")
                limit.emplace(4096);
            if (failure == "readonly")
                readOnly.emplace(dir.path());
            SaveBatch batch;
            for (int i = 0; i < kFiles; ++i) {
                const QByteArray bytes((i == failing ? 5000 : 100) + i, 'n');
                QCOMPARE(batch.stage(path(i), bytes), i < failing);
            }
            QCOMPARE(batch.error(), QStringLiteral("Impossible d'écrire le fichier %1 : %2.").arg(path(failing), why));
            QVERIFY(!batch.commit() && batch.replaced() == 0);
        }
        QCOMPARE(entries(dir.path()), before);
        for (const QString &name : before)
            QCOMPARE(TestFiles::readBytes(dir.filePath(name)), old[name]);
    }

    // A replaced file keeps its permissions; a link stays a link and the
    // file it leads to is written, with no temporary file left in either
    // folder.
    void keepsModeAndLinks_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("mode");
        QTest::newRow("private file stays private") << "file" << 0600;
        QTest::newRow("group-readable file") << "file" << 0640;
        QTest::newRow("new file follows the umask") << "new" << 0644;
        QTest::newRow("link to a file in another folder") << "link" << 0600;
        QTest::newRow("chain of links") << "chain" << 0640;
        QTest::newRow("link to a file not there yet") << "dangling" << 0644;
    }
    void keepsModeAndLinks()
    {
        QFETCH(QString, setup);
        QFETCH(int, mode);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("here") && QDir(dir.path()).mkpath("there"));
        const QString path = dir.filePath("here/agenda.orz");
        const QString target = setup == "file" || setup == "new" ? path : dir.filePath("there/vrai.orz");
        if (setup != "new" && setup != "dangling") {
            TestFiles::writeBytes(target, "ancien\r\n");
            QVERIFY(chmod(QFile::encodeName(target).constData(), mode_t(mode)) == 0);
        }
        if (setup == "chain")
            QVERIFY(QFile::link(target, dir.filePath("there/lien")) && QFile::link(dir.filePath("there/lien"), path));
        else if (setup == "link" || setup == "dangling")
            QVERIFY(QFile::link(target, path));
        QStringList there = entries(dir.filePath("there"));
        if (setup == "dangling")
            there << "vrai.orz";

        const mode_t oldMask = umask(022);
        QString error;
        QVERIFY2(TextFile::write(path, {"nouveau"}, &error), qPrintable(error));
        umask(oldMask);
        QCOMPARE(TestFiles::readBytes(target), QByteArray("nouveau\r\n"));
        QCOMPARE(QFileInfo(path).isSymLink(), path != target);
        QCOMPARE(modeOf(target), mode);
        QCOMPARE(entries(dir.filePath("here")), QStringList{"agenda.orz"});
        QCOMPARE(entries(dir.filePath("there")), there);
    }

    // A save killed at random moments leaves every file either its old or
    // its new version, never cut or mixed; new files are a run from the
    // first one on (the renames go in order), and the next save clears the
    // temporary files the killed ones left.
    void killedSaveLeavesOldOrNewFiles()
    {
        QTemporaryDir dir;
        const auto path = [&](int i) { return dir.filePath(QStringLiteral("grand.f%1").arg(i)); };
        const auto version = [](char v, int file, int lines) {
            QByteArray out;
            for (int i = 0; i < lines; ++i)
                out += v + QByteArray::number(file) + ' ' + QByteArray::number(i) + QByteArray(80, v) + "\r\n";
            return out;
        };
        QList<QByteArray> olds, news;
        for (int i = 0; i < kFiles; ++i) {
            olds << version('a', i, 4000);
            news << version('b', i, 5000);
        }
        const auto save = [&](const QList<QByteArray> &contents) {
            SaveBatch batch;
            for (int i = 0; i < kFiles; ++i)
                batch.stage(path(i), contents[i]);
            return batch.commit();
        };
        QElapsedTimer timer;
        timer.start();
        QVERIFY(save(olds));
        const qint64 fullSave = timer.nsecsElapsed() / 1000 + 1; // microseconds

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int outcomes[3] = {};
        for (int round = 0; round < 50; ++round) {
            for (int i = 0; i < kFiles; ++i)
                TestFiles::writeBytes(path(i), olds[i]);
            const pid_t child = fork();
            if (child == 0) {
                save(news);
                _exit(0);
            }
            QVERIFY(child > 0);
            usleep(useconds_t(random.bounded(fullSave * 6 / 5)));
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            int fresh = 0;
            for (int i = 0; i < kFiles; ++i) {
                const QByteArray now = TestFiles::readBytes(path(i));
                QVERIFY2(now == olds[i] || now == news[i], qPrintable(QStringLiteral("seed %1, file %2").arg(seed).arg(i)));
                if (now == news[i])
                    QVERIFY2(fresh++ == i, qPrintable(QStringLiteral("seed %1, file %2 new").arg(seed).arg(i)));
            }
            ++outcomes[fresh == 0 ? 0 : fresh == kFiles ? 2 : 1];
        }
        qInfo("kills: %d before any rename, %d during the renames, %d after (save: %lld us, seed %u)", outcomes[0],
              outcomes[1], outcomes[2], fullSave, seed);
        QVERIFY(save(news));
        QCOMPARE(entries(dir.path()).size(), kFiles);
    }
};

QTEST_GUILESS_MAIN(TestCommonSave)
#include "test_common_save.moc"
