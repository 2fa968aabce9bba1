#pragma once

#include <QString>

#include <optional>

// Exact money: decimal numbers kept as scaled 64-bit integers and amounts as
// whole cents, every product rounded half away from zero to the cent, so
// 0,5 x 2,01 gives 1,01 and sums never drift.
namespace Money {

// A decimal number: units / 10^scale.
struct Decimal
{
    qint64 units = 0;
    int scale = 0;
};

// Reads "12", "-1,5", "0.25" (blanks around trimmed, "," or "." as decimal
// separator, at most 18 digits). Nothing for an empty or malformed text.
std::optional<Decimal> parseDecimal(const QString &text);
// Rounded half away from zero to the cent; nothing when out of range.
std::optional<qint64> toCents(Decimal d);
// The cents of a text ("12,5" -> 1250), nothing when it is not a number.
std::optional<qint64> parseCents(const QString &text);
// quantity x price, rounded half away from zero to the cent.
std::optional<qint64> amountCents(Decimal quantity, qint64 priceCents);
// a + b, nothing when the sum lies outside 64 bits (never wrapped).
std::optional<qint64> addCents(qint64 a, qint64 b);
// "0.00" with a decimal comma: 150 -> "1,50", -5 -> "-0,05".
QString formatCents(qint64 cents);

} // namespace Money
