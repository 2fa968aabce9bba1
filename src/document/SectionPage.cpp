#include "document/SectionPage.h"

#include "common/BaseName.h"
#include "common/Cp1252Fit.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <algorithm>

SectionPage::SectionPage(DocumentContext &context, SectionId section, QWidget *parent)
    : QWidget(parent), m_context(context), m_section(section)
{
    setObjectName(QStringLiteral("TabSheet%1").arg(number()));
}

QString SectionPage::fileName(const QString &documentPath) const
{
    return BaseName::withExtension(documentPath, QString::fromLatin1(Document::extension(number())));
}

namespace {

// The sections as the "Sections" menu names them.
const char16_t *const kSectionNames[] = {u"Semaine",          u"Adresses",     u"Anniversaires", u"Choses à faire",
                                         u"Budget mensuel",   u"Album photos", u"Vidéothèque",   u"Bibliothèque",
                                         u"Liste des achats", u"Suivi sécu"};

} // namespace

bool SectionPage::confirmDelete(const QString &name, const QString &what) const
{
    const QString text = name.trimmed().isEmpty()
                             ? QStringLiteral("Supprimer %1 ?").arg(what)
                             : QStringLiteral("Supprimer %1 « %2 » ?").arg(what, name.simplified());
    return m_context.ui().askYesNo(m_context.dialogParent(), text);
}

bool SectionPage::writeFile(const QString &path, const QStringList &lines, std::function<void()> saved)
{
    if (m_context.mayWrite && !m_context.mayWrite(path))
        return false;
    m_context.backups().beforeReplace(path);
    SaveBatch *batch = m_context.saveBatch;
    // The set is not saved anyway: ask nothing more.
    if (batch && batch->failed())
        return false;
    // The fields keep out what Windows-1252 cannot hold; anything that still
    // got in (a file's text joined with another, a program's own text) would
    // be written as "?". The user is told and decides.
    const auto lossy = std::find_if(lines.cbegin(), lines.cend(), [](const QString &l) { return !Cp1252::holds(l); });
    if (lossy != lines.cend()) {
        const QString section = QString::fromUtf16(kSectionNames[number() - 1]);
        const QString text = QStringLiteral("Section « %1 » : des caractères ne peuvent pas être enregistrés "
                                            "et seront remplacés par « ? ».\nEnregistrer quand même ?")
                                 .arg(section);
        if (m_context.ui().message(m_context.dialogParent(), text, UiServices::Icon::Warning,
                                   QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
            return false;
    }
    if (batch) {
        if (!batch->stage(path, TextFile::joinLines(lines)))
            return false;
        if (saved)
            batch->whenCommitted(std::move(saved));
        return true;
    }
    QString error;
    if (TextFile::write(path, lines, &error)) {
        if (saved)
            saved();
        return true;
    }
    m_context.ui().message(m_context.dialogParent(), error + QStringLiteral("\nLe fichier précédent est conservé."),
                           UiServices::Icon::Critical, QMessageBox::Ok);
    return false;
}
