#pragma once

#include "collections/RecordSectionPage.h"

// The book library, page 9 "Ma bibliothèque": one book per block of the
// ".olv" file (fields in BookRecord). Built like the video library, without
// a picture.
class BookPage : public RecordSectionPage
{
    Q_OBJECT

public:
    BookPage(DocumentContext &context, BlockFile &file, QWidget *parent = nullptr);

    // A change of any field of the page: the book changed. A key typed in a
    // text field or memo marks the document too.
    void Edit13Change();
    // Page Down / Page Up in a field: next / previous book.
    void Edit13KeyDown(bool pageDown);

protected:
    void fieldEdited(int field) override;
    void pageKey(bool next) override { Edit13KeyDown(next); }
};
