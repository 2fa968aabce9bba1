#include "utilities/NoteFile.h"

#include "common/TextFile.h"

#include <QDir>
#include <QStringList>

namespace NoteFile {

QString path(const QString &startDirectory)
{
    return QDir(startDirectory).filePath(QStringLiteral("Tivarel.nte"));
}

std::optional<QString> load(const QString &path, QString *error)
{
    bool missing = false;
    const std::optional<QStringList> lines = TextFile::read(path, error, &missing);
    if (!lines)
        return missing ? std::optional(QString()) : std::nullopt;
    return lines->join(QLatin1Char('\n'));
}

bool save(const QString &path, const QString &text, QString *error)
{
    const QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    return TextFile::write(path, lines, error);
}

} // namespace NoteFile
