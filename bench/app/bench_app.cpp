// Opening and saving a 10 MB document set against a raw read-and-split of
// the same bytes, and start-up to the first painted main window against a
// bare QMainWindow.
//
//   QT_QPA_PLATFORM=offscreen ./bench_app --benchmark_repetitions=7
//       --benchmark_report_aggregates_only=true

#include "app/TChild.h"
#include "app/TMainForm.h"
#include "app/TSplash.h"
#include "FixedClock.h"
#include "common/Clock.h"
#include "common/TextFile.h"
#include "common/UiServices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "SilentUi.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

const QStringList kExtensions = {".orz", ".ocn", ".oan", ".oaf", ".obg", ".oap", ".ovd", ".oco", ".olv", ".osc"};

QStringList blockFile(int records, int fields, const QString &label)
{
    QStringList lines;
    for (int r = 0; r < records; ++r) {
        const QString n = QStringLiteral("%1").arg(r, 4, 10, QLatin1Char('0'));
        lines << QStringLiteral("<BLOC%1>").arg(n);
        for (int f = 0; f < fields; ++f)
            lines << QStringLiteral("%1 %2 champ %3 texte de remplissage é").arg(label).arg(r).arg(f);
        lines << QStringLiteral("</BLOC%1>").arg(n);
    }
    return lines;
}

// About 10 MB spread over the ten files, in the sections' formats.
void generateSet(const QString &base)
{
    QStringList orz;
    const QDate start(2006, 1, 2);
    for (int i = 0; i < 70000; ++i) {
        const QDate d = start.addDays(i / 10);
        orz << d.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(" %1%2 Rendez-vous numéro %3 chez le médecin")
                                                        .arg(8 + i % 10, 2, 10, QLatin1Char('0'))
                                                        .arg((i * 7) % 60, 2, 10, QLatin1Char('0'))
                                                        .arg(i);
    }
    QStringList ocn;
    for (int i = 0; i < 8000; ++i) {
        const QChar letter(u'A' + i % 26);
        ocn << letter + QString::number(100 + 8 * (i / 26 % 100)).rightJustified(3, u'0')
                   + QStringLiteral("M.\u00a0Dupont\u00a0Jean\t12\u00a0rue\u00a0des\u00a0Lilas\t\t75011\u00a0Paris\t"
                                    "01\u00a023\u00a045\u00a067\u00a089\t\tjean%1@exemple.fr\t")
                         .arg(i);
    }
    QStringList oan;
    for (int i = 0; i < 4000; ++i)
        oan << QStringLiteral("%1%2 Anniversaire de la personne %3")
                   .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                   .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                   .arg(i);
    QStringList oaf{QStringLiteral("<FAIRE>")};
    for (int i = 0; i < 4000; ++i)
        oaf << QStringLiteral("Chose à faire numéro %1 avant la fin du mois").arg(i);
    oaf << QStringLiteral("<FAIT>");
    for (int i = 0; i < 4000; ++i)
        oaf << QStringLiteral("Chose faite numéro %1 au début du mois").arg(i);
    QStringList obg;
    for (int m = 0; m < 240; ++m) {
        const int year = 2006 + m / 12;
        const int month = 1 + m % 12;
        const QString key = QStringLiteral("258%1%2").arg(year).arg(month, 2, 10, QLatin1Char('0'));
        for (int r = 0; r < 50; ++r) {
            const QString row = key + QStringLiteral("%1").arg(r, 3, 10, QLatin1Char('0'));
            obg << row + u'0' + QStringLiteral("%1/%2/%3").arg(1 + r % 28, 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0')).arg(year)
                << row + QStringLiteral("1Alimentation") << row + QStringLiteral("2Courses de la semaine")
                << row + QStringLiteral("3       42,50") << row + u'4' << row + u'5';
        }
    }
    const QMap<QString, QStringList> files = {
        {".orz", orz},
        {".ocn", ocn},
        {".oan", oan},
        {".oaf", oaf},
        {".obg", obg},
        {".oap", blockFile(2000, 6, QStringLiteral("Photo"))},
        {".ovd", blockFile(1200, 18, QStringLiteral("Film"))},
        {".oco", blockFile(1500, 8, QStringLiteral("Achat"))},
        {".olv", blockFile(1500, 12, QStringLiteral("Livre"))},
        {".osc", blockFile(1500, 11, QStringLiteral("Soin"))},
    };
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        TextFile::write(base + it.key(), it.value());
}

struct SetFixture
{
    QTemporaryDir dir;
    QString base;
    qint64 bytes = 0;
    SetFixture()
    {
        base = dir.filePath(QStringLiteral("agenda"));
        generateSet(base);
        for (const QString &e : kExtensions)
            bytes += QFileInfo(base + e).size();
    }
};

SetFixture &fixture()
{
    static SetFixture f;
    return f;
}

void BM_RawReadAndSplit(benchmark::State &state)
{
    SetFixture &f = fixture();
    for (auto _ : state) {
        qsizetype lines = 0;
        for (const QString &e : kExtensions) {
            QFile file(f.base + e);
            file.open(QIODevice::ReadOnly);
            lines += TextFile::splitLines(file.readAll()).size();
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}
BENCHMARK(BM_RawReadAndSplit)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenSet(benchmark::State &state)
{
    SetFixture &f = fixture();
    SilentUi ui;
    FixedClock clock(QDateTime(QDate(2010, 6, 15), QTime(9, 0)));
    for (auto _ : state) {
        TChild child(ui, clock, f.dir.path());
        child.Charge(f.base + QStringLiteral(".orz"));
        state.PauseTiming();
        // Destroying the window is not part of opening.
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}
BENCHMARK(BM_OpenSet)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveSet(benchmark::State &state)
{
    SetFixture &f = fixture();
    SilentUi ui;
    FixedClock clock(QDateTime(QDate(2010, 6, 15), QTime(9, 0)));
    TChild child(ui, clock, f.dir.path());
    child.Charge(f.base + QStringLiteral(".orz"));
    const QString copy = f.dir.filePath(QStringLiteral("copie.orz"));
    for (auto _ : state) {
        child.document().setModified();
        // Under another name every file of the set is written.
        child.document().name = f.base + QStringLiteral(".orz");
        benchmark::DoNotOptimize(child.Sauve(copy));
    }
    state.SetBytesProcessed(state.iterations() * f.bytes);
}
BENCHMARK(BM_SaveSet)->Unit(benchmark::kMillisecond)->UseRealTime();

// Waits until `w` has been painted once.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void waitForPaint(QWidget &w)
{
    PaintWatch watch;
    w.installEventFilter(&watch);
    w.show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w.removeEventFilter(&watch);
}

// Whole processes, from their start to the first paint of the main window:
// the program's own start (splash, translations, main window, document
// window with its ten pages) against a bare QMainWindow.
void runProbe(benchmark::State &state, const QString &mode)
{
    QTemporaryDir dir; // the start directory, without settings
    for (auto _ : state) {
        QProcess p;
        p.setWorkingDirectory(dir.path());
        timespec ts;
        clock_gettime(CLOCK_REALTIME, &ts);
        const long long started = static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
        p.start(QStringLiteral(STARTUP_PROBE), {mode});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) {
            state.SkipWithError("the start-up probe did not finish");
            break;
        }
        const long long painted = p.readAllStandardOutput().trimmed().toLongLong();
        state.SetIterationTime(double(painted - started) / 1e9);
    }
}

void BM_ProcessStartBareMainWindow(benchmark::State &state)
{
    runProbe(state, QStringLiteral("bare"));
}
BENCHMARK(BM_ProcessStartBareMainWindow)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_ProcessStartLabelledMainWindow(benchmark::State &state)
{
    runProbe(state, QStringLiteral("labelled"));
}
BENCHMARK(BM_ProcessStartLabelledMainWindow)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_ProcessStartTivarel(benchmark::State &state)
{
    runProbe(state, QStringLiteral("tivarel"));
}
BENCHMARK(BM_ProcessStartTivarel)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_StartBareMainWindow(benchmark::State &state)
{
    for (auto _ : state) {
        QMainWindow w;
        w.resize(800, 600);
        waitForPaint(w);
    }
}
BENCHMARK(BM_StartBareMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartTivarel(benchmark::State &state)
{
    QTemporaryDir dir; // the start directory, without settings
    SilentUi ui;
    SystemClock clock;
    for (auto _ : state) {
        auto splash = std::make_unique<TSplash>();
        splash->show();
        splash->repaint();
        TMainForm form(ui, clock, dir.path());
        splash.reset();
        waitForPaint(form);
        state.PauseTiming();
        form.hide();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartTivarel)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
