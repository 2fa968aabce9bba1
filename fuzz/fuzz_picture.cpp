// The picture readers of the album and the video covers, one target per
// format (FUZZ_PICTURE_JPEG, _PCX, _GIF or _BMP): JPEG whole and reduced,
// PCX by our own decoder, GIF and BMP through the reader the program uses
// for every other format.

#include "collections/PictureFile.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void check(const PictureFile::Decoded &d)
{
    // A picture read has an image; one refused has a reason.
    if (d.ok() == d.image.isNull())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
#if defined(FUZZ_PICTURE_JPEG)
    check(PictureFile::decodeJpeg(bytes));
    check(PictureFile::decodeJpeg(bytes, [](QSize) { return QSize(40, 30); }));
#elif defined(FUZZ_PICTURE_PCX)
    check(PictureFile::decodePcx(bytes));
#elif defined(FUZZ_PICTURE_GIF)
    if (bytes.startsWith("GIF8"))
        check(PictureFile::decode(bytes));
#elif defined(FUZZ_PICTURE_BMP)
    if (bytes.startsWith("BM"))
        check(PictureFile::decode(bytes));
#else
#error "one picture format must be chosen"
#endif
    return 0;
}
