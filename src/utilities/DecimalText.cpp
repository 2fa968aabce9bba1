#include "utilities/DecimalText.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>

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

QString shortest(double x, int digits)
{
    constexpr qsizetype kLongest = 20;
    // The rounded digits and the power of ten of the first one, from the
    // exponent form: "-1.23450000000e+17".
    const QString e = QString::number(x, 'e', digits - 1);
    const qsizetype at = e.indexOf(QLatin1Char('e'));
    const int exponent = e.mid(at + 1).toInt();
    const bool negative = e.startsWith(QLatin1Char('-'));
    QString mantissa = e.left(at).remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    while (mantissa.size() > 1 && mantissa.endsWith(QLatin1Char('0')))
        mantissa.chop(1);
    if (mantissa == QLatin1String("0"))
        return QStringLiteral("0");
    QString s;
    if (exponent < 0)
        s = QStringLiteral("0,") + QString(-exponent - 1, QLatin1Char('0')) + mantissa;
    else if (mantissa.size() <= exponent + 1)
        s = mantissa + QString(exponent + 1 - mantissa.size(), QLatin1Char('0'));
    else
        s = mantissa.left(exponent + 1) + QLatin1Char(',') + mantissa.mid(exponent + 1);
    if (s.size() + (negative ? 1 : 0) > kLongest) {
        s = mantissa.left(1);
        if (mantissa.size() > 1)
            s += QLatin1Char(',') + mantissa.mid(1);
        s += QStringLiteral("e%1%2")
                 .arg(exponent < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                 .arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
    }
    return negative ? QLatin1Char('-') + s : s;
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
