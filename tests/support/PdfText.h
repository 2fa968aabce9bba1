#pragma once

#include <QString>
#include <QStringList>

// The texts of a PDF file written by Qt's PDF engine, one string per text
// object, read back through the fonts' ToUnicode maps (the page content
// holds glyph numbers only).
namespace PdfText {

QStringList read(const QString &path);

} // namespace PdfText
