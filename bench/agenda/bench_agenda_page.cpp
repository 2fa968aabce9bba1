#include "AgendaBenchData.h"
#include "FixedClock.h"
#include "agenda/WeekPage.h"
#include "common/Clock.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"
#include "model/DocumentModel.h"

#include <QApplication>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <memory>

// The same two figures through the week page itself: "Suivant" with its
// seven day lists refilled, and EcritSemaine of an edited week.
namespace {

struct PageFixture
{
    WidgetUiServices ui;
    FixedClock clock{QDateTime(QDate(2015, 6, 10), QTime(9, 0))};
    DocumentModel model;
    DocumentContext context{ui, clock, model.document(), model.extraLists()};
    AgendaStore store;
    std::unique_ptr<WeekPage> page;

    PageFixture()
    {
        context.document().referenceDate = clock.today();
        page = std::make_unique<WeekPage>(context, store);
        page->resize(800, 480);
        page->layoutFor(800, 480);
        page->store().setLines(benchAgendaLines());
        page->display();
    }
};

void BM_PageSuivant(benchmark::State &state)
{
    PageFixture f;
    for (auto _ : state) {
        f.page->suivant();
        if (f.context.document().referenceDate.year() > 2025)
            f.context.document().referenceDate = QDate(2006, 1, 4);
    }
}
BENCHMARK(BM_PageSuivant)->Unit(benchmark::kMicrosecond);

// An edit on screen (the week edited flag) written back: seven days
// rewritten and the store sorted.
void BM_PageEditedWriteBack(benchmark::State &state)
{
    PageFixture f;
    for (auto _ : state) {
        f.page->setWeekEdited();
        f.page->writeBack();
    }
}
BENCHMARK(BM_PageEditedWriteBack)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return runBenchmarks<QApplication>(argc, argv);
}
