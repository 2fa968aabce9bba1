// The block file's check and repair, with each section's settings: the
// check answered No keeps the lines, answered Yes repairs them, and a
// repaired file is sound and stays as it is through a second repair.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

namespace {

void checkAndRepair(const QStringList &lines)
{
    for (int section = 6; section <= 10; ++section) {
        BlockFile kept(BlockFile::config(section));
        kept.setLines(lines);
        kept.setRecordCount(kept.countStartMarkers());
        kept.check([](const QString &, bool question) { return !question; });
        if (kept.settings().checkAsks && kept.lines() != lines)
            std::abort();

        BlockFile repaired = FuzzBlocks::load(section, lines);
        if (repaired.balance() != 0)
            std::abort();
        const QStringList once = repaired.lines();
        repaired.repair();
        if (repaired.lines() != once && kept.balance() != 0)
            std::abort();
        FuzzBlocks::edit(repaired);
    }
}

QStringList unused(const QStringList &lines)
{
    return lines;
}

} // namespace

TIVAREL_FUZZ_SECTION(checkAndRepair, unused)
