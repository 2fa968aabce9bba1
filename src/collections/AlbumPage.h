#pragma once

#include "app/RawSectionPage.h"

class AlbumPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit AlbumPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 6, WriteRule::Always, {}, parent)
    {
    }
};
