#pragma once

#include <QString>

#include <optional>

// The notepad's one note, kept in "Tivarel.nte" in the start directory: the
// lines of the note in Windows-1252 with CR LF line ends, no header.
namespace NoteFile {

QString path(const QString &startDirectory);

// The note's text (lines joined by "\n"); empty when the file is missing,
// nothing (with *error in French) when it cannot be read, a folder of that
// name included.
std::optional<QString> load(const QString &path, QString *error = nullptr);

// Writes the note atomically; an empty note gives an empty file.
bool save(const QString &path, const QString &text, QString *error = nullptr);

} // namespace NoteFile
