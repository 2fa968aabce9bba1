// "Tivarel.cbx": the remembered lists read, written and read again to the
// same lists.

#include "FuzzSection.h"

#include "model/RememberedLists.h"

namespace {

void readAll(const QStringList &lines)
{
    const QMap<QString, QStringList> lists = RememberedLists::parse(lines);
    const QStringList written = RememberedLists::write(lists);
    if (RememberedLists::parse(TextFile::splitLines(TextFile::joinLines(written))) != lists)
        std::abort();
}

QStringList unused(const QStringList &lines)
{
    return lines;
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, unused)
