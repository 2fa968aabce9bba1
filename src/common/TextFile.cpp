#include "common/TextFile.h"

#include "common/Cp1252.h"
#include "common/SaveBatch.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

namespace TextFile {

namespace {

// Cuts bytes into lines as they come, a piece at a time, so that a file can
// be read without holding its bytes and its lines at once. A line end may
// fall across two pieces (CR at the end of one, LF at the start of the
// next), and so may a line.
class LineSplitter
{
public:
    void feed(QByteArrayView data)
    {
        const qsizetype n = data.size();
        if (n == 0)
            return;
        qsizetype i = 0;
        if (m_afterCr && data[0] == '\n')
            i = 1;
        m_afterCr = false;
        qsizetype start = i;
        while (i < n) {
            const char c = data[i];
            if (c != '\r' && c != '\n') {
                ++i;
                continue;
            }
            if (m_partial.isEmpty()) {
                m_lines.append(Cp1252::decode(data.sliced(start, i - start)));
            } else {
                m_partial.append(data.sliced(start, i - start));
                m_lines.append(Cp1252::decode(m_partial));
                m_partial.clear();
            }
            if (c == '\r') {
                if (i + 1 == n)
                    m_afterCr = true;
                else if (data[i + 1] == '\n')
                    ++i;
            }
            start = ++i;
        }
        m_partial.append(data.sliced(start));
    }

    QStringList finish()
    {
        if (!m_partial.isEmpty())
            m_lines.append(Cp1252::decode(m_partial));
        m_partial.clear();
        return std::move(m_lines);
    }

private:
    QStringList m_lines;
    QByteArray m_partial; // the start of a line cut by the end of a piece
    bool m_afterCr = false;
};

} // namespace

QStringList splitLines(QByteArrayView data)
{
    LineSplitter splitter;
    splitter.feed(data);
    return splitter.finish();
}

QByteArray joinLines(const QStringList &lines)
{
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    QByteArray out;
    out.reserve(total);
    for (const QString &l : lines) {
        out.append(Cp1252::encode(l));
        out.append("\r\n", 2);
    }
    return out;
}

namespace {

bool breaksLine(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'\r' || u == u'\n' || u == u'\t' || u == QChar::LineSeparator || u == QChar::ParagraphSeparator;
}

} // namespace

QString oneLine(QString text, bool keepTabs)
{
    const auto blanked = [keepTabs](QChar c) { return breaksLine(c) && !(keepTabs && c == u'\t'); };
    if (std::none_of(text.cbegin(), text.cend(), blanked))
        return text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar &c : text) {
        if (blanked(c))
            c = u' ';
    }
    return text;
}

QString oneLineEdit(const QString &before, const QString &after, qsizetype *end)
{
    const qsizetype most = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < most && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < most - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const QString inserted = oneLine(after.mid(head, after.size() - head - tail));
    if (end)
        *end = head + inserted.size();
    return after.left(head) + inserted + after.right(tail);
}

bool exists(const QString &path)
{
    const QFileInfo fi(path);
    return fi.exists() && fi.isFile();
}

std::optional<QStringList> read(const QString &path, QString *error, bool *missing)
{
    const QFileInfo fi(path);
    if (missing)
        *missing = !fi.exists();
    if (!fi.exists()) {
        if (error)
            *error = QStringLiteral("Fichier %1 n'existe pas").arg(path);
        return std::nullopt;
    }
    if (!fi.isFile()) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1 : ce n'est pas un fichier").arg(path);
        return std::nullopt;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Impossible de lire le fichier %1 : %2").arg(path, f.errorString());
        return std::nullopt;
    }
    // A piece at a time: a 100 MB organiser file then takes the memory of
    // its lines only, not that of its bytes as well.
    constexpr qint64 PieceSize = 1 << 20;
    QByteArray piece(PieceSize, Qt::Uninitialized);
    LineSplitter splitter;
    for (;;) {
        const qint64 n = f.read(piece.data(), PieceSize);
        if (n < 0) {
            if (error)
                *error = QStringLiteral("Impossible de lire le fichier %1 : %2").arg(path, f.errorString());
            return std::nullopt;
        }
        if (n == 0)
            break;
        splitter.feed(QByteArrayView(piece.constData(), n));
    }
    return splitter.finish();
}

bool writeBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    SaveBatch one;
    if (one.stage(path, bytes) && one.commit())
        return true;
    if (error)
        *error = one.error();
    return false;
}

bool write(const QString &path, const QStringList &lines, QString *error)
{
    return writeBytes(path, joinLines(lines), error);
}

} // namespace TextFile
