// PCX pictures (ZSoft Paintbrush), which Qt does not read.
//
// A 128-byte header, little-endian:
//   0 manufacturer (10)   1 version   2 encoding (1 = run-length)
//   3 bits per pixel in one plane
//   4..11 xmin, ymin, xmax, ymax (the picture is xmax-xmin+1 by ymax-ymin+1)
//   16..63 a 16-colour palette (RGB triples)
//   65 number of planes   66..67 bytes per line in one plane
// then the pixel data, one scan line after another, each made of its planes
// one after the other. Run-length coding: a byte with both top bits set
// repeats the next byte (low 6 bits) times; any other byte stands for itself.
// Runs may cross line ends. A 256-colour picture ends with byte 12 followed by
// its 768-byte palette.
//
// Supported: 1 bit × 1 plane (black and white), 1 bit × 2..4 planes and
// 2 or 4 bits × 1 plane (header palette), 8 bits × 1 plane (final palette,
// or grey levels when it is missing), 8 bits × 3 or 4 planes (RGB, RGBA).

#include "collections/PictureFile.h"

#include <QVector>

#include <cstring>

namespace PictureFile {

namespace {

int u16(const QByteArray &d, int at)
{
    return uchar(d[at]) | (uchar(d[at + 1]) << 8);
}

} // namespace

Decoded decodePcx(const QByteArray &data)
{
    Decoded out;
    auto fail = [&out](const QString &why) {
        out.image = QImage();
        out.error = QStringLiteral("L'image PCX ne peut pas être lue : %1.").arg(why);
        return out;
    };
    if (!looksLikePcx(data))
        return fail(QStringLiteral("en-tête invalide"));

    const bool rle = data[2] == 1;
    const int bits = uchar(data[3]);
    const int xmin = u16(data, 4), ymin = u16(data, 6), xmax = u16(data, 8), ymax = u16(data, 10);
    const int planes = uchar(data[65]);
    const int bytesPerLine = u16(data, 66);
    if (xmax < xmin || ymax < ymin)
        return fail(QStringLiteral("dimensions invalides"));
    const int w = xmax - xmin + 1;
    const int h = ymax - ymin + 1;
    out.size = QSize(w, h);
    if (w > MaxSide || h > MaxSide || qint64(w) * h > MaxPixels)
        return fail(QStringLiteral("image trop grande (%1 × %2 pixels)").arg(w).arg(h));

    const bool supported = (bits == 1 && planes >= 1 && planes <= 4) || ((bits == 2 || bits == 4) && planes == 1)
                           || (bits == 8 && (planes == 1 || planes == 3 || planes == 4));
    if (!supported)
        return fail(QStringLiteral("combinaison de %1 bits et %2 plans non prise en charge").arg(bits).arg(planes));
    if (bytesPerLine <= 0 || qint64(bytesPerLine) * 8 < qint64(w) * bits)
        return fail(QStringLiteral("longueur de ligne invalide"));

    // Palette of the indexed forms.
    QVector<QRgb> palette;
    if (bits == 8 && planes == 1) {
        const qsizetype at = data.size() - 769;
        if (at >= 128 && uchar(data[at]) == 12) {
            for (int i = 0; i < 256; ++i)
                palette << qRgb(uchar(data[at + 1 + 3 * i]), uchar(data[at + 2 + 3 * i]), uchar(data[at + 3 + 3 * i]));
        } else {
            for (int i = 0; i < 256; ++i)
                palette << qRgb(i, i, i);
        }
    } else if (bits * planes == 1) {
        palette << qRgb(0, 0, 0) << qRgb(255, 255, 255);
    } else if (bits * planes <= 4) {
        for (int i = 0; i < 16; ++i)
            palette << qRgb(uchar(data[16 + 3 * i]), uchar(data[17 + 3 * i]), uchar(data[18 + 3 * i]));
    }

    const qsizetype lineBytes = qsizetype(bytesPerLine) * planes;
    QByteArray line(lineBytes, '\0');
    QImage image(w, h,
                 palette.isEmpty() ? (planes == 4 ? QImage::Format_ARGB32 : QImage::Format_RGB32)
                                   : QImage::Format_Indexed8);
    if (image.isNull())
        return fail(QStringLiteral("mémoire insuffisante"));
    if (!palette.isEmpty())
        image.setColorTable(palette);

    qsizetype pos = 128;
    const qsizetype end = data.size();
    int pending = 0; // bytes still owed by a run that crossed a line end
    uchar value = 0;
    for (int y = 0; y < h; ++y) {
        // Unpack one scan line (all its planes).
        qsizetype i = 0;
        while (i < lineBytes) {
            if (pending > 0) {
                line[i++] = char(value);
                --pending;
                continue;
            }
            if (pos >= end)
                return fail(QStringLiteral("fichier tronqué"));
            const uchar b = uchar(data[pos++]);
            if (rle && (b & 0xC0) == 0xC0) {
                if (pos >= end)
                    return fail(QStringLiteral("fichier tronqué"));
                pending = b & 0x3F;
                value = uchar(data[pos++]);
            } else {
                line[i++] = char(b);
            }
        }
        const auto *src = reinterpret_cast<const uchar *>(line.constData());
        uchar *dst = image.scanLine(y);
        if (bits == 8 && planes == 1) {
            std::memcpy(dst, src, size_t(w));
        } else if (bits == 8) {
            auto *px = reinterpret_cast<QRgb *>(dst);
            for (int x = 0; x < w; ++x) {
                const int a = planes == 4 ? src[3 * bytesPerLine + x] : 255;
                px[x] = qRgba(src[x], src[bytesPerLine + x], src[2 * bytesPerLine + x], a);
            }
        } else if (planes == 1) {
            // 1, 2 or 4 bits per pixel packed, most significant first.
            const int perByte = 8 / bits;
            const int mask = (1 << bits) - 1;
            for (int x = 0; x < w; ++x) {
                const int shift = (perByte - 1 - x % perByte) * bits;
                dst[x] = uchar((src[x / perByte] >> shift) & mask);
            }
        } else {
            // 1 bit in each of 2..4 planes: plane p gives bit p of the index.
            for (int x = 0; x < w; ++x) {
                int index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((src[p * bytesPerLine + x / 8] >> (7 - x % 8)) & 1) << p;
                dst[x] = uchar(index);
            }
        }
    }
    out.image = std::move(image);
    return out;
}

} // namespace PictureFile
