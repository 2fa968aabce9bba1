#pragma once

#include "collections/PlainBlockPage.h"

class ShoppingPage : public PlainBlockPage
{
    Q_OBJECT

public:
    explicit ShoppingPage(DocumentContext &context, QWidget *parent = nullptr)
        : PlainBlockPage(context, 8, parent)
    {
    }
};
