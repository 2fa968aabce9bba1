#include "collections/PictureFit.h"

#include <cmath>

namespace {

// Round half to even, whatever the floating-point environment says.
int roundEven(double v)
{
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff > 0.5)
        return int(f) + 1;
    if (diff < 0.5)
        return int(f);
    return (std::fmod(f, 2.0) == 0.0) ? int(f) : int(f) + 1;
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
    const double r = double(h) / double(w);
    fit.stretch = true;
    if (r >= 1.0) {
        const int bw = roundEven(fw / r);
        fit.box.setLeft((fw - bw) / 2);
        fit.box.setWidth(bw);
    } else {
        const int bh = roundEven(r * fh);
        fit.box.setTop((fh - bh) / 2);
        fit.box.setHeight(bh);
    }
    return fit;
}
