#pragma once

#include "document/Document.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// The block file shared by the five collection sections (album ".oap",
// videos ".ovd", shopping ".oco", books ".olv", reimbursements ".osc").
//
// A block file is a plain list of lines (Windows-1252, CR LF on disk) in
// which each record is framed by two marker lines:
//
//     <BLOC0012>          start marker of record 12
//     ...                 fixed field lines, then tagged lines
//     </BLOC0012>         end marker
//
// The number is the record's 0-based position in the section, written with
// four digits: "000" + decimal text, four characters taken from the position
// equal to the length of the decimal text. Records 0..9999 keep their number
// with leading zeros, 10005 becomes 0005 (so a section holds at most 10000
// distinguishable records).
//
// A line is a start marker when it begins with "<BLOC" and an end marker when
// it begins with "</BLOC" (that is what the balance check counts); a record is
// found through the first line exactly equal to its start marker, and ends at
// the first following line exactly equal to its end marker. Lines outside
// blocks are kept as they are. A record that is written again leaves its place
// and goes to the end of the list, so blocks appear in any order.
//
// The whole file lives in memory; records are located through an index of the
// exact start markers by number, built on demand and kept up to date by the
// edits that matter for navigation (removing a block, appending one), so that
// moving between records never scans the whole list.
class BlockFile
{
public:
    // Per-section settings: everything in which the five sections differ.
    struct Config
    {
        int section = 6;      // page number of the section, 6..10
        int fixedLines = 0;   // fixed field lines after the start marker
        int readLimit = 0;    // last line (counted from the start marker) read back; 0 = up to the end marker
        int initialCount = 1; // record count of a new document
        int restartBelow = 0; // add: when the list holds fewer lines than this, the count restarts...
        int restartCount = 0; // ...at this value (the first record then gets this number)
        bool restartWithoutBlock = false; // add: the count restarts only when the list holds no start marker
        bool blankAfterAdd = false;       // add appends a line holding one blank (album)
        bool squeeze = true;              // squeeze the top of the list before saving
        bool removeDuplicates = false;    // duplicate removal after the check (shopping lists)
        bool checkAsks = true;            // the check asks before repairing
        QString checkText;                // its question, or message when it does not ask
        bool writeOnSwitch = true;        // the record is written back when the user changes section
        bool readOnLoad = true;           // the first record is shown right after loading
        bool writeBeforeDelete = true;    // delete first writes the record shown
        bool changedAfterDelete = true;   // delete leaves the record-changed flag set
        bool searchable = true;           // "Rechercher..." and "Continuer" scan the section
    };

    // The settings of section 6..10 (album, videos, shopping, books,
    // reimbursements).
    static const Config &config(SectionId section);

    // Largest number of records a section may hold: the four-digit form of
    // any higher number would name an existing record.
    static constexpr int MaxRecords = 10000;

    static QString digits(int number);
    static QString startMarker(int number);
    static QString endMarker(int number);
    static bool isStartMarker(const QString &line) { return line.startsWith(QLatin1String("<BLOC")); }
    static bool isEndMarker(const QString &line) { return line.startsWith(QLatin1String("</BLOC")); }
    // The number a marker line carries (characters 6..9 of a start marker,
    // 7..10 of an end marker); nothing when it is not four decimal digits or
    // the line is no marker.
    static std::optional<int> markerNumber(const QString &line);
    // How a record line is stored so that it never reads as a marker, and
    // back (see BlockFile.cpp).
    static QString protectLine(const QString &line);
    static QString unprotectLine(const QString &line);

    explicit BlockFile(const Config &settings = BlockFile::config(SectionId::Album));

    const Config &settings() const { return m_config; }
    const QStringList &lines() const { return m_lines; }
    void setLines(QStringList lines);
    void clear();

    // Record count and current record, as the navigation sees them.
    int recordCount() const { return m_count; }
    void setRecordCount(int count) { m_count = count; }
    int current() const { return m_current; }
    void setCurrent(int record) { m_current = record; }

    // Number of lines beginning with "<BLOC" (the record count at load).
    int countStartMarkers() const;
    bool hasStartMarker() const;

    // Position of the first line exactly equal to the start marker of a
    // record, or -1.
    qsizetype findStart(int number) const;

    // The lines of a record between its markers, or nothing when its start
    // marker is absent. Reading stops at the end marker (or, in a block whose
    // end marker is missing, before the next marker line), at the section's
    // read limit, and takes the last line of the list only as a fixed field
    // line (a block cut short by a damaged file).
    std::optional<QStringList> readRecord(int number) const;
    // Removes the record's block: from its start marker to its end marker,
    // or, when the end marker is missing, up to the next start marker (or the
    // end of the list), so that the blocks behind it stay. Returns whether
    // there was one.
    bool removeRecord(int number);
    // Appends a block for the record at the end of the list.
    void appendRecord(int number, const QStringList &body);
    // Removes the old block and appends the new one: the write of a record.
    void writeRecord(int number, const QStringList &body)
    {
        removeRecord(number);
        appendRecord(number, body);
    }
    void appendLine(const QString &line);

    // Renumbering after record `deleted` was removed: every marker numbered
    // above it goes down by one, and the record count decreases (unless the
    // section holds fewer than 2 records). Markers whose number cannot be read
    // are left alone; *damaged (when given) receives the first of them.
    void renumber(int deleted, QString *damaged = nullptr);

    // +1 per line beginning with "<BLOC", -1 per line beginning with
    // "</BLOC". Zero counts as sound, even when the markers are out of order.
    int balance() const;
    // Rebuilds a sound file: every block is kept with every line of its body,
    // empty lines included, in number order, numbered 0, 1, 2... A block ends
    // at its own end marker, or, when that is missing or its start marker's
    // number cannot be read, before the next marker line, and is then closed.
    // Lines outside blocks go, and so do empty blocks cut short at once. The
    // record count becomes the number of blocks kept.
    void repair();

    // The check at load: when the balance is not zero the section's text is
    // shown through `tell` (a Yes/No question when the section asks, whose
    // answer decides; a plain message otherwise, after which the file is
    // always repaired).
    enum class CheckResult
    {
        Sound,
        Kept,
        Repaired
    };
    using Teller = std::function<bool(const QString &text, bool question)>;
    CheckResult check(const Teller &tell);

    // Shopping lists: for each record number 0..count-1 found on two start
    // markers or more, remove one block of that number (the first in the
    // file). Nothing is renumbered and the count stays. Returns the first
    // marker whose number cannot be read in *damaged.
    void removeDuplicates(QString *damaged = nullptr);
    // The load of a section file once it is read (`lines`; nothing for a
    // missing file, which keeps the lines there are): the count of start
    // markers, the check, and the shopping lists' duplicate removal, whose
    // unreadable marker is told through `tell`; on the sections that show
    // their first record on load, that record becomes current.
    CheckResult load(std::optional<QStringList> lines, const Teller &tell);
    // What the user is told of a marker whose number cannot be read.
    static QString damagedMarkerText(const QString &marker);

    // Removes the first block of a record number (SupBloc8).
    void removeOneBlock(int number) { removeRecord(number); }

    // Search ("Rechercher..." / "Continuer"): the first line at or after
    // `from` whose text, with the letters a-z folded to A-Z (accented letters
    // unchanged), contains `text` folded the same way; -1 when none. Marker
    // lines are searched like any other. An empty text matches nothing.
    qsizetype findText(const QString &text, qsizetype from) const;
    // The record that holds a line: the one opened by the nearest line at or
    // above it beginning with "<BLOC", when reading that record shows this
    // block (an exact marker, the first of its number, the line not past its
    // end marker); -1 otherwise.
    int recordOfLine(qsizetype line) const;

    // Before saving: blank lines at the top of the list go (while at least 3
    // lines remain); blank lines between blocks stay.
    void squeeze();

private:
    void invalidateIndex() { m_indexValid = false; }
    void buildIndex() const;
    void eraseLines(qsizetype pos, qsizetype count);
    static int exactStartKey(const QString &line);

    Config m_config;
    QStringList m_lines;
    int m_count = 0;
    int m_current = 0;

    // Positions of the lines exactly equal to "<BLOCnnnn>", per nnnn, in file
    // order.
    mutable std::vector<std::vector<qsizetype>> m_index;
    mutable bool m_indexValid = false;
};
