#include "collections/VideoPage.h"

#include "collections/AlbumPage.h"
#include "collections/RecordForm.h"
#include "collections/RecordPicture.h"
#include "collections/RecordPrint.h"
#include "collections/VideoRecord.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <QFileInfo>

VideoPage::VideoPage(DocumentContext &context, BlockFile &file, QWidget *parent)
    : RecordSectionPage(context, file, SectionId::Videos, VideoRecord::schema(), parent)
{
    connect(form(), &RecordForm::pictureRequested, this, &VideoPage::Button42Click);
}

void VideoPage::Echelle7()
{
    if (RecordPicture *p = form()->picture())
        p->Echelle7();
}

void VideoPage::Button42Click()
{
    const QString current = form()->picturePath();
    const QString directory = current.isEmpty() ? context().startDirectory : QFileInfo(current).absolutePath();
    const QString path = context().ui().openFileName(context().dialogParent(), QStringLiteral("Choisir photo"),
                                                     directory, QString(), AlbumPage::pictureFilter());
    if (path.isEmpty())
        return;
    // The path becomes the cover's even when the picture cannot be shown.
    const QString error = form()->setPicturePath(path); // reads and fits the picture
    recordEdited();
    if (!error.isEmpty())
        context().ui().message(context().dialogParent(), error, UiServices::Icon::Warning, QMessageBox::Ok);
}

void VideoPage::Edit8KeyPress()
{
    recordEdited();
}

void VideoPage::DateTimePicker1Change()
{
    // Only the film is marked; the document follows when the film is
    // written back.
    recordChangedByUser();
}

void VideoPage::Edit8KeyDown(bool pageDown)
{
    if (pageDown)
        suivant();
    else
        precedent();
}

void VideoPage::fieldEdited(int field)
{
    switch (schema().field(field).kind) {
    case RecordField::Kind::Text:
    case RecordField::Kind::Memo: Edit8KeyPress(); break;
    default: DateTimePicker1Change(); break;
    }
}

bool VideoPage::print(MmCanvas &canvas)
{
    RecordPrint::ImpVideo(canvas, RecordPrint::videoOf(*this));
    return true;
}
