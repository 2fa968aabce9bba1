#pragma once

#include "common/UnreadableFile.h"
#include "contacts/BirthdayBook.h"
#include "document/SectionPage.h"

#include <array>
#include <optional>

class MmCanvas;
class QLabel;
class QListWidget;

// Page 3, the birthdays, stored in the ".oan" file.
//
// Half a year at a time: six month lists, ListBox9 .. ListBox11 on the left
// and ListBox12 .. ListBox14 on the right, under Label2, Label16, Label17,
// Label21, Label22, Label23. Previous and first show January to June, next
// and last July to December. In a list, a double click or F2 changes the
// selected entry and Delete removes it.
class BirthdayPage : public SectionPage
{
    Q_OBJECT

public:
    // `book` is the section's store in the document model, which the page
    // shows and writes its edits back into.
    BirthdayPage(DocumentContext &context, BirthdayBook &book, QWidget *parent = nullptr);
    bool print(MmCanvas &canvas) override;

    void reset() override;
    void loaded() override { showLists(); }
    void writeBack() override { EcritAnniv(); }
    void display() override { LitAnniv(); }

    void premier() override { showHalf(0); }
    void precedent() override { showHalf(0); }
    void suivant() override { showHalf(1); }
    void dernier() override { showHalf(1); }
    void ajout() override { AjoutAnniv(); }
    // "Effacer": the selected entry of the month list that has the focus,
    // or else of the first list holding a selected entry.
    void supprime() override;

    void LitAnniv();
    void EcritAnniv();
    void AjoutAnniv();
    // Change the selected entry of list k (0..5).
    void MajAnniv(int k);
    // Remove the selected entry of list k.
    void SupAnniv(int k);

    // For printing: the store, the half-year and the six lists as shown.
    const BirthdayBook &book() const { return m_book; }
    QString monthLabel(int k) const;
    QStringList entries(int k) const;
    QListWidget *monthList(int k) const { return m_lists.at(k); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showHalf(int half);
    void showLists();
    void selectEntry(int k, const QString &entry);
    // The description and date asked in TNoteAnniv; nothing when cancelled
    // or left empty.
    struct Answer
    {
        QDate date;
        QString description;
    };
    std::optional<Answer> ask(const QString &description, QDate date);

    BirthdayBook &m_book;
    QLabel *m_caption = nullptr; // Panel9
    std::array<QLabel *, BirthdayBook::ListCount> m_labels{};
    std::array<QListWidget *, BirthdayBook::ListCount> m_lists{};
};
