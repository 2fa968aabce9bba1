#pragma once

class TMainForm;

// The "E&xporter" and "I&mporter" commands of the "&Fichier" menu: the
// document as it stands on screen (edits written back first) goes to a file
// for another program, or entries of such a file come into the agenda or
// the address book after the import preview. The document set's own files
// are never written here: an import only modifies the document, which the
// user saves as usual.
namespace ExchangeMenu {

void exportCalendar(TMainForm &m);
void exportContacts(TMainForm &m);
void exportBudgetMonth(TMainForm &m);
void exportBudgetYear(TMainForm &m);
void exportFilms(TMainForm &m);
void exportBooks(TMainForm &m);
void importCalendar(TMainForm &m);
void importContacts(TMainForm &m);

} // namespace ExchangeMenu
