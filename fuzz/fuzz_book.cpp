// The book library (".olv"): every record read, and the file loaded and saved with every
// record written back from the record form.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

#include "collections/BookRecord.h"

namespace {

void readAll(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::load(9, lines);
    FuzzBlocks::visitRecords(file, BookRecord::schema(), false);
    FuzzBlocks::edit(file);
}

QStringList loadAndSave(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::loadWellFormed(9, lines);
    FuzzBlocks::visitRecords(file, BookRecord::schema(), true);
    return FuzzBlocks::save(file);
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)
