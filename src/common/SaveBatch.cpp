#include "common/SaveBatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSet>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QLatin1String kSuffix(".tivarel-tmp");
constexpr int kRandomLength = 6;

// Why a file could not be written, in the user's words.
QString reason(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("le disque est plein");
    case EDQUOT: return QStringLiteral("le quota d'espace disque est dépassé");
    case EFBIG: return QStringLiteral("le fichier dépasse la taille permise");
    case EACCES:
    case EPERM: return QStringLiteral("accès refusé");
    case EROFS: return QStringLiteral("le disque est en lecture seule");
    case ENOENT: return QStringLiteral("le dossier n'existe pas");
    case ENOTDIR: return QStringLiteral("un élément du chemin n'est pas un dossier");
    case EISDIR: return QStringLiteral("un dossier porte ce nom");
    case EIO: return QStringLiteral("erreur de lecture ou d'écriture sur le disque");
    case ELOOP: return QStringLiteral("trop de liens symboliques");
    case ENAMETOOLONG: return QStringLiteral("le nom est trop long");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// The file a save replaces: the path itself, or the file a symbolic link
// there leads to, through any chain of links, even to a file not there yet.
QFileInfo targetOf(const QString &path)
{
    QFileInfo fi(path);
    for (int hops = 0; hops < 40 && fi.isSymLink(); ++hops) {
        const QString canonical = fi.canonicalFilePath();
        if (!canonical.isEmpty())
            return QFileInfo(canonical);
        fi.setFile(fi.symLinkTarget());
    }
    return fi;
}

QString randomPart()
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    for (int i = 0; i < kRandomLength; ++i)
        s += QLatin1Char(kChars[QRandomGenerator::global()->bounded(int(sizeof kChars - 1))]);
    return s;
}

// A free name in the target's folder for its new version or its old one.
QString temporaryName(const QFileInfo &target)
{
    return target.absoluteDir().filePath(u'.' + target.fileName() + u'.' + randomPart() + kSuffix);
}

// The temporary files a killed save of `name` left in `dir`.
void removeLeftovers(const QDir &dir, const QString &name)
{
    const QString prefix = u'.' + name + u'.';
    const QStringList found = dir.entryList({u'*' + kSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : found) {
        if (entry.size() == prefix.size() + kRandomLength + kSuffix.size() && entry.startsWith(prefix))
            QFile::remove(dir.filePath(entry));
    }
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

SaveBatch::~SaveBatch()
{
    discard();
}

bool SaveBatch::fail(const QString &path, const QString &why)
{
    if (m_error.isEmpty())
        m_error = QStringLiteral("Impossible d'écrire le fichier %1 : %2.").arg(path, why);
    return false;
}

bool SaveBatch::stage(const QString &path, const QByteArray &bytes)
{
    if (failed())
        return false;
    // Past a file size limit the system ends the process unless told not to;
    // the write must fail instead (EFBIG), and the user be told.
    [[maybe_unused]] static const auto sizeLimitFails = std::signal(SIGXFSZ, SIG_IGN);
    const QFileInfo target = targetOf(path);
    if (target.isSymLink())
        return fail(path, reason(ELOOP));
    struct stat old = {};
    const bool exists = ::stat(native(target.absoluteFilePath()).constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return fail(path, S_ISDIR(old.st_mode) ? reason(EISDIR) : QStringLiteral("ce n'est pas un fichier ordinaire"));

    // A file its owner made read-only is not replaced behind their back,
    // though its folder would let a rename do it.
    if (exists) {
        const int probe =
            ::open(native(target.absoluteFilePath()).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (probe < 0)
            return fail(path, errno == EACCES || errno == EPERM ? QStringLiteral("le fichier est protégé en écriture")
                                                                : reason(errno));
        ::close(probe);
    }

    const QDir dir = target.absoluteDir();
    removeLeftovers(dir, target.fileName());
    // Never more open than the file it replaces, even for a moment.
    const mode_t createMode = exists ? (old.st_mode & 0777) : 0666;
    QString temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryName(target);
        fd = ::open(native(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, createMode);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return fail(path, reason(errno));

    if (exists) {
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            // Best effort: only a privileged user may give a file away.
            [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        }
        ::fchmod(fd, old.st_mode & 07777);
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(native(temporary).constData());
        return fail(path, reason(error));
    }
    m_staged.push_back({temporary, target.absoluteFilePath(), path, exists, {}});
    return true;
}

void SaveBatch::whenCommitted(std::function<void()> done)
{
    m_done.push_back(std::move(done));
}

bool SaveBatch::commit()
{
    if (failed()) {
        discard();
        return false;
    }
    // Until the last rename is done, every file replaced so far stays on the
    // disk under a second name (a hard link), so that a rename that fails can
    // put them back. A disk without hard links gives up that safety only.
    QSet<QString> folders;
    for (; m_renamed < m_staged.size(); ++m_renamed) {
        Staged &s = m_staged[m_renamed];
        const QString kept = temporaryName(QFileInfo(s.target));
        if (s.existed && ::link(native(s.target).constData(), native(kept).constData()) == 0)
            s.kept = kept;
        if (::rename(native(s.temporary).constData(), native(s.target).constData()) != 0) {
            fail(s.path, reason(errno));
            if (!s.kept.isEmpty())
                ::unlink(native(s.kept).constData());
            discard();
            rollBack();
            return false;
        }
        folders.insert(QFileInfo(s.target).absolutePath());
    }
    m_replaced = int(m_renamed);
    for (const Staged &s : m_staged) {
        if (!s.kept.isEmpty())
            ::unlink(native(s.kept).constData());
    }
    m_staged.clear();
    m_renamed = 0;
    // A rename is only on the disk once its folder is.
    for (const QString &folder : folders) {
        const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    const auto done = std::move(m_done);
    m_done.clear();
    for (const auto &f : done)
        f();
    return true;
}

void SaveBatch::discard()
{
    for (size_t i = m_renamed; i < m_staged.size(); ++i)
        ::unlink(native(m_staged[i].temporary).constData());
    m_staged.resize(m_renamed);
    m_done.clear();
}

void SaveBatch::rollBack()
{
    // Latest first; what cannot be put back stays replaced and is counted.
    m_replaced = 0;
    for (auto s = m_staged.crbegin(); s != m_staged.crend(); ++s) {
        const bool back = s->kept.isEmpty() ? !s->existed && ::unlink(native(s->target).constData()) == 0
                                            : ::rename(native(s->kept).constData(), native(s->target).constData()) == 0;
        m_replaced += back ? 0 : 1;
    }
    m_staged.clear();
    m_renamed = 0;
}
