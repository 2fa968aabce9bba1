#include "contacts/TodoList.h"

#include "common/TextFile.h"

namespace {

// An entry whose text begins like a marker ("<FAIT> le 3", typed by the
// user) would be read back as a marker or dropped, and every entry after it
// would change lists. Such entries are stored behind one more blank: a line
// made of blanks followed by "<FAI" gets one blank at its head when written
// and loses one when read, so every entry comes back as typed.
bool looksLikeMarker(const QString &line)
{
    qsizetype i = 0;
    while (i < line.size() && line[i] == u' ')
        ++i;
    return QStringView(line).mid(i).startsWith(QLatin1String("<FAI"));
}

QString protect(const QString &entry)
{
    return looksLikeMarker(entry) ? u' ' + entry : entry;
}

QString unprotect(const QString &line)
{
    return line.startsWith(u' ') && looksLikeMarker(line) ? line.mid(1) : line;
}

} // namespace

void TodoList::clear()
{
    m_todo.clear();
    m_done.clear();
}

void TodoList::read(const QStringList &lines)
{
    clear();
    QStringList *current = nullptr;
    for (const QString &line : lines) {
        if (line == todoMarker())
            current = &m_todo;
        else if (line == doneMarker())
            current = &m_done;
        else if (!line.startsWith(QLatin1String("<FAI")) && current)
            current->append(unprotect(line));
    }
}

QStringList TodoList::toLines() const
{
    QStringList lines{todoMarker()};
    for (const QString &e : m_todo)
        lines.append(protect(e));
    lines.append(doneMarker());
    for (const QString &e : m_done)
        lines.append(protect(e));
    return lines;
}

void TodoList::append(Which w, const QString &text)
{
    ref(w).append(TextFile::oneLine(text));
}

bool TodoList::replace(Which w, int index, const QString &text)
{
    QStringList &l = ref(w);
    if (index < 0 || index >= l.size())
        return false;
    l[index] = TextFile::oneLine(text);
    return true;
}

bool TodoList::remove(Which w, int index)
{
    QStringList &l = ref(w);
    if (index < 0 || index >= l.size())
        return false;
    l.removeAt(index);
    return true;
}

bool TodoList::move(Which from, int index)
{
    QStringList &l = ref(from);
    if (index < 0 || index >= l.size())
        return false;
    ref(from == Todo ? Done : Todo).append(l.takeAt(index));
    return true;
}
