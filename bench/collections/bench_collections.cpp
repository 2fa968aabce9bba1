// Speed of the block-file engine on a large section (10,000 records of 20
// lines: load with check, next record, write of a changed record, save) and
// of an album page whose picture is a 24-megapixel JPEG.
//
// Run: bench_collections --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "collections/AlbumPage.h"
#include "collections/BlockFile.h"
#include "collections/PictureFile.h"
#include "common/Clock.h"
#include "common/TextFile.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"
#include "model/DocumentModel.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "SilentUi.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kRecords = 10000;

QTemporaryDir &tempDir()
{
    static QTemporaryDir dir;
    return dir;
}

// A video block: 15 fixed lines and 3 memo lines, 20 lines with its markers.
QStringList videoBody(int n)
{
    QStringList b;
    b << QStringLiteral("F%1").arg(n, 5, 10, QLatin1Char('0')) << QStringLiteral("05/01/2026") << QStringLiteral("3")
      << QStringLiteral("Titre du film numéro %1").arg(n) << QStringLiteral("Réalisateur")
      << QStringLiteral("Producteur") << QStringLiteral("France") << QStringLiteral("Comédie") << QStringLiteral("1999")
      << QStringLiteral("95") << QStringLiteral("DivX") << QStringLiteral("900") << QStringLiteral("MP3")
      << QStringLiteral("128") << QString() << QStringLiteral("Memo2Acteur un, acteur deux")
      << QStringLiteral("Memo3Une description assez longue") << QStringLiteral("Memo4Un commentaire");
    return b;
}

const QString &sectionFile()
{
    static const QString path = [] {
        QStringList lines;
        for (int n = 0; n < kRecords; ++n) {
            lines << BlockFile::startMarker(n);
            lines += videoBody(n);
            lines << BlockFile::endMarker(n);
        }
        const QString p = tempDir().filePath(QStringLiteral("films.ovd"));
        TextFile::write(p, lines);
        return p;
    }();
    return path;
}

BlockFile loadSection()
{
    BlockFile f(BlockFile::config(SectionId::Videos));
    f.setLines(*TextFile::read(sectionFile()));
    f.setRecordCount(f.countStartMarkers());
    f.check([](const QString &, bool) { return true; });
    f.setCurrent(0);
    benchmark::DoNotOptimize(f.readRecord(0));
    return f;
}

void BM_LoadWithCheck(benchmark::State &state)
{
    sectionFile();
    for (auto _ : state) {
        BlockFile f = loadSection();
        benchmark::DoNotOptimize(f.recordCount());
    }
}
BENCHMARK(BM_LoadWithCheck)->Unit(benchmark::kMillisecond);

void BM_NextRecord(benchmark::State &state)
{
    BlockFile f = loadSection();
    f.readRecord(0); // the index is built by the first read after loading
    for (auto _ : state) {
        // Write of an unchanged record: nothing to do. Then the read.
        const int next = (f.current() + 1) % f.recordCount();
        f.setCurrent(next);
        benchmark::DoNotOptimize(f.readRecord(next));
    }
}
BENCHMARK(BM_NextRecord)->Unit(benchmark::kMicrosecond);

void BM_WriteChangedRecord(benchmark::State &state)
{
    BlockFile f = loadSection();
    auto *rng = QRandomGenerator::global();
    QStringList body = videoBody(0);
    for (auto _ : state) {
        // A record anywhere in the file leaves its place for the end.
        const int n = int(rng->bounded(kRecords));
        body[3] = QStringLiteral("Titre changé %1").arg(n);
        f.writeRecord(n, body);
    }
    state.counters["lines"] = double(f.lines().size());
}
BENCHMARK(BM_WriteChangedRecord)->Unit(benchmark::kMicrosecond);

void BM_Save(benchmark::State &state)
{
    BlockFile f = loadSection();
    const QString out = tempDir().filePath(QStringLiteral("copie.ovd"));
    for (auto _ : state) {
        f.squeeze();
        benchmark::DoNotOptimize(TextFile::write(out, f.lines()));
    }
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

// A 6000 × 4000 JPEG of the weight of a camera's photo (about 1 byte a
// pixel at quality 90): smooth gradients with fine grain.
const QString &photo24()
{
    static const QString path = [] {
        QImage img(6000, 4000, QImage::Format_RGB32);
        auto *rng = QRandomGenerator::global();
        for (int y = 0; y < img.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const int grain = int(rng->bounded(24));
                line[x] = qRgb(qBound(0, x / 24 + grain, 255), qBound(0, y / 16 + grain, 255),
                               qBound(0, ((x + y) / 40) + grain, 255));
            }
        }
        const QString p = tempDir().filePath(QStringLiteral("Photo24MP.jpg"));
        img.save(p, "JPEG", 90);
        return p;
    }();
    return path;
}

void BM_Jpeg24MegapixelsDecodeOnly(benchmark::State &state)
{
    QFile f(photo24());
    f.open(QIODevice::ReadOnly);
    const QByteArray data = f.readAll();
    state.counters["fileMB"] = double(data.size()) / 1e6;
    for (auto _ : state)
        benchmark::DoNotOptimize(PictureFile::decodeJpeg(data, [](QSize) { return QSize(386, 258); }));
}
BENCHMARK(BM_Jpeg24MegapixelsDecodeOnly)->Unit(benchmark::kMillisecond);

void BM_AlbumPage24Megapixels(benchmark::State &state)
{
    const QString photo = photo24();
    SilentUi ui;
    SystemClock clock;
    DocumentModel model;
    DocumentContext context(ui, clock, model.document(), model.extraLists());
    AlbumPage page(context, model.blocks(SectionId::Album));
    const QString doc = tempDir().filePath(QStringLiteral("album.orz"));
    TextFile::write(tempDir().filePath(QStringLiteral("album.oap")),
                    {BlockFile::startMarker(0), QStringLiteral("TITLE Grande photo"),
                     QStringLiteral("PICTURE ") + photo, BlockFile::endMarker(0)});
    DialogNotices notices(ui, nullptr);
    model.load(doc, clock.today(), notices);
    page.loaded();
    if (page.pictureSize() != QSize(6000, 4000))
        state.SkipWithError("picture not shown");
    for (auto _ : state)
        page.display(); // LitAlbum: read the block, decode, fit
}
BENCHMARK(BM_AlbumPage24Megapixels)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return runBenchmarks<QApplication>(argc, argv);
}
