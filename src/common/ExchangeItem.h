#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One entry found in a file from another program (an event of an iCalendar
// file, a card of a vCard file), as the import preview lists it and as the
// import adds it.
struct ExchangeItem
{
    enum class Status
    {
        New,     // will be added
        Present, // the document already holds it: skipped
        Refused, // the section cannot hold it: `note` says why
    };

    QString label; // what the user reads: "05/01/2026 10:00 Dentiste", "Dupont Jean"
    QString place; // where it goes: the date, the letter page
    Status status = Status::New;
    QString note; // why it is refused, or what was changed to fit
    QString line; // the store line that adds it (New only)

    static QString statusText(Status s)
    {
        switch (s) {
        case Status::New: return QStringLiteral("à ajouter");
        case Status::Present: return QStringLiteral("déjà présent");
        case Status::Refused: return QStringLiteral("refusé");
        }
        return {};
    }
};

using ExchangeItems = QList<ExchangeItem>;

// What reading a file tells besides its entries.
struct ExchangeNotes
{
    QString error;            // the file is not of its kind at all: nothing was read
    QStringList notes;        // about the file as a whole (cut short, nothing to import)
    QStringList unknownZones; // time zones a calendar names that are known nowhere
};

// How many items have a status.
inline int countOf(const ExchangeItems &items, ExchangeItem::Status s)
{
    int n = 0;
    for (const auto &i : items)
        n += i.status == s;
    return n;
}
