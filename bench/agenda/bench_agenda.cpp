#include "AgendaBenchData.h"
#include "agenda/AgendaStore.h"
#include "agenda/WeekArithmetic.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

const QStringList &lines()
{
    static const QStringList l = benchAgendaLines();
    return l;
}

// What "Suivant" asks of the store: the unchanged week needs no write-back;
// the next week's labels, number and seven days are read.
void BM_Suivant(benchmark::State &state)
{
    AgendaStore store;
    store.setLines(lines());
    QDate reference(2010, 3, 3);
    for (auto _ : state) {
        reference = reference.addDays(7);
        if (reference.year() > 2025)
            reference = QDate(2006, 1, 4);
        QString labels = WeekArithmetic::weekLabel(reference);
        for (int i = 1; i <= 7; ++i) {
            const QDate d = WeekArithmetic::day(reference, i);
            labels += DateText::dayLabel(d);
            benchmark::DoNotOptimize(store.dayItems(d));
        }
        benchmark::DoNotOptimize(labels);
    }
}
BENCHMARK(BM_Suivant)->Unit(benchmark::kMicrosecond);

// EcritSemaine of an edited week: its seven days rewritten from the day
// lists (one appointment fewer, one more), then the store sorted.
void BM_EditedWriteBack(benchmark::State &state)
{
    AgendaStore store;
    store.setLines(lines());
    QDate reference(2015, 6, 10);
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        reference = reference.addDays(7);
        if (reference.year() > 2025)
            reference = QDate(2006, 1, 4);
        const QDate monday = WeekArithmetic::monday(reference);
        std::array<QStringList, 7> days;
        for (int i = 0; i < 7; ++i)
            days[i] = store.dayItems(monday.addDays(i));
        if (!days[2].isEmpty())
            days[2].removeFirst();
        days[4].append(QStringLiteral("12:00 ajout %1").arg(++n));
        state.ResumeTiming();

        store.setWeekItems(monday, days);
    }
    state.counters["lines"] = double(store.size());
}
BENCHMARK(BM_EditedWriteBack)->Unit(benchmark::kMicrosecond);

// AjoutJour appends; the next edited write-back sorts the added lines in.
void BM_AddThenEditedWriteBack(benchmark::State &state)
{
    AgendaStore store;
    store.setLines(lines());
    QDate reference(2012, 1, 11);
    int n = 0;
    for (auto _ : state) {
        reference = reference.addDays(7);
        if (reference.year() > 2025)
            reference = QDate(2006, 1, 4);
        const QDate monday = WeekArithmetic::monday(reference);
        store.addAppointment(DateText::key(monday.addYears(-3)), QStringLiteral("10:00"),
                             QStringLiteral("ajout %1").arg(++n));
        std::array<QStringList, 7> days;
        for (int i = 0; i < 7; ++i)
            days[i] = store.dayItems(monday.addDays(i));
        store.setWeekItems(monday, days);
    }
}
BENCHMARK(BM_AddThenEditedWriteBack)->Unit(benchmark::kMicrosecond);

// Loading: the lines taken over and checked for order (no sort).
void BM_LoadLines(benchmark::State &state)
{
    for (auto _ : state) {
        AgendaStore store;
        store.setLines(lines());
        store.dropShortTopLines();
        benchmark::DoNotOptimize(store.size());
    }
}
BENCHMARK(BM_LoadLines)->Unit(benchmark::kMillisecond);

// A file written elsewhere, not sorted: the day lookups go through the hash
// of the unsorted lines.
void BM_SuivantUnsortedFile(benchmark::State &state)
{
    QStringList shuffled = lines();
    std::mt19937 rng(7);
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    AgendaStore store;
    store.setLines(shuffled);
    QDate reference(2010, 3, 3);
    for (auto _ : state) {
        reference = reference.addDays(7);
        if (reference.year() > 2025)
            reference = QDate(2006, 1, 4);
        for (int i = 1; i <= 7; ++i)
            benchmark::DoNotOptimize(store.dayItems(WeekArithmetic::day(reference, i)));
    }
}
BENCHMARK(BM_SuivantUnsortedFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
