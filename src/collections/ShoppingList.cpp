#include "collections/ShoppingList.h"

#include <limits>

namespace Shopping {

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

bool Row::isBlank() const
{
    return designation.trimmed().isEmpty() && quantity.trimmed().isEmpty() && price.trimmed().isEmpty()
           && amount.trimmed().isEmpty();
}

std::optional<Decimal> parseDecimal(const QString &text)
{
    const QString s = text.trimmed();
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

std::optional<qint64> amountCents(Decimal quantity, qint64 priceCents)
{
    return roundedDivide(static_cast<__int128>(quantity.units) * priceCents, pow10(quantity.scale));
}

QString formatCents(qint64 cents)
{
    const bool negative = cents < 0;
    const quint64 m = negative ? 0 - static_cast<quint64>(cents) : static_cast<quint64>(cents);
    QString s = QString::number(m / 100) + u',' + QStringLiteral("%1").arg(m % 100, 2, 10, QChar(u'0'));
    return negative ? u'-' + s : s;
}

QString padded(const QString &text, int alignWidth, const Measure &width)
{
    QString s = text;
    const int limit = alignWidth - 10;
    // Each blank widens the text; a font without width for blanks would loop.
    for (int guard = 0; width(s) <= limit && guard < 200; ++guard)
        s.prepend(u' ');
    return s;
}

QStringList titles(const Measure &width)
{
    return {QStringLiteral("Désignation"), padded(QStringLiteral("Quantité"), QuantityAlign, width),
            padded(QStringLiteral("Prix"), PriceAlign, width), padded(QStringLiteral("Montant"), PriceAlign, width)};
}

qint64 calculate(QList<Row> &rows, const Measure &width)
{
    qint64 total = 0;
    for (Row &row : rows) {
        const QString quantityText = row.quantity.trimmed();
        if (quantityText.isEmpty())
            continue;
        const QString priceText = row.price.trimmed();
        const auto quantity = parseDecimal(quantityText);
        const auto price = priceText.isEmpty() ? std::optional<Decimal>(Decimal{}) : parseDecimal(priceText);
        const auto priceCents = price ? toCents(*price) : std::nullopt;
        const auto amount = (quantity && priceCents) ? amountCents(*quantity, *priceCents) : std::nullopt;
        qint64 cents = 0;
        if (amount) {
            row.quantity = padded(quantityText, QuantityAlign, width);
            row.price = padded(formatCents(*priceCents), PriceAlign, width);
            cents = *amount;
        }
        row.amount = padded(formatCents(cents), PriceAlign, width);
        total += cents;
    }
    return total;
}

QString itemLine(const Row &row)
{
    return QStringLiteral("CMDE") + row.designation + u'\t' + row.quantity + u'\t' + row.price + u'\t' + row.amount;
}

bool isItemLine(const QString &line)
{
    return line.startsWith(QLatin1String("CMDE"));
}

Row parseItem(const QString &line)
{
    const QString rest = line.mid(4);
    Row row;
    QString *cells[] = {&row.designation, &row.quantity, &row.price};
    qsizetype from = 0;
    for (QString *cell : cells) {
        const qsizetype tab = rest.indexOf(u'\t', from);
        if (tab < 0) {
            *cell = rest.mid(from);
            return row;
        }
        *cell = rest.mid(from, tab - from);
        from = tab + 1;
    }
    row.amount = rest.mid(from); // the rest, further tabs included
    return row;
}

bool hasDesignation(const QList<Row> &rows)
{
    for (const Row &row : rows)
        if (!row.designation.isEmpty())
            return true;
    return false;
}

QChar typed(QChar c, int column)
{
    return (column > 0 && c == u'.') ? QChar(u',') : c;
}

EnterResult enter(int row, int column, int rowCount, int lastRow)
{
    EnterResult r{false, row, column, rowCount};
    if (column < 2)
        return r;
    r.acts = true;
    r.column = 0;
    r.rowCount = std::max(rowCount, row);
    if (r.rowCount < 20 && row < lastRow)
        r.row = row + 1;
    return r;
}

} // namespace Shopping
