#pragma once

#include "collections/RecordSectionPage.h"

// The video library, page 7 "Ma vidéothèque": one film per block of the
// ".ovd" file (fields in VideoRecord), with its cover picture.
class MmCanvas;

class VideoPage : public RecordSectionPage
{
    Q_OBJECT

public:
    VideoPage(DocumentContext &context, BlockFile &file, QWidget *parent = nullptr);
    bool print(MmCanvas &canvas) override;

    // Fits the cover into its frame.
    void Echelle7();
    // "Choisir photo": the picture dialog; on OK the path becomes the cover.
    void Button42Click();
    // A key typed in a text field or memo: the film changed, and so did the
    // document.
    void Edit8KeyPress();
    // A change of the date, a spin value or a choice: the film changed.
    void DateTimePicker1Change();
    // Page Down / Page Up in a field: next / previous film.
    void Edit8KeyDown(bool pageDown);

protected:
    void fieldEdited(int field) override;
    void pageKey(bool next) override { Edit8KeyDown(next); }
};
