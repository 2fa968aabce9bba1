// The photo album (".oap"): every page read, and the file loaded and saved
// with every page written back.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

#include "collections/AlbumRecord.h"

namespace {

void visitPages(BlockFile &file, bool rewrite)
{
    for (int n = 0; n < FuzzBlocks::visited(file); ++n) {
        const RecordValues values = AlbumRecord::read(file.readRecord(n).value_or(QStringList()));
        if (!rewrite)
            continue;
        // A page with something on it is written again; an empty one has
        // nothing to write (emptying a page is an edit, not a touch).
        if (const auto body = AlbumRecord::write(values))
            file.writeRecord(n, *body);
    }
}

void readAll(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::load(6, lines);
    visitPages(file, false);
    FuzzBlocks::edit(file);
}

QStringList loadAndSave(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::loadWellFormed(6, lines);
    visitPages(file, true);
    return FuzzBlocks::save(file);
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)
