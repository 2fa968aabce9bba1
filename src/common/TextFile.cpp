#include "common/TextFile.h"

#include "common/Cp1252.h"
#include "common/SaveBatch.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

namespace TextFile {

QStringList splitLines(QByteArrayView data)
{
    QStringList lines;
    const qsizetype n = data.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            lines.append(Cp1252::decode(data.sliced(start, i - start)));
            if (c == '\r' && i + 1 < n && data[i + 1] == '\n')
                ++i;
            ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < n)
        lines.append(Cp1252::decode(data.sliced(start)));
    return lines;
}

QByteArray joinLines(const QStringList &lines)
{
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    QByteArray out;
    out.reserve(total);
    for (const QString &l : lines) {
        out.append(Cp1252::encode(l));
        out.append("\r\n", 2);
    }
    return out;
}

namespace {

bool breaksLine(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\r' || u == u'\n' || u == u'\t' || u == QChar::LineSeparator || u == QChar::ParagraphSeparator;
}

} // namespace

QString oneLine(QString text)
{
    if (std::none_of(text.cbegin(), text.cend(), breaksLine))
        return text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar &c : text) {
        if (breaksLine(c))
            c = u' ';
    }
    return text;
}

bool exists(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

std::optional<QStringList> read(const QString &path, QString *error, bool *missing)
{
    const QFileInfo fi(path);
    if (missing)
        *missing = !fi.exists();
    if (!fi.exists()) {
        if (error)
            *error = QStringLiteral("Fichier %1 n'existe pas").arg(path);
        return std::nullopt;
    }
    if (!fi.isFile()) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1 : ce n'est pas un fichier").arg(path);
        return std::nullopt;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1 : %2").arg(path, f.errorString());
        return std::nullopt;
    }
    const QByteArray data = f.readAll();
    return splitLines(data);
}

bool writeBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    SaveBatch one;
    if (one.stage(path, bytes) && one.commit())
        return true;
    if (error)
        *error = one.error();
    return false;
}

bool write(const QString &path, const QStringList &lines, QString *error)
{
    return writeBytes(path, joinLines(lines), error);
}

} // namespace TextFile
