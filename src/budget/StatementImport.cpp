#include "budget/StatementImport.h"

#include "budget/BudgetFormat.h"
#include "budget/BudgetGrid.h"
#include "budget/BudgetMonth.h"
#include "budget/BudgetStore.h"
#include "common/Amount.h"
#include "common/BaseName.h"
#include "common/Cp1252.h"
#include "common/DateText.h"
#include "common/Money.h"
#include "common/TextFile.h"

#include <QMap>

namespace {

const QChar kTab = u'\t';

// A text as it reads back from a Windows-1252 file line, so that what is
// compared now compares the same once saved and read again.
QString asStored(const QString &text)
{
    return Cp1252::decode(Cp1252::encode(TextFile::oneLine(text)));
}

} // namespace

// ---------------------------------------------------------------------------
// ImportMemory

QString ImportMemory::pathFor(const QString &document)
{
    return BaseName::withExtension(document, QStringLiteral(".oim"));
}

void ImportMemory::clear()
{
    m_lines.clear();
    m_imported.clear();
}

bool ImportMemory::load(const QString &path, QString *error)
{
    clear();
    bool missing = false;
    const auto lines = TextFile::read(path, error, &missing);
    if (!lines)
        return missing;
    m_lines = *lines;
    for (const QString &line : m_lines) {
        if (line.startsWith(QStringLiteral("I\t")))
            m_imported.insert(line.mid(2));
    }
    return true;
}

bool ImportMemory::save(const QString &path, QString *error) const
{
    return TextFile::write(path, m_lines, error);
}

bool ImportMemory::contains(const QString &account, const QString &key) const
{
    return m_imported.contains(asStored(account) + kTab + asStored(key));
}

void ImportMemory::add(const QString &account, const QString &key)
{
    const QString entry = asStored(account) + kTab + asStored(key);
    if (m_imported.contains(entry))
        return;
    m_imported.insert(entry);
    m_lines << QStringLiteral("I\t") + entry;
}

QString ImportMemory::csvMapping(const QString &account) const
{
    const QString head = QStringLiteral("C\t") + asStored(account) + kTab;
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
        if (m_lines[i].startsWith(head))
            return m_lines[i].mid(head.size());
    }
    return {};
}

void ImportMemory::setCsvMapping(const QString &account, const QString &mapping)
{
    const QString head = QStringLiteral("C\t") + asStored(account) + kTab;
    m_lines.removeIf([&](const QString &l) { return l.startsWith(head); });
    m_lines << head + asStored(mapping);
}

// ---------------------------------------------------------------------------
// StatementImport

namespace StatementImport {

namespace {

using Status = ExchangeItem::Status;
constexpr int kDescriptionLength = 200;

QString descriptionCell(const QString &description)
{
    return TextFile::oneLine(description).simplified().left(kDescriptionLength);
}

QString folded(const QString &description)
{
    return asStored(descriptionCell(description)).toCaseFolded();
}

QString sameLineKey(const QString &dateText, qint64 cents, const QString &description)
{
    return dateText.trimmed() + u';' + QString::number(cents) + u';' + folded(description);
}

QString monthKey(const QString &account, QDate d)
{
    return BudgetFormat::monthKeyFor(account, d.year(), d.month());
}

// The signed cents of a journal row (income less expense); nothing when an
// amount is not a number.
std::optional<qint64> rowCents(const BudgetGrid &grid, int row)
{
    const QString expense = grid.cell(row, BudgetGrid::Expense).trimmed();
    const QString income = grid.cell(row, BudgetGrid::Income).trimmed();
    const auto e = expense.isEmpty() ? std::optional<qint64>(0) : Money::parseCents(expense);
    const auto i = income.isEmpty() ? std::optional<qint64>(0) : Money::parseCents(income);
    if (!e || !i)
        return std::nullopt;
    return *i - *e;
}

struct MonthState
{
    int rows = 0;
    QHash<QString, int> typed; // same-line key -> how many such lines
    bool take(const QString &key)
    {
        auto it = typed.find(key);
        if (it == typed.end() || *it == 0)
            return false;
        --*it;
        return true;
    }
};

struct PostSeen
{
    QString when; // "yyyymmdd" then the row, in three digits
    QString post;
};

} // namespace

int Plan::count(ExchangeItem::Status s) const
{
    int n = 0;
    for (const Item &i : items)
        n += i.status == s;
    return n;
}

QString labelOf(const BankStatement::Transaction &t)
{
    const QString date = t.date.isValid() ? DateText::text(t.date) : t.dateText;
    const QString amount = t.cents ? Money::formatCents(*t.cents) : t.amountText;
    return date + QStringLiteral("  ") + descriptionCell(t.description) + QStringLiteral("  ") + amount;
}

QStringList lineOf(const Item &item)
{
    const BankStatement::Transaction &t = item.transaction;
    const qint64 cents = t.cents.value_or(0);
    const QString amount =
        Amount::rightAligned(Money::formatCents(cents < 0 ? -cents : cents), BudgetFormat::AmountWidth);
    return {t.date.isValid() ? DateText::text(t.date) : QString(), TextFile::oneLine(item.post),
            descriptionCell(t.description), cents < 0 ? amount : QString(), cents > 0 ? amount : QString()};
}

Plan plan(const BudgetStore &store, const QString &account, bool accountKnown,
          const QList<BankStatement::Transaction> &transactions, const ImportMemory &memory)
{
    Plan p;
    p.account = account;
    const bool fits = BudgetFormat::accountCodeFits(account);
    QHash<QString, MonthState> months;
    QHash<QString, PostSeen> posts; // folded description -> latest post

    // The account's earlier lines: what is already typed, how full each
    // month is, and the post of each description.
    if (accountKnown && fits) {
        const QString code = BudgetFormat::accountCode(account);
        for (const QString &key : store.keys()) {
            bool okYear = false, okMonth = false;
            const int year = key.mid(3, 4).toInt(&okYear);
            const int month = key.mid(7, 2).toInt(&okMonth);
            if (key.size() != 9 || !key.startsWith(code) || !okYear || !okMonth || month < 1 || month > 12)
                continue;
            BudgetGrid grid;
            BudgetMonth::readMonth(store, key, year, month, grid);
            MonthState &state = months[key];
            state.rows = grid.lineCount();
            for (int r = 0; r < grid.lineCount(); ++r) {
                const QString &date = grid.cell(r, BudgetGrid::Date);
                const QString &description = grid.cell(r, BudgetGrid::Description);
                if (const auto cents = rowCents(grid, r))
                    ++state.typed[sameLineKey(date, *cents, description)];
                const QString post = grid.cell(r, BudgetGrid::Post).trimmed();
                const auto d = DateText::fromText(date);
                if (post.isEmpty() || !d)
                    continue;
                const QString when = DateText::key(*d) + QStringLiteral("%1").arg(r, 3, 10, QChar(u'0'));
                PostSeen &seen = posts[folded(description)];
                if (when >= seen.when)
                    seen = {when, post};
            }
        }
    }

    QHash<QString, int> occurrences;
    for (const BankStatement::Transaction &t : transactions) {
        Item item;
        item.transaction = t;
        auto refuse = [&](const QString &why) {
            item.status = Status::Refused;
            item.reason = why;
        };
        if (!accountKnown)
            refuse(QStringLiteral("compte « %1 » introuvable").arg(account));
        else if (!fits)
            refuse(QStringLiteral("nom de compte « %1 » trop long pour le budget").arg(account));
        else if (!t.date.isValid())
            refuse(t.dateText.isEmpty() ? QStringLiteral("sans date")
                                        : QStringLiteral("date illisible : « %1 »").arg(t.dateText));
        else if (!t.cents)
            refuse(QStringLiteral("montant illisible : « %1 »").arg(t.amountText));
        else if (*t.cents == 0)
            refuse(QStringLiteral("montant nul"));
        if (item.status == Status::New) {
            const QString same =
                DateText::key(t.date) + u';' + QString::number(*t.cents) + u';' + folded(t.description);
            item.key = t.fitId.isEmpty() ? QStringLiteral("D%1#%2").arg(same).arg(++occurrences[same])
                                         : QStringLiteral("F") + TextFile::oneLine(t.fitId);
            if (!t.fitId.isEmpty() && ++occurrences[item.key] > 1) {
                item.status = Status::Present;
                item.reason = QStringLiteral("deux fois dans ce relevé");
            }
        }
        p.items.append(item);
    }

    // Imported before: the line it gave (if still there as it was) is not
    // matched again by another transaction of the same day and amount.
    for (Item &item : p.items) {
        if (item.status != Status::New || !memory.contains(account, item.key))
            continue;
        const BankStatement::Transaction &t = item.transaction;
        months[monthKey(account, t.date)].take(sameLineKey(DateText::text(t.date), *t.cents, t.description));
        item.status = Status::Present;
        item.reason = QStringLiteral("déjà importé");
    }
    for (Item &item : p.items) {
        if (item.status != Status::New)
            continue;
        const BankStatement::Transaction &t = item.transaction;
        MonthState &month = months[monthKey(account, t.date)];
        if (month.take(sameLineKey(DateText::text(t.date), *t.cents, t.description))) {
            item.status = Status::Present;
            item.reason = QStringLiteral("déjà saisi dans le mois");
        } else if (month.rows >= BudgetGrid::Rows) {
            item.status = Status::Refused;
            item.reason = QStringLiteral("%1 %2 est plein (%3 lignes)")
                              .arg(DateText::frenchMonth(t.date.month()))
                              .arg(t.date.year())
                              .arg(BudgetGrid::Rows);
        } else {
            ++month.rows;
            item.ticked = true;
            item.post = posts.value(folded(t.description)).post;
        }
    }
    return p;
}

bool inStore(const BudgetStore &store, const QString &account, const Item &item)
{
    const BankStatement::Transaction &t = item.transaction;
    if (!t.date.isValid() || !t.cents)
        return false;
    BudgetGrid grid;
    BudgetMonth::readMonth(store, monthKey(account, t.date), t.date.year(), t.date.month(), grid);
    const QString wanted = sameLineKey(DateText::text(t.date), *t.cents, t.description);
    for (int r = 0; r < grid.lineCount(); ++r) {
        const auto cents = rowCents(grid, r);
        if (cents
            && sameLineKey(grid.cell(r, BudgetGrid::Date), *cents, grid.cell(r, BudgetGrid::Description)) == wanted)
            return true;
    }
    return false;
}

int apply(BudgetStore &store, const Plan &plan, ImportMemory *memory)
{
    QMap<QString, QList<const Item *>> byMonth;
    for (const Item &item : plan.items) {
        if (item.status == Status::New && item.ticked)
            byMonth[monthKey(plan.account, item.transaction.date)].append(&item);
    }
    int added = 0;
    for (auto it = byMonth.cbegin(); it != byMonth.cend(); ++it) {
        const QDate first = it.value().constFirst()->transaction.date;
        BudgetGrid grid;
        BudgetMonth::readMonth(store, it.key(), first.year(), first.month(), grid);
        for (const Item *item : it.value()) {
            const int row = grid.lineCount();
            if (row >= BudgetGrid::Rows)
                break;
            const QStringList cells = lineOf(*item);
            for (int c = 0; c < BudgetGrid::Columns; ++c)
                grid.setCell(row, c, c < cells.size() ? cells[c] : QString());
            grid.setLineCount(row + 1);
            ++added;
            if (memory)
                memory->add(plan.account, item->key);
        }
        grid.sortByDay();
        store.replaceMonth(it.key(), BudgetFormat::writeMonth(it.key(), grid));
    }
    return added;
}

} // namespace StatementImport
