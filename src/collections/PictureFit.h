#pragma once

#include <QRect>
#include <QSize>

// How a picture is placed in its frame (Echelle6 for the album, Echelle7 for
// the video covers).
//
// The box starts one pixel inside the frame on every side. A picture larger
// than the box in both directions is stretched to fill the box's width (wide
// pictures) or height (tall pictures) keeping its proportions, and centred
// along the other direction; the new side is rounded to the nearest integer,
// halves to the even neighbour, and the offset is truncated. Any other picture
// keeps its own size, centred in the box (and clipped by it).
struct PictureFit
{
    QRect box;            // the picture control's geometry inside the frame
    bool stretch = false; // the picture is scaled to the box

    // The size the picture is drawn at: the box when stretched, else its own.
    QSize drawnSize(QSize picture) const { return stretch ? box.size() : picture; }

    static PictureFit Echelle6(QSize frame, QSize picture);
};
