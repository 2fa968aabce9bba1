#include "common/Cp1252.h"

#include <array>

namespace {

// Unicode code points of the bytes 0x80..0x9F. The undefined bytes map to
// the C1 control of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

} // namespace

namespace Cp1252 {

QString decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dst[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kHigh[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

int byteOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == u)
            return 0x80 + i;
    }
    return -1;
}

QByteArray encode(QStringView text, bool *lossless)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *dst = out.data();
    bool ok = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            dst[i] = static_cast<char>(u);
            continue;
        }
        const int b = byteOf(text[i]);
        if (b < 0) {
            ok = false;
            dst[i] = '?';
        } else {
            dst[i] = static_cast<char>(b);
        }
    }
    if (lossless)
        *lossless = ok;
    return out;
}

} // namespace Cp1252
