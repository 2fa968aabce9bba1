#include "utilities/DecimalText.h"

#include <QLocale>

#include <cmath>

namespace DecimalText {

QString fixed(double x, int decimals)
{
    const double factor = std::pow(10.0, decimals);
    const double v = x * factor;
    const double n = std::round(v + std::copysign(1e-7, v));
    QString s = QString::number(n / factor, 'f', decimals);
    if (s.startsWith(QLatin1Char('-')) && n == 0)
        s.remove(0, 1);
    return s.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString scaled(qint64 n, int decimals)
{
    const bool negative = n < 0;
    QString digits = QString::number(negative ? -n : n).rightJustified(decimals + 1, QLatin1Char('0'));
    QString whole = digits.left(digits.size() - decimals);
    QString fraction = digits.right(decimals);
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString s = negative ? QStringLiteral("-") + whole : whole;
    if (!fraction.isEmpty())
        s += QLatin1Char(',') + fraction;
    return s;
}

QString shortest(double x)
{
    QString s = QString::number(x, 'g', 15);
    s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

std::optional<double> read(const QString &text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace DecimalText
