#include "model/DocumentModel.h"

#include "common/BaseName.h"
#include "common/Cp1252Fit.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"
#include "model/RememberedLists.h"

#include <algorithm>

namespace {

// The sections as the "Sections" menu names them.
const char16_t *const kSectionNames[] = {u"Semaine",          u"Adresses",     u"Anniversaires", u"Choses à faire",
                                         u"Budget mensuel",   u"Album photos", u"Vidéothèque",   u"Bibliothèque",
                                         u"Liste des achats", u"Suivi sécu"};

constexpr SectionId kBlockSections[] = {SectionId::Album, SectionId::Videos, SectionId::Shopping, SectionId::Books,
                                        SectionId::Reimbursements};

} // namespace

DocumentModel::DocumentModel()
    : m_blocks{BlockFile(BlockFile::config(SectionId::Album)), BlockFile(BlockFile::config(SectionId::Videos)),
               BlockFile(BlockFile::config(SectionId::Shopping)), BlockFile(BlockFile::config(SectionId::Books)),
               BlockFile(BlockFile::config(SectionId::Reimbursements))}
{
}

QString DocumentModel::fileName(const QString &documentPath, SectionId section)
{
    return BaseName::withExtension(documentPath, QString::fromLatin1(Document::extension(pageNumber(section))));
}

void DocumentModel::reset(QDate today)
{
    m_doc.name.clear();
    m_doc.caption.clear();
    m_doc.referenceDate = today;
    m_doc.modified = false;
    m_agenda.reset();
    m_addresses.reset();
    m_birthdays.reset();
    m_todo.clear();
    m_todo.setChanged(false);
    m_budget.reset(today);
    for (BlockFile &file : m_blocks)
        file.clear();
    for (UnreadableFile &guard : m_unreadable)
        guard.clear();
}

QStringList DocumentModel::sectionLines(SectionId section) const
{
    switch (section) {
    case SectionId::Week: return m_agenda.lines();
    case SectionId::Addresses: return m_addresses.lines();
    case SectionId::Birthdays: return m_birthdays.lines();
    case SectionId::Todo: return m_todo.toLines();
    case SectionId::Budget: return m_budget.fileLines();
    default: return blocks(section).lines();
    }
}

void DocumentModel::readNamedLists(const QStringList &lines)
{
    const auto lists = RememberedLists::parse(lines);
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        const int n = RememberedLists::comboForTag(it.key());
        if (n > 0) {
            // Inserted as rows, as a box's addItems() would: a box that was
            // empty then shows its first item.
            QStringListModel &list = namedList(n);
            const int at = list.rowCount();
            list.insertRows(at, int(it.value().size()));
            for (int i = 0; i < it.value().size(); ++i)
                list.setData(list.index(at + i), it.value().at(i));
        } else {
            m_extraLists[it.key()] += it.value();
        }
    }
}

QStringList DocumentModel::namedListLines() const
{
    QMap<QString, QStringList> lists = m_extraLists;
    for (const auto &t : RememberedLists::tags())
        lists[QLatin1String(t.tag)] = namedList(t.comboBox).stringList();
    return RememberedLists::write(lists);
}

// ---------------------------------------------------------------------------
// Loading

std::optional<QStringList> DocumentModel::readSection(SectionId section, const QString &documentPath, Notices &notices,
                                                      bool plainError)
{
    QString error;
    auto lines = m_unreadable[pageNumber(section) - 1].read(fileName(documentPath, section), &error);
    if (!error.isEmpty())
        notices.tell(plainError ? error : UnreadableFile::loadMessage(error), Notices::Kind::Warning);
    return lines;
}

void DocumentModel::load(const QString &documentPath, QDate today, Notices &notices)
{
    ChargeOrg(documentPath, today, notices);
    ChargeAdr(documentPath, notices);
    ChargeAnniv(documentPath, notices);
    ChargeFaire(documentPath, notices);
    ChargeBudget(documentPath, notices);
    for (SectionId section : kBlockSections)
        ChargeBlocs(section, documentPath, notices);
    m_doc.modified = false;
}

void DocumentModel::ChargeOrg(const QString &documentPath, QDate today, Notices &notices)
{
    // The organiser file names the document. A file that is there but
    // cannot be read is never replaced by a save: it may hold appointments
    // the store does not.
    m_doc.name = fileName(documentPath, SectionId::Week);
    QString error;
    auto lines = m_unreadable[0].read(m_doc.name, &error);
    const bool found = lines.has_value();
    if (found)
        m_agenda.setLines(std::move(*lines));
    // Blank lines at the top of the store carry no appointment (a new store
    // holds a single blank).
    m_agenda.dropShortTopLines();
    if (found) {
        m_doc.caption = BaseName::fileNamePart(m_doc.name);
        m_doc.referenceDate = today;
    } else if (error.isEmpty()) {
        notices.tell(QStringLiteral("Fichier ") + m_doc.name + QStringLiteral(" n'existe pas"), Notices::Kind::Plain);
    } else {
        notices.tell(UnreadableFile::loadMessage(error), Notices::Kind::Warning);
    }
}

void DocumentModel::ChargeAdr(const QString &documentPath, Notices &notices)
{
    // A missing file is no error: the book stays as it was.
    if (const auto lines = readSection(SectionId::Addresses, documentPath, notices))
        m_addresses.setLines(*lines);
}

void DocumentModel::ChargeAnniv(const QString &documentPath, Notices &notices)
{
    // A missing file is no error: the store stays as it was. Either way the
    // birthdays-changed flag is cleared, so the lists show the store again.
    QString error;
    if (const auto lines = m_unreadable[2].read(fileName(documentPath, SectionId::Birthdays), &error))
        m_birthdays.setLines(*lines);
    else
        m_birthdays.readLists();
    if (!error.isEmpty())
        notices.tell(UnreadableFile::loadMessage(error), Notices::Kind::Warning);
}

void DocumentModel::ChargeFaire(const QString &documentPath, Notices &notices)
{
    // The lists always come from the document being opened: a document
    // without a to-do file has empty lists.
    QString error;
    if (const auto lines = m_unreadable[3].read(fileName(documentPath, SectionId::Todo), &error)) {
        m_todo.read(*lines);
        m_todo.setChanged(false);
    } else {
        m_todo.clear();
    }
    if (!error.isEmpty())
        notices.tell(UnreadableFile::loadMessage(error), Notices::Kind::Warning);
}

void DocumentModel::ChargeBudget(const QString &documentPath, Notices &notices)
{
    // A missing file leaves the budget as it was.
    if (const auto lines = readSection(SectionId::Budget, documentPath, notices))
        m_budget.loadLines(*lines);
}

void DocumentModel::ChargeBlocs(SectionId section, const QString &documentPath, Notices &notices)
{
    // A missing file leaves the lines as they are; the count, the check and
    // the first record then follow those lines as after any load. A file
    // that is there but cannot be read is told and changes nothing.
    BlockFile &file = blocks(section);
    QString error;
    auto lines = m_unreadable[pageNumber(section) - 1].read(fileName(documentPath, section), &error);
    if (!error.isEmpty()) {
        notices.tell(error, Notices::Kind::Warning);
        return;
    }
    const auto tell = [&notices](const QString &text, bool question) {
        if (question)
            return notices.ask(text);
        notices.tell(text, Notices::Kind::Warning);
        return true;
    };
    if (file.load(std::move(lines), tell) == BlockFile::CheckResult::Repaired)
        m_doc.setModified();
    // The record shown stays, within the records of the new file, on the
    // sections that do not show their first record on load.
    if (!file.settings().readOnLoad)
        file.setCurrent(std::min(file.current(), std::max(0, file.recordCount() - 1)));
}

// ---------------------------------------------------------------------------
// Saving

struct DocumentModel::Saving
{
    const QString &documentPath;
    SaveBatch &batch;
    Notices &notices;
    const SaveHooks &hooks;
};

bool DocumentModel::writeSection(Saving &s, SectionId section, const QStringList &lines, std::function<void()> saved)
{
    const QString path = fileName(s.documentPath, section);
    if (m_unreadable[pageNumber(section) - 1].guards(path)) {
        s.notices.tell(UnreadableFile::saveMessage(path), Notices::Kind::Warning);
        return false;
    }
    if (s.hooks.mayWrite && !s.hooks.mayWrite(path))
        return false;
    if (s.hooks.beforeReplace)
        s.hooks.beforeReplace(path);
    // The set is not saved anyway: ask nothing more.
    if (s.batch.failed())
        return false;
    // The fields keep out what Windows-1252 cannot hold; anything that still
    // got in (a file's text joined with another, a program's own text) would
    // be written as "?". The user is told and decides.
    if (!std::all_of(lines.cbegin(), lines.cend(), [](const QString &l) { return Cp1252::holds(l); })) {
        const QString text = QStringLiteral("Section « %1 » : des caractères ne peuvent pas être enregistrés "
                                            "et seront remplacés par « ? ».\nEnregistrer quand même ?")
                                 .arg(QString::fromUtf16(kSectionNames[pageNumber(section) - 1]));
        if (!s.notices.ask(text))
            return false;
    }
    if (!s.batch.stage(path, TextFile::joinLines(lines)))
        return false;
    if (saved)
        s.batch.whenCommitted(std::move(saved));
    return true;
}

bool DocumentModel::stageSection(Saving &s, SectionId section, bool force)
{
    const auto writeBack = [&s](SectionId shown) {
        if (s.hooks.writeBack)
            s.hooks.writeBack(shown);
    };
    switch (section) {
    case SectionId::Week:
        // SauveOrg: the week is written back; the file is written, sorted,
        // only when the document changed.
        writeBack(section);
        if (!m_doc.modified && !force)
            return true;
        m_doc.name = fileName(s.documentPath, SectionId::Week);
        m_agenda.sort();
        return writeSection(s, section, m_agenda.lines());
    case SectionId::Addresses:
        // SauveAdr: likewise.
        writeBack(section);
        return (!m_doc.modified && !force) || writeSection(s, section, m_addresses.lines());
    case SectionId::Birthdays:
        // SauveAnniv: written on every save.
        writeBack(section);
        return writeSection(s, section, m_birthdays.lines());
    case SectionId::Todo:
        // SauveFaire: when the lists changed.
        return (!m_todo.changed() && !force)
               || writeSection(s, section, m_todo.toLines(), [this] { m_todo.setChanged(false); });
    case SectionId::Budget:
        // SauveBudget: when a month changed.
        writeBack(section);
        return (!m_budget.changed() && !force)
               || writeSection(s, section, m_budget.fileLines(), [this] { m_budget.markSaved(); });
    default: {
        // The block files are written on every save, their top squeezed
        // first where the section does, then the record shown written back.
        BlockFile &file = blocks(section);
        if (file.settings().squeeze)
            file.squeeze();
        writeBack(section);
        return writeSection(s, section, file.lines());
    }
    }
}

bool DocumentModel::save(const QString &documentPath, bool force, SaveBatch &batch, Notices &notices,
                         const SaveHooks &hooks)
{
    Saving s{documentPath, batch, notices, hooks};
    bool ok = true;
    for (int n = 1; n <= Document::SectionCount; ++n)
        ok = stageSection(s, SectionId(n), force) && ok;
    return ok;
}

bool DocumentModel::saveSection(const QString &documentPath, SectionId section, SaveBatch &batch, Notices &notices,
                                const SaveHooks &hooks)
{
    Saving s{documentPath, batch, notices, hooks};
    return stageSection(s, section, true);
}

bool DocumentModel::unreadable(const QString &documentPath, SectionId section) const
{
    return m_unreadable[pageNumber(section) - 1].guards(fileName(documentPath, section));
}
