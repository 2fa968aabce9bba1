#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QLockFile;

// A recovery copy of a document's unsaved changes, kept so that they
// survive an abnormal end of the program (a crash, a kill, a power cut).
//
// Layout, under the recovery folder (<data folder>/recuperation):
//   <pid>-<random>/           one folder per running program that has made a copy
//     instance.lock           QLockFile held by that program while it runs;
//                             stale once it ended without removing the folder
//     copie.ini               marker: which document the changes belong to
//                             (its organiser path, empty for an unnamed one),
//                             when they were written, and which slot holds them
//     a/copie.orz .. copie.osc, b/copie.orz .. copie.osc
//                             two slots, each a whole document set
//
// A new copy goes into the slot the marker does not name and the marker is
// replaced last (atomically), so an end at any moment leaves one whole copy.
// The copy never touches the document's own files.
class RecoveryCopy
{
public:
    // A copy of this program, made in `root` at the first write.
    explicit RecoveryCopy(QString root);
    ~RecoveryCopy(); // gives the folder's lock up; the folder stays
    RecoveryCopy(const RecoveryCopy &) = delete;
    RecoveryCopy &operator=(const RecoveryCopy &) = delete;

    // Writes the lines of the ten section files, in load order, as the copy
    // of the changes of `document`. False, with *error, when it failed (the
    // previous copy, if any, is then still whole).
    bool write(const QString &document, const QList<QStringList> &sections, QString *error = nullptr);
    // Removes the folder and everything in it.
    void remove();
    bool exists() const { return !m_slot.isEmpty(); }

    QString folder() const { return m_folder; }
    QString document() const { return m_document; }
    QDateTime written() const { return m_written; }
    // The document path to load the copy from (its organiser file).
    QString setPath() const;

    // The copies left by programs that ended abnormally, oldest first. This
    // program holds the lock of each one returned until it is destroyed, so
    // no other program offers it meanwhile. Folders without a whole copy
    // are removed on the way.
    static std::vector<std::unique_ptr<RecoveryCopy>> orphans(const QString &root);

private:
    RecoveryCopy(QString root, QString folder, std::unique_ptr<QLockFile> lock);
    bool readMarker();

    QString m_root;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QString m_document;
    QDateTime m_written;
    QString m_slot; // "a" or "b"; empty while there is no copy
};
