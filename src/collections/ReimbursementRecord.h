#pragma once

#include "collections/RecordSchema.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>

// The reimbursement record (".osc"): 11 fixed lines and no memo.
//
//    1 patient                 7 date sent to the national insurance
//    2 consultation date       8 national insurance refund
//    3 practitioner            9 date of the national refund
//    4 fees                   10 complementary insurer refund
//    5 pharmacy               11 date of the complementary refund
//    6 pharmacy amount
//
// Amounts are stored as typed (digits and at most a decimal comma), never
// reformatted. An empty date line leaves that date at today.
namespace ReimbursementRecord {

const RecordSchema &schema();

// The two computed results of the group "Remboursements" (Rembours).
struct Results
{
    // Label75: the total refunded, "0.00" with a decimal comma; nothing when
    // it must keep its previous text (a refund could not be read).
    std::optional<QString> total;
    // Label76: the share refunded, "0.00" followed by " %"; nothing when it
    // must keep its previous text (an amount could not be read).
    std::optional<QString> share;
    // French lines naming each amount that is not a number.
    QStringList errors;
};

// refunded = national + complementary refund, cost = fees + pharmacy amount
// (an empty amount counts 0); share = refunded / cost x 100 when the cost is
// above 0, else 0.
Results Rembours(const QString &fees, const QString &pharmacy, const QString &nationalRefund,
                 const QString &complementaryRefund);

// Key filter of the four amount fields (Edit19KeyPress): "." becomes ",";
// any other printable character outside "1234567890," is dropped (nothing);
// control characters pass unchanged.
std::optional<QChar> filterAmountKey(QChar typed);

} // namespace ReimbursementRecord
