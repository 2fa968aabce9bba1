#pragma once

#include "app/RawSectionPage.h"

class BirthdayPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit BirthdayPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 3, WriteRule::Always, {}, parent)
    {
    }
};
