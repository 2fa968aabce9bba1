#include "../agenda/AgendaBenchData.h"
#include "BenchSupport.h"
#include "FixedClock.h"
#include "SilentUi.h"
#include "agenda/WeekPage.h"
#include "collections/AlbumPage.h"
#include "common/Clock.h"
#include "common/SearchState.h"
#include "document/DocumentContext.h"
#include "model/DocumentModel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// "Continuer" (F3) as the document window runs it: the page writes its
// screen back, then the shared search scans the page's store from the
// search position and shows what it finds.
namespace {

struct Fixture
{
    SilentUi ui;
    FixedClock clock{QDateTime(QDate(2015, 6, 10), QTime(9, 0))};
    DocumentModel model;
    DocumentContext context{ui, clock, model.document(), model.extraLists()};
    SearchState search;

    qsizetype findNext(SectionPage &page, const QString &text)
    {
        search.start(text);
        page.writeBack();
        return search.next(*page.searchLines(), [&page](qsizetype line) { return page.showFound(line); });
    }
};

// 100,000 appointments, no line holds the text: the whole store is scanned.
void BM_FindNextWeekNoMatch(benchmark::State &state)
{
    Fixture f;
    f.context.document().referenceDate = f.clock.today();
    AgendaStore store;
    WeekPage page(f.context, store);
    // Copied line by line, as reading the file lays them out in memory (the
    // generated lines were sorted after they were made, so they lie scattered).
    QStringList loaded;
    for (const QString &line : benchAgendaLines())
        loaded << QString(line.constData(), line.size());
    page.store().setLines(loaded);
    page.display();
    for (auto _ : state)
        benchmark::DoNotOptimize(f.findNext(page, QStringLiteral("introuvable")));
}
BENCHMARK(BM_FindNextWeekNoMatch)->Unit(benchmark::kMillisecond);

// An album of 10,000 records of 20 lines (marker, title, picture, 16
// comment lines, end marker): 200,000 lines, the only match on the last
// comment line of the last record, which is then shown.
void BM_FindNextAlbumLastLine(benchmark::State &state)
{
    Fixture f;
    BlockFile file(BlockFile::config(SectionId::Album));
    AlbumPage page(f.context, file);
    QStringList lines;
    lines.reserve(200000);
    for (int r = 0; r < 10000; ++r) {
        lines << BlockFile::startMarker(r) << QStringLiteral("TITLE Vacances %1").arg(r) << QStringLiteral("PICTURE ");
        for (int c = 0; c < 16; ++c)
            lines << QStringLiteral("Souvenir %1 de la journée à la plage, photo %2").arg(r).arg(c);
        lines << BlockFile::endMarker(r);
    }
    lines[lines.size() - 2] = QStringLiteral("Le trésor caché sous le sable");
    page.blockFile().setLines(lines);
    page.blockFile().setRecordCount(10000);
    page.display();
    for (auto _ : state) {
        if (f.findNext(page, QStringLiteral("trésor caché")) != lines.size() - 2)
            state.SkipWithError("no match");
    }
}
BENCHMARK(BM_FindNextAlbumLastLine)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
