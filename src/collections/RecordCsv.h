#pragma once

#include "document/Document.h"

#include <QByteArray>
#include <QStringList>

class RecordSchema;

// The records of a record section (films, books) as a spreadsheet table
// (see CsvWriter): one header row of the fields' names, then one row per
// record in number order. Dates as "JJ/MM/AAAA", integers and amounts as
// numbers, memos as one field whose lines are kept (quoted); a field the
// record could not give (a damaged block) is left empty.
namespace RecordCsv {

QByteArray table(const RecordSchema &schema, SectionId section, const QStringList &blockLines);

} // namespace RecordCsv
