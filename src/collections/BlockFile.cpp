#include "collections/BlockFile.h"

#include "common/SearchState.h"

#include <algorithm>
#include <array>

namespace {

constexpr qsizetype kStartLength = 10; // "<BLOC0000>"

BlockFile::Config makeConfig(SectionId section)
{
    BlockFile::Config c;
    c.section = pageNumber(section);
    const QString ask = QStringLiteral("Un fichier a été altéré. Vérifier si pertes de données ?");
    switch (section) {
    case SectionId::Album: // photo album: title and picture lines, then untagged comment lines
        c.fixedLines = 2;
        c.readLimit = 0; // comments are read up to the end marker, however many
        c.initialCount = 1;
        c.blankAfterAdd = true;
        c.checkText = QStringLiteral("Le fichier a été altéré. Restaurer ?");
        break;
    case SectionId::Videos: // videos: 15 fixed lines, "Memo2".."Memo4" lines
        c.fixedLines = 15;
        c.readLimit = 0; // memo lines are read up to the end marker
        c.initialCount = 1;
        c.restartBelow = 10;
        c.restartCount = 1;
        c.checkText = ask;
        break;
    case SectionId::Shopping: // shopping lists: date, shop, "CMDE" item lines
        c.fixedLines = 2;
        c.readLimit = 100;
        c.initialCount = 0;
        // A list of k items takes 4 + k lines: a count restarted below 12
        // lines would bring a second short list back onto the first.
        c.restartWithoutBlock = true;
        c.restartCount = 0;
        c.squeeze = false;
        c.removeDuplicates = true;
        c.checkAsks = false;
        c.checkText = QStringLiteral("Un fichier a été altéré. Vérifier si pertes de données");
        c.writeOnSwitch = false;
        c.readOnLoad = false;
        c.writeBeforeDelete = false;
        c.changedAfterDelete = false;
        c.searchable = false;
        break;
    case SectionId::Books: // books: 10 fixed lines, "Memo5" and "Memo6" lines
        c.fixedLines = 10;
        c.readLimit = 0; // memo lines are read up to the end marker
        c.initialCount = 1;
        c.restartBelow = 10;
        c.restartCount = 1;
        c.checkText = ask;
        break;
    case SectionId::Reimbursements: // reimbursements: 11 fixed lines only
        c.fixedLines = 11;
        c.readLimit = 11;
        c.initialCount = 1;
        c.restartBelow = 10;
        c.restartCount = 1;
        c.checkText = ask;
        break;
    default: break;
    }
    return c;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

const BlockFile::Config &BlockFile::config(SectionId section)
{
    static const std::array<Config, 5> configs = {makeConfig(SectionId::Album), makeConfig(SectionId::Videos),
                                                  makeConfig(SectionId::Shopping), makeConfig(SectionId::Books),
                                                  makeConfig(SectionId::Reimbursements)};
    return configs[std::clamp(pageNumber(section), 6, 10) - 6];
}

QString BlockFile::digits(int number)
{
    // "000" + decimal text, 4 characters from the position equal to the
    // length of the decimal text: 7 -> 0007, 123 -> 0123, 10005 -> 0005.
    const QString text = QString::number(number);
    return (QStringLiteral("000") + text).mid(text.size() - 1, 4);
}

QString BlockFile::startMarker(int number)
{
    return QStringLiteral("<BLOC") + digits(number) + u'>';
}

QString BlockFile::endMarker(int number)
{
    return QStringLiteral("</BLOC") + digits(number) + u'>';
}

std::optional<int> BlockFile::markerNumber(const QString &line)
{
    qsizetype from = -1;
    if (isEndMarker(line))
        from = 6;
    else if (isStartMarker(line))
        from = 5;
    if (from < 0 || line.size() < from + 4)
        return std::nullopt;
    int n = 0;
    for (qsizetype i = from; i < from + 4; ++i) {
        if (!isDigit(line[i]))
            return std::nullopt;
        n = n * 10 + (line[i].unicode() - u'0');
    }
    return n;
}

int BlockFile::exactStartKey(const QString &line)
{
    if (line.size() != kStartLength || !isStartMarker(line) || line[9] != u'>')
        return -1;
    int n = 0;
    for (int i = 5; i < 9; ++i) {
        if (!isDigit(line[i]))
            return -1;
        n = n * 10 + (line[i].unicode() - u'0');
    }
    return n;
}

// A record line whose text begins like a marker ("<BLOC party>", typed as a
// title) would upset the balance and end or start a block when read again.
// Such lines are stored behind one more blank: a line made of blanks followed
// by "<BLOC" or "</BLOC" gets one blank at its head when written and loses one
// when read, so every text comes back as typed and no stored body line is
// ever taken for a marker.
static bool looksLikeMarker(const QString &line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] == u' ')
        ++i;
    const QStringView rest = QStringView(line).mid(i);
    return rest.startsWith(QLatin1String("<BLOC")) || rest.startsWith(QLatin1String("</BLOC"));
}

QString BlockFile::protectLine(const QString &line)
{
    return looksLikeMarker(line) ? u' ' + line : line;
}

QString BlockFile::unprotectLine(const QString &line)
{
    return line.startsWith(u' ') && looksLikeMarker(line) ? line.mid(1) : line;
}

BlockFile::BlockFile(const Config &settings) : m_config(settings), m_count(settings.initialCount) {}

void BlockFile::setLines(QStringList lines)
{
    m_lines = std::move(lines);
    invalidateIndex();
}

void BlockFile::clear()
{
    m_lines.clear();
    m_count = m_config.initialCount;
    m_current = 0;
    invalidateIndex();
}

int BlockFile::countStartMarkers() const
{
    int n = 0;
    for (const QString &l : m_lines)
        if (isStartMarker(l))
            ++n;
    return n;
}

bool BlockFile::hasStartMarker() const
{
    return std::any_of(m_lines.cbegin(), m_lines.cend(), isStartMarker);
}

void BlockFile::buildIndex() const
{
    m_index.assign(MaxRecords, {});
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const int key = exactStartKey(m_lines[i]);
        if (key >= 0)
            m_index[key].push_back(i);
    }
    m_indexValid = true;
}

qsizetype BlockFile::findStart(int number) const
{
    if (number < 0)
        return -1;
    if (!m_indexValid)
        buildIndex();
    const auto &positions = m_index[number % MaxRecords];
    return positions.empty() ? -1 : positions.front();
}

std::optional<QStringList> BlockFile::readRecord(int number) const
{
    const qsizetype start = findStart(number);
    if (start < 0)
        return std::nullopt;
    const QString end = endMarker(number);
    const qsizetype size = m_lines.size();
    QStringList body;
    for (qsizetype i = start + 1; i < size; ++i) {
        const qsizetype offset = i - start;
        if (m_config.readLimit > 0 && offset > m_config.readLimit)
            break;
        const QString &line = m_lines[i];
        // A block ends at its end marker; one whose end marker is missing (a
        // damaged file kept as it was) ends before the next marker line, so
        // that the record never shows, nor writes back, another block's lines.
        if (line == end || isStartMarker(line) || isEndMarker(line))
            break;
        // The last line of the list is no tagged line of a sound block (that
        // would be the end marker); only a fixed line is taken from there.
        if (i == size - 1 && offset > m_config.fixedLines)
            break;
        body.append(unprotectLine(line));
    }
    return body;
}

void BlockFile::eraseLines(qsizetype pos, qsizetype count)
{
    if (count <= 0)
        return;
    m_lines.remove(pos, count);
    if (!m_indexValid)
        return;
    const qsizetype last = pos + count;
    for (auto &positions : m_index) {
        if (positions.empty() || positions.back() < pos)
            continue;
        auto out = positions.begin();
        for (qsizetype p : positions) {
            if (p < pos)
                *out++ = p;
            else if (p >= last)
                *out++ = p - count;
        }
        positions.erase(out, positions.end());
    }
}

bool BlockFile::removeRecord(int number)
{
    const qsizetype start = findStart(number);
    if (start < 0)
        return false;
    // Lines go up to the end marker included. A block whose end marker is
    // missing ends before the next start marker (or at the end of the list):
    // the blocks behind it are other records and must stay.
    const QString end = endMarker(number);
    qsizetype stop = start + 1;
    while (stop < m_lines.size() && m_lines[stop] != end && !isStartMarker(m_lines[stop]))
        ++stop;
    if (stop < m_lines.size() && m_lines[stop] == end)
        ++stop;
    eraseLines(start, stop - start);
    return true;
}

void BlockFile::appendLine(const QString &line)
{
    m_lines.append(line);
    if (m_indexValid) {
        const int key = exactStartKey(line);
        if (key >= 0)
            m_index[key].push_back(m_lines.size() - 1);
    }
}

void BlockFile::appendRecord(int number, const QStringList &body)
{
    m_lines.reserve(m_lines.size() + body.size() + 2);
    appendLine(startMarker(number));
    for (const QString &l : body)
        appendLine(protectLine(l));
    appendLine(endMarker(number));
}

void BlockFile::renumber(int deleted, QString *damaged)
{
    if (m_count < 2)
        return;
    for (QString &line : m_lines) {
        const bool end = isEndMarker(line);
        if (!end && !isStartMarker(line))
            continue;
        const auto n = markerNumber(line);
        if (!n) {
            if (damaged && damaged->isEmpty())
                *damaged = line;
            continue;
        }
        if (*n - 1 >= deleted)
            line = end ? endMarker(*n - 1) : startMarker(*n - 1);
    }
    invalidateIndex();
    --m_count;
}

int BlockFile::balance() const
{
    int b = 0;
    for (const QString &l : m_lines) {
        if (isStartMarker(l))
            ++b;
        else if (isEndMarker(l))
            --b;
    }
    return b;
}

void BlockFile::repair()
{
    // One pass over the file cuts it into blocks: a block runs from a start
    // marker to its own end marker, or, when that is missing, up to the next
    // marker line of any kind, and then gets the end marker it lacked. Lines
    // outside blocks and end markers without a start go. The blocks are then
    // put in number order (copies of one number in file order) and numbered
    // 0, 1, 2... so that a gap or a second copy loses no record, and the
    // result is balanced: a second repair changes nothing.
    struct Piece
    {
        int number;
        qsizetype from; // first body line
        qsizetype to;   // one past the last body line
    };
    std::vector<Piece> pieces;
    const qsizetype size = m_lines.size();
    qsizetype i = 0;
    while (i < size) {
        const QString &line = m_lines[i];
        if (!isStartMarker(line)) {
            ++i;
            continue;
        }
        // A start marker whose number cannot be read has no end marker of
        // its own: its block runs up to the next marker line, empty lines
        // included.
        const auto read = markerNumber(line);
        const int number = read.value_or(MaxRecords);
        const QString end = read ? endMarker(number) : QString();
        auto isEnd = [&](const QString &l) { return read && l == end; };
        qsizetype j = i + 1;
        while (j < size && !isEnd(m_lines[j]) && !isStartMarker(m_lines[j]) && !isEndMarker(m_lines[j]))
            ++j;
        const bool closed = j < size && isEnd(m_lines[j]);
        // A start marker followed at once by another marker holds nothing.
        if (closed || j > i + 1)
            pieces.push_back({number, i + 1, j});
        i = closed ? j + 1 : j;
    }
    std::stable_sort(pieces.begin(), pieces.end(), [](const Piece &a, const Piece &b) { return a.number < b.number; });
    QStringList repaired;
    int n = 0;
    for (const Piece &p : pieces) {
        repaired.append(startMarker(n));
        for (qsizetype k = p.from; k < p.to; ++k)
            repaired.append(m_lines[k]);
        repaired.append(endMarker(n));
        ++n;
    }
    setLines(std::move(repaired));
    m_count = n;
}

BlockFile::CheckResult BlockFile::check(const Teller &tell)
{
    if (balance() == 0)
        return CheckResult::Sound;
    const bool yes = tell(m_config.checkText, m_config.checkAsks);
    if (m_config.checkAsks && !yes)
        return CheckResult::Kept;
    repair();
    return CheckResult::Repaired;
}

BlockFile::CheckResult BlockFile::load(std::optional<QStringList> lines, const Teller &tell)
{
    if (lines)
        setLines(std::move(*lines));
    setRecordCount(countStartMarkers());
    const CheckResult result = check(tell);
    if (m_config.removeDuplicates) {
        QString damaged;
        removeDuplicates(&damaged);
        if (!damaged.isEmpty())
            tell(damagedMarkerText(damaged), false);
    }
    if (m_config.readOnLoad)
        setCurrent(0);
    return result;
}

QString BlockFile::damagedMarkerText(const QString &marker)
{
    return QStringLiteral("Le fichier de cette section est endommagé : la ligne « %1 » "
                          "ne porte pas un numéro de fiche lisible.\n"
                          "Elle est laissée telle quelle.")
        .arg(marker.left(40));
}

void BlockFile::removeDuplicates(QString *damaged)
{
    if (m_count <= 0)
        return;
    std::vector<int> seen(static_cast<size_t>(m_count), 0);
    for (const QString &line : m_lines) {
        if (!isStartMarker(line))
            continue;
        const auto n = markerNumber(line);
        if (!n) {
            if (damaged && damaged->isEmpty())
                *damaged = line;
            continue;
        }
        if (*n < m_count)
            ++seen[static_cast<size_t>(*n)];
    }
    for (int n = 0; n < m_count; ++n)
        if (seen[static_cast<size_t>(n)] >= 2)
            removeOneBlock(n);
}

void BlockFile::squeeze()
{
    auto blank = [](const QString &l) {
        return std::all_of(l.cbegin(), l.cend(), [](QChar c) { return c.unicode() <= 0x20; });
    };
    bool removed = false;
    while (!m_lines.isEmpty()) {
        if (!blank(m_lines.first()))
            break;
        m_lines.removeFirst();
        removed = true;
        if (m_lines.size() < 3)
            break;
    }
    if (removed)
        invalidateIndex();
}

qsizetype BlockFile::findText(const QString &text, qsizetype from) const
{
    return SearchState::find(m_lines, text, from);
}

int BlockFile::recordOfLine(qsizetype line) const
{
    if (line < 0 || line >= m_lines.size())
        return -1;
    // The record that holds a line is opened by the nearest line at or above
    // it that begins with "<BLOC". It counts only when reading that record
    // would show this very block: an exact marker, the first one of its
    // number (the one the record index finds), and the line not past the
    // block's end marker. A damaged marker, a second copy of a record or a
    // line after the end of its block lies in no record that can be shown.
    qsizetype start = line;
    while (start >= 0 && !isStartMarker(m_lines.at(start)))
        --start;
    if (start < 0)
        return -1;
    const int key = exactStartKey(m_lines.at(start));
    if (key < 0 || findStart(key) != start)
        return -1;
    const QString end = endMarker(key);
    for (qsizetype i = start + 1; i < line; ++i) {
        if (m_lines.at(i) == end)
            return -1;
    }
    return key;
}
