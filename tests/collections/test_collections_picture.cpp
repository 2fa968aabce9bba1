// Picture decoding (JPEG with reduced scales, GIF, BMP, PCX, PNG) from the
// sample files in data/, refusal of what is no picture, and the fitting rule
// Echelle6.

#include "collections/PictureFile.h"
#include "collections/PictureFit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QString sample(const char *name)
{
    return QFINDTESTDATA(QStringLiteral("data/") + QLatin1String(name));
}

bool near(QRgb a, QRgb b, int tolerance = 40)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
           && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class TestCollectionsPicture : public QObject
{
    Q_OBJECT

private slots:
    void echelle6_data()
    {
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<bool>("stretch");
        const QSize album(388, 373);
        QTest::newRow("1000x600 wide") << album << QSize(1000, 600) << QRect(1, 74, 386, 224) << true;
        QTest::newRow("600x1000 tall") << album << QSize(600, 1000) << QRect(77, 1, 233, 371) << true;
        QTest::newRow("300x2000 only higher: own size") << album << QSize(300, 2000) << QRect(1, 1, 386, 371) << false;
        QTest::newRow("1000x371 as high: own size") << album << QSize(1000, 371) << QRect(1, 1, 386, 371) << false;
        QTest::newRow("square") << album << QSize(1000, 1000) << QRect(0, 1, 388, 371) << true;
        // Halves go to the even neighbour, on the exact ratio (388 / (776 / 387)
        // is 193.5, which floating point sees as 193.4999...).
        QTest::newRow("6.5 -> 6") << QSize(20, 13) << QSize(200, 100) << QRect(1, 3, 18, 6) << true;
        QTest::newRow("7.5 -> 8") << QSize(20, 15) << QSize(200, 100) << QRect(1, 3, 18, 8) << true;
        QTest::newRow("tall 193.5 -> 194") << album << QSize(387, 776) << QRect(97, 1, 194, 371) << true;
        QTest::newRow("wide 208.5 -> 208") << album << QSize(746, 417) << QRect(1, 82, 386, 208) << true;
    }

    void echelle6()
    {
        QFETCH(QSize, frame);
        QFETCH(QSize, picture);
        const PictureFit fit = PictureFit::Echelle6(frame, picture);
        QTEST(fit.box, "box");
        QTEST(fit.stretch, "stretch");
    }

    void decodes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRgb>("colour");
        QTest::addColumn<bool>("animated");
        // name | file | size | where | colour (aarrggbb) | animated; the quadrants are red, green / blue, white
        const QString rows = QStringLiteral(R"(
jpeg | quadrants.jpg | 40x30 | 35,5 | ff00ff00 | 0
bmp | quadrants.bmp | 40x30 | 5,25 | ff0000ff | 0
png | quadrants.png | 40x30 | 35,25 | ffffffff | 0
png one pixel high | line.png | 3x1 | 2,0 | ff0a141e | 0
jpeg named .BMP: content decides | WRONG.BMP | 40x30 | 5,5 | ffff0000 | 0
cmyk jpeg, as print software writes it | cmyk.jpg | 40x30 | 5,5 | ffff0000 | 0
grey jpeg | grey.jpg | 20x10 | 10,5 | ffc8c8c8 | 0
gif still | still.gif | 6x4 | 0,0 | ff0000ff | 0
gif animated | anim.gif | 6x4 | 5,3 | ffff0000 | 1
pcx 8-bit palette | pal8.pcx | 5x3 | 0,0 | ff0ac81e | 0
pcx 8-bit index >= 0xC0 | pal8.pcx | 5x3 | 3,2 | fffafa00 | 0
pcx 24-bit planes | rgb24.pcx | 3x2 | 2,0 | fff0f1f2 | 0
pcx 1-bit set | mono.pcx | 10x2 | 9,1 | ffffffff | 0
pcx 8-bit with alpha | rgba32.pcx | 1x1 | 0,0 | 800a141e | 0
pcx 4 planes | planes4.pcx | 2x1 | 1,0 | ff630000 | 0
pcx 4 planes, first pixel | planes4.pcx | 2x1 | 0,0 | ff0080ff | 0
pcx 4 planes, second byte | planes4wide.pcx | 10x1 | 9,0 | ff0b1621 | 0
pcx 1-bit first pixel | mono.pcx | 10x2 | 0,0 | ffffffff | 0
pcx 4-bit low nibble | nibbles.pcx | 3x1 | 1,0 | ffc86432 | 0
pcx of 4 colours (CGA), not at 0,0 | cga2.pcx | 4x1 | 3,0 | fffafafa | 0
pcx of grey levels, white | grey8.pcx | 2x1 | 1,0 | ffffffff | 0
pcx as wide as allowed | wide.pcx | 32768x1 | 32767,0 | ff000000 | 0
)");
        for (const QString &row : rows.trimmed().split(u'\n')) {
            const QStringList f = row.split(QStringLiteral(" | "));
            const QStringList size = f[2].split(u'x'), at = f[3].split(u',');
            QTest::newRow(qPrintable(f[0]))
                << f[1] << QSize(size[0].toInt(), size[1].toInt()) << QPoint(at[0].toInt(), at[1].toInt())
                << QRgb(f[4].toUInt(nullptr, 16)) << (f[5] == u"1");
        }
    }

    void decodes()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QFETCH(QPoint, at);
        QFETCH(QRgb, colour);
        const auto d = PictureFile::load(sample(qPrintable(file)));
        QVERIFY2(d.ok(), qPrintable(d.error));
        QCOMPARE(d.size, size);
        QVERIFY(d.image.colorCount() <= 256); // a palette holds 256 colours at most
        QCOMPARE(d.image.size(), size);
        QVERIFY(near(d.image.pixel(at), colour, 6));
        QCOMPARE(qAlpha(d.image.pixel(at)), qAlpha(colour));
        QTEST(d.animated, "animated");
    }

    void jpegReducedScaleKeepsOwnSize_data()
    {
        QTest::addColumn<QSize>("need");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("small frame: 1/8") << QSize(200, 150) << QSize(200, 150);
        QTest::newRow("a bit larger: 1/4") << QSize(201, 150) << QSize(400, 300);
        QTest::newRow("larger than half: full") << QSize(801, 100) << QSize(1600, 1200);
    }

    void jpegReducedScaleKeepsOwnSize()
    {
        QFETCH(QSize, need);
        QSize asked;
        const auto d = PictureFile::load(sample("big.jpg"), [&](QSize own) {
            asked = own;
            return need;
        });
        QVERIFY2(d.ok(), qPrintable(d.error));
        QCOMPARE(asked, QSize(1600, 1200));
        QCOMPARE(d.size, QSize(1600, 1200));
        QTEST(d.image.size(), "decoded");
        const QSize s = d.image.size();
        QVERIFY(near(d.image.pixel(s.width() / 4, s.height() / 4), qRgb(255, 0, 0)));
        QVERIFY(near(d.image.pixel(3 * s.width() / 4, 3 * s.height() / 4), qRgb(255, 255, 255)));
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "file:" + a sample's name, or the bytes themselves
        QTest::addColumn<QString>("inError");
        QFile jpeg(sample("quadrants.jpg"));
        QVERIFY(jpeg.open(QIODevice::ReadOnly));
        QTest::newRow("truncated jpeg") << jpeg.read(jpeg.size() / 3) << "JPEG";
        QTest::newRow("jpeg signature only") << QByteArray("\xFF\xD8\xFF", 3) << "JPEG";
        QTest::newRow("jpeg of 60000 x 60000") << QByteArray("file:huge.jpg") << "trop grande";
        QTest::newRow("pcx truncated") << QByteArray("file:truncated.pcx") << "tronqué";
        QTest::newRow("pcx cut after a run's count") << QByteArray("file:cutrun.pcx") << "tronqué";
        QTest::newRow("pcx ending before it starts") << QByteArray("file:backwards.pcx") << "dimensions invalides";
        QTest::newRow("pcx lines shorter than the width") << QByteArray("file:shortline.pcx") << "longueur de ligne";
        QTest::newRow("pcx of 40000 x 40000") << QByteArray("file:huge.pcx") << "trop grande";
        QTest::newRow("pcx two planes of 8 bits") << QByteArray("file:planes2x8.pcx") << "non prise en charge";
        QTest::newRow("no pcx version 6") << QByteArray("\x0A\x06\x01\x08", 4) + QByteArray(124, '\0') << "format";
        // A 24-bit BMP's headers, without its pixels.
        const auto bmp = [](qint32 w, qint32 h) {
            QByteArray b("BM");
            QDataStream out(&b, QIODevice::Append);
            out.setByteOrder(QDataStream::LittleEndian);
            out << quint32(54 + 3 * w * h) << quint32(0) << quint32(54) << quint32(40) << w << h << quint16(1)
                << quint16(24) << quint32(0) << quint32(0) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
            return b;
        };
        QTest::newRow("bmp of 40000 x 1") << bmp(40000, 1) << "trop grande";
        QTest::newRow("bmp without its pixels") << bmp(4, 4) << "endommagée";
        QTest::newRow("text file") << QByteArray("bonjour\r\n") << "format";
        QTest::newRow("empty file") << QByteArray() << "format";
        QTest::newRow("placeable wmf") << QByteArray("\xD7\xCD\xC6\x9A\x00\x00", 6) + QByteArray(60, '\0')
                                       << "métafichiers";
        QTest::newRow("emf") << QByteArray(40, '\x01') + QByteArray(" EMF") + QByteArray(40, '\0') << "métafichiers";
        QTest::newRow("file over 512 MB (sparse)") << QByteArray("sparse") << "trop gros";
    }

    void refused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, inError);
        QTemporaryDir dir;
        QString file = dir.filePath("bad.img");
        if (bytes.startsWith("file:")) {
            file = sample(bytes.mid(5).constData());
        } else {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (bytes == "sparse")
                QVERIFY(f.resize(PictureFile::MaxFileBytes + 1));
            else
                f.write(bytes);
        }
        const auto d = PictureFile::load(file);
        QVERIFY(!d.ok());
        QVERIFY2(d.error.contains(inError), qPrintable(d.error));
        QVERIFY(d.image.isNull());
    }

    void onlyRegularFilesAreOpened()
    {
        // A FIFO would block the reading forever; a folder, a missing file and
        // an empty path are no pictures either.
        QTemporaryDir dir;
        const QString fifo = dir.filePath("pipe.jpg");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
        for (const QString &p : {fifo, dir.filePath("folder.jpg"), dir.filePath("missing.jpg"), QString()}) {
            QVERIFY(!PictureFile::isRegularFile(p));
            QVERIFY(!PictureFile::load(p).ok());
        }
    }
};

QTEST_MAIN(TestCollectionsPicture)
#include "test_collections_picture.moc"
