#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Windows-1252, the character set of every file Tivarel reads and writes.
//
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) decode to the C1 control of the same value, so every byte value
// survives a decode followed by an encode.
namespace Cp1252 {

QString decode(QByteArrayView bytes);

// Characters outside Windows-1252 become '?'; *lossless (when given) tells
// whether every character could be written.
QByteArray encode(QStringView text, bool *lossless = nullptr);

// The Windows-1252 byte of one character, or -1 when it has none.
int byteOf(QChar c);

} // namespace Cp1252
