#include "common/BaseName.h"

namespace BaseName {

QString of(const QString &documentPath)
{
    const qsizetype slash = documentPath.lastIndexOf(u'/');
    const qsizetype dot = documentPath.indexOf(u'.', slash + 1);
    return dot < 0 ? documentPath : documentPath.left(dot);
}

QString withExtension(const QString &documentPath, const QString &extension)
{
    return of(documentPath) + extension;
}

QString fileNamePart(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace BaseName
