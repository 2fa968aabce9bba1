#include "collections/ShoppingList.h"

#include "collections/BlockFile.h"

namespace Shopping {

using namespace Money;

bool Row::isBlank() const
{
    return designation.trimmed().isEmpty() && quantity.trimmed().isEmpty() && price.trimmed().isEmpty()
           && amount.trimmed().isEmpty();
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
        // An amount the total cannot take is refused like one that cannot be
        // read.
        const auto sum = amount ? addCents(total, *amount) : std::nullopt;
        qint64 cents = 0;
        if (sum) {
            row.quantity = padded(quantityText, QuantityAlign, width);
            row.price = padded(formatCents(*priceCents), PriceAlign, width);
            cents = *amount;
            total = *sum;
        }
        row.amount = padded(formatCents(cents), PriceAlign, width);
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

QList<Row> listItems(const BlockFile &file, int number)
{
    QList<Row> items;
    const QStringList &all = file.lines();
    const qsizetype start = file.findStart(number);
    const QString end = BlockFile::endMarker(number);
    for (qsizetype i = start + 1; start >= 0 && i < all.size() - 1; ++i) {
        if (all[i] == end || BlockFile::isStartMarker(all[i]) || BlockFile::isEndMarker(all[i]))
            break;
        if (i >= start + 3 && isItemLine(all[i]))
            items.append(parseItem(all[i]));
    }
    return items;
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
    // The cells of an item line are joined by tabs: a tab or a line break
    // typed or pasted into one would shift or cut the line's fields.
    if (c == u'\t' || c == u'\r' || c == u'\n')
        return u' ';
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
