#include "app/RawSectionPage.h"

#include "app/DocumentContext.h"
#include "common/TextFile.h"

RawSectionPage::RawSectionPage(DocumentContext &context, int number, WriteRule rule, QStringList initial,
                               QWidget *parent)
    : SectionPage(context, number, parent), m_lines(initial), m_rule(rule), m_initial(std::move(initial))
{
}

void RawSectionPage::reset()
{
    m_lines = m_initial;
}

void RawSectionPage::load(const QString &documentPath)
{
    if (auto lines = TextFile::read(fileName(documentPath)))
        m_lines = std::move(*lines);
}

bool RawSectionPage::save(const QString &documentPath, bool force)
{
    const bool write = force || m_rule == WriteRule::Always
                       || (m_rule == WriteRule::WhenModified && context().document().modified);
    if (!write)
        return true;
    return writeFile(fileName(documentPath), m_lines);
}
