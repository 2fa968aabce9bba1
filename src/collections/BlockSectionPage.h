#pragma once

#include "collections/BlockFile.h"
#include "document/SectionPage.h"

#include <QStringList>

#include <optional>

// The page of a collection section kept in a block file (album, videos,
// shopping lists, books, reimbursements). It shows the section's BlockFile,
// which the document model owns, loads and saves, and runs everything the
// five pages share: after a load the first record shown (or, for the
// shopping lists, the list shown read again when the page shows), before a
// save the record shown written back, and the record commands first /
// previous / next / last / add / delete, each of which writes the record
// shown back when it changed, moves, and shows the new record.
//
// A concrete page only moves its fields to and from the lines of a record
// through the hooks below; "body" always means the lines of a block between
// its two markers (the fixed field lines first, then the tagged lines).
//
// Record-changed flag: set by the page (setRecordChanged() or markEdited())
// when the user edits the record shown; cleared when a record is read into
// the fields and after a save. The record is written back only while it is
// set (or whatever mayWrite() decides).
class BlockSectionPage : public SectionPage
{
    Q_OBJECT

public:
    // `section` is one of the five block-file sections; `file` is that section's store in
    // the document model, which the page shows.
    BlockSectionPage(DocumentContext &context, BlockFile &file, SectionId section, QWidget *parent = nullptr);

    BlockFile &blockFile() { return m_file; }
    const BlockFile &blockFile() const { return m_file; }
    const QStringList &lines() const { return m_file.lines(); }
    int currentRecord() const { return m_file.current(); }
    int recordCount() const { return m_file.recordCount(); }
    bool recordChanged() const { return m_changed; }

    // SectionPage.
    void reset() override;
    void loaded() override;
    void prepareSave() override;
    void writeBack() override;
    void display() override;
    void premier() override;
    void precedent() override;
    void suivant() override;
    void dernier() override;
    void ajout() override;
    void supprime() override;
    const QStringList *searchLines() const override;
    bool showFound(qsizetype line) override;

    // The section's routines (EcritXxx, LitXxx, AjoutXxx, SupXxx); the file's
    // check (VerifN) runs in the document model when the set is loaded.
    void writeRecord();
    void readRecord();
    void addRecord();
    void deleteRecord();

protected:
    void setRecordChanged(bool changed = true) { m_changed = changed; }
    // An edit by the user: the record changed and so did the document.
    void markEdited();

    // --- Hooks of the concrete page ---------------------------------------
    // Reset every field to its empty value or default (start of a read).
    virtual void clearRecord() = 0;
    // Fill the fields from the body of the record's block (only called when
    // the block exists). Missing lines are simply absent from `body`.
    virtual void showRecord(const QStringList &body) = 0;
    // The body to write for the record shown; nothing to leave the record out
    // of the file (its old block is removed all the same).
    virtual std::optional<QStringList> recordFromScreen() = 0;
    // Whether the record shown is written at all; when false its old block
    // stays as it is. Default: when the record-changed flag is set.
    virtual bool mayWrite() const { return m_changed; }
    // Called at the start of a delete, before the record is written (the
    // album forgets its picture here).
    virtual void prepareDelete() {}
    // After an add has shown the new, empty record: focus the first field.
    virtual void focusNewRecord() {}
    // What names the record shown in the question asked before deleting it.
    virtual QString recordTitle() const { return {}; }

private:
    // Tells of a marker the renumbering after a delete could not mend.
    void reportDamaged(const QString &marker);

    BlockFile &m_file;
    bool m_changed = false;
};
