#pragma once

#include <QFrame>
#include <QImage>
#include <QSize>
#include <QString>

class QLabel;

// The cover picture of a film: the frame `Panel22` holding the picture box
// `Image2`. The picture is read from its file each time a film is shown
// (PictureFile: only regular files are opened) and fitted into the frame by
// the album's rule (Echelle7 = PictureFit::Echelle6 on this frame): a picture
// larger than the box both ways is stretched to it keeping its proportions,
// any other keeps its own size, centred.
class RecordPicture : public QFrame
{
    Q_OBJECT

public:
    explicit RecordPicture(QWidget *parent = nullptr);

    // Shows the picture of a file. A missing file or one that cannot be read
    // shows a short note in the frame instead; the returned text says why in
    // French (empty when the picture shows). The path itself is not kept
    // here: the record keeps it whatever happens.
    QString showFile(const QString &path);
    void clear();

    bool hasPicture() const { return !m_image.isNull(); }
    // The picture's own width and height.
    QSize pictureSize() const { return m_size; }
    QLabel *box() const { return m_box; }

    // Fits the picture into the frame again.
    void Echelle7();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QString decode();

    QLabel *m_box = nullptr;
    QString m_path;
    QImage m_image; // as decoded: a large JPEG may come reduced to the frame
    QSize m_size;   // the picture's own size
};
