#include "app/ExchangeMenu.h"

#include "agenda/IcsExchange.h"
#include "app/ExchangeCommand.h"
#include "app/ImportPreview.h"
#include "app/TChild.h"
#include "app/TMainForm.h"
#include "budget/BudgetCsv.h"
#include "collections/BookRecord.h"
#include "collections/RecordCsv.h"
#include "collections/VideoRecord.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/TextFile.h"
#include "common/UiServices.h"
#include "contacts/VCard.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTimeZone>

namespace ExchangeMenu {

namespace {

TChild &prepared(TMainForm &m)
{
    TChild &child = *m.child();
    child.writeBackAll();
    return child;
}

QString folder(TMainForm &m)
{
    const QString doc = m.child()->document().name;
    return doc.isEmpty() ? m.startDirectory() : QFileInfo(doc).absolutePath();
}

// Asks where to write, then writes; a name without the suffix gets it. An
// existing file is replaced only when the user says so, and a file of the
// document set never.
void save(TMainForm &m, const QString &caption, const QString &suffix, const QString &filter,
          const std::function<QByteArray()> &content)
{
    QString path = m.ui().saveFileName(&m, caption, folder(m), QStringLiteral("*.") + suffix, filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    if (ExchangeCommand::isDocumentFile(m.child()->document().name, path)) {
        m.ui().showError(&m, QStringLiteral("%1 est un fichier du document : choisissez un autre nom.")
                                 .arg(BaseName::fileNamePart(path)));
        return;
    }
    if (QFileInfo::exists(path)
        && !m.ui().askYesNo(&m, QStringLiteral("%1 existe déjà. Le remplacer ?").arg(BaseName::fileNamePart(path)),
                            UiServices::Icon::Warning))
        return;
    QString error;
    if (!TextFile::writeBytes(path, content(), &error)) {
        m.ui().showError(&m, error);
        return;
    }
    m.hintPanel()->setText(QStringLiteral("Exporté dans ") + BaseName::fileNamePart(path));
}

// Reads the chosen file; empty (after telling the user) when it cannot be.
std::optional<QByteArray> open(TMainForm &m, const QString &caption, const QString &pattern, const QString &filter)
{
    const QString path = m.ui().openFileName(&m, caption, folder(m), pattern, filter);
    if (path.isEmpty())
        return {};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m.ui().showError(&m, QStringLiteral("Impossible de lire ") + BaseName::fileNamePart(path));
        return {};
    }
    return f.readAll();
}

// The preview; the lines the user keeps, or nothing.
QStringList preview(TMainForm &m, const QString &title, const ExchangeItems &items, const ExchangeNotes &notes)
{
    if (!notes.error.isEmpty()) {
        m.ui().showError(&m, notes.error);
        return {};
    }
    if (items.isEmpty()) {
        m.ui().showMessage(&m, notes.notes.isEmpty() ? QStringLiteral("Ce fichier ne contient rien à importer.")
                                                     : notes.notes.join(u'\n'));
        return {};
    }
    ImportPreview dialog(title, items, notes.notes, &m);
    if (m.ui().exec(&dialog) != QDialog::Accepted)
        return {};
    return dialog.chosenLines();
}

void exportBudget(TMainForm &m, bool wholeYear)
{
    TChild &child = prepared(m);
    const BudgetMonth &b = child.model().budget();
    const QString account = child.budgetAccount();
    save(m, wholeYear ? QStringLiteral("Exporter le budget de l'année") : QStringLiteral("Exporter le budget du mois"),
         QStringLiteral("csv"), QStringLiteral("Tableau CSV (*.csv)"), [&] {
             return BudgetCsv::journal(b.store(), account, b.year(), wholeYear ? 1 : b.month(),
                                       wholeYear ? 12 : b.month());
         });
}

} // namespace

void exportCalendar(TMainForm &m)
{
    TChild &child = prepared(m);
    save(m, QStringLiteral("Exporter l'agenda"), QStringLiteral("ics"), QStringLiteral("Calendrier iCalendar (*.ics)"),
         [&] {
             return IcsExchange::exportCalendar(child.model().agenda().lines(), child.model().birthdays().lines(),
                                                child.context().clock().now(), QTimeZone::systemTimeZoneId());
         });
}

void exportContacts(TMainForm &m)
{
    TChild &child = prepared(m);
    save(m, QStringLiteral("Exporter les adresses"), QStringLiteral("vcf"),
         QStringLiteral("Cartes de visite vCard (*.vcf)"),
         [&] { return VCard::exportBook(child.model().addresses().lines()); });
}

void exportBudgetMonth(TMainForm &m)
{
    exportBudget(m, false);
}
void exportBudgetYear(TMainForm &m)
{
    exportBudget(m, true);
}

void exportFilms(TMainForm &m)
{
    TChild &child = prepared(m);
    save(m, QStringLiteral("Exporter les films"), QStringLiteral("csv"), QStringLiteral("Tableau CSV (*.csv)"), [&] {
        const BlockFile &file = child.model().blocks(SectionId::Videos);
        return RecordCsv::table(VideoRecord::schema(), SectionId::Videos, file.lines());
    });
}

void exportBooks(TMainForm &m)
{
    TChild &child = prepared(m);
    save(m, QStringLiteral("Exporter les livres"), QStringLiteral("csv"), QStringLiteral("Tableau CSV (*.csv)"), [&] {
        const BlockFile &file = child.model().blocks(SectionId::Books);
        return RecordCsv::table(BookRecord::schema(), SectionId::Books, file.lines());
    });
}

void importCalendar(TMainForm &m)
{
    const auto data = open(m, QStringLiteral("Importer un calendrier"), QStringLiteral("*.ics"),
                           QStringLiteral("Calendrier iCalendar (*.ics *.ical);;Tous les fichiers (*)"));
    if (!data)
        return;
    TChild &child = prepared(m);
    AgendaStore &agenda = child.model().agenda();
    ExchangeNotes notes;
    auto read = [&](bool unknownZoneAsLocal) {
        notes = {};
        return IcsExchange::importCalendar(*data, agenda.lines(), child.model().birthdays().lines(),
                                           child.context().clock().today(), QTimeZone::systemTimeZoneId(), &notes,
                                           unknownZoneAsLocal);
    };
    ExchangeItems items = read(false);
    // A zone known nowhere: the user says whether its times are taken as
    // local times or its events refused.
    if (!notes.unknownZones.isEmpty()
        && m.ui().askYesNo(&m, QStringLiteral("Ce calendrier nomme des fuseaux horaires inconnus (%1).\n"
                                              "Importer leurs rendez-vous à l'heure indiquée, comme une heure "
                                              "locale ?\nNon : ces rendez-vous sont refusés.")
                                   .arg(notes.unknownZones.join(QStringLiteral(", ")))))
        items = read(true);
    const QStringList lines = preview(m, QStringLiteral("Importer des rendez-vous"), items, notes);
    if (lines.isEmpty())
        return;
    for (const QString &line : lines)
        agenda.append(line);
    child.document().setModified();
    if (child.activePage() == pageNumber(SectionId::Week))
        child.redisplay(SectionId::Week);
    m.hintPanel()->setText(QStringLiteral("%1 rendez-vous importé(s)").arg(lines.size()));
}

void importContacts(TMainForm &m)
{
    const auto data = open(m, QStringLiteral("Importer des adresses"), QStringLiteral("*.vcf"),
                           QStringLiteral("Cartes de visite vCard (*.vcf *.vcard);;Tous les fichiers (*)"));
    if (!data)
        return;
    TChild &child = prepared(m);
    AddressBook &book = child.model().addresses();
    ExchangeNotes notes;
    const ExchangeItems items = VCard::importCards(*data, book.lines(), book.letter(), &notes);
    const QStringList lines = preview(m, QStringLiteral("Importer des adresses"), items, notes);
    if (lines.isEmpty())
        return;
    book.appendContacts(lines);
    child.document().setModified();
    child.redisplay(SectionId::Addresses);
    m.hintPanel()->setText(QStringLiteral("%1 adresse(s) importée(s)").arg(lines.size()));
}

} // namespace ExchangeMenu
