#pragma once

#include "agenda/AgendaStore.h"
#include "budget/BudgetMonth.h"
#include "collections/BlockFile.h"
#include "common/Notices.h"
#include "common/UnreadableFile.h"
#include "contacts/AddressBook.h"
#include "contacts/BirthdayBook.h"
#include "contacts/TodoList.h"
#include "document/Document.h"

#include <QStringListModel>

#include <array>
#include <functional>

class SaveBatch;

// The open document set: its state (name, modified flag, reference date),
// the ten section stores, the remembered named lists, and the loading and
// saving of the set's ten files.
//
// The document window hands each page its store: the page only shows it and
// writes the edits on screen back into it. Whatever works on the document
// without a window (the command line, the recovery copy, the fuzz targets)
// loads, reads and saves it here, through the same code.
class DocumentModel
{
public:
    DocumentModel();

    Document &document() { return m_doc; }
    const Document &document() const { return m_doc; }

    AgendaStore &agenda() { return m_agenda; }        // .orz, the week planner
    AddressBook &addresses() { return m_addresses; }  // .ocn
    BirthdayBook &birthdays() { return m_birthdays; } // .oan
    TodoList &todo() { return m_todo; }               // .oaf
    BudgetMonth &budget() { return m_budget; }        // .obg
    // The five block-file sections: album, videos, shopping lists, books
    // and reimbursements.
    BlockFile &blocks(SectionId section) { return m_blocks[pageNumber(section) - 6]; }

    const AgendaStore &agenda() const { return m_agenda; }
    const AddressBook &addresses() const { return m_addresses; }
    const BirthdayBook &birthdays() const { return m_birthdays; }
    const TodoList &todo() const { return m_todo; }
    const BudgetMonth &budget() const { return m_budget; }
    const BlockFile &blocks(SectionId section) const { return m_blocks[pageNumber(section) - 6]; }

    // The remembered named lists (Tivarel.cbx) behind the drop-down boxes
    // ComboBox1 .. ComboBox10: each box shows its list and edits it.
    QStringListModel &namedList(int box) { return m_namedLists[box - 1]; }
    const QStringListModel &namedList(int box) const { return m_namedLists[box - 1]; }
    // The lists that go with them without a box of their own, by tag (the
    // accounts' balances, "Solde2").
    QMap<QString, QStringList> &extraLists() { return m_extraLists; }
    // Tivarel.cbx read into the lists (added to what they hold), and the
    // lines it is written back from.
    void readNamedLists(const QStringList &lines);
    QStringList namedListLines() const;

    // A new, empty document dated `today`.
    void reset(QDate today);

    // Loads the set `documentPath` names, section by section in the set's
    // order (ChargeOrg, ChargeAdr, ChargeAnniv, ChargeFaire, ChargeBudget,
    // then the five block files). A missing file leaves its section as it
    // was (the organiser file's absence is told); a file that is there but
    // cannot be read is told, and no save replaces it afterwards. The block
    // files are counted, checked (and repaired when the user agrees) and,
    // for the shopping lists, rid of duplicate lists. The document is then
    // named after the organiser file and not modified.
    void load(const QString &documentPath, QDate today, Notices &notices);

    // What a save needs from the one who asks for it.
    struct SaveHooks
    {
        // Writes the edits a page still shows back into the section's store
        // (the window's pages; nothing without a window).
        std::function<void(SectionId)> writeBack;
        // Whether a file of the set may be written now (the set's lock).
        std::function<bool(const QString &path)> mayWrite;
        // Called before a file of the set is replaced (the day's backup).
        std::function<void(const QString &path)> beforeReplace;
    };
    // Stages the files of the sections whose rule says they are written now
    // (all of them when `force`: a save under another name) in `batch`,
    // section by section in the set's order; the caller commits it. False,
    // after telling the user, when a section could not be staged (a file
    // kept because it could not be read, characters the user would not have
    // replaced by "?", a refused write).
    bool save(const QString &documentPath, bool force, SaveBatch &batch, Notices &notices, const SaveHooks &hooks = {});
    // One section's file staged the same way, whether or not its rule would
    // write it now (the command line writes only the section it changed).
    bool saveSection(const QString &documentPath, SectionId section, SaveBatch &batch, Notices &notices,
                     const SaveHooks &hooks = {});
    // Whether the last load found the section's file there but could not
    // read it (no save replaces it then).
    bool unreadable(const QString &documentPath, SectionId section) const;

    // The lines of a section file as the store holds them now: what a save
    // would write, but for edits still on screen.
    QStringList sectionLines(SectionId section) const;
    // The file of a section for a document path.
    static QString fileName(const QString &documentPath, SectionId section);

private:
    void ChargeOrg(const QString &documentPath, QDate today, Notices &notices);
    void ChargeAdr(const QString &documentPath, Notices &notices);
    void ChargeAnniv(const QString &documentPath, Notices &notices);
    void ChargeFaire(const QString &documentPath, Notices &notices);
    void ChargeBudget(const QString &documentPath, Notices &notices);
    void ChargeBlocs(SectionId section, const QString &documentPath, Notices &notices);
    // Reads a section file through its guard; an unreadable file is told
    // (with the standard text unless `plainError`).
    std::optional<QStringList> readSection(SectionId section, const QString &documentPath, Notices &notices,
                                           bool plainError = false);

    struct Saving;
    bool stageSection(Saving &s, SectionId section, bool force);
    bool writeSection(Saving &s, SectionId section, const QStringList &lines, std::function<void()> saved = {});

    Document m_doc;
    AgendaStore m_agenda;
    AddressBook m_addresses;
    BirthdayBook m_birthdays;
    TodoList m_todo;
    BudgetMonth m_budget;
    std::array<BlockFile, 5> m_blocks;
    std::array<QStringListModel, 10> m_namedLists;
    QMap<QString, QStringList> m_extraLists;
    std::array<UnreadableFile, Document::SectionCount> m_unreadable;
};
