#pragma once

// Small picture and animation files made by the tests themselves: GIF and
// PCX written byte by byte (Qt writes neither), an uncompressed AVI.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QVector>

namespace PictureSamples {

inline void put16(QByteArray &b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

inline void put32(QByteArray &b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// LZW data of a GIF frame with 8-bit codes: a clear code every 100 pixels
// keeps the code width at 9 bits, which every decoder must accept.
inline QByteArray gifLzw(const QByteArray &indices)
{
    QByteArray packed;
    quint32 acc = 0;
    int bits = 0;
    auto put = [&](int code) {
        acc |= quint32(code) << bits;
        bits += 9;
        while (bits >= 8) {
            packed.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    for (int i = 0; i < indices.size(); ++i) {
        if (i % 100 == 0)
            put(256);
        put(uchar(indices[i]));
    }
    put(257);
    if (bits > 0)
        packed.append(char(acc & 0xFF));
    QByteArray out;
    out.append(char(8)); // minimum code size
    for (int at = 0; at < packed.size(); at += 255) {
        const QByteArray part = packed.mid(at, 255);
        out.append(char(part.size()));
        out.append(part);
    }
    out.append(char(0));
    return out;
}

// A GIF of the given frames (each w × h palette indices) with a 256-colour
// global palette; several frames make an endlessly looping animation.
inline QByteArray gif(int w, int h, const QVector<QRgb> &palette, const QList<QByteArray> &frames)
{
    QByteArray b("GIF89a");
    put16(b, w);
    put16(b, h);
    b.append(char(0xF7)); // global colour table of 256 entries
    b.append(char(0));
    b.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = palette.value(i, qRgb(0, 0, 0));
        b.append(char(qRed(c)));
        b.append(char(qGreen(c)));
        b.append(char(qBlue(c)));
    }
    if (frames.size() > 1) {
        b.append("\x21\xFF\x0B" "NETSCAPE2.0" "\x03\x01", 16);
        put16(b, 0);
        b.append(char(0));
    }
    for (const QByteArray &f : frames) {
        b.append("\x21\xF9\x04\x00", 4); // graphic control: 10 × 10 ms delay
        put16(b, 10);
        b.append("\x00\x00", 2);
        b.append(char(0x2C));
        put16(b, 0);
        put16(b, 0);
        put16(b, w);
        put16(b, h);
        b.append(char(0));
        b.append(gifLzw(f));
    }
    b.append(char(0x3B));
    return b;
}

// PCX run-length coding of one buffer.
inline QByteArray pcxRle(const QByteArray &raw)
{
    QByteArray out;
    for (int i = 0; i < raw.size();) {
        const uchar v = uchar(raw[i]);
        int run = 1;
        while (i + run < raw.size() && uchar(raw[i + run]) == v && run < 63)
            ++run;
        if (run > 1 || (v & 0xC0) == 0xC0) {
            out.append(char(0xC0 | run));
            out.append(char(v));
        } else {
            out.append(char(v));
        }
        i += run;
    }
    return out;
}

// A PCX file: `planes` × `bytesPerLine` bytes per scan line in `raw`
// (already laid out by plane), optional 16-colour header palette and 256
// colour final palette.
inline QByteArray pcx(int w, int h, int bits, int planes, int bytesPerLine, const QByteArray &raw,
                      const QVector<QRgb> &headerPalette = {}, const QVector<QRgb> &finalPalette = {})
{
    QByteArray b(128, '\0');
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = 1;
    b[3] = char(bits);
    auto set16 = [&b](int at, int v) {
        b[at] = char(v & 0xFF);
        b[at + 1] = char((v >> 8) & 0xFF);
    };
    set16(4, 0);
    set16(6, 0);
    set16(8, w - 1);
    set16(10, h - 1);
    set16(12, 72);
    set16(14, 72);
    for (int i = 0; i < headerPalette.size() && i < 16; ++i) {
        b[16 + 3 * i] = char(qRed(headerPalette[i]));
        b[17 + 3 * i] = char(qGreen(headerPalette[i]));
        b[18 + 3 * i] = char(qBlue(headerPalette[i]));
    }
    b[65] = char(planes);
    set16(66, bytesPerLine);
    set16(68, 1);
    b.append(pcxRle(raw));
    if (!finalPalette.isEmpty()) {
        b.append(char(12));
        for (int i = 0; i < 256; ++i) {
            const QRgb c = finalPalette.value(i, qRgb(0, 0, 0));
            b.append(char(qRed(c)));
            b.append(char(qGreen(c)));
            b.append(char(qBlue(c)));
        }
    }
    return b;
}

// An uncompressed AVI (24-bit bottom-up DIB frames, 10 frames a second) of
// `count` frames, each a plain colour.
inline QByteArray avi(int w, int h, int count)
{
    const int stride = (w * 3 + 3) & ~3;
    const int frameBytes = stride * h;

    QByteArray avih;
    put32(avih, 100000);              // microseconds per frame
    put32(avih, quint32(frameBytes * 10));
    put32(avih, 0);
    put32(avih, 0x10);                // has index
    put32(avih, quint32(count));
    put32(avih, 0);
    put32(avih, 1);                   // streams
    put32(avih, quint32(frameBytes));
    put32(avih, quint32(w));
    put32(avih, quint32(h));
    for (int i = 0; i < 4; ++i)
        put32(avih, 0);

    QByteArray strh("vids" "DIB ");
    put32(strh, 0);
    put16(strh, 0);
    put16(strh, 0);
    put32(strh, 0);
    put32(strh, 1);                   // scale
    put32(strh, 10);                  // rate: 10 frames a second
    put32(strh, 0);
    put32(strh, quint32(count));
    put32(strh, quint32(frameBytes));
    put32(strh, 0xFFFFFFFF);
    put32(strh, 0);
    put16(strh, 0);
    put16(strh, 0);
    put16(strh, w);
    put16(strh, h);

    QByteArray strf;
    put32(strf, 40);
    put32(strf, quint32(w));
    put32(strf, quint32(h));
    put16(strf, 1);
    put16(strf, 24);
    put32(strf, 0);
    put32(strf, quint32(frameBytes));
    for (int i = 0; i < 4; ++i)
        put32(strf, 0);

    auto chunk = [](const char *id, const QByteArray &data) {
        QByteArray c(id, 4);
        put32(c, quint32(data.size()));
        c.append(data);
        if (data.size() % 2)
            c.append(char(0));
        return c;
    };
    auto list = [](const char *type, const QByteArray &data) {
        QByteArray c("LIST");
        put32(c, quint32(data.size() + 4));
        c.append(type, 4);
        c.append(data);
        return c;
    };

    const QByteArray strl = list("strl", chunk("strh", strh) + chunk("strf", strf));
    const QByteArray hdrl = list("hdrl", chunk("avih", avih) + strl);

    QByteArray movi;
    QByteArray idx;
    for (int f = 0; f < count; ++f) {
        QByteArray frame(frameBytes, '\0');
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                char *p = frame.data() + y * stride + x * 3;
                p[0] = char(f * 20);      // blue
                p[1] = char(255 - f * 20); // green
                p[2] = char(x * 4);       // red
            }
        idx.append("00db", 4);
        put32(idx, 0x10);
        put32(idx, quint32(4 + movi.size()));
        put32(idx, quint32(frameBytes));
        movi.append(chunk("00db", frame));
    }
    const QByteArray body = hdrl + list("movi", movi) + chunk("idx1", idx);
    QByteArray riff("RIFF");
    put32(riff, quint32(body.size() + 4));
    riff.append("AVI ", 4);
    riff.append(body);
    return riff;
}

} // namespace PictureSamples
