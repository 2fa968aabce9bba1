#include "agenda/WeekPage.h"

#include "app/DocumentContext.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/TextFile.h"
#include "common/UiServices.h"

WeekPage::WeekPage(DocumentContext &context, QWidget *parent)
    : RawSectionPage(context, 1, WriteRule::WhenModified, {QStringLiteral(" ")}, parent)
{
}

void WeekPage::load(const QString &documentPath)
{
    Document &doc = context().document();
    doc.name = BaseName::withExtension(documentPath, QStringLiteral(".orz"));
    if (auto lines = TextFile::read(doc.name)) {
        m_lines = std::move(*lines);
        doc.caption = BaseName::fileNamePart(doc.name);
        doc.referenceDate = context().clock().today();
    } else {
        context().ui().message(context().dialogParent(),
                               QStringLiteral("Fichier ") + doc.name + QStringLiteral(" n'existe pas"),
                               UiServices::Icon::None, QMessageBox::Ok);
    }
    // Lines shorter than a date key at the top of the store carry no
    // appointment (a new store holds a single blank).
    while (!m_lines.isEmpty() && m_lines.constFirst().size() < 8)
        m_lines.removeFirst();
}
