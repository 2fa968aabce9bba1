#include "FixedClock.h"
#include "common/Clock.h"
#include "common/TextFile.h"
#include "contacts/AddressPage.h"
#include "document/DocumentContext.h"
#include "model/DocumentModel.h"

#include <QApplication>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "SilentUi.h"

#include <benchmark/benchmark.h>

#include <memory>

// The address page showing the letter "A" when it holds n contacts (seven
// fields each): the summary list and the block list are filled again.
namespace {

void BM_LetterPage(benchmark::State &state)
{
    const int n = int(state.range(0));
    QTemporaryDir dir;
    QStringList lines;
    lines.reserve(n);
    for (int i = 0; i < n; ++i)
        lines << QStringLiteral("A%1Martin %2\tRue des Lilas\t75011 Paris\t\t01 43 55 %3\t\tNote\t")
                     .arg(100 + 8 * (i % 113))
                     .arg(i)
                     .arg(i % 100, 2, 10, QLatin1Char('0'));
    const QString document = dir.filePath(QStringLiteral("bench.orz"));
    TextFile::write(dir.filePath(QStringLiteral("bench.ocn")), lines);

    SilentUi ui;
    FixedClock clock{QDateTime(QDate(2026, 1, 6), QTime(9, 0))};
    DocumentModel model;
    DocumentContext context{ui, clock, model.document(), model.extraLists()};
    AddressPage page(context, model.addresses());
    page.resize(800, 600);
    page.layoutFor(800, 600);
    page.show();
    DialogNotices notices(ui, nullptr);
    model.load(document, clock.today(), notices);
    page.loaded();
    for (auto _ : state) {
        page.LitNoms();
        QApplication::processEvents(); // the views lay out what they were given
    }
    state.counters["contacts"] = n;
}
BENCHMARK(BM_LetterPage)->Arg(2500)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return runBenchmarks<QApplication>(argc, argv);
}
