#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// The record sections (photo album, video library, book library,
// reimbursements) keep one
// record per block of their block file. Each section describes its record as
// data: the fixed field lines in file order, then the memos whose lines are
// stored with a tag in front. The one record form of the window is built from
// that list, and the lines of a block are read and written from it.
//
// Block body (the lines between the start and end markers):
//
//     line 1 .. n     one line per fixed field: texts as typed, dates as
//                     "dd/mm/yyyy", integers in decimal
//     then            for each memo in turn, one line per memo line: the tag
//                     ("Memo2") followed directly by the text, even when empty
struct RecordField
{
    enum class Kind
    {
        Text,    // one-line text field
        Date,    // date picker, stored "dd/mm/yyyy"
        Integer, // spin field without minimum or maximum, stored in decimal
        Choice,  // editable drop-down box of the document window, stored as typed
        Amount,  // decimal number typed with a comma, stored as typed
        Picture, // path of a picture file, shown in a frame
        Memo,    // multi-line text, one tagged line per memo line
    };

    Kind kind = Kind::Text;
    QString name;   // object name of the control ("Edit8", "SpinEdit2", "Memo2")
    QString label;  // its label on the page
    QString unit;   // text after the control ("min"), if any
    QString tag;    // memos: the tag in front of each stored line; an empty
                    // tag makes every line after the fixed ones the memo's
    QString prefix; // texts: keyword written before the value ("TITLE "),
                    // skipped by its length when read, never looked at

    int defaultValue = 0;         // spin fields: value when the form is made
    bool keptOnRead = false;      // reading a record does not reset the control
    bool emptyKeepsValue = false; // an empty line leaves the control as it was
    bool sameRow = false;         // laid out beside the field before it
    int comboBox = 0;             // Choice: number of the document window's box
    QStringList fixedItems;       // Choice: items the section fills in itself

    bool isFixedLine() const { return kind != Kind::Memo; }

    // Builders for the section tables.
    static RecordField text(const QString &name, const QString &label);
    static RecordField amount(const QString &name, const QString &label);
    static RecordField date(const QString &name, const QString &label);
    // A spin field: not reset when a record is read.
    static RecordField spin(const QString &name, const QString &label, int defaultValue,
                            const QString &unit = QString());
    static RecordField choice(int comboBox, const QString &label);
    static RecordField picture(const QString &name, const QString &label);
    // A memo whose tag is its own name ("Memo2").
    static RecordField memo(const QString &name, const QString &label);
    // A memo whose lines are stored without a tag (the album's comment).
    static RecordField untaggedMemo(const QString &name, const QString &label);
};

// The values of one record, one per field of the schema:
//   Text, Choice, Amount, Picture: QString; Date: QDate; Integer: int;
//   Memo: QStringList (its lines).
// An invalid QVariant stands for "not read": the control keeps what it shows.
using RecordValues = QList<QVariant>;

// What reading a block gave.
struct RecordReading
{
    enum class Fault
    {
        None,
        Unreadable, // a date or integer line that cannot be converted
        Missing,    // the block ends before this fixed line
    };

    RecordValues values;
    Fault fault = Fault::None;
    int faultField = -1; // index of the field where reading stopped
    QString faultText;   // the line that could not be read

    bool damaged() const { return fault != Fault::None; }
};

class RecordSchema
{
public:
    RecordSchema() = default;
    RecordSchema(QString header, QList<RecordField> fields);

    const QString &header() const { return m_header; }
    const QList<RecordField> &fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    const RecordField &field(int i) const { return m_fields.at(i); }
    int indexOf(const QString &name) const;
    // The field's name for the user: its label, or for a field laid out
    // beside another (a bit rate) that field's label with its unit.
    QString displayName(int i) const;

    // Number of fixed field lines after the start marker.
    int fixedLines() const { return m_fixedLines; }

    // The body of a block for these values (all fields must be present).
    // Line ends in a text become blanks; tabs stay (one read from the file is
    // the record's own; one the user types never gets this far, OneLineInput).
    QStringList write(const RecordValues &values) const;

    // Reads a block body. Fixed lines are converted in order; the first date
    // or integer that cannot be read ends the reading there, and the fields
    // after it are left unread. Memo lines are then taken from the lines
    // after the fixed ones up to the end of the body, whole: a line that
    // begins with a memo's tag goes, without the tag, to the end of that memo;
    // other lines are ignored.
    RecordReading read(const QStringList &body) const;

    // The body of a record's block in a section's line list, whole: from the
    // line after its start marker up to its end marker, however many lines
    // that is. A block whose end marker is missing (a damaged file kept as it
    // was) ends before the next marker line or at the end of the list.
    // Nothing when the start marker is absent.
    static std::optional<QStringList> blockBody(const QStringList &lines, qsizetype start, const QString &endMarker);

    // The user's message for a damaged record (record counted from 1), in
    // French, naming the field and the text that could not be read.
    QString damageMessage(const RecordReading &reading, int recordNumber) const;

private:
    QString m_header;
    QList<RecordField> m_fields;
    int m_fixedLines = 0;
};
