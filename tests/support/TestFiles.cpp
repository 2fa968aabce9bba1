#include "TestFiles.h"

#include "common/Cp1252.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace TestFiles {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += Cp1252::encode(l) + "\r\n";
    return out;
}

QStringList block(int n, const QStringList &body)
{
    const QString digits = QStringLiteral("%1>").arg(n, 4, 10, QLatin1Char('0'));
    return QStringList{"<BLOC" + digits} + body + QStringList{"</BLOC" + digits};
}

QMap<QString, QByteArray> writeSampleSet(const QString &folder, const QString &base)
{
    QMap<QString, QByteArray> files;
    files[".orz"] = crlf({"20260105 0900 Dentiste", "20260107 1400 R\u00e9union \u00e9cole"});
    files[".ocn"] = crlf({" "});
    files[".oan"] = crlf({});
    files[".oaf"] = crlf({"<FAIRE>", "Acheter du pain", "<FAIT>", "Payer la cantine"});
    files[".obg"] = crlf({});
    files[".oap"] = crlf(block(0, {"TITLE Vacances", "PICTURE "}));
    files[".ovd"] = crlf({});
    files[".oco"] = crlf({});
    files[".olv"] = crlf({});
    files[".osc"] = crlf({});
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        writeBytes(QDir(folder).filePath(base + it.key()), it.value());
    return files;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_old = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_old);
    setrlimit(RLIMIT_FSIZE, &limit);
}

namespace {

// Turns CAP_DAC_OVERRIDE on or off in the effective set; false when the
// process does not hold it at all.
bool overridePermissions(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0 || !(data[0].permitted & (1u << CAP_DAC_OVERRIDE)))
        return false;
    if (on)
        data[0].effective |= 1u << CAP_DAC_OVERRIDE;
    else
        data[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : m_folder(folder)
{
    chmod(QFile::encodeName(folder).constData(), 0555);
    m_dropped = overridePermissions(false);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_dropped)
        overridePermissions(true);
    chmod(QFile::encodeName(m_folder).constData(), 0755);
}

} // namespace TestFiles
