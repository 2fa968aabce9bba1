#include "document/SectionPage.h"

SectionPage::SectionPage(DocumentContext &context, SectionId section, QWidget *parent)
    : QWidget(parent), m_context(context), m_section(section)
{
    setObjectName(QStringLiteral("TabSheet%1").arg(number()));
}
