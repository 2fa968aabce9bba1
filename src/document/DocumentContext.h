#pragma once

#include "document/Document.h"
#include "document/DocumentBackups.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class Clock;
class QComboBox;
class QWidget;
class UiServices;

// What a section page needs from the document window: the document state,
// the dialogs, today's date, the drop-down boxes that hold the named lists,
// and the start directory. The document window owns it; tests build one of
// their own (tests/support).
class DocumentContext
{
public:
    // `document`: the state of the open set, which the document model owns.
    // `document` and `extraLists`: the state and lists of the open set,
    // which the document model owns.
    DocumentContext(UiServices &ui, const Clock &clock, Document &document, QMap<QString, QStringList> &lists)
        : extraLists(lists), m_doc(document), m_ui(ui), m_clock(clock), m_backups(clock)
    {
    }

    Document &document() { return m_doc; }
    const Document &document() const { return m_doc; }
    UiServices &ui() const { return m_ui; }
    const Clock &clock() const { return m_clock; }
    // The dated copies of the document set, taken before a save replaces
    // one of its files.
    DocumentBackups &backups() { return m_backups; }

    // ComboBox1 .. ComboBox10 of the document window. A page that shows one
    // of them takes it into its own layout. Null until the window made them.
    QComboBox *comboBox(int n) const { return (n >= 1 && n <= 10) ? m_combos[n - 1] : nullptr; }
    void setComboBox(int n, QComboBox *box) { m_combos[n - 1] = box; }

    // The widget to parent modal dialogs and message boxes to.
    QWidget *dialogParent() const { return m_dialogParent; }
    void setDialogParent(QWidget *w) { m_dialogParent = w; }

    QString startDirectory;

    // Asked before a file of the document set is written: false while the set
    // is open read-only or another running Tivarel holds it. Unset: always.
    std::function<bool(const QString &path)> mayWrite;

    // Set by the budget page once it is made: told before and after the
    // account box (ComboBox2) is refilled, so that the month it shows stays
    // under its account.
    std::function<void()> accountsAboutToChange;
    std::function<void()> accountsReplaced;

    // Remembered lists that go with the nine drop-down boxes but have no box
    // of their own, by tag (see RememberedLists::extraTags()).
    QMap<QString, QStringList> &extraLists;
    // The birthdays of a day, for the week's day headings. Unset: none.
    std::function<QStringList(QDate)> birthdaysOn;

private:
    Document &m_doc;
    UiServices &m_ui;
    const Clock &m_clock;
    DocumentBackups m_backups;
    std::array<QComboBox *, 10> m_combos{};
    QWidget *m_dialogParent = nullptr;
};
