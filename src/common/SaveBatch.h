#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

// Saving several files as one: nothing is replaced until every file has
// been written.
//
// stage() writes a file's new bytes whole to a temporary file beside it and
// syncs them to the disk; commit() then renames every temporary file over its
// target, in the order staged. A failure while staging (disk full, file size
// limit, a folder that refuses new files, a folder in the file's place, a
// file that may not be written) marks
// the batch failed: commit() does nothing, and every temporary file goes when
// the batch is discarded or destroyed, so every target stays as it was.
//
// A rename replaces a file at once, so a file is always either its old or its
// new version, even when the program is killed; if it is killed while the
// renames run, the files renamed so far are new and the others old. A rename
// can fail only when the folder changed under us after staging; the files
// renamed before it are then put back as they were.
//
// A target that is a symbolic link is written through: the file it points to
// is replaced and the link stays. A replaced file keeps its permissions (and
// its owner where the system allows it); a new file gets the usual ones.
//
// A file size limit (RLIMIT_FSIZE) makes a write fail like a full disk: the
// first stage() has the process ignore SIGXFSZ, which would end it.
//
// The temporary file of "agenda.orz" is ".agenda.orz.XXXXXX.tivarel-tmp" in
// the target's folder: hidden, and never the name of a file of a document.
// Those a killed save left behind are removed when the file is next staged.
class SaveBatch
{
public:
    SaveBatch() = default;
    SaveBatch(const SaveBatch &) = delete;
    SaveBatch &operator=(const SaveBatch &) = delete;
    ~SaveBatch();

    // False once the batch has failed: the first failure's text stays in
    // error() and the later files are not written at all.
    bool stage(const QString &path, const QByteArray &bytes);
    // Runs `done` after a commit that replaced every file, never otherwise
    // (a section marks itself saved only then).
    void whenCommitted(std::function<void()> done);
    bool commit();
    // Removes the temporary files not renamed yet.
    void discard();

    bool failed() const { return !m_error.isEmpty(); }
    // The French text of the first failure: the file and why.
    const QString &error() const { return m_error; }
    // How many targets a commit has replaced: all of them when it succeeded;
    // after a failed one, those that could not be put back.
    int replaced() const { return m_replaced; }

private:
    struct Staged
    {
        QString temporary;
        QString target; // where the link, if any, leads
        QString path;   // as the caller named it, for the messages
        bool existed;   // whether there was a file to replace
        QString kept;   // the replaced file's second name until the commit ends
    };
    bool fail(const QString &path, const QString &why);
    void rollBack();

    std::vector<Staged> m_staged;
    std::vector<std::function<void()>> m_done;
    QString m_error;
    size_t m_renamed = 0; // the staged files renamed so far
    int m_replaced = 0;
};
