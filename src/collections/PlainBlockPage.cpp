#include "collections/PlainBlockPage.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

PlainBlockPage::PlainBlockPage(DocumentContext &context, int section, QWidget *parent)
    : BlockSectionPage(context, section, parent)
{
    m_header = new QLabel(this);
    m_view = new QPlainTextEdit(this);
    m_view->setReadOnly(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addWidget(m_view, 1);
    clearRecord();
}

void PlainBlockPage::clearRecord()
{
    m_header->setText(QStringLiteral("Fiche %1").arg(currentRecord() + 1));
    m_view->clear();
    m_body.clear();
    m_hasBody = false;
}

void PlainBlockPage::showRecord(const QStringList &body)
{
    m_body = body;
    m_hasBody = true;
    m_view->setPlainText(body.join(u'\n'));
}

std::optional<QStringList> PlainBlockPage::recordFromScreen()
{
    // Nothing is edited here, so the record-changed flag is only set by a
    // delete; the record shown then goes back as it was read.
    if (!m_hasBody)
        return std::nullopt;
    return m_body;
}
