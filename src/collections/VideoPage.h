#pragma once

#include "app/RawSectionPage.h"

class VideoPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit VideoPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 7, WriteRule::Always, {}, parent)
    {
    }
};
