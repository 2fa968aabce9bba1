#pragma once

#include "collections/BlockSectionPage.h"
#include "collections/PictureFit.h"

#include <QSize>
#include <QString>

class MmCanvas;
class QFrame;
class QLabel;
class QLineEdit;
class QMediaPlayer;
class QMovie;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTimer;
class QVideoWidget;

// The photo album (page 6, file ".oap"): one album page per record, with a
// title, one picture or animation referenced by its path, and a comment
// (block layout: AlbumRecord). The page shows the record; a page with
// nothing on it is left out of the file, and deleting a page removes it.
//
// The picture is read from its file each time the page is shown and fitted
// into the frame Panel18 (Echelle6); animations play in the same place through
// Qt Multimedia, silently (no audio output is attached), and a note replaces
// them where the platform cannot play them.
class AlbumPage : public BlockSectionPage
{
    Q_OBJECT

public:
    AlbumPage(DocumentContext &context, BlockFile &file, QWidget *parent = nullptr);
    ~AlbumPage() override;
    bool print(MmCanvas &canvas) override;

    // The section's routines under their own names.
    void LitAlbum() { readRecord(); }
    // "Choisir image" and "Choisir video".
    void Button41Click();
    void Button40Click();
    // Fits the picture shown into the frame.
    void Echelle6();

    // The path of the page's file, as chosen or read (empty when none).
    QString chosenPath() const { return m_path; }
    // The picture's own width and height (invalid when none is shown).
    QSize pictureSize() const { return m_pictureSize; }
    // The note shown instead of an animation that cannot be played.
    QString animationNote() const;
    // The animation player, once an animation was shown (null before).
    QMediaPlayer *player() const { return m_player; }

    // The filter of the "Choisir image" dialog.
    static QString pictureFilter();

    // Frame of the picture, in pixels.
    static constexpr QSize FrameSize{388, 373};

protected:
    // An animation plays only while the page shows; a hidden page pauses it.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

    void clearRecord() override;
    void showRecord(const QStringList &body) override;
    std::optional<QStringList> recordFromScreen() override;
    void prepareDelete() override;
    QString recordTitle() const override;
    void focusNewRecord() override;

private:
    void buildUi();
    void clearPicture();
    void showPicture(const QString &path, bool fit);
    void playAnimation(const QString &path);
    void stopAnimation();
    void showAnimationNote(const QString &text);
    void ensurePlayer();
    void startPlaying();
    QString dialogDirectory() const;

    QLabel *m_header = nullptr;             // Panel20
    QLineEdit *m_title = nullptr;           // Edit7
    QPlainTextEdit *m_comment = nullptr;    // Memo1
    QStackedWidget *m_notebook = nullptr;   // Notebook1
    QFrame *m_frame = nullptr;              // Panel18
    QLabel *m_image = nullptr;              // Image1
    QVideoWidget *m_video = nullptr;        // Animate1
    QLabel *m_note = nullptr;               // AnimationNote
    QFrame *m_videoFrame = nullptr;         // holds Animate1, made with the player
    QLabel *m_width = nullptr;              // Label26
    QLabel *m_height = nullptr;             // Label27
    QPushButton *m_choosePicture = nullptr; // Button41
    QPushButton *m_chooseVideo = nullptr;   // Button40

    QMediaPlayer *m_player = nullptr;
    QMovie *m_movie = nullptr;
    QString m_path;
    QSize m_pictureSize;
    bool m_filling = false;
    bool m_playWhenShown = false;
    // Some back ends "play" a file they cannot decode without a word: an
    // animation that shows no frame within FrameWait gets the note.
    QTimer *m_frameWatch = nullptr;
    bool m_frameSeen = false;
    bool m_noFrameNote = false;

public:
    static constexpr int FrameWaitMs = 3000;
};
