#pragma once

// Shared entry point of the section fuzz targets.
//
// Each section source defines two routines on the lines of a section file:
//   readAll(lines)      runs every reader of the section on them;
//   loadAndSave(lines)  loads them as the section page does, writes every
//                       position back as if the user had touched it, and
//                       returns the lines a save would write.
// and ends with TIVAREL_FUZZ_SECTION(readAll, loadAndSave).
//
// Built plainly, the target feeds the input to readAll. Built with
// TIVAREL_FUZZ_ROUND_TRIP, it loads and saves the input, loads and saves
// the result again, and aborts when the two saves differ: whatever a save
// writes must read back to itself.

#include "common/TextFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace FuzzSection {

inline int initialise(int *argc, char ***argv)
{
    // Some readers ask the application for its locale or paths.
    static QCoreApplication app(*argc, *argv);
    return 0;
}

// Bytes made readable: one line per line, other control and non-ASCII bytes
// as %XX.
inline QByteArray shown(const QByteArray &bytes)
{
    return bytes.toPercentEncoding(" ").replace("%0D%0A", "\n");
}

inline void roundTrip(const uint8_t *data, size_t size, QStringList (*loadAndSave)(const QStringList &))
{
    const QByteArray first =
        TextFile::joinLines(loadAndSave(TextFile::splitLines(QByteArrayView(data, qsizetype(size)))));
    const QByteArray second = TextFile::joinLines(loadAndSave(TextFile::splitLines(first)));
    if (first != second) {
        std::fprintf(stderr, "A second load and save changed the file:\n--- first\n%s\n--- second\n%s\n",
                     shown(first).constData(), shown(second).constData());
        std::abort();
    }
}

} // namespace FuzzSection

#ifdef TIVAREL_FUZZ_ROUND_TRIP
#define TIVAREL_FUZZ_SECTION(readAll, loadAndSave)                                                                     \
    extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) { return FuzzSection::initialise(argc, argv); }      \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                                           \
    {                                                                                                                  \
        FuzzSection::roundTrip(data, size, loadAndSave);                                                               \
        (void)&readAll;                                                                                                \
        return 0;                                                                                                      \
    }
#else
#define TIVAREL_FUZZ_SECTION(readAll, loadAndSave)                                                                     \
    extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) { return FuzzSection::initialise(argc, argv); }      \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                                           \
    {                                                                                                                  \
        readAll(TextFile::splitLines(QByteArrayView(data, qsizetype(size))));                                         \
        (void)&loadAndSave;                                                                                            \
        return 0;                                                                                                      \
    }
#endif
