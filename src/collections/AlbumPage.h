#pragma once

#include "collections/PlainBlockPage.h"

class AlbumPage : public PlainBlockPage
{
    Q_OBJECT

public:
    explicit AlbumPage(DocumentContext &context, QWidget *parent = nullptr)
        : PlainBlockPage(context, 6, parent)
    {
    }
};
