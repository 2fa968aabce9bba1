#include "document/SectionPage.h"

#include "common/UiServices.h"
#include "document/DocumentContext.h"

SectionPage::SectionPage(DocumentContext &context, SectionId section, QWidget *parent)
    : QWidget(parent), m_context(context), m_section(section)
{
    setObjectName(QStringLiteral("TabSheet%1").arg(number()));
}

bool SectionPage::confirmDelete(const QString &name, const QString &what) const
{
    const QString text = name.trimmed().isEmpty()
                             ? QStringLiteral("Supprimer %1 ?").arg(what)
                             : QStringLiteral("Supprimer %1 « %2 » ?").arg(what, name.simplified());
    return m_context.ui().askYesNo(m_context.dialogParent(), text);
}
