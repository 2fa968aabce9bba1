// Picture decoding (JPEG through libjpeg with DCT scaling, GIF, BMP, PCX,
// PNG), refusal of what is no picture, and the fitting rule Echelle6.

#include "PictureSamples.h"
#include "collections/PictureFile.h"
#include "collections/PictureFit.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/types.h>

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A colourful picture: quadrants red, green, blue, white.
QImage quadrants(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool right = x >= w / 2, bottom = y >= h / 2;
            img.setPixel(x, y, !right && !bottom ? qRgb(255, 0, 0)
                               : right && !bottom ? qRgb(0, 255, 0)
                               : !right           ? qRgb(0, 0, 255)
                                                  : qRgb(255, 255, 255));
        }
    return img;
}

bool near(QRgb a, QRgb b, int tolerance = 40)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
           && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void echelle6_data();
    void echelle6();

    void decodesQtWrittenFiles_data();
    void decodesQtWrittenFiles();
    void jpegReducedScaleKeepsOwnSize_data();
    void jpegReducedScaleKeepsOwnSize();
    void jpegGreyscale();
    void gifStillAndAnimated();
    void pcx_data();
    void pcx();
    void refused_data();
    void refused();
    void fifoIsNotOpened();
    void folderIsNotOpened();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestPicture::init()
{
    QVERIFY(m_dir.isValid());
}

void TestPicture::echelle6_data()
{
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<bool>("stretch");

    QTest::newRow("1000x600 wide picture") << QSize(388, 373) << QSize(1000, 600) << QRect(1, 74, 386, 224) << true;
    QTest::newRow("600x1000 tall picture") << QSize(388, 373) << QSize(600, 1000) << QRect(77, 1, 233, 371) << true;
    QTest::newRow("300x2000 only higher: own size") << QSize(388, 373) << QSize(300, 2000)
                                                    << QRect(1, 1, 386, 371) << false;
    QTest::newRow("small picture: own size") << QSize(388, 373) << QSize(100, 50) << QRect(1, 1, 386, 371) << false;
    QTest::newRow("exactly the box: own size") << QSize(388, 373) << QSize(386, 371) << QRect(1, 1, 386, 371)
                                               << false;
    QTest::newRow("square picture") << QSize(388, 373) << QSize(1000, 1000) << QRect(0, 1, 388, 371) << true;
    // 10 / (10 / 4) = 4 -> 4 ... a half rounds to the even neighbour:
    // r = 0.5, 0.5 * 13 = 6.5 -> 6; 0.5 * 15 = 7.5 -> 8.
    QTest::newRow("half rounds down to even") << QSize(20, 13) << QSize(200, 100) << QRect(1, 3, 18, 6) << true;
    QTest::newRow("half rounds up to even") << QSize(20, 15) << QSize(200, 100) << QRect(1, 3, 18, 8) << true;
    // Exact halves that floating point misses (388 / (776 / 387) comes out
    // as 193.4999...): the rounding works on the exact ratio.
    QTest::newRow("tall: 193.5 rounds up to 194") << QSize(388, 373) << QSize(387, 776) << QRect(97, 1, 194, 371)
                                                  << true;
    QTest::newRow("tall: 232.5 rounds down to 232") << QSize(388, 373) << QSize(465, 776)
                                                    << QRect(78, 1, 232, 371) << true;
    QTest::newRow("wide: 208.5 rounds down to 208") << QSize(388, 373) << QSize(746, 417)
                                                    << QRect(1, 82, 386, 208) << true;
}

void TestPicture::echelle6()
{
    QFETCH(QSize, frame);
    QFETCH(QSize, picture);
    QFETCH(QRect, box);
    QFETCH(bool, stretch);
    const PictureFit fit = PictureFit::Echelle6(frame, picture);
    QCOMPARE(fit.box, box);
    QCOMPARE(fit.stretch, stretch);
}

void TestPicture::decodesQtWrittenFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("jpeg") << "a.jpg" << QByteArray("JPEG");
    QTest::newRow("bmp") << "a.bmp" << QByteArray("BMP");
    QTest::newRow("png") << "a.png" << QByteArray("PNG");
    QTest::newRow("jpeg named .bmp: content decides") << "wrong.bmp" << QByteArray("JPEG");
    QTest::newRow("upper-case name") << "PHOTO.JPG" << QByteArray("JPEG");
}

void TestPicture::decodesQtWrittenFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QVERIFY(quadrants(40, 30).save(path(name), format.constData(), 95));
    const auto d = PictureFile::load(path(name));
    QVERIFY2(d.ok(), qPrintable(d.error));
    QCOMPARE(d.size, QSize(40, 30));
    QCOMPARE(d.image.size(), QSize(40, 30));
    QVERIFY(near(d.image.pixel(5, 5), qRgb(255, 0, 0)));
    QVERIFY(near(d.image.pixel(35, 5), qRgb(0, 255, 0)));
    QVERIFY(near(d.image.pixel(5, 25), qRgb(0, 0, 255)));
    QVERIFY(near(d.image.pixel(35, 25), qRgb(255, 255, 255)));
    QVERIFY(!d.animated);
}

void TestPicture::jpegReducedScaleKeepsOwnSize_data()
{
    QTest::addColumn<QSize>("need");
    QTest::addColumn<QSize>("decoded");
    QTest::newRow("no target: full size") << QSize() << QSize(1600, 1200);
    QTest::newRow("small frame: 1/8") << QSize(200, 150) << QSize(200, 150);
    QTest::newRow("a bit larger: 1/4") << QSize(201, 150) << QSize(400, 300);
    QTest::newRow("half: 1/2") << QSize(800, 600) << QSize(800, 600);
    QTest::newRow("larger than half: full") << QSize(801, 100) << QSize(1600, 1200);
}

void TestPicture::jpegReducedScaleKeepsOwnSize()
{
    QFETCH(QSize, need);
    QFETCH(QSize, decoded);
    QVERIFY(quadrants(1600, 1200).save(path("big.jpg"), "JPEG", 90));
    QSize asked;
    const auto d = PictureFile::load(path("big.jpg"), [&](QSize own) {
        asked = own;
        return need;
    });
    QVERIFY2(d.ok(), qPrintable(d.error));
    QCOMPARE(asked, QSize(1600, 1200));
    QCOMPARE(d.size, QSize(1600, 1200));
    QCOMPARE(d.image.size(), decoded);
    const QSize s = d.image.size();
    QVERIFY(near(d.image.pixel(s.width() / 4, s.height() / 4), qRgb(255, 0, 0)));
    QVERIFY(near(d.image.pixel(3 * s.width() / 4, 3 * s.height() / 4), qRgb(255, 255, 255)));
}

void TestPicture::jpegGreyscale()
{
    QImage grey(20, 10, QImage::Format_Grayscale8);
    grey.fill(200);
    QVERIFY(grey.save(path("grey.jpg"), "JPEG", 95));
    const auto d = PictureFile::load(path("grey.jpg"));
    QVERIFY2(d.ok(), qPrintable(d.error));
    QCOMPARE(d.size, QSize(20, 10));
    QVERIFY(near(d.image.pixel(10, 5), qRgb(200, 200, 200), 6));
}

void TestPicture::gifStillAndAnimated()
{
    QVector<QRgb> palette(256, qRgb(0, 0, 0));
    palette[1] = qRgb(255, 0, 0);
    palette[2] = qRgb(0, 0, 255);
    QByteArray red(6 * 4, char(1));
    QByteArray blue(6 * 4, char(2));
    red[0] = char(2); // top-left pixel blue

    writeFile(path("still.gif"), PictureSamples::gif(6, 4, palette, {red}));
    const auto s = PictureFile::load(path("still.gif"));
    QVERIFY2(s.ok(), qPrintable(s.error));
    QCOMPARE(s.size, QSize(6, 4));
    QCOMPARE(s.image.pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(s.image.pixel(5, 3), qRgb(255, 0, 0));
    QVERIFY(!s.animated);

    writeFile(path("anim.gif"), PictureSamples::gif(6, 4, palette, {red, blue}));
    const auto a = PictureFile::load(path("anim.gif"));
    QVERIFY2(a.ok(), qPrintable(a.error));
    QCOMPARE(a.size, QSize(6, 4));
    QVERIFY(a.animated);
}

void TestPicture::pcx_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");

    // 8 bits, 256-colour palette at the end; rows of 5 pixels on 6 bytes
    // (even line length), runs longer than a line are split by the encoder.
    {
        QVector<QRgb> pal(256, qRgb(0, 0, 0));
        pal[7] = qRgb(10, 200, 30);
        pal[200] = qRgb(250, 250, 0); // an index >= 0xC0 needs a run byte
        QByteArray raw;
        for (int y = 0; y < 3; ++y)
            raw += QByteArray("\x07\x07\x07\xC8\x07\x00", 6);
        const QByteArray b = PictureSamples::pcx(5, 3, 8, 1, 6, raw, {}, pal);
        QTest::newRow("8-bit palette, first pixel") << b << QSize(5, 3) << QPoint(0, 0) << qRgb(10, 200, 30);
        QTest::newRow("8-bit palette, index 200") << b << QSize(5, 3) << QPoint(3, 2) << qRgb(250, 250, 0);
    }
    // 24 bits as three planes of 8 bits.
    {
        QByteArray raw;
        for (int y = 0; y < 2; ++y)
            raw += QByteArray("\x11\x22\xF0\x00", 4) + QByteArray("\x33\x44\xF1\x00", 4)
                   + QByteArray("\x55\x66\xF2\x00", 4);
        const QByteArray b = PictureSamples::pcx(3, 2, 8, 3, 4, raw);
        QTest::newRow("24-bit, first pixel") << b << QSize(3, 2) << QPoint(0, 1) << qRgb(0x11, 0x33, 0x55);
        QTest::newRow("24-bit, third pixel") << b << QSize(3, 2) << QPoint(2, 0) << qRgb(0xF0, 0xF1, 0xF2);
    }
    // 1 bit, black and white: 10 pixels on 2 bytes per line.
    {
        const QByteArray raw("\xA0\x40\xFF\xC0", 4);
        const QByteArray b = PictureSamples::pcx(10, 2, 1, 1, 2, raw);
        QTest::newRow("1-bit, set bit is white") << b << QSize(10, 2) << QPoint(0, 0) << qRgb(255, 255, 255);
        QTest::newRow("1-bit, clear bit is black") << b << QSize(10, 2) << QPoint(1, 0) << qRgb(0, 0, 0);
        QTest::newRow("1-bit, second line") << b << QSize(10, 2) << QPoint(9, 1) << qRgb(255, 255, 255);
    }
    // 16 colours as four planes of 1 bit, header palette.
    {
        QVector<QRgb> pal(16, qRgb(0, 0, 0));
        pal[5] = qRgb(0, 128, 255);
        pal[8] = qRgb(99, 0, 0);
        // Pixel 0: index 5 = planes 0 and 2; pixel 1: index 8 = plane 3.
        const QByteArray raw("\x80\x00" "\x00\x00" "\x80\x00" "\x40\x00", 8);
        const QByteArray b = PictureSamples::pcx(2, 1, 1, 4, 2, raw, pal);
        QTest::newRow("4 planes, index 5") << b << QSize(2, 1) << QPoint(0, 0) << qRgb(0, 128, 255);
        QTest::newRow("4 planes, index 8") << b << QSize(2, 1) << QPoint(1, 0) << qRgb(99, 0, 0);
    }
    // 4 bits packed in one plane.
    {
        QVector<QRgb> pal(16, qRgb(0, 0, 0));
        pal[3] = qRgb(1, 2, 3);
        pal[12] = qRgb(200, 100, 50);
        const QByteArray b = PictureSamples::pcx(3, 1, 4, 1, 2, QByteArray("\x3C\x30", 2), pal);
        QTest::newRow("4 bits, high nibble") << b << QSize(3, 1) << QPoint(0, 0) << qRgb(1, 2, 3);
        QTest::newRow("4 bits, low nibble") << b << QSize(3, 1) << QPoint(1, 0) << qRgb(200, 100, 50);
    }
}

void TestPicture::pcx()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    writeFile(path("p.pcx"), bytes);
    const auto d = PictureFile::load(path("p.pcx"));
    QVERIFY2(d.ok(), qPrintable(d.error));
    QCOMPARE(d.size, size);
    QCOMPARE(d.image.size(), size);
    QCOMPARE(d.image.pixel(at), colour);
}

void TestPicture::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("inError");

    QByteArray jpeg;
    {
        QImage img = quadrants(64, 64);
        QBuffer buf(&jpeg);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "JPEG");
    }
    QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() / 3) << QStringLiteral("JPEG");
    QTest::newRow("jpeg header only") << QByteArray("\xFF\xD8\xFF\xE0", 4) << QStringLiteral("JPEG");
    // A JPEG whose frame header claims 60000 × 60000 pixels.
    {
        QByteArray huge = jpeg;
        const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
        QVERIFY(sof > 0);
        huge[sof + 5] = char(0xEA);
        huge[sof + 6] = char(0x60);
        huge[sof + 7] = char(0xEA);
        huge[sof + 8] = char(0x60);
        QTest::newRow("jpeg too large") << huge << QStringLiteral("trop grande");
    }
    QTest::newRow("pcx truncated") << PictureSamples::pcx(100, 100, 8, 1, 100, QByteArray(50, char(1)))
                                   << QStringLiteral("tronqué");
    {
        QByteArray b = PictureSamples::pcx(2, 2, 8, 1, 2, QByteArray(4, char(1)));
        b[8] = char(0x10);
        b[9] = char(0x9C); // xmax = 40000
        b[10] = char(0x10);
        b[11] = char(0x9C);
        QTest::newRow("pcx too large") << b << QStringLiteral("trop grande");
    }
    {
        QByteArray b = PictureSamples::pcx(2, 2, 8, 2, 2, QByteArray(8, char(1)));
        QTest::newRow("pcx two planes of 8 bits") << b << QStringLiteral("non prise en charge");
    }
    QTest::newRow("text file") << QByteArray("bonjour\r\n") << QStringLiteral("format");
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("format");
    QTest::newRow("placeable wmf") << QByteArray("\xD7\xCD\xC6\x9A\x00\x00", 6) + QByteArray(60, '\0')
                                   << QStringLiteral("métafichiers");
    QTest::newRow("emf") << QByteArray(40, '\x01') + QByteArray(" EMF") + QByteArray(40, '\0')
                         << QStringLiteral("métafichiers");
}

void TestPicture::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, inError);
    writeFile(path("bad.img"), bytes);
    const auto d = PictureFile::load(path("bad.img"));
    QVERIFY(!d.ok());
    QVERIFY2(d.error.contains(inError), qPrintable(d.error));
    QVERIFY(d.image.isNull());
}

void TestPicture::fifoIsNotOpened()
{
    const QString fifo = path("pipe.jpg");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer t;
    t.start();
    QVERIFY(!PictureFile::isRegularFile(fifo));
    const auto d = PictureFile::load(fifo);
    QVERIFY(!d.ok());
    QVERIFY(t.elapsed() < 5000); // did not block on the pipe
}

void TestPicture::folderIsNotOpened()
{
    QVERIFY(QDir(m_dir.path()).mkdir("folder.jpg"));
    QVERIFY(!PictureFile::load(path("folder.jpg")).ok());
    QVERIFY(!PictureFile::load(path("missing.jpg")).ok());
    QVERIFY(!PictureFile::isRegularFile(QString()));
}

QTEST_MAIN(TestPicture)
#include "test_collections_picture.moc"
