#pragma once

#include "app/RawSectionPage.h"

class ShoppingPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit ShoppingPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 8, WriteRule::Always, {}, parent)
    {
    }
};
