#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

// Reading of the pictures the album and the video covers refer to.
//
// JPEG is decoded with libjpeg directly, which can decode a large photo at
// 1/2, 1/4 or 1/8 of its size (DCT scaling) when it only has to fill a small
// frame; PCX with a decoder of our own; BMP, GIF, PNG and whatever else Qt's
// image readers know through QImageReader. The format is recognised from the
// file's first bytes, not from its name.
//
// Only regular files are opened (a FIFO, a device or a folder would block or
// make no sense), and pictures beyond MaxSide pixels on a side or MaxPixels in
// all are refused before any memory is taken for them.
namespace PictureFile {

constexpr int MaxSide = 32768;
constexpr qint64 MaxPixels = 120'000'000;
constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;

struct Decoded
{
    QImage image;          // possibly smaller than `size` (reduced JPEG decoding)
    QSize size;            // the picture's own width and height, from its header
    bool animated = false; // a picture of several frames (GIF): play it with QMovie
    QString error;         // French text when it could not be read; empty when fine
    bool ok() const { return error.isEmpty(); }
};

// Given the picture's own size, the smallest size its decoded image must
// keep (the size it is drawn at). An invalid size asks for the full picture.
using TargetSize = std::function<QSize(QSize own)>;

// Reads a picture file. `target` lets a JPEG be decoded at a reduced scale.
Decoded load(const QString &path, const TargetSize &target = {});

// Reads a picture from the bytes of its file; `path` only names it in
// error texts.
Decoded decode(const QByteArray &data, const TargetSize &target = {}, const QString &path = QString());

// Whether the path names a regular file (the only kind opened as a picture
// or animation).
bool isRegularFile(const QString &path);

// Decoders of the formats we read ourselves, on the whole file's bytes.
Decoded decodeJpeg(const QByteArray &data, const TargetSize &target = {});
Decoded decodePcx(const QByteArray &data);

bool looksLikeJpeg(const QByteArray &data);
bool looksLikePcx(const QByteArray &data);

} // namespace PictureFile
