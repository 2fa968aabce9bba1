#include "collections/ReimbursementPage.h"

#include "collections/RecordForm.h"
#include "collections/ReimbursementRecord.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

ReimbursementPage::ReimbursementPage(DocumentContext &context, BlockFile &file, QWidget *parent)
    : RecordSectionPage(context, file, SectionId::Reimbursements, ReimbursementRecord::schema(), parent)
{
    form()->setAmountKeyFilter(&ReimbursementPage::Edit19KeyPress);

    auto *group = new QGroupBox(QStringLiteral("Remboursements"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    m_total = new QLabel(QStringLiteral("0,00"), group);
    m_total->setObjectName(QStringLiteral("Label75"));
    m_share = new QLabel(QStringLiteral("0,00 %"), group);
    m_share->setObjectName(QStringLiteral("Label76"));
    for (QLabel *l : {m_total, m_share}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    auto *results = new QFormLayout(group);
    results->addRow(QStringLiteral("Total remboursé"), m_total);
    results->addRow(QStringLiteral("Part remboursée"), m_share);
    pageLayout()->addWidget(group);
    pageLayout()->addStretch(1);

    // The results follow each amount as soon as it is committed (Tab,
    // Enter, a click elsewhere); an amount that cannot be read is told when
    // the record is read, not at every field left.
    for (const char *name : {"Edit19", "Edit20", "Edit21", "Edit22"}) {
        if (auto *edit = qobject_cast<QLineEdit *>(form()->control(QString::fromLatin1(name))))
            connect(edit, &QLineEdit::editingFinished, this, [this] { Rembours(false); });
    }
}

void ReimbursementPage::reset()
{
    RecordSectionPage::reset();
    m_total->setText(QStringLiteral("0,00"));
    m_share->setText(QStringLiteral("0,00 %"));
}

QString ReimbursementPage::amount(const char *name) const
{
    return form()->value(schema().indexOf(QString::fromLatin1(name))).toString();
}

void ReimbursementPage::Rembours(bool tell)
{
    const auto r =
        ReimbursementRecord::Rembours(amount("Edit19"), amount("Edit20"), amount("Edit21"), amount("Edit22"));
    if (r.total)
        m_total->setText(*r.total);
    if (r.share)
        m_share->setText(*r.share);
    if (tell && !r.errors.isEmpty())
        context().ui().message(context().dialogParent(), r.errors.join(u'\n'), UiServices::Icon::Warning,
                               QMessageBox::Ok);
}

void ReimbursementPage::recordShown(const RecordReading &reading)
{
    // Computed from what was read, also when the reading stopped early.
    Q_UNUSED(reading);
    Rembours();
}

std::optional<QChar> ReimbursementPage::Edit19KeyPress(QChar typed)
{
    return ReimbursementRecord::filterAmountKey(typed);
}

void ReimbursementPage::Edit18Change()
{
    // The document is marked when the record is written back.
    recordChangedByUser();
}

void ReimbursementPage::Edit18KeyDown(bool pageDown)
{
    if (pageDown)
        suivant();
    else
        precedent();
}

void ReimbursementPage::fieldEdited(int field)
{
    Q_UNUSED(field);
    Edit18Change();
}
