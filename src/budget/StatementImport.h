#pragma once

#include "budget/BankStatement.h"
#include "common/ExchangeItem.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class BudgetStore;

// What was imported from bank statements into a document, and the CSV
// columns chosen per account: the file "DOCUMENT.oim" beside the set, in
// Windows-1252 with CR LF, which the older program never reads.
//
//   "I" TAB account TAB key      one imported transaction
//   "C" TAB account TAB mapping  the CSV columns of an account (CsvMapping::toText)
//
// Lines of any other kind are kept as they are.
class ImportMemory
{
public:
    static QString pathFor(const QString &document);

    // A missing file is an empty memory; an unreadable one fails.
    bool load(const QString &path, QString *error = nullptr);
    bool save(const QString &path, QString *error = nullptr) const;
    void clear();

    bool contains(const QString &account, const QString &key) const;
    void add(const QString &account, const QString &key);
    QString csvMapping(const QString &account) const;
    void setCsvMapping(const QString &account, const QString &mapping);

    QStringList lines() const { return m_lines; }

private:
    QStringList m_lines;
    QSet<QString> m_imported; // account TAB key
};

// The import of a bank statement into one account of the budget: each
// transaction becomes a line of the month of its date ("à ajouter"), unless
// it was imported before (same bank number, or for want of one the same
// date, amount and description) or was typed by hand (same date, amount
// and description in that month) ("déjà présent"), or cannot be taken
// ("refusé", with its reason): an unreadable date or amount, a month
// already at its row limit, an account not found.
namespace StatementImport {

struct Item
{
    BankStatement::Transaction transaction;
    ExchangeItem::Status status = ExchangeItem::Status::New;
    QString reason; // why refused, or what it matches
    QString post;   // proposed from the account's earlier lines; may be changed
    QString key;    // what the memory keeps of it
    bool ticked = false;
};

struct Plan
{
    QString account;
    QList<Item> items;
    int count(ExchangeItem::Status s) const;
};

// `accountKnown` false refuses every transaction.
Plan plan(const BudgetStore &store, const QString &account, bool accountKnown,
          const QList<BankStatement::Transaction> &transactions, const ImportMemory &memory);

// Adds the ticked "à ajouter" items to their months (each month ordered by
// day as the grid orders it) and remembers them. Returns how many were
// added; an item whose month filled up meanwhile is left out.
int apply(BudgetStore &store, const Plan &plan, ImportMemory *memory);

// Whether the item's line is in its month (same date, amount and
// description), as apply() left it.
bool inStore(const BudgetStore &store, const QString &account, const Item &item);

// The budget line of an item: date, post, description, expense, income.
QStringList lineOf(const Item &item);
// "05/03/2026  Boulangerie  -12,50" for the preview and the command line.
QString labelOf(const BankStatement::Transaction &t);

} // namespace StatementImport
