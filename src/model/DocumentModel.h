#pragma once

#include "agenda/AgendaStore.h"
#include "budget/BudgetMonth.h"
#include "collections/BlockFile.h"
#include "contacts/AddressBook.h"
#include "contacts/BirthdayBook.h"
#include "contacts/TodoList.h"

#include <QStringListModel>

#include <array>

// The ten section stores of the open document set, and the remembered named
// lists. The document window
// hands each page its store: the page only shows it and writes the edits on
// screen back into it. Whatever works on the document without a page (the
// exchange commands, a search, an export) reads the stores here.
class DocumentModel
{
public:
    DocumentModel();

    AgendaStore &agenda() { return m_agenda; }        // .orz, the week planner
    AddressBook &addresses() { return m_addresses; }  // .ocn
    BirthdayBook &birthdays() { return m_birthdays; } // .oan
    TodoList &todo() { return m_todo; }               // .oaf
    BudgetMonth &budget() { return m_budget; }        // .obg
    // The five block-file sections: album, videos, shopping lists, books
    // and reimbursements.
    BlockFile &blocks(SectionId section) { return m_blocks[pageNumber(section) - 6]; }

    // The remembered named lists (Tivarel.cbx) behind the drop-down boxes
    // ComboBox1 .. ComboBox10: each box shows its list and edits it.
    QStringListModel &namedList(int box) { return m_namedLists[box - 1]; }
    const QStringListModel &namedList(int box) const { return m_namedLists[box - 1]; }

    const AgendaStore &agenda() const { return m_agenda; }
    const AddressBook &addresses() const { return m_addresses; }
    const BirthdayBook &birthdays() const { return m_birthdays; }
    const TodoList &todo() const { return m_todo; }
    const BudgetMonth &budget() const { return m_budget; }
    const BlockFile &blocks(SectionId section) const { return m_blocks[pageNumber(section) - 6]; }

private:
    AgendaStore m_agenda;
    AddressBook m_addresses;
    BirthdayBook m_birthdays;
    TodoList m_todo;
    BudgetMonth m_budget;
    std::array<BlockFile, 5> m_blocks;
    std::array<QStringListModel, 10> m_namedLists;
};
