#pragma once

#include "collections/RecordSectionPage.h"

class QLabel;

// The reimbursements, page 10 "Suivi Sécu": one consultation per block of
// the ".osc" file (fields in ReimbursementRecord), with the results of the
// group "Remboursements": the total refunded (Label75) and the share of the
// expense refunded (Label76).
class ReimbursementPage : public RecordSectionPage
{
    Q_OBJECT

public:
    ReimbursementPage(DocumentContext &context, BlockFile &file, QWidget *parent = nullptr);

    void reset() override;

    // Computes the two results from the amounts shown. They are computed
    // when a record is read and when an amount field is left. An amount
    // that is not a number is reported (when `tell`), naming its field; the
    // total then changes only when both refunds could be read, and the share
    // stays as it was.
    void Rembours(bool tell = true);
    // The key filter of the four amount fields (Edit19 to Edit22): the
    // character to insert for a typed one, or nothing to drop the key.
    static std::optional<QChar> Edit19KeyPress(QChar typed);
    // A change of any field of the page: the record changed.
    void Edit18Change();
    // Page Down / Page Up in a field: next / previous record.
    void Edit18KeyDown(bool pageDown);

protected:
    void fieldEdited(int field) override;
    void pageKey(bool next) override { Edit18KeyDown(next); }
    void recordShown(const RecordReading &reading) override;

private:
    QString amount(const char *name) const;

    QLabel *m_total = nullptr;
    QLabel *m_share = nullptr;
};
