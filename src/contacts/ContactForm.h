#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The thirteen entries of the contact dialog and the seven display fields of
// a contact that they make.
//
// A field holds its parts joined by a no-break space (0xA0 in Windows-1252,
// NBSP below):
//   1 name line       Titre NBSP Nom NBSP Prénom
//   2 function line   Fonction NBSP Société
//   3 address line    Adresse
//   4 town line       Code postal NBSP Ville
//   5 telephone line  "Tél: " + first + NBSP, then "Tél: " + second only
//                     when a second number is given
//   6 fax line        "Fax: " + Fax + NBSP + Pays
//   7 e-mail line     "E.mail " + E.mail
// Reading skips the prefixes by their length (5, 5 and 7 characters) rather
// than by matching them, as the files have always been read.
struct ContactForm
{
    static constexpr QChar Nbsp = QChar(0x00A0);
    static constexpr int FieldCount = 7;
    static constexpr int EntryCount = 13;

    // Dialog order: Edit1 .. Edit13.
    enum Entry
    {
        Titre,
        Nom,
        Prenom,
        Fonction,
        Societe,
        Adresse,
        CodePostal,
        Ville,
        Telephone1,
        Telephone2,
        Fax,
        Pays,
        Email
    };

    std::array<QString, EntryCount> entries;

    QString &operator[](Entry e) { return entries[e]; }
    const QString &operator[](Entry e) const { return entries[e]; }

    // The French label of each entry, and the width (in characters) the
    // dialog gives it.
    static QString label(int entry);
    static int limit(int entry);

    // The characters of a contact line that reading takes after its key;
    // the entries together may fill them, whatever each one's width.
    static constexpr qsizetype MaxLineText = 255;
    // What the entries make after the key: the seven fields, each followed
    // by its TAB.
    qsizetype lineLength() const;
    // Empty while the line holds the entries, else the French reason.
    QString tooLong() const;

    // Fills the entries from the seven fields of a contact (missing fields
    // count as empty).
    static ContactForm fromFields(const QStringList &fields);
    // The seven fields. TAB never reaches a field (it separates fields in the
    // file), an NBSP typed inside an entry would move the split of the field
    // and a line break would cut the line, so all become plain blanks.
    QStringList toFields() const;

    // Text of the "Téléphone" column of the summary: characters 5 to 24 of
    // the telephone line (from the blank after "Tél:"), cut before the first
    // NBSP. Shows the first number with its leading blank.
    static QString telephoneColumn(const QString &telephoneLine);

    // A field cut at its first NBSP: the part before and the part after
    // (the whole field and nothing when it holds none).
    static std::pair<QString, QString> splitAtNbsp(const QString &field);
};
