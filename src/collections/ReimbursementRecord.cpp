#include "collections/ReimbursementRecord.h"

#include "common/Amount.h"

namespace ReimbursementRecord {

const RecordSchema &schema()
{
    using F = RecordField;
    static const RecordSchema s = [] {
        auto date = [](const char *name, const QString &label) {
            F f = F::date(QString::fromLatin1(name), label);
            f.emptyKeepsValue = true;
            return f;
        };
        return RecordSchema(
            QStringLiteral("Suivi Sécu"),
            {F::text(QStringLiteral("Edit18"), QStringLiteral("Malade")),
             date("DateTimePicker3", QStringLiteral("Date consultation")), F::choice(9, QStringLiteral("Praticien")),
             F::amount(QStringLiteral("Edit19"), QStringLiteral("Honoraires")),
             F::choice(10, QStringLiteral("Pharmacie")), F::amount(QStringLiteral("Edit20"), QStringLiteral("Montant")),
             date("DateTimePicker4", QStringLiteral("Date envoi sécu")),
             F::amount(QStringLiteral("Edit21"), QStringLiteral("Remboursement sécu")),
             date("DateTimePicker6", QStringLiteral("Date remb. sécu")),
             F::amount(QStringLiteral("Edit22"), QStringLiteral("Remb. mutuelle")),
             date("DateTimePicker7", QStringLiteral("Date Remb. mutuelle"))});
    }();
    return s;
}

namespace {

// An empty amount counts 0; anything else must be a number.
std::optional<double> readAmount(const QString &text, const QString &label, QStringList &errors)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    if (const auto v = Amount::parse(text))
        return v;
    errors << QStringLiteral("Le montant « %1 » du champ « %2 » n'est pas un nombre.").arg(text.trimmed(), label);
    return std::nullopt;
}

} // namespace

Results Rembours(const QString &fees, const QString &pharmacy, const QString &nationalRefund,
                 const QString &complementaryRefund)
{
    Results r;
    const auto national = readAmount(nationalRefund, QStringLiteral("Remboursement sécu"), r.errors);
    const auto complementary = readAmount(complementaryRefund, QStringLiteral("Remb. mutuelle"), r.errors);
    const auto fee = readAmount(fees, QStringLiteral("Honoraires"), r.errors);
    const auto chemist = readAmount(pharmacy, QStringLiteral("Montant"), r.errors);
    if (!national || !complementary)
        return r; // neither result can be computed
    const double refunded = *national + *complementary;
    r.total = Amount::format(refunded);
    if (!fee || !chemist)
        return r;
    const double cost = *fee + *chemist;
    const double share = cost > 0 ? refunded / cost * 100.0 : 0.0;
    r.share = Amount::format(share) + QStringLiteral(" %");
    return r;
}

std::optional<QChar> filterAmountKey(QChar typed)
{
    if (typed == u'.')
        return QChar(u',');
    if (typed.unicode() < 0x20 || typed.unicode() == 0x7F)
        return typed;
    if ((typed >= u'0' && typed <= u'9') || typed == u',')
        return typed;
    return std::nullopt;
}

} // namespace ReimbursementRecord
