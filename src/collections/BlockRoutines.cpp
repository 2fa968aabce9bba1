#include "collections/BlockRoutines.h"

namespace BlockRoutines {

BlockFile::CheckResult Verif(BlockFile &file, const BlockFile::Teller &tell)
{
    return file.check(tell);
}

void Squize(BlockFile &file)
{
    // The shopping lists are saved as they stand.
    if (file.settings().squeeze)
        file.squeeze();
}

void Renum(BlockFile &file, int deleted, QString *damaged)
{
    file.renumber(deleted, damaged);
}

BlockFile::CheckResult Verif6(BlockFile &file, const BlockFile::Teller &tell)
{
    return Verif(file, tell);
}
BlockFile::CheckResult Verif7(BlockFile &file, const BlockFile::Teller &tell)
{
    return Verif(file, tell);
}
BlockFile::CheckResult Verif8(BlockFile &file, const BlockFile::Teller &tell)
{
    return Verif(file, tell);
}
BlockFile::CheckResult Verif9(BlockFile &file, const BlockFile::Teller &tell)
{
    return Verif(file, tell);
}
BlockFile::CheckResult Verif10(BlockFile &file, const BlockFile::Teller &tell)
{
    return Verif(file, tell);
}

void Renum7(BlockFile &file, int deleted, QString *damaged)
{
    Renum(file, deleted, damaged);
}

void Doublons8(BlockFile &file, QString *damaged)
{
    file.removeDuplicates(damaged);
}

void SupBloc8(BlockFile &file, int number)
{
    file.removeOneBlock(number);
}

} // namespace BlockRoutines
