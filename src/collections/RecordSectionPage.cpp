#include "collections/RecordSectionPage.h"

#include "collections/RecordForm.h"
#include "common/Clock.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

RecordSectionPage::RecordSectionPage(DocumentContext &context, BlockFile &file, SectionId section,
                                     const RecordSchema &schema, QWidget *parent)
    : BlockSectionPage(context, file, section, parent), m_schema(schema)
{
    m_header = new QLabel(m_schema.header(), this);
    m_header->setObjectName(QStringLiteral("PageHeader"));
    QFont font = m_header->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    m_header->setFont(font);
    m_position = new QLabel(this);
    m_position->setObjectName(QStringLiteral("RecordPosition"));
    m_position->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_form = new RecordForm(m_schema, context, this);
    connect(m_form, &RecordForm::edited, this, [this](int field) { fieldEdited(field); });
    connect(m_form, &RecordForm::pageKey, this, [this](bool next) { pageKey(next); });

    auto *top = new QHBoxLayout;
    top->addWidget(m_header, 1);
    top->addWidget(m_position);
    m_layout = new QVBoxLayout(this);
    m_layout->addLayout(top);
    m_layout->addWidget(m_form, 1);

    clearRecord();
}

void RecordSectionPage::reset()
{
    BlockSectionPage::reset();
    m_form->restoreDefaults(context().clock().today());
}

void RecordSectionPage::clearRecord()
{
    m_damaged = false;
    m_userEdited = false;
    m_position->setText(QStringLiteral("Fiche %1 sur %2").arg(currentRecord() + 1).arg(std::max(1, recordCount())));
    m_form->clear(context().clock().today());
}

void RecordSectionPage::showRecord(const QStringList &body)
{
    // The engine hands over the body up to the section's old reading limit;
    // the record is read whole instead, so that no memo line is lost.
    const int number = currentRecord();
    const auto whole = RecordSchema::blockBody(lines(), blockFile().findStart(number), BlockFile::endMarker(number));
    const RecordReading reading = m_schema.read(whole.value_or(body));
    m_form->setValues(reading.values);
    m_damaged = reading.damaged();
    if (reading.damaged())
        context().ui().message(context().dialogParent(), m_schema.damageMessage(reading, number + 1),
                               UiServices::Icon::Warning, QMessageBox::Ok);
    recordShown(reading);
}

std::optional<QStringList> RecordSectionPage::recordFromScreen()
{
    closeOpenBlock();
    // A record is written whatever its fields hold, also when all are empty.
    return m_schema.write(m_form->values());
}

// A block whose end marker is missing (an altered file the user chose to
// keep) would be removed up to the end of the file when it is written again,
// taking every block behind it. It is closed where its reading stopped,
// before the next marker line, so that only its own lines are replaced.
void RecordSectionPage::closeOpenBlock()
{
    const int number = currentRecord();
    const qsizetype start = blockFile().findStart(number);
    if (start < 0)
        return;
    const QString end = BlockFile::endMarker(number);
    const QStringList &all = lines();
    qsizetype i = start + 1;
    while (i < all.size() && !BlockFile::isStartMarker(all[i]) && !BlockFile::isEndMarker(all[i]))
        ++i;
    if (i < all.size() && all[i] == end)
        return;
    QStringList fixed = all;
    fixed.insert(i, end);
    blockFile().setLines(std::move(fixed));
}

void RecordSectionPage::focusNewRecord()
{
    m_form->focusFirstField();
}

QString RecordSectionPage::recordTitle() const
{
    auto text = [this](int field) {
        const QVariant v = m_form->value(field);
        return v.typeId() == QMetaType::QDate ? v.toDate().toString(QStringLiteral("dd/MM/yyyy")) : v.toString();
    };
    for (int i = 0; i < m_schema.fieldCount(); ++i) {
        if (m_schema.field(i).label == QStringLiteral("Titre"))
            return text(i);
    }
    return QStringList{text(0), text(1)}.join(QStringLiteral(" du "));
}

bool RecordSectionPage::mayWrite() const
{
    return recordChanged() && (!m_damaged || m_userEdited);
}

void RecordSectionPage::recordEdited()
{
    m_userEdited = true;
    markEdited();
}

void RecordSectionPage::recordChangedByUser()
{
    m_userEdited = true;
    setRecordChanged();
}

void RecordSectionPage::fieldEdited(int field)
{
    Q_UNUSED(field);
    recordEdited();
}

void RecordSectionPage::pageKey(bool next)
{
    if (next)
        suivant();
    else
        precedent();
}
