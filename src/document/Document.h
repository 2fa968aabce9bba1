#pragma once

#include <QStringList>

#include <QDate>
#include <QString>

// The ten sections of a document set, in load and save order; the value is
// the section's page number in the document window.
enum class SectionId
{
    Week = 1,
    Addresses,
    Birthdays,
    Todo,
    Budget,
    Album,
    Videos,
    Shopping,
    Books,
    Reimbursements
};
constexpr int pageNumber(SectionId section)
{
    return static_cast<int>(section);
}

// The document-level state every section shares: the document name, the
// modified flag and the week planner's reference date.
//
// The modified flag is set by every change to any section store or by
// writing screen edits back into one; it is cleared only by loading and
// saving the whole set.
class Document
{
public:
    // Extensions of the ten section files, in load and save order.
    static constexpr int SectionCount = 10;
    static const char *extension(int section); // 1..10, ".orz" .. ".osc"
    static QStringList extensions();           // the ten, in section order

    QString name;          // full path of the document as last loaded or saved
    bool modified = false; // changes since the last load or save
    QDate referenceDate;   // the week planner's current date
    QString caption;       // the document window's caption: the file-name part of the loaded organiser

    void setModified() { modified = true; }
};
