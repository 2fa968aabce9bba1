#include "utilities/FirstNames.h"

#include "common/TextFile.h"

#include <QCoreApplication>
#include <QDir>

namespace {

constexpr int kHeadLimit = 1024;

bool isHead(const QString &line)
{
    return line.startsWith(QLatin1Char('<'));
}

} // namespace

QChar FirstNamesBook::baseLetter(QChar c)
{
    const QString d = c.decomposition();
    return d.isEmpty() ? c : d.at(0);
}

QString FirstNamesBook::text() const
{
    if (m_current < 0 || m_current >= m_lines.size())
        return QString();
    QString head = m_lines.at(m_current).mid(1, kHeadLimit);
    const qsizetype tabAt = head.indexOf(QLatin1Char('\t'));
    if (tabAt >= 0)
        head.replace(tabAt, 1, QStringLiteral("\r\n"));
    QString out = head + QStringLiteral("\r\n");
    for (qsizetype i = m_current + 1; i < m_lines.size(); ++i) {
        const QString line = m_lines.at(i).trimmed();
        if (line == QLatin1String(">"))
            break;
        out += QLatin1Char(' ') + line;
    }
    return out;
}

int FirstNamesBook::tab() const
{
    if (m_current < 0 || m_current >= m_lines.size() || m_lines.at(m_current).size() < 2)
        return -1;
    const QChar base = baseLetter(m_lines.at(m_current).at(1)).toUpper();
    return (base >= QLatin1Char('A') && base <= QLatin1Char('Z')) ? base.unicode() - u'A' : -1;
}

bool FirstNamesBook::next()
{
    for (qsizetype i = m_current + 1; i < m_lines.size(); ++i) {
        if (isHead(m_lines.at(i))) {
            m_current = int(i);
            return true;
        }
    }
    return false;
}

bool FirstNamesBook::previous()
{
    for (qsizetype i = std::min<qsizetype>(m_current, m_lines.size()) - 1; i >= 0; --i) {
        if (isHead(m_lines.at(i))) {
            m_current = int(i);
            return true;
        }
    }
    return false;
}

bool FirstNamesBook::jumpToLetter(int tab)
{
    if (tab < 0 || tab > 25)
        return false;
    const QChar letter(u'A' + tab);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString &line = m_lines.at(i);
        if (line.size() >= 2 && isHead(line) && baseLetter(line.at(1)) == letter) {
            m_current = int(i);
            return true;
        }
    }
    return false;
}

namespace FirstNamesFile {

QStringList candidates(const QString &startDirectory)
{
    const QString name = QStringLiteral("Tivarel.pre");
    QStringList paths{QDir(startDirectory).filePath(name)};
    if (QCoreApplication::instance())
        paths << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/tivarel/") + name);
#ifdef TIVAREL_INSTALLED_DATA_DIR
    paths << QDir(QStringLiteral(TIVAREL_INSTALLED_DATA_DIR)).filePath(name);
#endif
#ifdef TIVAREL_SOURCE_DATA_DIR
    paths << QDir(QStringLiteral(TIVAREL_SOURCE_DATA_DIR)).filePath(name);
#endif
    for (QString &p : paths)
        p = QDir::cleanPath(p);
    return paths;
}

QString locate(const QString &startDirectory)
{
    const QStringList paths = candidates(startDirectory);
    for (const QString &p : paths)
        if (TextFile::exists(p))
            return p;
    return paths.first();
}

FirstNamesBook load(const QString &path)
{
    return FirstNamesBook(TextFile::read(path).value_or(QStringList()));
}

} // namespace FirstNamesFile
