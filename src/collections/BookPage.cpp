#include "collections/BookPage.h"

#include "collections/BookRecord.h"

BookPage::BookPage(DocumentContext &context, BlockFile &file, QWidget *parent)
    : RecordSectionPage(context, file, SectionId::Books, BookRecord::schema(), parent)
{
}

void BookPage::Edit13Change()
{
    recordChangedByUser();
}

void BookPage::Edit13KeyDown(bool pageDown)
{
    if (pageDown)
        suivant();
    else
        precedent();
}

void BookPage::fieldEdited(int field)
{
    Edit13Change();
    // A key typed in a text field or memo marks the document as well.
    const RecordField::Kind kind = schema().field(field).kind;
    if (kind == RecordField::Kind::Text || kind == RecordField::Kind::Memo)
        recordEdited();
}
