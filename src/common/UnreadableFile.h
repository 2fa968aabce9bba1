#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The section file of a document that was there but could not be read when
// the document was opened (no permission, a folder in its place, ...).
// The section then holds none of its lines, so a later save must not
// replace it: that would lose every line it holds. Saving under another
// name writes a new file and is free.
class UnreadableFile
{
public:
    // Reads the lines of `path`. A missing file gives nothing, silently. A
    // file that is there but cannot be read gives nothing and an error text
    // in French in `*error`; its path is remembered until the next read.
    std::optional<QStringList> read(const QString &path, QString *error);

    // Whether saving to `path` would replace the file that could not be read.
    bool guards(const QString &path) const;
    void clear() { m_path.clear(); }

    // What the user is told when the file is found unreadable on opening, and
    // when a save leaves it alone.
    static QString loadMessage(const QString &error);
    static QString saveMessage(const QString &path);

private:
    QString m_path;
};
