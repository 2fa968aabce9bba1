#pragma once

#include "common/UnreadableFile.h"
#include "contacts/AddressBook.h"
#include "document/SectionPage.h"

#include <QStringList>

class MmCanvas;
class AddressBlockModel;
class AddressSummaryModel;
class BlockListView;
class QLabel;
class QPushButton;
class QTreeView;
class QWidget;

// Page 2, the address book, stored in the ".ocn" file.
//
// A column of letter buttons (Button2 "A" .. Button27 "Z") chooses the page;
// the contacts filed under it show twice: as a summary (ListView1, "Nom" and
// "Téléphone") and as seven lines per contact followed by a line of dashes
// (ListBox8). A click anywhere in a contact's block, its separator included,
// selects the whole contact (the page's last line selects none); F2 or a
// double click changes it, Delete deletes it. The blocks are known from the
// page's contacts, never from what a line begins with, so a field that starts
// with "-" is an ordinary line.
class AddressPage : public SectionPage
{
    Q_OBJECT

public:
    // `book` is the section's store in the document model, which the page
    // shows and writes its edits back into.
    AddressPage(DocumentContext &context, AddressBook &book, QWidget *parent = nullptr);
    bool print(MmCanvas &canvas) override;

    void reset() override;
    void loaded() override { showPage(); }
    void writeBack() override { EcritNoms(); }
    void display() override { LitNoms(); }

    // Previous and next letter stop at "A" and "Z"; first is "A", last "Z".
    void premier() override { Button2Click(u'A'); }
    void precedent() override;
    void suivant() override;
    void dernier() override { Button2Click(u'Z'); }
    void ajout() override { AjoutNom(); }
    void supprime() override { SupNom(); }
    const QStringList *searchLines() const override { return &m_book.lines(); }
    // A found line shows the page of its letter; a line that begins with no
    // letter "A".."Z" (the blank line of a new book) shows nothing.
    bool showFound(qsizetype line) override;

    void layoutFor(int width, int height) override;

    // Section routines.
    void LitNoms();
    void EcritNoms();
    void AjoutNom();
    void SupNom();
    void MajNoms();
    void ListBox8Click(int row);
    // The letter buttons: write back, then show the letter's page.
    void Button2Click(QChar letter);

    // For the search and the printing of names: the contact store, the page
    // shown, and showing the page of a letter.
    const AddressBook &book() const { return m_book; }
    QChar currentLetter() const { return m_book.letter(); }
    // Shows the page of the letter that begins a store line (a line found
    // by the search); a line of no letter changes nothing.
    void showLetterOf(int storeLine);
    // Summary rows (name line, telephone) and the lines of ListBox8, as shown.
    QList<QStringList> summary() const;
    QStringList blockLines() const;

    // The contact whose block is selected, or -1.
    int selectedContact() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPage();
    void selectContact(int index);
    void updateSeparators();
    QString separatorLine() const;

    AddressBook &m_book;
    QLabel *m_caption = nullptr;       // Panel8
    QWidget *m_summaryPanel = nullptr; // Panel5
    QTreeView *m_summary = nullptr;    // ListView1
    BlockListView *m_blocks = nullptr; // ListBox8
    AddressSummaryModel *m_summaryModel = nullptr;
    AddressBlockModel *m_blockModel = nullptr;
    bool m_syncing = false;
};
