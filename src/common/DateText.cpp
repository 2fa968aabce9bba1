#include "common/DateText.h"

#include <array>

namespace {

bool allDigits(QStringView s)
{
    for (QChar c : s) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return !s.isEmpty();
}

} // namespace

namespace DateText {

QString key(QDate d)
{
    return QStringLiteral("%1%2%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

std::optional<QDate> fromKey(QStringView k)
{
    if (k.size() < 8 || !allDigits(k.first(8)))
        return std::nullopt;
    const QDate d(k.first(4).toInt(), k.sliced(4, 2).toInt(), k.sliced(6, 2).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString keyToText(QStringView k)
{
    if (k.size() < 8)
        return k.toString();
    return k.sliced(6, 2).toString() + u'/' + k.sliced(4, 2).toString() + u'/' + k.first(4).toString();
}

QString text(QDate d)
{
    return QStringLiteral("%1/%2/%3")
        .arg(d.day(), 2, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.year(), 4, 10, QLatin1Char('0'));
}

std::optional<QDate> fromText(QStringView t)
{
    const QStringView s = t.trimmed();
    const auto parts = s.split(u'/');
    if (parts.size() != 3)
        return std::nullopt;
    for (const auto &p : parts) {
        if (!allDigits(p))
            return std::nullopt;
    }
    if (parts[0].size() > 2 || parts[1].size() > 2 || (parts[2].size() != 2 && parts[2].size() != 4))
        return std::nullopt;
    int year = parts[2].toInt();
    if (parts[2].size() == 2)
        year += year < 50 ? 2000 : 1900;
    const QDate d(year, parts[1].toInt(), parts[0].toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

QString frenchMonth(int month)
{
    static const std::array<const char16_t *, 12> names = {u"Janvier",   u"Février", u"Mars",     u"Avril",
                                                           u"Mai",       u"Juin",    u"Juillet",  u"Août",
                                                           u"Septembre", u"Octobre", u"Novembre", u"Décembre"};
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf16(names[month - 1]);
}

QLocale appLocale()
{
    const QLocale sys = QLocale::system();
    if (sys.language() == QLocale::French)
        return sys;
    return QLocale(QLocale::French, QLocale::France);
}

QString dayLabel(QDate d)
{
    return QString::number(d.day()) + u' ' + appLocale().monthName(d.month(), QLocale::LongFormat) + u' '
           + QString::number(d.year());
}

} // namespace DateText
