#include "document/Document.h"

const char *Document::extension(int section)
{
    static const char *const exts[SectionCount] = {".orz", ".ocn", ".oan", ".oaf", ".obg",
                                                   ".oap", ".ovd", ".oco", ".olv", ".osc"};
    if (section < 1 || section > SectionCount)
        return "";
    return exts[section - 1];
}

QStringList Document::extensions()
{
    QStringList out;
    for (int s = 1; s <= SectionCount; ++s)
        out << QString::fromLatin1(extension(s));
    return out;
}
