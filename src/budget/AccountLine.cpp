#include "budget/AccountLine.h"

#include "budget/BudgetFormat.h"
#include "common/Amount.h"
#include "common/TextFile.h"

namespace AccountLine {

QString make(const QString &name, const QString &balance)
{
    const qsizetype pad = qMax<qsizetype>(1, LineWidth - name.size() - balance.size());
    return name + QString(pad, NoBreakSpace) + balance;
}

QString name(const QString &line)
{
    const qsizetype at = line.indexOf(NoBreakSpace);
    return at < 0 ? line : line.left(at);
}

QString balance(const QString &line)
{
    qsizetype at = line.indexOf(NoBreakSpace);
    if (at < 0)
        return QString();
    while (at < line.size() && line[at] == NoBreakSpace)
        ++at;
    return line.mid(at);
}

QString completeBalance(const QString &typed)
{
    QString b = typed.trimmed();
    const qsizetype comma = b.indexOf(u',');
    if (comma < 0)
        b += QStringLiteral(",00");
    else if (comma == b.size() - 2)
        b += u'0';
    else if (comma == b.size() - 1)
        b += QStringLiteral("00");
    if (b.startsWith(u','))
        b.prepend(u'0');
    if (!Amount::parse(b))
        return QStringLiteral("0,00");
    return b;
}

QString balanceTotal(const QStringList &lines)
{
    double sum = 0.0;
    for (const QString &line : lines)
        sum += Amount::parse(balance(line)).value_or(0.0);
    return Amount::rightAligned(Amount::format(sum), TotalWidth);
}

bool isUsed(const QString &line)
{
    return !line.isEmpty() && line[0] >= u'A' && line[0] <= u'Z';
}

QString cleanName(const QString &typed)
{
    QString n = TextFile::oneLine(typed);
    n.replace(NoBreakSpace, u' ');
    return n.trimmed();
}

} // namespace AccountLine
