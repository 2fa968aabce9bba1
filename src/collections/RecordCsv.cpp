#include "collections/RecordCsv.h"

#include "collections/BlockFile.h"
#include "collections/RecordSchema.h"
#include "common/CsvWriter.h"
#include "common/Money.h"

#include <set>

namespace RecordCsv {

QByteArray table(const RecordSchema &schema, SectionId section, const QStringList &blockLines)
{
    QStringList header;
    for (int i = 0; i < schema.fieldCount(); ++i)
        header << schema.displayName(i);
    CsvWriter csv(header);

    BlockFile file(BlockFile::config(section));
    file.setLines(blockLines);
    std::set<int> numbers;
    for (const QString &line : blockLines) {
        if (const auto n = BlockFile::markerNumber(line); n && line == BlockFile::startMarker(*n))
            numbers.insert(*n);
    }
    for (int n : numbers) {
        const auto body = file.readRecord(n);
        if (!body)
            continue;
        const RecordReading reading = schema.read(*body);
        QStringList row;
        for (int i = 0; i < schema.fieldCount(); ++i) {
            const QVariant v = reading.values.value(i);
            switch (schema.field(i).kind) {
            case RecordField::Kind::Date:
                row << (v.toDate().isValid() ? CsvWriter::date(v.toDate()) : QString());
                break;
            case RecordField::Kind::Integer: row << (v.isValid() ? QString::number(v.toInt()) : QString()); break;
            case RecordField::Kind::Amount: {
                const QString amount = v.toString();
                const auto cents = Money::parseCents(amount);
                row << (cents ? CsvWriter::cents(*cents) : amount.isEmpty() ? amount : CsvWriter::text(amount));
                break;
            }
            case RecordField::Kind::Memo: row << CsvWriter::text(v.toStringList().join(u'\n')); break;
            default: row << CsvWriter::text(v.toString());
            }
        }
        csv.addRow(row);
    }
    return csv.bytes();
}

} // namespace RecordCsv
