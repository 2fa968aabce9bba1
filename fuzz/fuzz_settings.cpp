// "Tivarel.ini": what reads is written back and reads again to the same
// settings.

#include "FuzzSection.h"

#include "app/Settings.h"

namespace {

void readAll(const QStringList &lines)
{
    const auto settings = Settings::fromLines(lines);
    if (!settings)
        return;
    const auto again = Settings::fromLines(TextFile::splitLines(TextFile::joinLines(settings->toLines())));
    if (!again || again->toLines() != settings->toLines() || again->autoOpen != settings->autoOpen)
        std::abort();
}

QStringList unused(const QStringList &lines)
{
    return lines;
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, unused)
