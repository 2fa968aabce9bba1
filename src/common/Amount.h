#pragma once

#include <QString>

#include <optional>

// Amounts: typed as free text whose first "." becomes ",", read with the
// comma as decimal separator, shown and stored with the pattern "0.00" (so
// with a decimal comma: "12,50") and right-aligned by leading blanks, which
// readers trim.
namespace Amount {

// The first "." of a typed text becomes ",".
QString normaliseTyped(const QString &typed);

// Reads an amount; blanks around it are trimmed, "." or "," is the decimal
// separator. Nothing for an empty or malformed text.
std::optional<double> parse(const QString &text);

// "0.00" with a decimal comma: 12.5 -> "12,50", -3 -> "-3,00". Halves are
// rounded away from zero.
QString format(double value);

// Pads on the left with blanks to the given width (longer texts stay whole).
QString rightAligned(const QString &text, int width);

} // namespace Amount
