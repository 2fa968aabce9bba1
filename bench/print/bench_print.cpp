// Printing into a PDF file: a full budget month (128 journal rows, over
// three pages), a full shopping list (63 rows) and a note of one paragraph of
// 10,000 characters, broken into lines to the page's width.
#include "BenchSupport.h"
#include "budget/BudgetPrint.h"
#include "collections/ShoppingPrint.h"
#include "common/MmCanvas.h"
#include "document/PrintJob.h"
#include "utilities/TBlocnotes.h"

#include <QApplication>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

void printPdf(benchmark::State &state, const PrintJob::Draw &draw)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("bench.pdf")));
        if (!PrintJob::paint(printer, draw))
            state.SkipWithError("PDF file not written");
    }
}

void BM_PrintBudgetMonth128(benchmark::State &state)
{
    BudgetPrint::Journal j{QStringLiteral("Décembre"), 2026, {}, {}};
    for (int i = 0; i < 128; ++i)
        j.rows.append({QStringLiteral("%1/12/2026").arg(1 + i % 28, 2, 10, QChar(u'0')), QStringLiteral("Alimentation"),
                       QStringLiteral("Courses de la semaine n° %1").arg(i), QStringLiteral("  123,45"),
                       i % 5 ? QString() : QStringLiteral("1500,00")});
    printPdf(state, [&j](MmCanvas &c) { BudgetPrint::ImpBudget(c, j); });
}
BENCHMARK(BM_PrintBudgetMonth128)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrintShoppingList63(benchmark::State &state)
{
    ShoppingPrint::Sheet s{QStringLiteral("14/03/2026"),
                           QStringLiteral("Marché du samedi"),
                           {QStringLiteral("Désignation"), QStringLiteral("   Quantité"), QStringLiteral("    Prix"),
                            QStringLiteral("  Montant")},
                           {}};
    for (int i = 0; i < 63; ++i)
        s.rows.append({QStringLiteral("Article numéro %1").arg(i), QStringLiteral("      2"),
                       QStringLiteral("     1,50"), QStringLiteral("     3,00")});
    printPdf(state, [&s](MmCanvas &c) { ShoppingPrint::ImpCourses(c, s); });
}
BENCHMARK(BM_PrintShoppingList63)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PrintNoteParagraph10000(benchmark::State &state)
{
    QString paragraph;
    for (int i = 0; paragraph.size() < 10000; ++i)
        paragraph += QStringLiteral("mot%1 ").arg(i % 97);
    paragraph.truncate(10000);
    const QString family = QApplication::font().family();
    printPdf(state, [&](MmCanvas &c) {
        TBlocnotes::printLines(c, {paragraph}, family, c.pageWidthMm() - 10, c.pageHeightMm() - 10);
    });
}
BENCHMARK(BM_PrintNoteParagraph10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QApplication>(argc, argv);
}
