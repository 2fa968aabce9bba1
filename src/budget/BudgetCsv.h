#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class BudgetStore;

// The journal of one account as a spreadsheet table (see CsvWriter): one
// row per entry line of each month from `firstMonth` to `lastMonth` of
// `year`, in month order and row order, the deferred entries after their
// month's lines as the page shows them. Columns: Date, Poste, Libellé,
// Dépenses, Recettes; amounts as numbers with a decimal comma, an amount
// that is not a number kept as its text.
namespace BudgetCsv {

QByteArray journal(const BudgetStore &store, const QString &account, int year, int firstMonth, int lastMonth);

} // namespace BudgetCsv
