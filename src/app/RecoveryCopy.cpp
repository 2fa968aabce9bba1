#include "app/RecoveryCopy.h"

#include "app/DocumentLock.h"
#include "common/TextFile.h"
#include "document/Document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSettings>

#include <algorithm>

namespace {

const QString kLock = QStringLiteral("instance.lock");
const QString kMarker = QStringLiteral("copie.ini");
const QString kBase = QStringLiteral("copie");

QString slotFile(const QString &folder, const QString &slot, int section)
{
    return QDir(folder).filePath(slot + u'/' + kBase + QLatin1String(Document::extension(section)));
}

} // namespace

RecoveryCopy::RecoveryCopy(QString root) : m_root(std::move(root)) {}

RecoveryCopy::RecoveryCopy(QString root, QString folder, std::unique_ptr<QLockFile> lock)
    : m_root(std::move(root)), m_folder(std::move(folder)), m_lock(std::move(lock))
{
}

RecoveryCopy::~RecoveryCopy() = default;

QString RecoveryCopy::setPath() const
{
    return exists() ? slotFile(m_folder, m_slot, 1) : QString();
}

bool RecoveryCopy::write(const QString &document, const QList<QStringList> &sections, QString *error)
{
    if (!m_lock) {
        const QString name = QStringLiteral("%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString folder = QDir(m_root).filePath(name);
        auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(kLock));
        if (!QDir().mkpath(folder) || DocumentLock::take(*lock) != DocumentLock::Result::Locked) {
            if (error)
                *error = QStringLiteral("Impossible de créer le dossier %1").arg(folder);
            return false;
        }
        m_folder = folder;
        m_lock = std::move(lock);
    }
    const QString slot = m_slot == QLatin1String("a") ? QStringLiteral("b") : QStringLiteral("a");
    if (!QDir(m_folder).mkpath(slot)) {
        if (error)
            *error = QStringLiteral("Impossible de créer le dossier %1").arg(QDir(m_folder).filePath(slot));
        return false;
    }
    for (int s = 1; s <= Document::SectionCount; ++s) {
        if (!TextFile::write(slotFile(m_folder, slot, s), sections.value(s - 1), error))
            return false;
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    {
        QSettings marker(QDir(m_folder).filePath(kMarker), QSettings::IniFormat);
        marker.setValue(QStringLiteral("document"), document);
        marker.setValue(QStringLiteral("ecrit"), now.toString(Qt::ISODateWithMs));
        marker.setValue(QStringLiteral("copie"), slot);
        marker.sync();
        if (marker.status() != QSettings::NoError) {
            if (error)
                *error = QStringLiteral("Impossible d'écrire le fichier %1").arg(marker.fileName());
            return false;
        }
    }
    m_document = document;
    m_written = now;
    m_slot = slot;
    return true;
}

bool RecoveryCopy::readMarker()
{
    const QString path = QDir(m_folder).filePath(kMarker);
    if (!QFileInfo::exists(path))
        return false;
    const QSettings marker(path, QSettings::IniFormat);
    const QString slot = marker.value(QStringLiteral("copie")).toString();
    if (marker.status() != QSettings::NoError || (slot != QLatin1String("a") && slot != QLatin1String("b")))
        return false;
    for (int s = 1; s <= Document::SectionCount; ++s) {
        if (!QFileInfo(slotFile(m_folder, slot, s)).isFile())
            return false;
    }
    m_document = marker.value(QStringLiteral("document")).toString();
    m_written = QDateTime::fromString(marker.value(QStringLiteral("ecrit")).toString(), Qt::ISODateWithMs);
    m_slot = slot;
    return true;
}

void RecoveryCopy::remove()
{
    if (m_folder.isEmpty())
        return;
    // Everything but the lock first, then the lock (so that no other program
    // takes a half-removed folder for a copy), then the folder itself.
    QDir dir(m_folder);
    for (const QString &slot : {QStringLiteral("a"), QStringLiteral("b")})
        QDir(dir.filePath(slot)).removeRecursively();
    dir.remove(kMarker);
    m_lock.reset();
    QDir(m_folder).removeRecursively();
    m_folder.clear();
    m_slot.clear();
    m_document.clear();
}

std::vector<std::unique_ptr<RecoveryCopy>> RecoveryCopy::orphans(const QString &root)
{
    std::vector<std::unique_ptr<RecoveryCopy>> found;
    const QDir dir(root);
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = dir.filePath(name);
        auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(kLock));
        if (DocumentLock::take(*lock) != DocumentLock::Result::Locked)
            continue; // its program still runs, or the folder is not ours to touch
        std::unique_ptr<RecoveryCopy> copy(new RecoveryCopy(root, folder, std::move(lock)));
        if (copy->readMarker())
            found.push_back(std::move(copy));
        else
            copy->remove(); // ended before its first whole copy
    }
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a->written() < b->written(); });
    return found;
}
