#pragma once

class TMainForm;

// The synchronisation with the household's calendar and address book
// server in the window: "&Fichier" / "S&ynchroniser" (F5, and its tool bar
// button) and "&Options" / "S&ynchronisation..." (the document's account).
// The document as it stands on screen is synchronised; what comes from the
// server goes into its pages and the document is saved with its own save,
// after the usual question when it was modified; the state agreed with the
// server and the account are kept beside it (SyncState, SyncAccount).
namespace SyncMenu {

void synchronise(TMainForm &m);
// At opening and after each save, when the document's account asks for it.
void automatic(TMainForm &m);
void account(TMainForm &m);

} // namespace SyncMenu
