#include "collections/BlockSectionPage.h"

#include "common/UiServices.h"
#include "document/DocumentContext.h"

BlockSectionPage::BlockSectionPage(DocumentContext &context, BlockFile &file, SectionId section, QWidget *parent)
    : SectionPage(context, section, parent), m_file(file)
{
}

void BlockSectionPage::markEdited()
{
    m_changed = true;
    context().document().setModified();
}

void BlockSectionPage::reportDamaged(const QString &marker)
{
    if (!marker.isEmpty())
        context().ui().message(context().dialogParent(), BlockFile::damagedMarkerText(marker),
                               UiServices::Icon::Warning, QMessageBox::Ok);
}

// ---------------------------------------------------------------------------
// Load and save

void BlockSectionPage::reset()
{
    readRecord();
}

void BlockSectionPage::loaded()
{
    // The sections that show their first record on load show it; the others
    // keep the record shown (the model kept it within the new file's
    // records), and read it again when they show, so that they never show,
    // nor write into the new file, what they showed of the document before.
    m_changed = false;
    if (m_file.settings().readOnLoad || isVisibleTo(window()))
        readRecord();
}

void BlockSectionPage::prepareSave()
{
    // The record shown is written back on every save, whether or not the
    // section writes it when the user leaves it.
    writeRecord();
    m_changed = false;
}

// ---------------------------------------------------------------------------
// One record

void BlockSectionPage::writeRecord()
{
    if (!mayWrite())
        return;
    const auto body = recordFromScreen();
    const int number = m_file.current();
    const bool removed = m_file.removeRecord(number);
    if (body)
        m_file.appendRecord(number, *body);
    if (removed || body)
        context().document().setModified();
}

void BlockSectionPage::readRecord()
{
    clearRecord();
    if (const auto body = m_file.readRecord(m_file.current()))
        showRecord(*body);
    // Filling the fields is no change of the user's.
    m_changed = false;
}

void BlockSectionPage::writeBack()
{
    if (m_file.settings().writeOnSwitch)
        writeRecord();
}

void BlockSectionPage::display()
{
    readRecord();
}

const QStringList *BlockSectionPage::searchLines() const
{
    return m_file.settings().searchable ? &m_file.lines() : nullptr;
}

bool BlockSectionPage::showFound(qsizetype line)
{
    // The record is taken from the block that holds the line, through the
    // record index: a damaged marker shows no record at all rather than a
    // wrong one.
    const int record = m_file.recordOfLine(line);
    if (record < 0)
        return false;
    m_file.setCurrent(record);
    readRecord();
    return true;
}

// ---------------------------------------------------------------------------
// Record commands

void BlockSectionPage::premier()
{
    writeRecord();
    m_file.setCurrent(0);
    readRecord();
}

void BlockSectionPage::precedent()
{
    writeRecord();
    m_file.setCurrent(std::max(0, m_file.current() - 1));
    readRecord();
}

void BlockSectionPage::suivant()
{
    writeRecord();
    m_file.setCurrent(std::max(0, std::min(m_file.current() + 1, m_file.recordCount() - 1)));
    readRecord();
}

void BlockSectionPage::dernier()
{
    writeRecord();
    m_file.setCurrent(std::max(0, m_file.recordCount() - 1));
    readRecord();
}

void BlockSectionPage::ajout()
{
    addRecord();
}

void BlockSectionPage::supprime()
{
    // "Effacer" and Delete take a whole record away: the user says yes first.
    if (confirmDelete(recordTitle()))
        deleteRecord();
}

void BlockSectionPage::addRecord()
{
    writeRecord();
    const BlockFile::Config &c = m_file.settings();
    int count = m_file.recordCount();
    if (c.restartBelow > 0 && m_file.lines().size() < c.restartBelow)
        count = c.restartCount;
    // A file that holds no list yet makes the new list the first; once it
    // holds one (the list of a new document, written just above, included),
    // the count covers at least that one.
    if (c.restartWithoutBlock)
        count = m_file.hasStartMarker() ? std::max(count, 1) : c.restartCount;
    // Record 10000 would carry the digits of record 0: refuse rather than
    // mix two records.
    if (count + 1 > BlockFile::MaxRecords) {
        context().ui().message(context().dialogParent(),
                               QStringLiteral("Impossible d'ajouter une fiche : cette section en contient déjà %1, "
                                              "le plus grand nombre possible.")
                                   .arg(BlockFile::MaxRecords),
                               UiServices::Icon::Warning, QMessageBox::Ok);
        return;
    }
    if (c.blankAfterAdd)
        m_file.appendLine(QStringLiteral(" "));
    m_file.setRecordCount(count + 1);
    m_file.setCurrent(count);
    readRecord();
    focusNewRecord();
}

void BlockSectionPage::deleteRecord()
{
    const BlockFile::Config &c = m_file.settings();
    prepareDelete();
    if (c.writeBeforeDelete)
        writeRecord();
    const int number = m_file.current();
    m_file.removeRecord(number);
    QString damaged;
    m_file.renumber(number, &damaged);
    if (m_file.current() > m_file.recordCount() - 1)
        m_file.setCurrent(std::max(0, m_file.recordCount() - 1));
    readRecord();
    if (c.changedAfterDelete)
        m_changed = true;
    context().document().setModified();
    reportDamaged(damaged);
}
