#pragma once

#include "app/RawSectionPage.h"

class BudgetPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit BudgetPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 5, WriteRule::Never, {}, parent)
    {
    }
};
