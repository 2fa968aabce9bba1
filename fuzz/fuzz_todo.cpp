// The to-do list (".oaf"): read, and loaded and saved with every entry moved
// to the other list and back.

#include "FuzzSection.h"

#include "contacts/TodoList.h"

namespace {

void readAll(const QStringList &lines)
{
    TodoList list;
    list.read(lines);
    if (!list.todo().isEmpty())
        list.move(TodoList::Todo, 0);
    if (!list.done().isEmpty())
        list.replace(TodoList::Done, 0, QStringLiteral("fait\r\nhier"));
    list.append(TodoList::Todo, QStringLiteral("<FAIT>"));
    TodoList again;
    again.read(list.toLines());
    if (again.todo() != list.todo() || again.done() != list.done())
        std::abort();
}

QStringList loadAndSave(const QStringList &lines)
{
    TodoList list;
    list.read(lines);
    for (const TodoList::Which w : {TodoList::Todo, TodoList::Done})
        for (int i = 0; i < list.list(w).size(); ++i)
            list.replace(w, i, list.list(w).at(i));
    return list.toLines();
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)
