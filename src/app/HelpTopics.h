#pragma once

#include <QString>

// Which help page answers F1 where the user is. Pages are the file names of
// the help collection (help/pages); every rule falls back to the getting
// started page rather than to nothing.
namespace HelpTopics {

QString contents(); // the root of the contents tree
QString howToUse(); // the help window's own page
// The page of a section, by page number 1..10 of the document window.
QString forSection(int page);
// The page of a top-level menu, by its help context (3 "&Fichier" to
// 7 "&Utilitaires").
QString forMenuContext(int context);
// The page of a dialog or utility window, by its class name; empty for a
// window that has no page of its own (F1 then shows the section's page).
QString forWindow(const QString &className);

} // namespace HelpTopics
