#pragma once

#include "collections/BlockFile.h"

// The block-file routines of the collection sections under their own names
// (the digit is the section's page number): check and repair at load
// (VerifN), renumber after a delete (Renum7), and the shopping lists'
// duplicate removal (Doublons8 with SupBloc8); squeeze before save and
// renumber for any section below.
// Each runs the shared engine with the section's own settings; the file must
// have been made with BlockFile::config(N).
namespace BlockRoutines {

BlockFile::CheckResult Verif6(BlockFile &file, const BlockFile::Teller &tell);
BlockFile::CheckResult Verif7(BlockFile &file, const BlockFile::Teller &tell);
BlockFile::CheckResult Verif8(BlockFile &file, const BlockFile::Teller &tell);
BlockFile::CheckResult Verif9(BlockFile &file, const BlockFile::Teller &tell);
BlockFile::CheckResult Verif10(BlockFile &file, const BlockFile::Teller &tell);

void Renum7(BlockFile &file, int deleted, QString *damaged = nullptr);

void Doublons8(BlockFile &file, QString *damaged = nullptr);
void SupBloc8(BlockFile &file, int number);

// The routine of a section by its page number (6..10), for code that serves
// every section.
BlockFile::CheckResult Verif(BlockFile &file, const BlockFile::Teller &tell);
void Squize(BlockFile &file);
void Renum(BlockFile &file, int deleted, QString *damaged = nullptr);

} // namespace BlockRoutines
