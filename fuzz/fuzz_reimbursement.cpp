// The reimbursements (".osc"): every record read, and the file loaded and saved with every
// record written back from the record form.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

#include "collections/ReimbursementRecord.h"

namespace {

void readAll(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::load(10, lines);
    FuzzBlocks::visitRecords(file, ReimbursementRecord::schema(), false);
    FuzzBlocks::edit(file);
}

QStringList loadAndSave(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::loadWellFormed(10, lines);
    FuzzBlocks::visitRecords(file, ReimbursementRecord::schema(), true);
    return FuzzBlocks::save(file);
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)
