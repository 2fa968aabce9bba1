#include "common/Cp1252.h"
#include "common/TextFile.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

class TestCommonTextfile : public QObject
{
    Q_OBJECT

private slots:
    // Every byte against the platform's own Windows-1252 codec. The five
    // bytes it leaves undefined are ours to decide: they become the C1
    // control of the same value and must come back as the same byte.
    void everyByteMatchesTheReferenceCodec()
    {
        QStringDecoder reference("windows-1252");
        QVERIFY(reference.isValid());
        const QList<int> undefined{0x81, 0x8D, 0x8F, 0x90, 0x9D};
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            const QString ours = Cp1252::decode(one);
            QCOMPARE(ours.size(), 1);
            if (undefined.contains(b))
                QCOMPARE(int(ours.at(0).unicode()), b);
            else
                QCOMPARE(ours, reference.decode(one));
            bool lossless = false;
            QCOMPARE(Cp1252::encode(ours, &lossless), one);
            QVERIFY(lossless);
            QCOMPARE(Cp1252::byteOf(ours.at(0)), b);
        }
    }

    void characterOutsideTheSetIsReported()
    {
        bool lossless = true;
        QCOMPARE(Cp1252::encode(QStringLiteral("a\u4e2db"), &lossless), QByteArray("a?b"));
        QVERIFY(!lossless);
    }

    void splitLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("last line without end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx\r\n") << QStringList{"", "", "x"};
        QTest::newRow("CR then CR LF is two ends") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("single blank line") << QByteArray(" \r\n") << QStringList{" "};
    }
    void splitLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(TextFile::splitLines(bytes), lines);
    }

    void fileReadsAndWritesBack_data()
    {
        // A file's bytes and what reading and writing it back gives (the
        // same bytes when empty). A lone CR ends a line, as CR LF and LF do.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("written");
        QByteArray all; // every byte value but the line ends, in lines of 16
        for (int b = 0; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                all.append(char(b));
            if (b % 16 == 15)
                all.append("\r\n");
        }
        QTest::newRow("every byte value") << all << QByteArray();
        QTest::newRow("NUL bytes") << QByteArray("20240101 9:00 a\0b\r\n\0\r\n", 22) << QByteArray();
        QTest::newRow("bytes left undefined") << QByteArray("\x81\x8D\x8F\x90\x9D\r\n") << QByteArray();
        QTest::newRow("one 10 MB line") << QByteArray(10 << 20, 'x').append("\r\n") << QByteArray();
        // Files are read a mebibyte at a time: a line end across two pieces.
        QTest::newRow("CR LF across pieces") << QByteArray((1 << 20) - 1, 'y').append("\r\nz\r\n") << QByteArray();
        QTest::newRow("CR then LF line across pieces")
            << QByteArray((1 << 20) - 1, 'y').append("\r\r\n") << QByteArray((1 << 20) - 1, 'y').append("\r\n\r\n");
        QTest::newRow("lone CR and LF become CR LF") << QByteArray("a\rb\nc") << QByteArray("a\r\nb\r\nc\r\n");
    }

    void fileReadsAndWritesBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.orz"));
        QVERIFY(TextFile::writeBytes(path, bytes));
        const auto lines = TextFile::read(path);
        QVERIFY(lines.has_value());
        QVERIFY(TextFile::write(path, *lines));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), written.isEmpty() ? bytes : written);
    }

    // Every line ends with CR LF; replacing a file leaves no temporary behind.
    void writeEndsEveryLineWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.txt"));
        QVERIFY(TextFile::write(path, {QStringLiteral("old")}));
        QVERIFY(TextFile::write(path, {QStringLiteral("été"), QString(), QStringLiteral("fin")}));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\xE9t\xE9\r\n\r\nfin\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("x.txt")});
    }

    // A missing file may be created; one that is there but cannot be read
    // (a folder, say) must not be written over: the caller tells them apart.
    void missingAndUnreadableFilesAreToldApart()
    {
        QTemporaryDir dir;
        QString error;
        bool missing = false;
        QVERIFY(!TextFile::read(dir.filePath(QStringLiteral("none.txt")), &error, &missing));
        QVERIFY(missing);
        QCOMPARE(error, QStringLiteral("Fichier ") + dir.filePath(QStringLiteral("none.txt"))
                            + QStringLiteral(" n'existe pas"));
        QVERIFY(!TextFile::read(dir.path(), &error, &missing));
        QVERIFY(!missing);
        QVERIFY(error.startsWith(QStringLiteral("Impossible de lire le fichier ")));
        QVERIFY(!TextFile::exists(dir.path()));
    }

    void oneLine_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain text unchanged") << "Réunion école" << "Réunion école";
        QTest::newRow("CR LF is one break") << "Compte\r\njoint" << "Compte joint";
        QTest::newRow("lone CR and LF") << "a\rb\nc" << "a b c";
        QTest::newRow("tab") << "Tél\t01" << "Tél 01";
        QTest::newRow("line and paragraph separators") << QStringLiteral("a\u2028b\u2029c") << "a b c";
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << "a  b";
        QTest::newRow("trailing break") << "fin\r\n" << "fin ";
        QTest::newRow("no-break space kept") << QStringLiteral("Livret\u00a0A") << QStringLiteral("Livret\u00a0A");
        QTest::newRow("empty") << "" << "";
    }
    void oneLine()
    {
        QFETCH(QString, typed);
        QFETCH(QString, line);
        QCOMPARE(TextFile::oneLine(typed), line);
    }

    void failedWriteKeepsNothingHalfWritten()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/folder/x.txt"));
        QString error;
        QVERIFY(!TextFile::write(path, {QStringLiteral("a")}, &error));
        QVERIFY(error.startsWith(QStringLiteral("Impossible d'écrire")));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestCommonTextfile)
#include "test_common_textfile.moc"
