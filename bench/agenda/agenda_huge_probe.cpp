// Opening a huge organiser file: time and peak memory.
//
//   agenda_huge_probe make FILE MEGABYTES   writes a sorted ".orz" file of
//                                           about that size (20 years of
//                                           appointments, ~33 bytes a line)
//   agenda_huge_probe open FILE             opens it as the week page does
//                                           (read, store, top lines dropped,
//                                           one week shown) and prints the
//                                           time, the peak resident memory
//                                           and its ratio to the file size
//
// Run "open" in a process of its own: the peak memory of a process only
// grows, so nothing else may have run in it first.

#include "agenda/AgendaStore.h"
#include "common/DateText.h"
#include "common/UnreadableFile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

namespace {

long peakKiB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

int make(const QString &path, qint64 megabytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return 1;
    static const char *const words[] = {"Dentiste", "Réunion", "Banque", "Médecin", "Garage", "Courses"};
    const qint64 target = megabytes * 1024 * 1024;
    const QDate first(2006, 1, 1);
    const int days = 7305;
    // Lines per day so that the file reaches its size over the 20 years.
    const qint64 perDay = target / 33 / days + 1;
    qint64 written = 0;
    for (int d = 0; d < days && written < target; ++d) {
        const QByteArray key = DateText::key(first.addDays(d)).toLatin1();
        for (qint64 i = 0; i < perDay && written < target; ++i) {
            const int minutes = int(i * (14 * 60) / perDay);
            char line[96];
            const int n = std::snprintf(line, sizeof line, "%s%02d:%02d %s n\xB0 %06lld\r\n", key.constData(),
                                        7 + minutes / 60, minutes % 60,
                                        QString::fromUtf8(words[i % 6]).toLatin1().constData(),
                                        static_cast<long long>(i));
            written += f.write(line, n);
        }
    }
    return 0;
}

int open(const QString &path)
{
    const qint64 bytes = QFileInfo(path).size();
    const long before = peakKiB();
    QElapsedTimer timer;
    timer.start();
    UnreadableFile guard;
    QString error;
    AgendaStore store;
    auto lines = guard.read(path, &error);
    if (!lines) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    store.setLines(std::move(*lines));
    store.dropShortTopLines();
    const QDate monday(2016, 6, 6);
    qsizetype shown = 0;
    for (int d = 0; d < 7; ++d)
        shown += store.dayItems(monday.addDays(d)).size();
    const qint64 ms = timer.elapsed();
    const long peak = peakKiB();
    std::printf("file %.1f MB, %lld lines, sorted %d, week %lld items\n", bytes / 1048576.0,
                static_cast<long long>(store.size()), int(store.isSorted()), static_cast<long long>(shown));
    std::printf("open %lld ms, peak RSS %.1f MB (%.1f MB before), %.2f x the file\n", static_cast<long long>(ms),
                peak / 1024.0, before / 1024.0, peak * 1024.0 / double(bytes));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "make") == 0)
        return make(QString::fromLocal8Bit(argv[2]), std::atoll(argv[3]));
    if (argc == 3 && std::strcmp(argv[1], "open") == 0)
        return open(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: %s make FILE MEGABYTES | open FILE\n", argv[0]);
    return 2;
}
