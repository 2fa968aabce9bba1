#pragma once

#include "app/RawSectionPage.h"

// Page 1, the week planner, stored in the organiser file ".orz".
class WeekPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit WeekPage(DocumentContext &context, QWidget *parent = nullptr);

    // ChargeOrg: the organiser file names the document; a missing one is
    // reported and leaves the appointments in memory as they were.
    void load(const QString &documentPath) override;
};
