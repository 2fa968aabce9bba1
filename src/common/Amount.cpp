#include "common/Amount.h"

#include <QRegularExpression>

#include <cmath>

namespace Amount {

QString normaliseTyped(const QString &typed)
{
    QString s = typed;
    const qsizetype dot = s.indexOf(u'.');
    if (dot >= 0)
        s[dot] = u',';
    return s;
}

QString ungrouped(const QString &text)
{
    static const QRegularExpression grouped(
        QStringLiteral("^\\s*[+-]?\\d{1,3}(?:[ \\x{00A0}\\x{202F}]\\d{3})+(?:[.,]\\d*)?\\s*$"));
    if (!grouped.match(text).hasMatch())
        return text;
    QString s = text.trimmed();
    s.remove(u' ');
    s.remove(QChar(0x00A0));
    s.remove(QChar(0x202F));
    return s;
}

std::optional<double> parse(const QString &text)
{
    QString s = ungrouped(text).trimmed();
    if (s.isEmpty())
        return std::nullopt;
    s.replace(u',', u'.');
    // Only an optional sign, digits and one decimal point.
    int dots = 0;
    int digits = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'.') {
            if (++dots > 1)
                return std::nullopt;
        } else if (c == u'-' || c == u'+') {
            if (i != 0)
                return std::nullopt;
        } else if (c >= u'0' && c <= u'9') {
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString format(double value)
{
    // Round half away from zero on the decimal value, as the older program did.
    const double cents = std::round(value * 100.0 + (value >= 0 ? 1e-9 : -1e-9));
    QString s = QString::number(cents / 100.0, 'f', 2);
    if (s == QLatin1String("-0.00"))
        s = QStringLiteral("0.00");
    s.replace(u'.', u',');
    return s;
}

QString rightAligned(const QString &text, int width)
{
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), u' ') + text;
}

} // namespace Amount
