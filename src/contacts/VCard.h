#pragma once

#include "common/ExchangeItem.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

// The address book exchanged with phones and mail programs as vCard 3.0
// (RFC 2426), UTF-8, CR LF line ends, every line folded at 75 octets (a
// folded line goes on after CR LF and one blank, never inside a UTF-8
// character), text values escaped ("\\", "\,", "\;", "\n").
//
// One card per contact:
//   N        Nom;Prénom;;Titre;
//   FN       Titre Prénom Nom (the company, the e-mail when there is no name)
//   TITLE    Fonction          ORG  Société
//   ADR      ;;Adresse;Ville;;Code postal;Pays
//   TEL      first and second telephone (TYPE=VOICE), fax (TYPE=FAX)
//   EMAIL    E.mail
//   X-TIVAREL-PAGE  the letter page the contact is filed under
//
// Reading also takes vCard 2.1 and 4.0 cards (quoted-printable values, bare
// type parameters, grouped properties). A card keeps its texts whole, longer
// than the dialog lets one type if need be: the contact's line holds 255
// characters after its key, and only an entry it cannot hold is left out,
// with the reason. Titles take their French short forms ("Madame" -> "Mme"),
// French numbers in international form their national form ("+33 6 12 34
// 56 78" -> "06 12 34 56 78"), characters Windows-1252 lacks are left out;
// the note says what was changed and which parts of the card have no place
// in a contact (nickname, other given names, PO box, region...). A card goes
// under its X-TIVAREL-PAGE letter, else under the first letter of its name
// (accents dropped), else under `fallback`.
namespace VCard {

QByteArray exportBook(const QStringList &bookLines);

// New items carry the contact line to add (letter + key + fields).
// `report` tells a file that holds no card, or whose last card is cut.
ExchangeItems importCards(const QByteArray &data, const QStringList &bookLines, QChar fallback,
                          ExchangeNotes *report = nullptr);

// One content line folded at 75 octets, with its CR LF.
QByteArray fold(const QByteArray &line);

} // namespace VCard
