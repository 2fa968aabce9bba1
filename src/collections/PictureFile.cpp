#include "collections/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace PictureFile {

namespace {

QString tooLarge(QSize s)
{
    return QStringLiteral("Image trop grande (%1 × %2 pixels) : elle n'est pas affichée.")
        .arg(s.width())
        .arg(s.height());
}

bool sizeAcceptable(QSize s)
{
    return s.width() > 0 && s.height() > 0 && s.width() <= MaxSide && s.height() <= MaxSide
           && qint64(s.width()) * s.height() <= MaxPixels;
}

} // namespace

bool isRegularFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    // isFile() follows symbolic links and is false for FIFOs, sockets,
    // devices and folders.
    return QFileInfo(path).isFile();
}

bool looksLikeJpeg(const QByteArray &data)
{
    return data.size() >= 3 && uchar(data[0]) == 0xFF && uchar(data[1]) == 0xD8 && uchar(data[2]) == 0xFF;
}

bool looksLikePcx(const QByteArray &data)
{
    // Manufacturer 10, a known version, RLE or no encoding, 1/2/4/8 bits.
    if (data.size() < 128 || uchar(data[0]) != 0x0A)
        return false;
    const uchar version = uchar(data[1]);
    const uchar encoding = uchar(data[2]);
    const uchar bits = uchar(data[3]);
    return (version <= 5 && version != 1) && encoding <= 1 && (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

Decoded load(const QString &path, const TargetSize &target)
{
    Decoded out;
    if (!isRegularFile(path)) {
        out.error = QStringLiteral("Le fichier %1 n'est pas un fichier d'image lisible.").arg(path);
        return out;
    }
    QFile file(path);
    if (file.size() > MaxFileBytes) {
        out.error = QStringLiteral("Le fichier %1 est trop gros pour être affiché.").arg(path);
        return out;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        out.error = QStringLiteral("Impossible d'ouvrir l'image %1 : %2").arg(path, file.errorString());
        return out;
    }
    const QByteArray data = file.readAll();
    file.close();
    return decode(data, target, path);
}

Decoded decode(const QByteArray &data, const TargetSize &target, const QString &path)
{
    Decoded out;
    if (looksLikeJpeg(data))
        return decodeJpeg(data, target);
    if (looksLikePcx(data))
        return decodePcx(data);
    // Windows metafiles (placeable WMF, EMF): offered by the dialog, but no
    // reader exists for them here.
    if (data.startsWith(QByteArray("\xD7\xCD\xC6\x9A", 4))
        || (data.size() >= 44 && data.mid(40, 4) == QByteArray(" EMF"))) {
        out.error = QStringLiteral("Les métafichiers Windows (EMF, WMF) ne sont pas pris en charge : "
                                   "l'image %1 ne peut pas être affichée.")
                        .arg(path);
        return out;
    }

    // BMP, GIF, PNG and the other formats Qt reads.
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format.isEmpty()) {
        out.error =
            QStringLiteral("Le format de l'image %1 n'est pas reconnu : elle ne peut pas être affichée.").arg(path);
        return out;
    }
    const QSize size = reader.size();
    if (size.isValid() && !sizeAcceptable(size)) {
        out.error = tooLarge(size);
        return out;
    }
    out.animated = reader.supportsAnimation() && reader.imageCount() != 1;
    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        out.error = QStringLiteral("L'image %1 est endommagée ou d'un format non pris en charge (%2).")
                        .arg(path, reader.errorString());
        return out;
    }
    if (!sizeAcceptable(image.size())) {
        out.error = tooLarge(image.size());
        return out;
    }
    if (out.animated)
        out.animated = reader.canRead(); // a second frame follows
    out.size = image.size();
    out.image = std::move(image);
    return out;
}

} // namespace PictureFile
