// The budget file (".obg"): every month the file names shown, and the file
// loaded and saved with each of those months written back from its grid.

#include "FuzzSection.h"

#include "budget/BudgetFormat.h"
#include "budget/BudgetMonth.h"

#include <QMap>

namespace {

struct Month
{
    QString account;
    int year;
    int month;
};

// An account name whose code is `code`: the code is the sum of the name's
// Windows-1252 bytes, so bytes 0xFF and one remainder make any sum.
QString accountWithSum(int sum)
{
    QString name(sum / 0xFF, QChar(0xFF));
    int rest = sum % 0xFF;
    if (rest >= 0x80 && rest < 0xA0) { // no Latin-1 character there
        name += QChar(0x60);
        rest -= 0x60;
    }
    if (rest > 0)
        name += QChar(rest);
    return name;
}

// The months named in the file whose key this program could have written
// (an upper-case code, a year, a month), every one of them: a save may put
// the lines in another order, and a month shown empty loses its lines, so
// any choice among them could name other months after the save.
QList<Month> monthsOf(const QStringList &lines)
{
    QMap<QString, Month> months;
    for (const QString &line : lines) {
        const QString key = line.left(9);
        if (key.size() < 9 || months.contains(key))
            continue;
        bool ok1 = false, ok2 = false, ok3 = false;
        const int sum = key.left(3).toInt(&ok1, 16);
        const int year = key.mid(3, 4).toInt(&ok2);
        const int month = key.mid(7, 2).toInt(&ok3);
        if (!ok1 || !ok2 || !ok3 || month < 1 || month > 12 || year < 1000)
            continue;
        const Month m{accountWithSum(sum), year, month};
        if (BudgetFormat::monthKeyFor(m.account, year, month) == key)
            months.insert(key, m);
    }
    return months.values();
}

void show(BudgetMonth &budget, const Month &m)
{
    budget.setYear(m.year);
    budget.setMonth(m.month);
    budget.openMonth(m.account);
}

void readAll(const QStringList &lines)
{
    BudgetMonth budget;
    budget.reset(QDate(2024, 1, 15));
    budget.loadLines(lines);
    for (const Month &m : monthsOf(lines)) {
        show(budget, m);
        budget.takeRow(0);
        budget.commit({QStringLiteral("02/01/2024"), QStringLiteral("Loyer"), QString(), QStringLiteral("12.5"),
                       QString()});
        budget.setChanged(true);
        budget.storeMonth();
    }
}

QStringList loadAndSave(const QStringList &lines)
{
    BudgetMonth budget;
    budget.reset(QDate(2024, 1, 15));
    budget.loadLines(lines);
    for (const Month &m : monthsOf(budget.fileLines())) {
        show(budget, m);
        budget.setChanged(true);
        budget.storeMonth();
    }
    return budget.fileLines();
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)
