#pragma once

#include "collections/BlockSectionPage.h"

class QLabel;
class QPlainTextEdit;

// A block-file section shown as the raw lines of its record, read-only. The
// records are kept exactly as they were read, so the section's file loads,
// is checked and repaired, and saves through the block-file engine before
// the section has a page of its own.
class PlainBlockPage : public BlockSectionPage
{
    Q_OBJECT

public:
    PlainBlockPage(DocumentContext &context, int section, QWidget *parent = nullptr);

protected:
    void clearRecord() override;
    void showRecord(const QStringList &body) override;
    std::optional<QStringList> recordFromScreen() override;

private:
    QLabel *m_header = nullptr;
    QPlainTextEdit *m_view = nullptr;
    QStringList m_body;
    bool m_hasBody = false;
};
