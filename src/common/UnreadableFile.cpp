#include "common/UnreadableFile.h"

#include "common/TextFile.h"

#include <QFileInfo>

std::optional<QStringList> UnreadableFile::read(const QString &path, QString *error)
{
    m_path.clear();
    QString why;
    auto lines = TextFile::read(path, &why);
    if (!lines && QFileInfo::exists(path)) {
        m_path = QFileInfo(path).absoluteFilePath();
        if (error)
            *error = why;
    }
    return lines;
}

bool UnreadableFile::guards(const QString &path) const
{
    return !m_path.isEmpty() && QFileInfo(path).absoluteFilePath() == m_path;
}

QString UnreadableFile::loadMessage(const QString &error)
{
    return error
           + QStringLiteral("\nCette partie du document n'est pas chargée ; le fichier ne sera pas remplacé "
                            "à l'enregistrement.");
}

QString UnreadableFile::saveMessage(const QString &path)
{
    return QStringLiteral("Le fichier %1 n'a pas pu être lu à l'ouverture du document : il n'est pas "
                          "remplacé. Enregistrez le document sous un autre nom pour garder cette partie.")
        .arg(path);
}
