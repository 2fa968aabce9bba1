#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// Text files of lines in Windows-1252. Reading accepts CR LF, LF or CR as
// line ends; writing ends every line with CR LF. A file whose last line ends
// with a line end has no extra empty line, so a file written by us reads back
// to the same lines and writes back to the same bytes.
namespace TextFile {

QStringList splitLines(QByteArrayView data);
QByteArray joinLines(const QStringList &lines);

// A text made fit for one line of a file: every line break (CR LF, CR, LF,
// the Unicode line and paragraph separators) and, unless `keepTabs`, every
// tab becomes one blank, so a pasted text can neither cut its line nor shift
// a field. Text read from a file is written back with `keepTabs`: its tabs
// are its own, and it holds no line break.
QString oneLine(QString text, bool keepTabs = false);
// A one-line field after an edit turned `before` into `after`: only what the
// edit inserted (the part of `after` between the longest head and tail it
// shares with `before`) is made one line; the rest, text read from a file
// included, stays as it was. *end receives the position just past the
// inserted part.
QString oneLineEdit(const QString &before, const QString &after, qsizetype *end = nullptr);

bool exists(const QString &path);

// The lines of a regular file, or nothing when it is missing or unreadable.
// *error then says which, in French; *missing (when given) is true only when
// there is no such file, so a caller can tell a file it may create from one
// it must not overwrite.
std::optional<QStringList> read(const QString &path, QString *error = nullptr, bool *missing = nullptr);

// Replaces the file atomically (a SaveBatch of one file): the lines go to a
// temporary file beside it, which is renamed over the old one only when
// everything was written. On failure the old file is untouched and *error
// (when given) says which file and why, in French.
bool write(const QString &path, const QStringList &lines, QString *error = nullptr);
bool writeBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace TextFile
