#include "app/Settings.h"

#include <QDir>
#include <QStandardPaths>

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

QString Settings::dataDirectory()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!data.isEmpty() && QDir().mkpath(data))
        return data;
    return QDir::currentPath();
}
