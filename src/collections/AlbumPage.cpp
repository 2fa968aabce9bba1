#include "collections/AlbumPage.h"

#include "collections/AlbumRecord.h"
#include "collections/MemoText.h"
#include "collections/PictureFile.h"
#include "collections/RecordPrint.h"
#include "common/OneLineInput.h"
#include "common/TextFile.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QMovie>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

#include <climits>

namespace {

const QString kWidth = QStringLiteral("Largeur : ");
const QString kHeight = QStringLiteral("Hauteur : ");

} // namespace

AlbumPage::AlbumPage(DocumentContext &context, BlockFile &file, QWidget *parent)
    : BlockSectionPage(context, file, SectionId::Album, parent)
{
    buildUi();
}

AlbumPage::~AlbumPage()
{
    if (m_player)
        m_player->stop();
}

void AlbumPage::buildUi()
{
    m_header = new QLabel(QStringLiteral("Album Photo"), this);
    m_header->setObjectName(QStringLiteral("Panel20"));
    m_header->setAlignment(Qt::AlignCenter);
    m_header->setFrameShape(QFrame::Panel);
    m_header->setFrameShadow(QFrame::Raised);
    QFont bold = m_header->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_header->setFont(bold);

    // The picture and the animation share one place: the notebook's two
    // pages, each a frame of the same size.
    m_notebook = new QStackedWidget(this);
    m_notebook->setObjectName(QStringLiteral("Notebook1"));

    m_frame = new QFrame;
    m_frame->setObjectName(QStringLiteral("Panel18"));
    m_frame->setFrameShape(QFrame::Panel);
    m_frame->setFrameShadow(QFrame::Sunken);
    m_frame->setFixedSize(FrameSize);
    m_image = new QLabel(m_frame);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setGeometry(1, 1, FrameSize.width() - 2, FrameSize.height() - 2);
    auto *imagePage = new QWidget;
    imagePage->setObjectName(QStringLiteral("Image"));
    auto *imageLayout = new QVBoxLayout(imagePage);
    imageLayout->setContentsMargins(0, 0, 0, 0);
    imageLayout->addWidget(m_frame, 0, Qt::AlignLeft | Qt::AlignTop);

    auto *videoPage = new QWidget;
    videoPage->setObjectName(QStringLiteral("Video"));
    auto *videoFrame = new QFrame(videoPage);
    videoFrame->setFrameShape(QFrame::Panel);
    videoFrame->setFrameShadow(QFrame::Sunken);
    videoFrame->setFixedSize(FrameSize);
    m_videoFrame = videoFrame;
    m_note = new QLabel(videoFrame);
    m_note->setObjectName(QStringLiteral("AnimationNote"));
    m_note->setGeometry(1, 1, FrameSize.width() - 2, FrameSize.height() - 2);
    m_note->setAlignment(Qt::AlignCenter);
    m_note->setWordWrap(true);
    m_note->hide();
    auto *videoLayout = new QVBoxLayout(videoPage);
    videoLayout->setContentsMargins(0, 0, 0, 0);
    videoLayout->addWidget(videoFrame, 0, Qt::AlignLeft | Qt::AlignTop);

    m_notebook->addWidget(imagePage);
    m_notebook->addWidget(videoPage);
    m_notebook->setFixedSize(FrameSize);

    m_width = new QLabel(kWidth, this);
    m_width->setObjectName(QStringLiteral("Label26"));
    m_height = new QLabel(kHeight, this);
    m_height->setObjectName(QStringLiteral("Label27"));
    m_choosePicture = new QPushButton(QStringLiteral("Choisir image"), this);
    m_choosePicture->setObjectName(QStringLiteral("Button41"));
    m_chooseVideo = new QPushButton(QStringLiteral("Choisir video"), this);
    m_chooseVideo->setObjectName(QStringLiteral("Button40"));

    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("Edit7"));
    m_title->setMaxLength(INT_MAX); // a title read from the file is never cut
    m_comment = new QPlainTextEdit(this);
    m_comment->setObjectName(QStringLiteral("Memo1"));
    auto *titleLabel = new QLabel(QStringLiteral("Titre"), this);
    titleLabel->setBuddy(m_title);
    auto *commentLabel = new QLabel(QStringLiteral("Commentaire"), this);
    commentLabel->setBuddy(m_comment);

    auto *left = new QVBoxLayout;
    left->addWidget(m_notebook);
    auto *sizes = new QHBoxLayout;
    sizes->addWidget(m_width);
    sizes->addWidget(m_height);
    sizes->addStretch(1);
    left->addLayout(sizes);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_choosePicture);
    buttons->addWidget(m_chooseVideo);
    buttons->addStretch(1);
    left->addLayout(buttons);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(titleLabel);
    right->addWidget(m_title);
    right->addWidget(commentLabel);
    right->addWidget(m_comment, 1);

    auto *body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    auto *page = new QVBoxLayout(this);
    page->addWidget(m_header);
    page->addLayout(body, 1);

    // A key typed in the title or the comment changes the page and the
    // document (Edit7KeyPress); text put there by a read does not.
    connect(m_title, &QLineEdit::textEdited, this, [this] { markEdited(); });
    OneLineInput::keep(m_title);
    OneLineInput::keep(m_comment, [this] { return !m_filling; });
    connect(m_comment, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_filling)
            markEdited();
    });
    connect(m_choosePicture, &QPushButton::clicked, this, &AlbumPage::Button41Click);
    connect(m_chooseVideo, &QPushButton::clicked, this, &AlbumPage::Button40Click);
}

QString AlbumPage::pictureFilter()
{
    // First every picture the album can show: JPEG and PCX by its own
    // readers, the rest by Qt's; then the older program's list.
    QStringList patterns{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.pcx")};
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString p = QStringLiteral("*.") + QString::fromLatin1(format).toLower();
        if (!patterns.contains(p))
            patterns << p;
    }
    return QStringLiteral("Images (%1);;").arg(patterns.join(u' '))
           + QStringLiteral("Tout (*.bmp *.emf *.wmf *.jpg *.gif *.pcx);;Bitmaps (*.bmp);;Pcx (*.pcx);;"
                            "MétaFichiers améliorés (*.emf);;MetaFichiers (*.wmf);;Compressés jpeg (*.jpg);;"
                            "Compuserve gif (*.gif)");
}

// ---------------------------------------------------------------------------
// Record hooks

void AlbumPage::clearRecord()
{
    m_filling = true;
    m_header->setText(QStringLiteral("Image %1").arg(currentRecord() + 1));
    m_title->clear();
    m_path.clear();
    m_width->setText(kWidth);
    m_height->setText(kHeight);
    clearPicture();
    stopAnimation();
    MemoText::show(m_comment, {});
    m_notebook->setCurrentIndex(0);
    m_filling = false;
}

void AlbumPage::showRecord(const QStringList &body)
{
    const RecordValues values = AlbumRecord::read(body);
    m_filling = true;
    m_title->setText(values[AlbumRecord::Title].toString());
    m_path = values[AlbumRecord::Path].toString();
    MemoText::show(m_comment, values[AlbumRecord::Comment].toStringList());
    m_filling = false;

    // A file that no longer exists shows nothing; its path stays with the
    // page and is written back with it.
    if (m_path.isEmpty() || !PictureFile::isRegularFile(m_path))
        return;
    if (AlbumRecord::isAnimation(m_path))
        playAnimation(m_path);
    else
        showPicture(m_path, true);
}

std::optional<QStringList> AlbumPage::recordFromScreen()
{
    return AlbumRecord::write({m_title->text(), m_path, MemoText::lines(m_comment)});
}

void AlbumPage::prepareDelete()
{
    // With nothing left on the page its write removes the block.
    m_filling = true;
    m_path.clear();
    m_title->clear();
    MemoText::show(m_comment, {});
    m_filling = false;
    clearPicture();
    stopAnimation();
}

void AlbumPage::focusNewRecord()
{
    m_title->setFocus();
}

// ---------------------------------------------------------------------------
// Pictures

void AlbumPage::clearPicture()
{
    if (m_movie) {
        m_image->setMovie(nullptr);
        delete m_movie;
        m_movie = nullptr;
    }
    m_image->clear();
    m_image->setGeometry(1, 1, FrameSize.width() - 2, FrameSize.height() - 2);
    m_pictureSize = QSize();
}

void AlbumPage::showPicture(const QString &path, bool fit)
{
    m_notebook->setCurrentIndex(0);
    clearPicture();
    PictureFile::TargetSize target;
    if (fit)
        target = [](QSize own) {
            const PictureFit f = PictureFit::Echelle6(FrameSize, own);
            return f.stretch ? f.box.size() : QSize();
        };
    PictureFile::Decoded decoded = PictureFile::load(path, target);
    if (!decoded.ok()) {
        context().ui().message(context().dialogParent(), decoded.error, UiServices::Icon::Warning, QMessageBox::Ok);
        return;
    }
    m_pictureSize = decoded.size;
    if (decoded.animated) {
        m_movie = new QMovie(path, QByteArray(), this);
        m_movie->setCacheMode(QMovie::CacheNone);
        m_image->setMovie(m_movie);
    } else {
        m_image->setPixmap(QPixmap::fromImage(decoded.image));
    }
    if (fit) {
        Echelle6();
        m_width->setText(kWidth + QString::number(m_pictureSize.width()));
        m_height->setText(kHeight + QString::number(m_pictureSize.height()));
    }
    if (m_movie) {
        m_movie->start();
        if (!isVisible())
            m_movie->setPaused(true);
    }
}

void AlbumPage::Echelle6()
{
    if (!m_pictureSize.isValid())
        return;
    const PictureFit fit = PictureFit::Echelle6(m_frame->size(), m_pictureSize);
    m_image->setGeometry(fit.box);
    const QSize drawn = fit.drawnSize(m_pictureSize);
    if (m_movie) {
        m_movie->setScaledSize(drawn);
        return;
    }
    const QPixmap pm = m_image->pixmap();
    if (!pm.isNull() && pm.size() != drawn)
        m_image->setPixmap(pm.scaled(drawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

// ---------------------------------------------------------------------------
// Animations

void AlbumPage::ensurePlayer()
{
    if (m_player)
        return;
    // Created on first use only: most albums hold no animation, and the
    // multimedia back end is slow to start (even the video widget starts
    // it, so it is made here too). No audio output is attached, so
    // animations play silently and need no sound device.
    m_video = new QVideoWidget(m_videoFrame);
    m_video->setObjectName(QStringLiteral("Animate1"));
    m_video->setGeometry(1, 1, FrameSize.width() - 2, FrameSize.height() - 2);
    m_note->raise();
    m_player = new QMediaPlayer(this);
    m_player->setVideoOutput(m_video);
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error, const QString &why) {
        showAnimationNote(QStringLiteral("Cette animation ne peut pas être lue.\n%1").arg(why));
    });
    connect(m_video->videoSink(), &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame &frame) {
        if (!frame.isValid() || m_frameSeen)
            return;
        m_frameSeen = true;
        // A slow start after all: the frames replace the note.
        if (m_noFrameNote) {
            m_noFrameNote = false;
            m_note->hide();
        }
    });
    m_frameWatch = new QTimer(this);
    m_frameWatch->setSingleShot(true);
    m_frameWatch->setInterval(FrameWaitMs);
    connect(m_frameWatch, &QTimer::timeout, this, [this] {
        if (!m_frameSeen && m_player->playbackState() == QMediaPlayer::PlayingState && animationNote().isEmpty()) {
            m_noFrameNote = true;
            showAnimationNote(QStringLiteral("Cette animation ne peut pas être lue : aucune image n'a pu en être "
                                             "décodée (format vidéo non pris en charge sur ce système)."));
        }
    });
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia)
            showAnimationNote(QStringLiteral("Cette animation ne peut pas être lue : "
                                             "son format n'est pas pris en charge."));
    });
}

void AlbumPage::playAnimation(const QString &path)
{
    m_notebook->setCurrentIndex(1);
    ensurePlayer();
    m_note->hide();
    m_video->show();
    if (!m_player->isAvailable()) {
        showAnimationNote(QStringLiteral("La lecture des animations n'est pas disponible sur ce système."));
        return;
    }
    m_player->setSource(QUrl());
    m_player->setLoops(QMediaPlayer::Infinite);
    m_player->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    // Loading a document reads the album's first page while another section
    // shows: the animation then starts when the album comes to the front.
    m_frameSeen = false;
    if (isVisible())
        startPlaying();
    else
        m_playWhenShown = true;
}

void AlbumPage::startPlaying()
{
    m_player->play();
    if (!m_frameSeen)
        m_frameWatch->start();
}

void AlbumPage::showEvent(QShowEvent *event)
{
    BlockSectionPage::showEvent(event);
    if (m_playWhenShown && m_player && !m_player->source().isEmpty())
        startPlaying();
    m_playWhenShown = false;
    if (m_movie)
        m_movie->setPaused(false);
}

void AlbumPage::hideEvent(QHideEvent *event)
{
    BlockSectionPage::hideEvent(event);
    if (m_player && m_player->playbackState() == QMediaPlayer::PlayingState) {
        m_frameWatch->stop();
        m_player->pause();
        m_playWhenShown = true;
    }
    if (m_movie)
        m_movie->setPaused(true);
}

void AlbumPage::stopAnimation()
{
    m_playWhenShown = false;
    m_noFrameNote = false;
    m_note->hide();
    m_note->clear();
    if (!m_player)
        return;
    m_frameWatch->stop();
    m_player->stop();
    m_player->setSource(QUrl());
}

void AlbumPage::showAnimationNote(const QString &text)
{
    m_note->setText(text);
    m_note->show();
    m_note->raise();
}

QString AlbumPage::animationNote() const
{
    return m_note->isHidden() ? QString() : m_note->text();
}

// ---------------------------------------------------------------------------
// Choose buttons

QString AlbumPage::dialogDirectory() const
{
    if (!m_path.isEmpty())
        return QFileInfo(m_path).absolutePath();
    return context().startDirectory;
}

void AlbumPage::Button41Click()
{
    const QString path = context().ui().openFileName(context().dialogParent(), QStringLiteral("Choisir image"),
                                                     dialogDirectory(), QString(), pictureFilter());
    if (path.isEmpty())
        return;
    stopAnimation();
    m_path = path;
    // Fitted to the frame at once, with its sizes.
    if (PictureFile::isRegularFile(path))
        showPicture(path, true);
    else
        clearPicture();
    markEdited();
    m_notebook->setCurrentIndex(0);
}

void AlbumPage::Button40Click()
{
    const QString path =
        context().ui().openFileName(context().dialogParent(), QStringLiteral("Choisir video"), dialogDirectory(),
                                    QStringLiteral("*.avi"), QStringLiteral("Fichiers vidéo (*.avi)"));
    if (path.isEmpty())
        return;
    clearPicture();
    m_path = path;
    if (PictureFile::isRegularFile(path))
        playAnimation(path);
    else
        m_notebook->setCurrentIndex(1);
    markEdited();
}

bool AlbumPage::print(MmCanvas &canvas)
{
    RecordPrint::ImpPhoto(canvas, RecordPrint::photoOf(*this));
    return true;
}

QString AlbumPage::recordTitle() const
{
    return m_title->text();
}
