#include "app/Settings.h"

#include <cmath>
#include <cstdio>

namespace {

std::optional<int> readInteger(const QString &line)
{
    bool ok = false;
    const int v = line.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

} // namespace

std::optional<Settings> Settings::fromLines(const QStringList &lines)
{
    if (lines.size() < 4)
        return std::nullopt;
    Settings s;
    bool ok = false;
    s.reservedReal = lines[0].trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(s.reservedReal))
        return std::nullopt;
    s.rememberedDocument = lines[1];
    const auto autoOpen = readInteger(lines[2]);
    const auto reserved = readInteger(lines[3]);
    if (!autoOpen || !reserved)
        return std::nullopt;
    s.autoOpen = *autoOpen;
    s.reservedInteger = *reserved;
    return s;
}

QStringList Settings::toLines() const
{
    return {formatReal(reservedReal), rememberedDocument, QString::number(autoOpen), QString::number(reservedInteger)};
}

QString Settings::formatReal(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", std::fabs(value));
    // buf is d.ddddddddddddddE±xx[x]: widen the exponent to four digits.
    QString s = QString::fromLatin1(buf);
    const qsizetype e = s.indexOf(u'E');
    const QString mantissa = s.left(e);
    const QChar expSign = s.at(e + 1);
    const int exponent = s.mid(e + 2).toInt();
    return QString(value < 0 ? u'-' : u' ') + mantissa + u'E' + expSign
           + QStringLiteral("%1").arg(exponent, 4, 10, QLatin1Char('0'));
}

Settings Settings::firstStart()
{
    Settings s;
    s.autoOpen = 1;
    return s;
}

QString Settings::documentOnExit(const QString &asRead, const QString &windowDocument, bool heldElsewhere)
{
    return windowDocument.isEmpty() || heldElsewhere ? asRead : windowDocument;
}

namespace RecentDocuments {

QStringList add(const QStringList &recent, const QString &path)
{
    QStringList out;
    if (!path.isEmpty())
        out.append(path);
    for (const QString &p : recent) {
        if (!p.isEmpty() && !out.contains(p) && out.size() < kMax)
            out.append(p);
    }
    return out;
}

} // namespace RecentDocuments

namespace RememberedLists {

const QList<ListTag> &tags()
{
    static const QList<ListTag> all = {{"Combo1", 1}, {"Combo2", 2}, {"Combo3", 3}, {"Combo4", 4}, {"Combo5", 5},
                                       {"Combo6", 6}, {"Combo7", 7}, {"Combo9", 9}, {"ComboA", 10}};
    return all;
}

const QStringList &extraTags()
{
    static const QStringList extra = {QStringLiteral("Solde2")};
    return extra;
}

int comboForTag(const QString &tag)
{
    for (const ListTag &t : tags()) {
        if (tag == QLatin1String(t.tag))
            return t.comboBox;
    }
    return 0;
}

QMap<QString, QStringList> parse(const QStringList &lines)
{
    QMap<QString, QStringList> out;
    for (const QString &line : lines) {
        if (line.size() < 6)
            continue;
        const QString tag = line.left(6);
        if (comboForTag(tag) == 0 && !extraTags().contains(tag))
            continue;
        out[tag].append(line.mid(6));
    }
    return out;
}

QStringList write(const QMap<QString, QStringList> &lists)
{
    QStringList out;
    auto put = [&](const QString &tag) {
        for (const QString &item : lists.value(tag))
            out.append(tag + item);
    };
    for (const ListTag &t : tags())
        put(QLatin1String(t.tag));
    for (const QString &tag : extraTags())
        put(tag);
    return out;
}

} // namespace RememberedLists
