#pragma once

#include "app/RawSectionPage.h"

class ReimbursementPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit ReimbursementPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 10, WriteRule::Always, {}, parent)
    {
    }
};
