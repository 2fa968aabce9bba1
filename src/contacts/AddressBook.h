#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// The address book: the contact store (the ".ocn" file line for line), the
// letter page that shows, and the page's contacts as they are being edited.
//
// Contact line:
//   character 1      the page letter "A" .. "Z"
//   characters 2-4   the record key: 100 + 8 × position within the page at
//                    the last write-back (100, 108, 116, ...)
//   from character 5 the seven fields of the contact (see ContactForm), each
//                    followed by a TAB, the last one included
// Lines whose first character is not the letter being worked on are left
// alone, so the single-blank line of a new book and anything foreign survive.
//
// Contacts are filed under the page that was shown when they were added and
// keep their order of entry; nothing sorts them by name.
class AddressBook
{
public:
    static constexpr int FirstKey = 100;
    static constexpr int KeyStep = 8;
    // Keys stay on three digits up to 996: a page holds at most 113 contacts.
    static constexpr int MaxContactsPerPage = (999 - FirstKey) / KeyStep + 1;

    struct Contact
    {
        QStringList fields; // always seven
        // Whatever followed the seventh TAB of a line not written by us; kept
        // so that rewriting the page loses nothing.
        QString tail;
        bool operator==(const Contact &) const = default;
    };

    AddressBook();

    // A new document: one line holding a single blank, page "A".
    void reset();
    // A loaded file: the store is replaced, the page goes back to "A" and is
    // read again.
    void setLines(const QStringList &lines);
    const QStringList &lines() const { return m_lines; }

    QChar letter() const { return m_letter; }
    const QList<Contact> &page() const { return m_page; }
    bool pageChanged() const { return m_pageChanged; }

    // Reads the current letter's contacts from the store, in store
    // order; clears the page-changed flag.
    void readPage();
    // When the page was edited, replace the letter's lines of the
    // store by the page, renumbered, at the end of the store. Returns true
    // when the store was rewritten (the document is then modified).
    bool writePage();

    // Writes back, then shows another letter ("A" .. "Z"; anything else is
    // ignored). Returns true when the write-back changed the store.
    bool setLetter(QChar letter);

    // The contact goes at the end of the page; it reaches the store
    // at the next write-back. Refused (false) when the page is full.
    bool isPageFull() const { return m_page.size() >= MaxContactsPerPage; }
    bool add(const QStringList &fields);

    // An import: writes back, then adds each contact line to the end of the
    // store under its own letter (its first character) with the next key of
    // that page, and reads the page again.
    void appendContacts(const QStringList &lines);

    // Replaces the contact in place, writes back and reads the page
    // again. False when there is no such contact or the page holds more
    // contacts than keys can number (only a file from elsewhere can).
    bool change(int index, const QStringList &fields);

    // Writes back, deletes the store line of the contact at `index`
    // of the page and reads the page again. The other keys are left as they
    // are until the next write-back renumbers them. False when there is no
    // such contact (the write-back has happened all the same).
    bool remove(int index);

    // The contact held by a line (fields from character 5, cut at the TABs,
    // never shortened).
    static Contact contactOf(const QString &line);
    static QString lineOf(QChar letter, int index, const Contact &contact);
    // Letter + three-digit key of the contact at `index` of a page.
    static QString key(QChar letter, int index);

private:
    QStringList m_lines;
    QChar m_letter = u'A';
    QList<Contact> m_page;
    bool m_pageChanged = false;
};
