#pragma once

#include "common/UnreadableFile.h"
#include "contacts/TodoList.h"
#include "document/SectionPage.h"

class MmCanvas;
class QLabel;
class QListWidget;
class QToolButton;

// Page 4, the to-do list "Choses à faire", stored in the ".oaf" file.
//
// Two lists side by side, "A faire" (ListBox15) and "Fait" (ListBox16), with
// SpeedButton2 moving the selected entry to "Fait" and SpeedButton1 moving it
// back. Entries are typed in the input box; a double click or F2 changes one,
// the Delete key removes it. The lists are the section's whole model: showing
// the page rereads nothing, and there is nothing to write back.
class TodoPage : public SectionPage
{
    Q_OBJECT

public:
    // `list` is the section's store in the document model, which the page
    // shows and writes its edits back into.
    TodoPage(DocumentContext &context, TodoList &list, QWidget *parent = nullptr);
    bool print(MmCanvas &canvas) override;

    void display() override { showLists(); }
    void ajout() override { AjoutFaire(); }
    // "Effacer", as Delete: the selected line of the list that has the
    // focus, or else of the list holding a selection.
    void supprime() override;

    void AjoutFaire();
    void SpeedButton1Click(); // "Fait" -> "A faire"
    void SpeedButton2Click(); // "A faire" -> "Fait"
    void ListBox15DblClick();
    void ListBox16DblClick();

    // The to-do-changed flag: set by every change, cleared by load and save.
    bool changed() const { return m_list.changed(); }
    const TodoList &list() const { return m_list; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showLists();
    void touch();
    void change(TodoList::Which which);
    void remove(TodoList::Which which);
    void moveFrom(TodoList::Which which);
    QListWidget *view(TodoList::Which which) const { return which == TodoList::Todo ? m_todo : m_done; }
    // The selected row of a list, or -1.
    int selectedRow(TodoList::Which which) const;

    TodoList &m_list;
    QListWidget *m_todo = nullptr; // ListBox15
    QListWidget *m_done = nullptr; // ListBox16
};
