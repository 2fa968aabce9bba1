#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A named list: the short user-editable list of a drop-down box (budget
// posts, film categories, video and audio formats, shops, book categories,
// doctors, pharmacies), as its editor keeps it.
//
// Rules shared with the sections that use the lists:
//  - an entry whose first character is a capital "A" to "Z" is in use (the
//    section that used it made it so) and cannot be deleted;
//  - "Débit différé" can never be deleted;
//  - the first five editors add entries with a small first letter, the last
//    three as typed;
//  - the list is kept sorted, letters compared without regard to case or
//    accents; no entry is empty and none holds a line break (a pasted one
//    becomes a blank: "Tivarel.cbx" keeps one entry per line). A name already in the list may be added
//    again (the used "Loyer" and a new "loyer" both stay).
class NamedList
{
public:
    enum class Deletion
    {
        Allowed,
        Protected,
        Used,
        NoSuchEntry
    };

    explicit NamedList(const QStringList &entries = {});

    const QStringList &entries() const { return m_entries; }
    int size() const { return int(m_entries.size()); }

    // Ajouter with nothing selected: adds the trimmed text (first letter made
    // small when asked) at its sorted place and returns its index; -1 when
    // the text is empty.
    int add(const QString &typed, bool smallFirst);
    // Ajouter after Modifier: the entry at `index` becomes the trimmed text
    // as typed; returns its new index, or -1 (nothing changed) when the text
    // is empty.
    int replace(int index, const QString &typed);
    Deletion deletion(int index) const;
    void remove(int index);

    static bool isUsed(const QString &entry);
    // Only "A" to "Z" become small, only "a" to "z" capital.
    static QString withSmallFirst(const QString &text);
    static QString withCapitalFirst(const QString &text);
    // The sort order of the list boxes.
    static bool lessThan(const QString &a, const QString &b);

    static QString protectedEntry(); // "Débit différé"
    static QString protectedMessage();
    static QString usedMessage();
    static QString confirmDeletion(const QString &entry);

private:
    int insertSorted(const QString &text);

    QStringList m_entries;
};

// The eight editors: one design, eight configurations.
struct NamedListKind
{
    QString className; // also the dialog's objectName
    QString caption;
    QString label;
    int comboBox;    // ComboBox1 .. ComboBox10 of the document window
    QString tag;     // its section in "Tivarel.cbx"
    bool smallFirst; // Ajouter makes the first letter small
};

namespace NamedListKinds {

enum Kind
{
    Postes,
    Categ,
    Fmtv,
    FmtA,
    FmtM,
    Categ2,
    Medecins,
    Officines
};
const QList<NamedListKind> &all();
const NamedListKind &get(Kind kind);

} // namespace NamedListKinds
