// JPEG pictures, decoded with libjpeg (libjpeg62-turbo on Debian).
//
// libjpeg can run its inverse DCT at 1/2, 1/4 or 1/8 of the picture's size,
// which is several times faster than decoding the whole picture and scaling
// it down afterwards. The album only ever draws a large photo at the size of
// its frame, so the decoder takes the smallest scale whose result is still at
// least as large as the size the picture is drawn at.

#include "collections/PictureFile.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace PictureFile {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return:
// jump back to the decoder, which gives up cleanly.
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void onJpegError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

extern "C" void onJpegMessage(j_common_ptr, int) {}

// Largest divisor (8, 4, 2, 1) that keeps the picture at least `need`.
int scaleDenominator(QSize own, QSize need)
{
    if (!need.isValid() || need.isEmpty())
        return 1;
    for (int d : {8, 4, 2}) {
        const int w = (own.width() + d - 1) / d;
        const int h = (own.height() + d - 1) / d;
        if (w >= need.width() && h >= need.height())
            return d;
    }
    return 1;
}

// The body of the decoder. Everything that libjpeg's error exit may jump over
// lives in the caller or in plain memory, so the jump leaks nothing.
bool decode(jpeg_decompress_struct &cinfo, ErrorManager &err, const QByteArray &data, const TargetSize &target,
            Decoded &out, QByteArray &cmykRow)
{
    if (setjmp(err.jump))
        return false;

    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);

    out.size = QSize(int(cinfo.image_width), int(cinfo.image_height));
    if (cinfo.image_width > unsigned(MaxSide) || cinfo.image_height > unsigned(MaxSide)
        || qint64(cinfo.image_width) * cinfo.image_height > MaxPixels) {
        out.error = QStringLiteral("Image trop grande (%1 × %2 pixels) : elle n'est pas affichée.")
                        .arg(out.size.width())
                        .arg(out.size.height());
        return true;
    }

    const int denom = scaleDenominator(out.size, target ? target(out.size) : QSize());
    cinfo.scale_num = 1;
    cinfo.scale_denom = unsigned(denom);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    if (denom > 1) {
        // At a reduced scale the picture is drawn small: the fast paths cost
        // nothing visible.
        cinfo.dct_method = JDCT_IFAST;
        cinfo.do_fancy_upsampling = FALSE;
    }
    jpeg_start_decompress(&cinfo);

    const int w = int(cinfo.output_width);
    const int h = int(cinfo.output_height);
    out.image = QImage(w, h, cmyk ? QImage::Format_RGB32 : QImage::Format_RGB888);
    if (out.image.isNull()) {
        out.error = QStringLiteral("Mémoire insuffisante pour afficher l'image.");
        jpeg_abort_decompress(&cinfo);
        return true;
    }
    if (cmyk)
        cmykRow.resize(qsizetype(w) * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        JSAMPROW row = cmyk ? reinterpret_cast<JSAMPROW>(cmykRow.data()) : out.image.scanLine(y);
        jpeg_read_scanlines(&cinfo, &row, 1);
        if (cmyk) {
            // Adobe writes CMYK inverted; k scales the three inks.
            auto *dst = reinterpret_cast<QRgb *>(out.image.scanLine(y));
            const auto *src = reinterpret_cast<const uchar *>(cmykRow.constData());
            for (int x = 0; x < w; ++x, src += 4) {
                const int k = src[3];
                const auto ink = [k](int c) { return c * k / 255; };
                dst[x] = qRgb(ink(src[0]), ink(src[1]), ink(src[2]));
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

Decoded decodeJpeg(const QByteArray &data, const TargetSize &target)
{
    Decoded out;
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onJpegError;
    err.pub.emit_message = onJpegMessage;
    QByteArray cmykRow; // owned here: a jump out of decode() skips its locals
    jpeg_create_decompress(&cinfo);
    // Destroyed on every way out of here.
    const std::unique_ptr<jpeg_decompress_struct, void (*)(j_decompress_ptr)> owned(&cinfo, jpeg_destroy_decompress);
    if (!decode(cinfo, err, data, target, out, cmykRow)) {
        out.image = QImage();
        out.error = QStringLiteral("L'image JPEG est endommagée : %1").arg(QString::fromLocal8Bit(err.message));
    }
    return out;
}

} // namespace PictureFile
