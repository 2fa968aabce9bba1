// Month display and month write-back on a large budget store: 20 accounts x
// 20 years x 12 months x 60 journal lines, 6 cell lines each (1 728 000
// cell lines).
#include "budget/BudgetFormat.h"
#include "budget/BudgetMonth.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace {

constexpr int kAccounts = 20;
constexpr int kYears = 20;
constexpr int kFirstYear = 2000;
constexpr int kRows = 60;

QString account(int i)
{
    return QStringLiteral("Compte ") + QChar(u'A' + i);
}

const QStringList &storeLines()
{
    static const QStringList lines = [] {
        QStringList out;
        out.reserve(kAccounts * kYears * 12 * kRows * 6);
        for (int a = 0; a < kAccounts; ++a) {
            for (int y = kFirstYear; y < kFirstYear + kYears; ++y) {
                for (int m = 1; m <= 12; ++m) {
                    const QString key = BudgetFormat::monthKeyFor(account(a), y, m);
                    for (int r = 0; r < kRows; ++r) {
                        const QString date = QStringLiteral("%1/%2/%3")
                                                 .arg(r % 28 + 1, 2, 10, QLatin1Char('0'))
                                                 .arg(m, 2, 10, QLatin1Char('0'))
                                                 .arg(y);
                        out << BudgetFormat::cellLine(key, r, 0, date)
                            << BudgetFormat::cellLine(key, r, 1, QStringLiteral("alimentation"))
                            << BudgetFormat::cellLine(key, r, 2, QStringLiteral("Courses de la semaine"))
                            << BudgetFormat::cellLine(key, r, 3, QStringLiteral("           12,50"))
                            << BudgetFormat::cellLine(key, r, 4, QString())
                            << BudgetFormat::cellLine(key, r, 5, QString());
                    }
                }
            }
        }
        return out;
    }();
    return lines;
}

BudgetMonth &model()
{
    static BudgetMonth m = [] {
        BudgetMonth b;
        b.reset(QDate(kFirstYear, 1, 1));
        b.loadLines(storeLines());
        return b;
    }();
    return m;
}

// Walks through accounts and months so that no two runs read the same month.
void selectMonth(BudgetMonth &m, int64_t i)
{
    m.setYear(kFirstYear + int((i / 12) % kYears));
    m.setMonth(int(i % 12) + 1);
}

void BM_DisplayMonth(benchmark::State &state)
{
    BudgetMonth &m = model();
    int64_t i = 0;
    for (auto _ : state) {
        selectMonth(m, i * 7);
        const auto r = m.openMonth(account(int(i % kAccounts)));
        benchmark::DoNotOptimize(r);
        if (m.grid().lineCount() != kRows)
            state.SkipWithError("month not found");
        ++i;
    }
    state.counters["store_lines"] = double(m.store().size());
}
BENCHMARK(BM_DisplayMonth)->Unit(benchmark::kMillisecond);

void BM_WriteBackMonth(benchmark::State &state)
{
    BudgetMonth &m = model();
    int64_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        selectMonth(m, i * 5);
        m.openMonth(account(int(i % kAccounts)));
        m.setChanged(true);
        state.ResumeTiming();
        benchmark::DoNotOptimize(m.storeMonth());
        ++i;
    }
    m.markSaved();
    state.counters["store_lines"] = double(m.store().size());
}
BENCHMARK(BM_WriteBackMonth)->Unit(benchmark::kMillisecond);

// For information: loading the whole store and listing it for saving.
void BM_LoadStore(benchmark::State &state)
{
    for (auto _ : state) {
        BudgetMonth b;
        b.loadLines(storeLines());
        benchmark::DoNotOptimize(b.store().size());
    }
}
BENCHMARK(BM_LoadStore)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_StoreLinesForSaving(benchmark::State &state)
{
    BudgetMonth &m = model();
    for (auto _ : state)
        benchmark::DoNotOptimize(m.fileLines().size());
}
BENCHMARK(BM_StoreLinesForSaving)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
