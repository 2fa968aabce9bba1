#include "contacts/TodoList.h"

#include "common/TextFile.h"

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
            current->append(line);
    }
}

QStringList TodoList::toLines() const
{
    return QStringList{todoMarker()} + m_todo + QStringList{doneMarker()} + m_done;
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
