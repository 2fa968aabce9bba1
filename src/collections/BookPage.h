#pragma once

#include "app/RawSectionPage.h"

class BookPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit BookPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 9, WriteRule::Always, {}, parent)
    {
    }
};
