#pragma once

#include <QString>
#include <QStringList>

// The to-do list: things to do and things done, the section's whole model.
//
// ".oaf" file: the line "<FAIRE>", the entries to do, the line "<FAIT>", the
// entries done. Reading takes the lines in order: "<FAIRE>" and "<FAIT>"
// choose the list that the following lines go to; any other line that
// begins with "<FAI" is no entry; lines before the first marker are dropped.
// So the markers may come in either order. An entry that begins like a
// marker is written behind one more blank (see TodoList.cpp).
class TodoList
{
public:
    enum Which
    {
        Todo,
        Done
    };

    static QString todoMarker() { return QStringLiteral("<FAIRE>"); }
    static QString doneMarker() { return QStringLiteral("<FAIT>"); }

    void clear();
    // Both lists are cleared, then filled from the lines.
    void read(const QStringList &lines);
    QStringList toLines() const;

    const QStringList &list(Which w) const { return w == Todo ? m_todo : m_done; }
    const QStringList &todo() const { return m_todo; }
    const QStringList &done() const { return m_done; }

    void append(Which w, const QString &text);
    bool replace(Which w, int index, const QString &text);
    bool remove(Which w, int index);
    // Moves an entry to the end of the other list.
    bool move(Which from, int index);

    // The lists changed since the last load or save: their file is written
    // only then.
    bool changed() const { return m_changed; }
    void setChanged(bool changed) { m_changed = changed; }

private:
    QStringList &ref(Which w) { return w == Todo ? m_todo : m_done; }

    QStringList m_todo;
    bool m_changed = false;
    QStringList m_done;
};
