#pragma once

#include "collections/PlainBlockPage.h"

class ReimbursementPage : public PlainBlockPage
{
    Q_OBJECT

public:
    explicit ReimbursementPage(DocumentContext &context, QWidget *parent = nullptr)
        : PlainBlockPage(context, 10, parent)
    {
    }
};
