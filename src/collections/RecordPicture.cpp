#include "collections/RecordPicture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>

#include <cmath>

namespace {

// Round to the nearest integer, halves to the even neighbour.
int roundEven(double v)
{
    return int(std::nearbyint(v)); // the default rounding mode is to nearest, ties to even
}

} // namespace

RecordPicture::RecordPicture(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Panel22"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMinimumSize(180, 220);
    m_box = new QLabel(this);
    m_box->setObjectName(QStringLiteral("Image2"));
    m_box->setAlignment(Qt::AlignCenter);
    m_box->setWordWrap(true);
    m_box->setScaledContents(false);
}

RecordPicture::Fit RecordPicture::fit(QSize frame, QSize picture)
{
    Fit f;
    const int W = frame.width() - 2;
    const int H = frame.height() - 2;
    f.box = QRect(1, 1, W, H);
    if (picture.width() > 0 && picture.height() > H && picture.width() > W) {
        const double r = double(picture.height()) / picture.width();
        f.stretch = true;
        if (r >= 1) {
            const int width = roundEven(frame.width() / r);
            f.box.setLeft((frame.width() - width) / 2);
            f.box.setWidth(width);
        } else {
            const int height = roundEven(r * frame.height());
            f.box.setTop((frame.height() - height) / 2);
            f.box.setHeight(height);
        }
    }
    return f;
}

void RecordPicture::clear()
{
    m_image = QImage();
    m_box->clear();
    m_box->setToolTip(QString());
    Echelle7();
}

void RecordPicture::showFile(const QString &path)
{
    clear();
    if (path.isEmpty())
        return;
    m_box->setToolTip(path);
    const QFileInfo info(path);
    if (!info.isFile()) {
        m_box->setText(QStringLiteral("Image introuvable"));
        return;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    m_image = reader.read();
    if (m_image.isNull()) {
        m_box->setText(QStringLiteral("Image illisible"));
        return;
    }
    Echelle7();
}

void RecordPicture::Echelle7()
{
    const Fit f = fit(size(), m_image.size());
    m_box->setGeometry(f.box);
    if (m_image.isNull())
        return;
    if (f.stretch)
        m_box->setPixmap(QPixmap::fromImage(
            m_image.scaled(f.box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    else
        m_box->setPixmap(QPixmap::fromImage(m_image));
}

void RecordPicture::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Echelle7();
}
