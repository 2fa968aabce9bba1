#include "common/SearchState.h"

#include <algorithm>

namespace {

inline char16_t fold(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

} // namespace

bool SearchState::start(const QString &answer)
{
    m_text = answer;
    if (m_text.isEmpty())
        return false;
    m_position = 0;
    return true;
}

qsizetype SearchState::next(const QStringList &lines, const std::function<bool(qsizetype)> &show)
{
    // Folded once for the whole scan; a line `show` refuses costs no new copy.
    const QString folded = foldAtoZ(m_text);
    for (qsizetype i = std::max<qsizetype>(0, m_position); i < lines.size(); ++i) {
        if (containsFolded(lines.at(i), folded) && show(i)) {
            m_position = i + 1;
            return i;
        }
    }
    return -1;
}

QString SearchState::foldAtoZ(QStringView text)
{
    QString out = text.toString();
    for (QChar &c : out)
        c = QChar(fold(c.unicode()));
    return out;
}

bool SearchState::containsFolded(QStringView line, QStringView folded)
{
    const qsizetype n = folded.size();
    const qsizetype last = line.size() - n;
    if (n == 0 || last < 0)
        return false;
    // Candidates are found by the first character alone; when it is a
    // letter A-Z, clearing bit 5 of a character gives it back exactly for
    // that letter in either case, which keeps the scan to one compare per
    // character. No copy of the line is made: F3 over a large store stays
    // fast.
    const char16_t *l = line.utf16();
    const char16_t *f = folded.utf16();
    const char16_t first = f[0];
    const char16_t mask = (first >= u'A' && first <= u'Z') ? 0xFFDF : 0xFFFF;
    for (qsizetype i = 0; i <= last; ++i) {
        if ((l[i] & mask) != first)
            continue;
        qsizetype j = 1;
        while (j < n && fold(l[i + j]) == f[j])
            ++j;
        if (j == n)
            return true;
    }
    return false;
}

qsizetype SearchState::find(const QStringList &lines, QStringView text, qsizetype from)
{
    if (text.isEmpty())
        return -1;
    const QString folded = foldAtoZ(text);
    for (qsizetype i = std::max<qsizetype>(0, from); i < lines.size(); ++i) {
        if (containsFolded(lines.at(i), folded))
            return i;
    }
    return -1;
}
