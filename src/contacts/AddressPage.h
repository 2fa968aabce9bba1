#pragma once

#include "app/RawSectionPage.h"

class AddressPage : public RawSectionPage
{
    Q_OBJECT

public:
    explicit AddressPage(DocumentContext &context, QWidget *parent = nullptr)
        : RawSectionPage(context, 2, WriteRule::WhenModified, {QStringLiteral(" ")}, parent)
    {
    }
};
