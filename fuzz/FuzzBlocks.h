#pragma once

// What the five block-file sections share in their fuzz targets: loading a
// file through the sections' own load (BlockFile::load), and writing a record
// of the record sections back as the record form does.

#include "collections/BlockFile.h"
#include "collections/RecordSchema.h"

#include <QDate>
#include <QSet>

#include <algorithm>

namespace FuzzBlocks {

// Records visited per input: enough for every path, few enough to stay fast.
constexpr int MaxVisited = 48;

// The load of a section file, the user answering Yes to every question.
inline BlockFile load(int section, const QStringList &lines)
{
    BlockFile file(BlockFile::config(SectionId(section)));
    file.load(lines, [](const QString &, bool) { return true; });
    file.setCurrent(0);
    return file;
}

// Whether every marker line is an exact marker, every block is closed by its
// own end marker before any other marker line, and no number comes twice.
inline bool wellFormed(const BlockFile &file)
{
    QSet<QString> seen;
    QString open; // end marker awaited
    for (const QString &line : file.lines()) {
        if (!BlockFile::isStartMarker(line) && !BlockFile::isEndMarker(line))
            continue;
        const auto n = BlockFile::markerNumber(line);
        if (!n)
            return false;
        if (open.isEmpty()) {
            if (line != BlockFile::startMarker(*n) || seen.contains(line))
                return false;
            seen.insert(line);
            open = BlockFile::endMarker(*n);
        } else if (line == open) {
            open.clear();
        } else {
            return false;
        }
    }
    return open.isEmpty();
}

// The round trips start from a well-formed file. A damaged one that passes
// the check (its markers pair up in number only) is repaired first, as the
// check does when it finds the damage: its first save could still hold the
// damage, which the second load then reports and repairs, so the two saves
// would differ by design. fuzz_blockfile covers the check and the repair.
inline BlockFile loadWellFormed(int section, const QStringList &lines)
{
    BlockFile file = load(section, lines);
    if (!wellFormed(file))
        file.repair();
    return file;
}

inline int visited(const BlockFile &file)
{
    return std::clamp(file.recordCount(), 0, MaxVisited);
}

// A block whose end marker is missing is closed where its reading stops
// before it is written again, as the record form does.
inline void closeOpenBlock(BlockFile &file, int number)
{
    const qsizetype start = file.findStart(number);
    if (start < 0)
        return;
    const QString end = BlockFile::endMarker(number);
    QStringList all = file.lines();
    qsizetype i = start + 1;
    while (i < all.size() && !BlockFile::isStartMarker(all[i]) && !BlockFile::isEndMarker(all[i]))
        ++i;
    if (i < all.size() && all[i] == end)
        return;
    all.insert(i, end);
    file.setLines(std::move(all));
}

// The record form's values after reading a block: a field left unread shows
// what the form was cleared to.
inline RecordValues formValues(const RecordSchema &schema, RecordValues values)
{
    for (int i = 0; i < schema.fieldCount(); ++i) {
        if (values[i].isValid())
            continue;
        const RecordField &f = schema.field(i);
        switch (f.kind) {
        case RecordField::Kind::Date: values[i] = QDate(2024, 1, 15); break;
        case RecordField::Kind::Integer: values[i] = f.defaultValue; break;
        case RecordField::Kind::Memo: values[i] = QStringList(); break;
        default: values[i] = QString(); break;
        }
    }
    return values;
}

// Reads every record of a record section, and when `rewrite`, writes each
// one that reads whole back as the user would by touching it.
inline void visitRecords(BlockFile &file, const RecordSchema &schema, bool rewrite)
{
    for (int n = 0; n < visited(file); ++n) {
        file.setCurrent(n);
        const auto whole = RecordSchema::blockBody(file.lines(), file.findStart(n), BlockFile::endMarker(n));
        const RecordReading reading = schema.read(whole.value_or(file.readRecord(n).value_or(QStringList())));
        if (reading.damaged()) {
            (void)schema.damageMessage(reading, n + 1);
            continue;
        }
        if (!rewrite)
            continue;
        closeOpenBlock(file, n);
        file.writeRecord(n, schema.write(formValues(schema, reading.values)));
    }
}

// The engine's edits and look-ups on a loaded file: search, the record of
// a line, deleting a record with its renumbering, adding one.
inline void edit(BlockFile &file)
{
    for (qsizetype at = file.findText(QStringLiteral("a"), 0); at >= 0 && at < 64;
         at = file.findText(QStringLiteral("a"), at + 1))
        (void)file.recordOfLine(at);
    if (file.recordCount() > 0) {
        file.removeRecord(0);
        file.renumber(0);
    }
    file.writeRecord(file.recordCount(), {QStringLiteral("<BLOC0000>"), QStringLiteral("x")});
    (void)file.readRecord(file.recordCount());
    file.squeeze();
}

// The save of a section file.
inline QStringList save(BlockFile &file)
{
    if (file.settings().squeeze)
        file.squeeze();
    // The squeeze leaves blank lines at the top of a short list, which the
    // next save squeezes further; they carry nothing, so the saves are
    // compared without them.
    QStringList lines = file.lines();
    const auto blank = [](const QString &l) {
        return std::all_of(l.cbegin(), l.cend(), [](QChar c) { return c.unicode() <= 0x20; });
    };
    while (!lines.isEmpty() && blank(lines.first()))
        lines.removeFirst();
    return lines;
}

} // namespace FuzzBlocks

// The two targets of a record section (videos, books, reimbursements): every
// record read, and the file loaded and saved with every record written back
// from the record form.
#define TIVAREL_FUZZ_RECORD_SECTION(section, Record)                                                   \
    namespace {                                                                                        \
    void readAll(const QStringList &lines)                                                             \
    {                                                                                                  \
        BlockFile file = FuzzBlocks::load(section, lines);                                             \
        FuzzBlocks::visitRecords(file, Record::schema(), false);                                       \
        FuzzBlocks::edit(file);                                                                        \
    }                                                                                                  \
    QStringList loadAndSave(const QStringList &lines)                                                  \
    {                                                                                                  \
        BlockFile file = FuzzBlocks::loadWellFormed(section, lines);                                   \
        FuzzBlocks::visitRecords(file, Record::schema(), true);                                        \
        return FuzzBlocks::save(file);                                                                 \
    }                                                                                                  \
    }                                                                                                  \
    TIVAREL_FUZZ_SECTION(readAll, loadAndSave)
