#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Files written and read back byte for byte by the tests.
namespace TestFiles {

QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
// Lines joined with CR LF after each, encoded in Windows-1252.
QByteArray crlf(const QStringList &lines);
// One block of a block file, written by hand: its two markers around the body.
QStringList block(int n, const QStringList &body);
// A small, well-formed document set `base` in `folder`, one distinct file per
// section, in the formats the sections read. Returns each file's bytes by
// extension (".orz" ...).
QMap<QString, QByteArray> writeSampleSet(const QString &folder, const QString &base);

} // namespace TestFiles
