#pragma once

#include <QFrame>
#include <QImage>
#include <QRect>
#include <QString>

class QLabel;

// The cover picture of a film: the frame `Panel22` holding the picture box
// `Image2`. The picture is loaded from its file each time a film is shown and
// fitted into the frame (Echelle7):
//  1. the box is placed at (1, 1), 2 pixels smaller than the frame both ways
//     (W x H), without stretching;
//  2. a picture higher than H and wider than W is stretched: with
//     r = height / width, when r >= 1 the box width becomes
//     round(frame width / r) and the box is centred across; when r < 1 the box
//     height becomes round(r x frame height) and the box is centred down;
//     rounding halves to the even neighbour;
//  3. any other picture keeps its own size, centred in the box.
class RecordPicture : public QFrame
{
    Q_OBJECT

public:
    explicit RecordPicture(QWidget *parent = nullptr);

    struct Fit
    {
        QRect box;
        bool stretch = false;
    };
    static Fit fit(QSize frame, QSize picture);

    // Shows the picture of a file: only a regular file is opened; a missing
    // or unreadable one shows a short note instead. The path itself is not
    // kept here.
    void showFile(const QString &path);
    void clear();

    bool hasPicture() const { return !m_image.isNull(); }
    QSize pictureSize() const { return m_image.size(); }
    QLabel *box() const { return m_box; }

    // Fits the picture into the frame again (Echelle7).
    void Echelle7();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QLabel *m_box = nullptr;
    QImage m_image;
};
