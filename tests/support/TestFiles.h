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

// While it lives, no file of the process may grow beyond `bytes`: a write
// past it fails (EFBIG) the way a full disk makes it fail.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();

private:
    qint64 m_old;
};

// While it lives, `folder` takes no new file and loses none, even when the
// tests run as root (which then gives up overriding file permissions).
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();

private:
    QString m_folder;
    bool m_dropped = false;
};

} // namespace TestFiles
