#pragma once

#include "collections/BlockSectionPage.h"
#include "collections/RecordSchema.h"

class QLabel;
class QVBoxLayout;
class RecordForm;

// The page of a record section (video library, book library,
// reimbursements): a header, the record form built from the section's field
// list, and the block-file machinery of BlockSectionPage underneath.
//
// Reading a record: the form is cleared (each field as its section says:
// spin fields keep their value, dates go to today), then the whole block is
// read, memo lines up to the end marker. A date or integer that cannot be
// read stops the reading at that field; the user is told once which field of
// which record is damaged, the fields read so far stay on screen, and since
// the record-changed flag stays clear the file keeps the record as it was
// unless the user edits it.
//
// Any change the user makes to a field marks the record as changed; each
// section says which changes mark the document as modified too (the others
// mark it when the record is written back: on leaving it, switching section,
// saving, or before the close query).
class RecordSectionPage : public BlockSectionPage
{
    Q_OBJECT

public:
    RecordSectionPage(DocumentContext &context, BlockFile &file, SectionId section, const RecordSchema &schema,
                      QWidget *parent = nullptr);

    RecordForm *form() const { return m_form; }
    const RecordSchema &schema() const { return m_schema; }

    // A new, empty document: the form shows its own defaults again.
    void reset() override;

protected:
    void clearRecord() override;
    void showRecord(const QStringList &body) override;
    std::optional<QStringList> recordFromScreen() override;
    void focusNewRecord() override;
    // The title, or for a section without one its first two fields.
    QString recordTitle() const override;
    // A damaged record that the user has not touched is never written back,
    // not even after a delete marked the record shown as changed.
    bool mayWrite() const override;

    // A field was changed by the user. By default the record changed, and so
    // did the document.
    virtual void fieldEdited(int field);
    // The user changed the record shown, and with it the document.
    void recordEdited();
    // The user changed the record shown; the document is marked only when
    // the record is written back.
    void recordChangedByUser();
    // Page Up / Page Down in a field.
    virtual void pageKey(bool next);
    // After a record was read from its block.
    virtual void recordShown(const RecordReading &reading) { Q_UNUSED(reading); }

    // The page's own layout, below the form.
    QVBoxLayout *pageLayout() const { return m_layout; }

private:
    void closeOpenBlock();

    const RecordSchema &m_schema;
    QVBoxLayout *m_layout = nullptr;
    QLabel *m_header = nullptr;
    QLabel *m_position = nullptr;
    RecordForm *m_form = nullptr;
    bool m_damaged = false;    // the record shown could not be read whole
    bool m_userEdited = false; // the user changed a field of the record shown
};
