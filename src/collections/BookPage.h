#pragma once

#include "collections/PlainBlockPage.h"

class BookPage : public PlainBlockPage
{
    Q_OBJECT

public:
    explicit BookPage(DocumentContext &context, QWidget *parent = nullptr)
        : PlainBlockPage(context, 9, parent)
    {
    }
};
