#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class AlbumPage;
class MmCanvas;
class VideoPage;

// Printing of the album page shown ("&Photo") and of the video record shown
// ("&Vidéo"), on one portrait page each.
namespace RecordPrint {

// The title in bold over the page's width, the picture fitted in a framed
// box below it, then the comment, line after line, to the page's end.
struct Photo
{
    QString title;
    QImage picture;
    QStringList comment;
};
Photo photoOf(const AlbumPage &page);
void ImpPhoto(MmCanvas &canvas, const Photo &photo);

// The section's header in bold, then one line per field (label and value)
// on the left, the cover fitted in a framed box on the right, and the
// memos, each under its label, across the page.
struct Video
{
    QString header;
    QList<QPair<QString, QString>> fields;
    QList<QPair<QString, QStringList>> memos;
    QImage cover;
};
Video videoOf(const VideoPage &page);
void ImpVideo(MmCanvas &canvas, const Video &video);

} // namespace RecordPrint
