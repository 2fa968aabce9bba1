#include "common/Money.h"

#include "common/Amount.h"

#include <limits>

namespace Money {

namespace {

constexpr int kMaxDigits = 18;

qint64 pow10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// n / d rounded half away from zero (d > 0).
std::optional<qint64> roundedDivide(__int128 n, qint64 d)
{
    const bool negative = n < 0;
    __int128 m = negative ? -n : n;
    __int128 q = m / d;
    if ((m % d) * 2 >= d)
        ++q;
    if (q > std::numeric_limits<qint64>::max())
        return std::nullopt;
    return static_cast<qint64>(negative ? -q : q);
}

} // namespace

std::optional<Decimal> parseDecimal(const QString &text)
{
    const QString s = Amount::ungrouped(text).trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
        negative = s[i++] == u'-';
    Decimal d;
    int digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u',' || c == u'.') {
            if (point)
                return std::nullopt;
            point = true;
        } else if (c >= u'0' && c <= u'9') {
            if (digits == 0 && c == u'0' && !point)
                continue; // leading zeros carry nothing
            if (++digits > kMaxDigits)
                return std::nullopt;
            d.units = d.units * 10 + (c.unicode() - u'0');
            if (point)
                ++d.scale;
        } else {
            return std::nullopt;
        }
    }
    // At least one digit, a lone zero included.
    if (digits == 0 && !s.contains(u'0'))
        return std::nullopt;
    if (negative)
        d.units = -d.units;
    return d;
}

std::optional<qint64> toCents(Decimal d)
{
    if (d.scale <= 2)
        return roundedDivide(static_cast<__int128>(d.units) * pow10(2 - d.scale), 1);
    return roundedDivide(d.units, pow10(d.scale - 2));
}

std::optional<qint64> parseCents(const QString &text)
{
    const auto d = parseDecimal(text);
    return d ? toCents(*d) : std::nullopt;
}

std::optional<qint64> amountCents(Decimal quantity, qint64 priceCents)
{
    return roundedDivide(static_cast<__int128>(quantity.units) * priceCents, pow10(quantity.scale));
}

std::optional<qint64> addCents(qint64 a, qint64 b)
{
    qint64 sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return std::nullopt;
    return sum;
}

QString formatCents(qint64 cents)
{
    const bool negative = cents < 0;
    const quint64 m = negative ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    QString s = QString::number(m / 100) + u',' + QStringLiteral("%1").arg(m % 100, 2, 10, QChar(u'0'));
    return negative ? u'-' + s : s;
}

} // namespace Money
