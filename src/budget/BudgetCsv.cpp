#include "budget/BudgetCsv.h"

#include "budget/BudgetFormat.h"
#include "budget/BudgetGrid.h"
#include "budget/BudgetStore.h"
#include "common/CsvWriter.h"
#include "common/DateText.h"
#include "common/Money.h"

#include <memory>

namespace BudgetCsv {

QByteArray journal(const BudgetStore &store, const QString &account, int year, int firstMonth, int lastMonth)
{
    CsvWriter csv({QStringLiteral("Date"), QStringLiteral("Poste"), QStringLiteral("Libellé"),
                   QStringLiteral("Dépenses"), QStringLiteral("Recettes")});
    auto grid = std::make_unique<BudgetGrid>();
    for (int month = qMax(1, firstMonth); month <= qMin(12, lastMonth); ++month) {
        const QString key = BudgetFormat::monthKeyFor(account, year, month);
        grid->clear();
        const auto content = BudgetFormat::readMonth(store.monthLines(key), key, *grid);
        grid->countLines();
        BudgetFormat::appendDeferred(content.deferred, *grid, nullptr, DateText::text(QDate(year, month, 1)));
        for (int row = 0; row < grid->lineCount(); ++row) {
            QStringList fields;
            const QString date = grid->cell(row, 0).trimmed();
            const auto d = DateText::fromText(date);
            fields << (d                ? CsvWriter::date(*d)
                       : date.isEmpty() ? date
                                        : CsvWriter::text(date))
                   << CsvWriter::text(grid->cell(row, 1)) << CsvWriter::text(grid->cell(row, 2));
            for (int column : {3, 4}) {
                const QString amount = grid->cell(row, column).trimmed();
                const auto cents = Money::parseCents(amount);
                fields << (cents ? CsvWriter::cents(*cents) : amount.isEmpty() ? amount : CsvWriter::text(amount));
            }
            csv.addRow(fields);
        }
    }
    return csv.bytes();
}

} // namespace BudgetCsv
