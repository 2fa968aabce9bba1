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

// The digits of an amount written the French way, "1 250,00": blanks,
// no-break spaces or narrow no-break spaces between groups of three digits
// of the whole part are taken away. Any other text comes back as it is.
QString ungrouped(const QString &text);

// Reads an amount; blanks around it are trimmed, "." or "," is the decimal
// separator, the whole part may be grouped by threes (ungrouped()). Nothing
// for an empty or malformed text.
std::optional<double> parse(const QString &text);

// "0.00" with a decimal comma: 12.5 -> "12,50", -3 -> "-3,00". Halves are
// rounded away from zero.
QString format(double value);

// Pads on the left with blanks to the given width (longer texts stay whole).
QString rightAligned(const QString &text, int width);

} // namespace Amount
