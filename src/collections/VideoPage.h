#pragma once

#include "collections/PlainBlockPage.h"

class VideoPage : public PlainBlockPage
{
    Q_OBJECT

public:
    explicit VideoPage(DocumentContext &context, QWidget *parent = nullptr)
        : PlainBlockPage(context, 7, parent)
    {
    }
};
