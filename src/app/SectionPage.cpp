#include "app/SectionPage.h"

#include "app/DocumentContext.h"
#include "common/BaseName.h"
#include "common/TextFile.h"
#include "common/UiServices.h"

SectionPage::SectionPage(DocumentContext &context, int number, QWidget *parent)
    : QWidget(parent), m_context(context), m_number(number)
{
    setObjectName(QStringLiteral("TabSheet%1").arg(number));
}

QString SectionPage::fileName(const QString &documentPath) const
{
    return BaseName::withExtension(documentPath, QString::fromLatin1(Document::extension(m_number)));
}

bool SectionPage::writeFile(const QString &path, const QStringList &lines)
{
    QString error;
    if (TextFile::write(path, lines, &error))
        return true;
    m_context.ui().message(m_context.dialogParent(),
                           error + QStringLiteral("\nLe fichier précédent est conservé."),
                           UiServices::Icon::Critical, QMessageBox::Ok);
    return false;
}
