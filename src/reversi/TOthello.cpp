#include "reversi/TOthello.h"

#include "common/UiServices.h"
#include "reversi/TOtello.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Pictures of the two tool bar buttons: a disc of each side for a new game,
// a computer disc followed by an arrow for handing the first move over.
QIcon discsIcon(bool pass)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    if (pass) {
        p.setBrush(QColor(0, 0, 255));
        p.drawEllipse(QRectF(1.5, 5.5, 9, 9));
        const QPointF arrow[] = {{12.5, 5.5}, {18.5, 10}, {12.5, 14.5}};
        p.setBrush(Qt::black);
        p.drawPolygon(arrow, 3);
    } else {
        p.setBrush(QColor(255, 0, 0));
        p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
        p.drawEllipse(QRectF(9.5, 9.5, 9, 9));
        p.setBrush(QColor(0, 0, 255));
        p.drawEllipse(QRectF(9.5, 1.5, 9, 9));
        p.drawEllipse(QRectF(1.5, 9.5, 9, 9));
    }
    return QIcon(pm);
}

QToolButton *speedButton(const QString &name, const QString &hint, bool pass, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setAutoRaise(true);
    b->setIcon(discsIcon(pass));
    b->setIconSize(QSize(20, 20));
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TOthello::TOthello(UiServices &ui, QWidget *parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("Othello"));
    setWindowTitle(QStringLiteral("Othello"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The tool bar: the two picture buttons at the left, "Fermer" at the right.
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto *tools = new QHBoxLayout(panel);
    tools->setContentsMargins(2, 2, 2, 2);
    tools->setSpacing(2);
    m_newGame = speedButton(QStringLiteral("SpeedButton1"), QStringLiteral("Nouvelle partie"), false, panel);
    m_pass = speedButton(QStringLiteral("SpeedButton2"), QStringLiteral("Passer"), true, panel);
    m_close = new QPushButton(QStringLiteral("Fermer"), panel);
    m_close->setObjectName(QStringLiteral("Button1"));
    m_close->setAutoDefault(false);
    tools->addWidget(m_newGame);
    tools->addWidget(m_pass);
    tools->addStretch(1);
    tools->addWidget(m_close);

    m_board = new TOtello(ui, this);
    m_board->setObjectName(QStringLiteral("Otello1"));
    m_board->setFixedSize(273, 249);
    m_board->setColor(Qt::white);

    auto *group = new QGroupBox(QStringLiteral("Niveau de jeu"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto *items = new QVBoxLayout(group);
    items->setContentsMargins(6, 4, 2, 4);
    m_skills = new QButtonGroup(group);
    const QString labels[] = {QStringLiteral("Débutant"), QStringLiteral("Novice"), QStringLiteral("Expérimenté"),
                              QStringLiteral("Maître")};
    for (int i = 0; i < 4; ++i) {
        auto *radio = new QRadioButton(labels[i], group);
        radio->setObjectName(QStringLiteral("RadioGroup1_%1").arg(i));
        m_skills->addButton(radio, i);
        items->addWidget(radio);
    }
    m_skills->button(0)->setChecked(true);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);
    m_statusText = new QLabel(m_status);
    m_statusText->setObjectName(QStringLiteral("StatusText"));
    m_status->addWidget(m_statusText, 1);

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(2, 4, 2, 0);
    middle->setSpacing(4);
    middle->addWidget(m_board, 0, Qt::AlignLeft | Qt::AlignTop);
    middle->addWidget(group, 1, Qt::AlignTop);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel);
    layout->addLayout(middle, 1);
    layout->addWidget(m_status);
    setFixedSize(395, 323);

    m_idle = new QTimer(this);
    m_idle->setInterval(0);
    connect(m_idle, &QTimer::timeout, this, &TOthello::think);

    connect(m_newGame, &QToolButton::clicked, this, &TOthello::newGameClicked);
    connect(m_pass, &QToolButton::clicked, this, &TOthello::passClicked);
    connect(m_close, &QPushButton::clicked, this, &TOthello::closeClicked);

    connect(m_board, &TOtello::OnBadMove, this, [this] {
        m_ui.showMessage(this, QStringLiteral("Vous ne pouvez jouer que là où la souris est une croix"));
    });
    connect(m_board, &TOtello::OnThink, this, [this] {
        setStatus(QStringLiteral("je réfléchis..."));
        if (isVisible() && !m_inSlice)
            m_idle->start();
    });
    connect(m_board, &TOtello::OnPlay, this, [this] { setStatus(QStringLiteral("A vous de jouer")); });
    connect(m_board, &TOtello::OnWin, this, [this] {
        m_ui.showMessage(this, QStringLiteral("Vous gagnez de ") + QString::number(m_board->Score())
                                   + QStringLiteral(" points"));
    });
    connect(m_board, &TOtello::OnLost, this, [this] {
        m_ui.showMessage(this, QStringLiteral("Vous perdez de ") + QString::number(-m_board->Score())
                                   + QStringLiteral(" points"));
    });
}

TOthello::~TOthello()
{
    stopThinking();
}

TSkill TOthello::skillForItem(int item)
{
    static constexpr TSkill skills[] = {skBeginner, skNovice, skMaster, skExpert};
    return item >= 0 && item < 4 ? skills[item] : skBeginner;
}

void TOthello::newGameClicked()
{
    m_board->NewGame();
    m_board->setSkill(skillForItem(m_skills->checkedId()));
}

void TOthello::passClicked()
{
    if (m_board->Placements() == 0)
        m_board->ComputerPlay();
    else
        m_ui.showMessage(this, QStringLiteral("Vous ne pouvez pas passer. le curseurr doit être une croix"));
}

void TOthello::closeClicked()
{
    m_board->NewGame();
    reject();
}

// One turn of the event loop's worth of search. The timer is stopped for the
// slice: a message shown at the end of the game runs an event loop of its
// own, in which the search must not be stepped again.
void TOthello::think()
{
    m_idle->stop();
    m_inSlice = true;
    const bool thinking = m_board->thinkFor(ThinkSlice);
    m_inSlice = false;
    if (thinking && isVisible())
        m_idle->start();
}

void TOthello::stopThinking()
{
    m_idle->stop();
    // Nothing drives the search once the window is closed; stop it outright
    // rather than leave it half-way.
    if (m_board->Thinking())
        m_board->NewGame();
}

void TOthello::setStatus(const QString &text)
{
    m_statusText->setText(text);
}

void TOthello::done(int result)
{
    stopThinking();
    QDialog::done(result);
}

void TOthello::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        if (QScreen *s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    // A search started before the window was shown (or while hidden) resumes.
    if (m_board->Thinking() && !m_inSlice)
        m_idle->start();
}

void TOthello::hideEvent(QHideEvent *event)
{
    m_idle->stop();
    QDialog::hideEvent(event);
}
