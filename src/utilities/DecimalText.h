#pragma once

#include <QString>

#include <optional>

// Numbers as the utility windows show and read them: a decimal comma,
// whatever the system settings.
namespace DecimalText {

// x with `decimals` places, rounded half away from zero ("0.00" pattern).
// The scaled value is nudged by a tiny amount before rounding so that a sum
// such as 3.2 + 6.3, which binary floating point holds as 9.4999999..., still
// rounds as the 9.5 the user added up.
QString fixed(double x, int decimals);

// n / 10^decimals in the shortest form: "1,52", "1,5", "1", "0,00001".
QString scaled(qint64 n, int decimals);

// x rounded to `digits` significant digits, in the shortest form: no
// trailing zeros after the comma ("0,25", "3", "1,4142135623731"), and
// written out in full ("0,00001", "121932631112000000") unless that would
// take more than 20 characters ("1e+25", "-1,5e-30").
QString shortest(double x, int digits = 15);

// Text typed by the user: digits with at most one comma (or point). Nothing
// when the text is empty or not a number.
std::optional<double> read(const QString &text);

} // namespace DecimalText
