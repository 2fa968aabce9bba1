#pragma once

#include "app/RawSectionPage.h"

class TodoPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit TodoPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 4, WriteRule::Never, {}, parent)
    {
    }
};
