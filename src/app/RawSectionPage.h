#pragma once

#include "app/SectionPage.h"

#include <QStringList>

// A section that keeps its file's lines as they are and writes them back
// unchanged. Sections start from it until they have a page of their own, so
// opening and saving a document set never loses a line.
class RawSectionPage : public SectionPage
{
    Q_OBJECT

public:
    enum class WriteRule { Always, WhenModified, Never };

    RawSectionPage(DocumentContext &context, int number, WriteRule rule, QStringList initial,
                   QWidget *parent = nullptr);

    const QStringList &lines() const { return m_lines; }

    void reset() override;
    void load(const QString &documentPath) override;
    bool save(const QString &documentPath, bool force) override;

protected:
    QStringList m_lines;

private:
    WriteRule m_rule;
    QStringList m_initial;
};
