#include "app/HelpTopics.h"

#include <QHash>

namespace HelpTopics {

QString contents()
{
    return QStringLiteral("premiers-pas.html");
}
QString howToUse()
{
    return QStringLiteral("aide.html");
}

QString forSection(int page)
{
    static const char *const pages[] = {
        "semaine.html", "adresses.html",    "anniversaires.html", "choses.html",       "budget.html",
        "album.html",   "videotheque.html", "achats.html",        "bibliotheque.html", "secu.html",
    };
    if (page < 1 || page > int(std::size(pages)))
        return contents();
    return QString::fromLatin1(pages[page - 1]);
}

QString forMenuContext(int context)
{
    static const char *const pages[] = {"fichier.html", "edition.html", "sections.html", "options.html",
                                        "utilitaires.html"};
    if (context < 3 || context > 7)
        return contents();
    return QString::fromLatin1(pages[context - 3]);
}

QString forWindow(const QString &className)
{
    // The utility windows have a page each; the dialogs of a section lead
    // to their section's page, the list editors to the Options menu.
    static const QHash<QString, QString> pages = {
        {QStringLiteral("THorloge"), QStringLiteral("horloge.html")},
        {QStringLiteral("TCalendrier"), QStringLiteral("calendrier.html")},
        {QStringLiteral("TPocket"), QStringLiteral("calculatrice.html")},
        {QStringLiteral("TEurof"), QStringLiteral("euro.html")},
        {QStringLiteral("TBlocnotes"), QStringLiteral("bloc-notes.html")},
        {QStringLiteral("TPrenoms"), QStringLiteral("prenoms.html")},
        {QStringLiteral("TPLettre"), QStringLiteral("pese-lettres.html")},
        {QStringLiteral("TOthello"), QStringLiteral("reversi.html")},
        {QStringLiteral("TFicheRdv"), QStringLiteral("semaine.html")},
        {QStringLiteral("TCsaisie"), QStringLiteral("adresses.html")},
        {QStringLiteral("TNoteAnniv"), QStringLiteral("anniversaires.html")},
        {QStringLiteral("TComptes"), QStringLiteral("budget.html")},
        {QStringLiteral("TAjoutCpt"), QStringLiteral("budget.html")},
        {QStringLiteral("NamedListEditor"), QStringLiteral("options.html")},
        {QStringLiteral("ReminderDialog"), QStringLiteral("options.html")},
        {QStringLiteral("TAboutBox"), QStringLiteral("premiers-pas.html")},
    };
    return pages.value(className);
}

} // namespace HelpTopics
