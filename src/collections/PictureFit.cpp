#include "collections/PictureFit.h"

#include <QtGlobal>

namespace {

// num / den (both positive) rounded to the nearest integer, halves to the
// even neighbour. Worked on integers: a ratio such as 388 × 387 / 776 is
// exactly 193.5, which floating point may see as 193.4999... and round the
// wrong way.
int roundEven(qint64 num, qint64 den)
{
    const qint64 q = num / den;
    const qint64 twice = 2 * (num % den);
    if (twice > den || (twice == den && q % 2 != 0))
        return int(q + 1);
    return int(q);
}

} // namespace

PictureFit PictureFit::Echelle6(QSize frame, QSize picture)
{
    PictureFit fit;
    const int fw = frame.width();
    const int fh = frame.height();
    fit.box = QRect(1, 1, fw - 2, fh - 2);
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0 || h <= fit.box.height() || w <= fit.box.width())
        return fit;
    // r = h / w; fw / r = fw × w / h and r × fh = h × fh / w.
    fit.stretch = true;
    if (h >= w) {
        const int bw = roundEven(qint64(fw) * w, h);
        fit.box.setLeft((fw - bw) / 2);
        fit.box.setWidth(bw);
    } else {
        const int bh = roundEven(qint64(h) * fh, w);
        fit.box.setTop((fh - bh) / 2);
        fit.box.setHeight(bh);
    }
    return fit;
}
