#include "collections/RecordPicture.h"

#include "collections/PictureFile.h"
#include "collections/PictureFit.h"

#include <QLabel>
#include <QPixmap>

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
}

void RecordPicture::clear()
{
    m_path.clear();
    m_image = QImage();
    m_size = QSize();
    m_box->clear();
    m_box->setToolTip(QString());
    Echelle7();
}

QString RecordPicture::showFile(const QString &path)
{
    clear();
    if (path.isEmpty())
        return {};
    m_path = path;
    m_box->setToolTip(path);
    if (!PictureFile::isRegularFile(path)) {
        m_box->setText(QStringLiteral("Image introuvable"));
        return QStringLiteral("Le fichier « %1 » n'existe pas.").arg(path);
    }
    const QString error = decode();
    if (!error.isEmpty()) {
        m_box->setText(QStringLiteral("Image illisible"));
        m_box->setToolTip(path + u'\n' + error);
        return error;
    }
    Echelle7();
    return {};
}

QString RecordPicture::decode()
{
    // A large JPEG is decoded straight at the size it is drawn at.
    const QSize frame = size();
    PictureFile::Decoded d = PictureFile::load(m_path, [frame](QSize own) {
        const PictureFit f = PictureFit::Echelle6(frame, own);
        return f.stretch ? f.box.size() : QSize();
    });
    if (!d.ok())
        return d.error;
    m_image = std::move(d.image);
    m_size = d.size.isValid() ? d.size : m_image.size();
    return {};
}

void RecordPicture::Echelle7()
{
    const PictureFit fit = PictureFit::Echelle6(size(), m_size);
    m_box->setGeometry(fit.box);
    if (m_image.isNull())
        return;
    const QSize drawn = fit.drawnSize(m_size);
    // The frame grew beyond what a reduced decoding kept: read it again.
    if (m_image.size() != m_size && (drawn.width() > m_image.width() || drawn.height() > m_image.height()))
        decode();
    if (m_image.size() == drawn)
        m_box->setPixmap(QPixmap::fromImage(m_image));
    else
        m_box->setPixmap(QPixmap::fromImage(m_image.scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void RecordPicture::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Echelle7();
}
