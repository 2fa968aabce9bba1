// A bank statement of 5 000 transactions (OFX 1.02, about 100 a month over
// four years) read and imported into one account of a budget that already
// holds a year of lines of its own.
#include "budget/BankStatement.h"
#include "budget/BudgetFormat.h"
#include "budget/BudgetStore.h"
#include "budget/StatementImport.h"

#include <benchmark/benchmark.h>

#include <QDate>
#include <QTemporaryFile>

namespace {

constexpr int kTransactions = 5000;

const QString &statementPath()
{
    static QTemporaryFile file;
    static const QString path = [] {
        QByteArray ofx = "OFXHEADER:100\r\nDATA:OFXSGML\r\nVERSION:102\r\nSECURITY:NONE\r\nENCODING:USASCII\r\n"
                         "CHARSET:1252\r\nCOMPRESSION:NONE\r\nOLDFILEUID:NONE\r\nNEWFILEUID:NONE\r\n\r\n<OFX>\r\n"
                         "<BANKMSGSRSV1><STMTTRNRS><TRNUID>1<STATUS><CODE>0<SEVERITY>INFO</STATUS><STMTRS>"
                         "<CURDEF>EUR<BANKACCTFROM><BANKID>1<BRANCHID>1<ACCTID>1<ACCTTYPE>CHECKING</BANKACCTFROM>\r\n"
                         "<BANKTRANLIST><DTSTART>20220101<DTEND>20261231\r\n";
        const QDate first(2022, 1, 1);
        for (int i = 0; i < kTransactions; ++i) {
            const QDate d = first.addDays(i * 1461 / kTransactions);
            ofx += QStringLiteral("<STMTTRN><TRNTYPE>DEBIT<DTPOSTED>%1<TRNAMT>-%2,%3<FITID>F%4<NAME>Commerce %5 "
                                  "\xe9t\xe9<MEMO>CB</STMTTRN>\r\n")
                       .arg(d.toString(QStringLiteral("yyyyMMdd")))
                       .arg(i % 200 + 1)
                       .arg(i % 100, 2, 10, QLatin1Char('0'))
                       .arg(i)
                       .arg(i % 50)
                       .toLatin1();
        }
        ofx += "</BANKTRANLIST><LEDGERBAL><BALAMT>0<DTASOF>20261231</LEDGERBAL></STMTRS></STMTTRNRS>"
               "</BANKMSGSRSV1></OFX>\r\n";
        file.open();
        file.write(ofx);
        file.flush();
        return file.fileName();
    }();
    return path;
}

QStringList earlierLines()
{
    QStringList out;
    for (int m = 1; m <= 12; ++m) {
        const QString key = BudgetFormat::monthKeyFor(QStringLiteral("Caisse"), 2021, m);
        for (int r = 0; r < 50; ++r) {
            const QStringList cells{
                QStringLiteral("%1/%2/2021").arg(r % 28 + 1, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0')),
                QStringLiteral("Courses"),
                QStringLiteral("Commerce %1 été").arg(r),
                QStringLiteral("12,50"),
                QString(),
                QString()};
            for (int c = 0; c < 6; ++c)
                out << BudgetFormat::cellLine(key, r, c, cells[c]);
        }
    }
    return out;
}

void BM_ImportOfxStatement(benchmark::State &state)
{
    const QString path = statementPath();
    const QStringList lines = earlierLines();
    for (auto _ : state) {
        BudgetStore store;
        store.setLines(lines);
        ImportMemory memory;
        const auto statement = BankStatement::readOfx(path);
        const auto plan = StatementImport::plan(store, QStringLiteral("Caisse"), true, statement.transactions, memory);
        const int added = StatementImport::apply(store, plan, &memory);
        if (added != kTransactions)
            state.SkipWithError("not every transaction was imported");
        benchmark::DoNotOptimize(store.size());
    }
}
BENCHMARK(BM_ImportOfxStatement)->Unit(benchmark::kMillisecond)->Iterations(3);

// The reading alone (libofx and the file's own amounts and dates).
void BM_ReadOfxStatement(benchmark::State &state)
{
    const QString path = statementPath();
    for (auto _ : state)
        benchmark::DoNotOptimize(BankStatement::readOfx(path).transactions.size());
}
BENCHMARK(BM_ReadOfxStatement)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
