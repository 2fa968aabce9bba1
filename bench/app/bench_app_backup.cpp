#include "BenchSupport.h"
#include "document/Document.h"
#include "common/BackupStore.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

// The day's copy of a 10 MB document set against a plain copy of its ten
// files: making the copy (in a ".part" folder renamed once whole, then the
// rotation that removes the days beyond the 14 kept) should cost less than
// twice the plain copy.
//
// Each round ends, untimed, with sync(): the copies go to the disk as they
// would over the days between two backups, so the rotation removes a copy
// long written, as it does in use, not one still being written.
namespace {

// A set of ten files, 10 MB in all, the organiser and the budget larger.
struct Set
{
    Set()
    {
        const QStringList exts = Document::extensions();
        base = dir.filePath(QStringLiteral("agenda"));
        const int sizes[] = {3000, 700, 300, 200, 2000, 900, 900, 300, 1000, 700}; // KB
        for (int i = 0; i < exts.size(); ++i) {
            QByteArray data;
            while (data.size() < sizes[i] * 1024)
                data += QByteArray::number(QRandomGenerator::global()->generate()) + " rendez-vous\r\n";
            QFile f(base + exts[i]);
            f.open(QIODevice::WriteOnly);
            f.write(data.left(sizes[i] * 1024));
        }
    }
    QTemporaryDir dir;
    QString base;
};

void BM_PlainCopyOfSet(benchmark::State &state)
{
    Set set;
    const QStringList exts = Document::extensions();
    int n = 0;
    for (auto _ : state) {
        const QString target = set.dir.filePath(QStringLiteral("copie%1").arg(n++));
        QDir().mkpath(target);
        for (const QString &ext : exts)
            QFile::copy(set.base + ext, QDir(target).filePath(QStringLiteral("agenda") + ext));
        // The copies are kept as long as the backups keep theirs, so both
        // leave the same amount of data for the disk to write.
        state.PauseTiming();
        if (n > BackupStore::KeptDays)
            QDir(set.dir.filePath(QStringLiteral("copie%1").arg(n - 1 - BackupStore::KeptDays))).removeRecursively();
        sync();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlainCopyOfSet)->Unit(benchmark::kMillisecond);

void BM_DailyBackupOfSet(benchmark::State &state)
{
    Set set;
    BackupStore store(Document::extensions());
    QDate day(2026, 1, 1);
    for (auto _ : state) {
        // A new day each time: a whole copy, and from the 15th on the
        // removal of the oldest day.
        const auto r = store.dailyCopy(set.base, day);
        if (r.outcome != BackupStore::Outcome::Made)
            state.SkipWithError("no copy made");
        day = day.addDays(1);
        state.PauseTiming();
        sync();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DailyBackupOfSet)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
