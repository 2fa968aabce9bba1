#pragma once

#include <QString>

// Naming of a document set: the base name is the document path with its
// file-name part cut at its first "." (the whole path when that part has no
// "."); every file of the set is the base name plus the section's extension.
namespace BaseName {

QString of(const QString &documentPath);
QString withExtension(const QString &documentPath, const QString &extension);
// The file-name part of a path, without its folder.
QString fileNamePart(const QString &path);

} // namespace BaseName
