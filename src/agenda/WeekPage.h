#pragma once

#include "agenda/AgendaStore.h"
#include "document/SectionPage.h"

#include <QDate>
#include <QSize>

#include <array>

class MmCanvas;
class DayList;
class QFrame;
class QLabel;
class QLineEdit;

// Page 1, the week planner, kept in the organiser file ".orz".
//
// It shows the week that contains the document's reference date: the week
// number on Panel4, then two columns (Panel1: Monday to Wednesday, Panel2:
// Thursday to Sunday) of day names, date labels and day lists ListBox1
// (Monday) .. ListBox7 (Sunday), filled from the appointment store.
//
// Edits made on screen (the Delete key, "Effacer", and later cut and paste)
// set the week edited flag and reach the store when the week is written back
// (EcritSemaine), which everything that leaves the week does first.
class WeekPage : public SectionPage
{
    Q_OBJECT

public:
    // `store` is the section's store in the document model, which the page
    // shows and writes its edits back into.
    WeekPage(DocumentContext &context, AgendaStore &store, QWidget *parent = nullptr);
    bool print(MmCanvas &canvas) override;

    // The store and its lines, as the organiser file holds them.
    const AgendaStore &store() const { return m_store; }
    AgendaStore &store() { return m_store; }
    const QStringList &lines() const { return m_store.lines(); }

    // Day list i, 1 (Monday) .. 7 (Sunday), and its date.
    DayList *dayList(int i) const { return m_lists[i - 1]; }
    QDate dayDate(int i) const;
    // The hidden one-line buffer (Edit1) used by cut, copy and paste.
    QLineEdit *buffer() const { return m_buffer; }

    bool weekEdited() const { return m_weekEdited; }
    // An edit on screen that the store does not hold yet.
    void setWeekEdited() { m_weekEdited = true; }

    // SectionPage
    void reset() override;
    void writeBack() override { EcritSemaine(); }
    void display() override;
    // Premier, Precedent, Suivant and Dernier of the routing table: the
    // earliest appointment's week, 7 days back, 7 days on, the latest's.
    void premier() override;
    void precedent() override;
    void suivant() override;
    void dernier() override;
    void ajout() override { AjoutJour(); }
    void supprime() override { SupSemaine(); }
    // Through the system clipboard and Edit1 (WeekClipboard); the week
    // edited flag is set when an item was removed or added.
    void couper() override;
    void copier() override;
    void coller() override;
    const QStringList *searchLines() const override { return &m_store.lines(); }
    // A found line shows the week of its date key; a line shorter than a key
    // or whose key is no date shows nothing.
    bool showFound(qsizetype line) override;
    void layoutFor(int width, int height) override;

    // Week arithmetic on screen: the seven date labels and the week number.
    void InitSemaine();
    void NumeroSemaine();

    // Store <-> day lists.
    void LitRdv(DayList *list, QDate date);
    void LitSemaine();
    // The birthdays of each day shown, from the birthday store (which this
    // page never writes).
    void showBirthdays();
    void MetRdv(DayList *list, QDate date);
    void EcritSemaine();

    // Commands.
    void AjoutJour();
    void MajJour(DayList *list, int day);
    void SupSemaine();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QDate reference();
    void setReference(QDate date);
    // Premier, Dernier and the search: the week of one store line's date
    // key; false, changing nothing, when the line holds no date.
    bool showWeekOfLine(const QString &line);
    void ListBoxDblClick(int day);

    AgendaStore &m_store;
    bool m_weekEdited = false;

    QLabel *m_panel4 = nullptr;
    QFrame *m_panel1 = nullptr;
    QFrame *m_panel2 = nullptr;
    QFrame *m_panel3 = nullptr;
    std::array<DayList *, 7> m_lists{};
    std::array<QLabel *, 7> m_dayNames{};   // Label3 .. Label9
    std::array<QLabel *, 7> m_dateLabels{}; // Label10 .. Label15, Label1
    std::array<QLabel *, 7> m_birthdays{};  // Birthdays1 .. Birthdays7
    QSize m_laidOut;                        // the size of the last layout
    int m_chosenDay = 0;                    // 1..7: the day list the user went to, by a click or Tab
    QLineEdit *m_buffer = nullptr;
};
