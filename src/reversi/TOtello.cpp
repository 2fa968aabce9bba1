#include "reversi/TOtello.h"

#include "common/UiServices.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

TOtello::TOtello(UiServices &ui, QWidget *parent) : QWidget(parent), m_ui(ui)
{
    // The pointer shape follows the square under it, pressed or not.
    setMouseTracking(true);

    m_engine.OnThink = [this] {
        updatePointer();
        emit OnThink();
    };
    m_engine.OnPlay = [this] {
        updatePointer();
        emit OnPlay();
    };
    m_engine.OnWin = [this] { gameOver(false); };
    m_engine.OnLost = [this] { gameOver(true); };
    m_engine.OnUnableToMove = [this] {
        updatePointer();
        m_ui.showMessage(this, QStringLiteral("Unable to move :("));
    };
    m_engine.OnSquarePlaced = [this](int column, int row) { update(cellRect(column, row)); };
}

void TOtello::setComputer(const QColor &color)
{
    m_computer = color;
    update();
}

void TOtello::setHuman(const QColor &color)
{
    m_human = color;
    update();
}

QColor TOtello::Color() const
{
    if (m_parentColor)
        return parentWidget() ? parentWidget()->palette().color(QPalette::Window) : palette().color(QPalette::Window);
    return m_color;
}

void TOtello::setColor(const QColor &color)
{
    m_color = color;
    m_parentColor = false;
    update();
}

void TOtello::setParentColor(bool on)
{
    if (!on && !m_color.isValid())
        m_color = Color();
    m_parentColor = on;
    update();
}

QSize TOtello::sizeHint() const
{
    return {273, 249};
}

void TOtello::NewGame()
{
    m_engine.NewGame();
    update();
    updatePointer();
}

void TOtello::setBoard(const ReversiBoard &board)
{
    m_engine.setBoard(board);
    update();
    updatePointer();
}

void TOtello::ComputerPlay()
{
    m_engine.ComputerPlay();
}

bool TOtello::ThinkStep()
{
    return m_engine.ThinkStep();
}

bool TOtello::thinkFor(std::chrono::nanoseconds budget)
{
    return m_engine.thinkFor(budget);
}

TOtello::Geometry TOtello::geometry() const
{
    Geometry g;
    g.cellWidth = width() / 8;
    g.cellHeight = height() / 8;
    if (g.usable()) {
        g.left = (width() - 8 * g.cellWidth) / 2;
        g.top = (height() - 8 * g.cellHeight) / 2;
    }
    return g;
}

QRect TOtello::cellRect(int column, int row) const
{
    const Geometry g = geometry();
    return {g.left + (column - 1) * g.cellWidth, g.top + (row - 1) * g.cellHeight, g.cellWidth, g.cellHeight};
}

std::optional<QPoint> TOtello::squareAt(const QPoint &pos) const
{
    const Geometry g = geometry();
    if (!g.usable())
        return std::nullopt;
    // The division truncates toward zero: the margin left of or above the
    // grid, and less than a cell beyond it (the pointer may leave the control
    // while the mouse is captured), still counts as column or row 1.
    // Anything further out is on no square.
    const int column = (pos.x() - g.left) / g.cellWidth + 1, row = (pos.y() - g.top) / g.cellHeight + 1;
    if (!ReversiBoard::isPlaySquare(column, row))
        return std::nullopt;
    return QPoint(column, row);
}

void TOtello::paintEvent(QPaintEvent *)
{
    const Geometry g = geometry();
    if (!g.usable())
        return;

    QPainter p(this);
    p.fillRect(rect(), Color());

    // The grid with the painter's default pen.
    for (int i = 0; i <= 8; ++i) {
        const int x = g.left + i * g.cellWidth;
        p.drawLine(x, g.top, x, height() - g.top);
    }
    for (int j = 0; j <= 8; ++j) {
        const int y = g.top + j * g.cellHeight;
        p.drawLine(g.left, y, width() - g.left, y);
    }

    // The discs, inside their cells inset by 2 pixels.
    p.setRenderHint(QPainter::Antialiasing);
    const ReversiBoard &b = m_engine.board();
    for (int c = 1; c <= 8; ++c) {
        for (int r = 1; r <= 8; ++r) {
            const quint8 code = b.at(c, r);
            if (code != ReversiBoard::HumanDisc && code != ReversiBoard::ComputerDisc)
                continue;
            const QRect cell = cellRect(c, r);
            p.setBrush(code == ReversiBoard::HumanDisc ? m_human : m_computer);
            p.drawEllipse(QRectF(cell.left() + 2, cell.top() + 2, cell.width() - 4, cell.height() - 4)
                              .adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
}

void TOtello::mousePressEvent(QMouseEvent *event)
{
    // Accepting the press makes Qt send the pointer's moves and the release
    // to the board until the button goes up, wherever the pointer goes: the
    // capture a move needs. While thinking, or with no board drawn, the
    // press is not the board's.
    event->setAccepted(!m_engine.Thinking() && geometry().usable());
}

void TOtello::mouseMoveEvent(QMouseEvent *event)
{
    m_pointer = event->position().toPoint();
    updatePointer();
}

void TOtello::leaveEvent(QEvent *)
{
    m_pointer.reset();
}

void TOtello::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_engine.Thinking() || !geometry().usable())
        return;
    m_pointer = event->position().toPoint();

    const std::optional<QPoint> sq = squareAt(event->position().toPoint());
    if (sq && m_engine.humanMove(sq->x(), sq->y())) {
        updatePointer();
        return;
    }
    if (isConnected(&TOtello::OnBadMove))
        emit OnBadMove();
    else
        m_ui.showMessage(this, QStringLiteral("You may only move to space where the cursor is a cross"));
}

void TOtello::updatePointer()
{
    if (m_engine.Thinking()) {
        setCursor(Qt::BusyCursor);
        return;
    }
    std::optional<QPoint> sq;
    if (m_pointer)
        sq = squareAt(*m_pointer);
    setCursor(sq && m_engine.isHumanMove(sq->x(), sq->y()) ? Qt::CrossCursor : Qt::ArrowCursor);
}

bool TOtello::isConnected(void (TOtello::*signal)()) const
{
    return isSignalConnected(QMetaMethod::fromSignal(signal));
}

void TOtello::gameOver(bool lost)
{
    updatePointer();
    const int score = m_engine.Score();
    if (lost) {
        if (isConnected(&TOtello::OnLost))
            emit OnLost();
        else
            m_ui.showMessage(this, QStringLiteral("You lost by : ") + QString::number(score));
    } else {
        if (isConnected(&TOtello::OnWin))
            emit OnWin();
        else
            m_ui.showMessage(this, QStringLiteral("You win by ") + QString::number(score));
    }
}
