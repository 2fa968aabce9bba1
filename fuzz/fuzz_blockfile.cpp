// The block file's check and repair, with each section's settings: the
// check answered No keeps the lines, answered Yes repairs them, and a
// repaired file is sound and stays as it is through a second repair.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

namespace {

void checkAndRepair(const QStringList &lines)
{
    for (int section = 6; section <= 10; ++section) {
        BlockFile kept(BlockFile::config(SectionId(section)));
        kept.setLines(lines);
        kept.setRecordCount(kept.countStartMarkers());
        kept.check([](const QString &, bool question) { return !question; });
        if (kept.settings().checkAsks && kept.lines() != lines)
            std::abort();

        BlockFile repaired(BlockFile::config(SectionId(section)));
        repaired.setLines(lines);
        repaired.setRecordCount(repaired.countStartMarkers());
        const auto result = repaired.check([](const QString &, bool) { return true; });
        if (repaired.balance() != 0)
            std::abort();
        const QStringList once = repaired.lines();
        repaired.repair();
        if (result == BlockFile::CheckResult::Repaired && repaired.lines() != once)
            std::abort();
        if (repaired.settings().removeDuplicates)
            repaired.removeDuplicates();
        FuzzBlocks::edit(repaired);
    }
}

QStringList unused(const QStringList &lines)
{
    return lines;
}

} // namespace

TIVAREL_FUZZ_SECTION(checkAndRepair, unused)
