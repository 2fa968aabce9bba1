// The synchronisation's round trips against a real Radicale started here,
// as a household's server would answer: the first synchronisation of a
// full document into empty collections, and one with nothing to do.

#include "RadicaleServer.h"
#include "sync/DavClient.h"
#include "sync/SyncRun.h"
#include "sync/SyncState.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>

namespace {

SyncPlan::Local household(int appointments, int contacts)
{
    SyncPlan::Local local;
    const QDate first(2027, 1, 4);
    for (int i = 0; i < appointments; ++i)
        local.agenda << first.addDays(i / 8).toString("yyyyMMdd")
                            + QStringLiteral("%1:00 Rendez-vous %2").arg(8 + i % 8, 2, 10, QChar('0')).arg(i);
    for (int i = 0; i < contacts; ++i)
        local.contacts << QStringLiteral("D%1Dupont\u00a0Jeanne%1\t12 rue des Lilas\t\u00a075001 Paris\tTél: 01 02 03 "
                                         "04 %2\u00a0\tFax: \u00a0\tE.mail jeanne%1@exemple.fr\t")
                              .arg(100 + i)
                              .arg(i % 100, 2, 10, QChar('0'));
    return local;
}

int user = 0;

// One run of the document against the account; false when it failed.
bool synchronise(RadicaleServer &server, SyncAccount &account, SyncPlan::Local &local, SyncState &state)
{
    DavClient client(server.url(), account.user, QStringLiteral("secret"));
    const auto r = SyncRun::run(client, account, local, state, QDateTime(QDate(2026, 12, 7), QTime(9, 0)),
                                QByteArrayLiteral("Europe/Paris"));
    return r.status == SyncRun::Status::Done;
}

void BM_FirstSynchronisation(benchmark::State &st)
{
    RadicaleServer server;
    if (!server.start())
        st.SkipWithError("Radicale did not start");
    for (auto _ : st) {
        st.PauseTiming();
        SyncAccount account{server.url().toString(), QStringLiteral("u%1").arg(++user), {}, {}, false};
        SyncPlan::Local local = household(1000, 500);
        SyncState state;
        st.ResumeTiming();
        if (!synchronise(server, account, local, state))
            st.SkipWithError("synchronisation failed");
    }
}
BENCHMARK(BM_FirstSynchronisation)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_NothingChanged(benchmark::State &st)
{
    RadicaleServer server;
    if (!server.start())
        st.SkipWithError("Radicale did not start");
    SyncAccount account{server.url().toString(), QStringLiteral("u%1").arg(++user), {}, {}, false};
    SyncPlan::Local local = household(1000, 500);
    SyncState state;
    if (!synchronise(server, account, local, state))
        st.SkipWithError("first synchronisation failed");
    for (auto _ : st)
        if (!synchronise(server, account, local, state))
            st.SkipWithError("synchronisation failed");
}
BENCHMARK(BM_NothingChanged)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
