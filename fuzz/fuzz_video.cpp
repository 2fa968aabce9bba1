// The video library (".ovd"): every record read, and the file loaded and saved with every
// record written back from the record form.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

#include "collections/VideoRecord.h"

namespace {

void readAll(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::load(7, lines);
    FuzzBlocks::visitRecords(file, VideoRecord::schema(), false);
    FuzzBlocks::edit(file);
}

QStringList loadAndSave(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::loadWellFormed(7, lines);
    FuzzBlocks::visitRecords(file, VideoRecord::schema(), true);
    return FuzzBlocks::save(file);
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)
