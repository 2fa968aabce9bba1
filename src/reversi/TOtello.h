#pragma once

#include "reversi/ReversiEngine.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <optional>

class UiServices;

// The Reversi board control: draws the game of an ReversiEngine, shows the
// human where a move is legal by the pointer shape (a cross), plays the
// human's moves with the mouse and relays the course of the game through its
// five signals. It knows nothing of the window that hosts it; the host drives
// the computer's search by calling ThinkStep from its event loop.
//
// When the host connects nothing to OnBadMove, OnWin or OnLost, the control
// tells the user itself, in English.
class TOtello : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor Computer READ Computer WRITE setComputer)
    Q_PROPERTY(QColor Human READ Human WRITE setHuman)
    Q_PROPERTY(TSkill Skill READ Skill WRITE setSkill)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE setParentColor)

public:
    explicit TOtello(UiServices &ui, QWidget *parent = nullptr);

    QColor Computer() const { return m_computer; }
    void setComputer(const QColor &color);
    QColor Human() const { return m_human; }
    void setHuman(const QColor &color);

    // The background; the parent's background while ParentColor is set
    // (until a colour of its own is given).
    QColor Color() const;
    void setColor(const QColor &color);
    bool ParentColor() const { return m_parentColor; }
    void setParentColor(bool on);

    TSkill Skill() const { return m_engine.Skill(); }
    void setSkill(TSkill skill) { m_engine.setSkill(skill); }
    int Depth() const { return m_engine.Depth(); }
    int Score() const { return m_engine.Score(); }
    int Placements() const { return m_engine.Placements(); }
    bool Thinking() const { return m_engine.Thinking(); }

    void NewGame();
    void ComputerPlay();
    bool ThinkStep();
    // ThinkStep repeated for at most `budget`; the host's time slice.
    bool thinkFor(std::chrono::nanoseconds budget);

    // The game itself, for reading the position.
    const ReversiEngine &engine() const { return m_engine; }
    // Shows a position set up by hand (tests), stopping any search.
    void setBoard(const ReversiBoard &board);

    // The square under a point in the control's pixels (column and row
    // counted from the grid's top-left corner, truncating toward zero), or
    // nothing when that square lies outside the 8 x 8 grid or while the
    // control is too small to draw a board.
    std::optional<QPoint> squareAt(const QPoint &pos) const;
    // The pixels of a square (column and row 1-8).
    QRect cellRect(int column, int row) const;

    QSize sizeHint() const override;

signals:
    void OnBadMove();
    void OnThink();
    void OnPlay();
    void OnWin();
    void OnLost();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // Cell size and margins: eight equal cells each way, centred; a cell
    // size of 0 (a control under 8 pixels) means nothing is drawn and the
    // mouse is ignored.
    struct Geometry
    {
        int cellWidth = 0, cellHeight = 0, left = 0, top = 0;
        bool usable() const { return cellWidth > 0 && cellHeight > 0; }
    };
    Geometry geometry() const;

    bool isConnected(void (TOtello::*signal)()) const;
    void updatePointer();
    void gameOver(bool lost);

    UiServices &m_ui;
    ReversiEngine m_engine;
    QColor m_computer{0, 0, 255};
    QColor m_human{255, 0, 0};
    QColor m_color;
    bool m_parentColor = true;
    std::optional<QPoint> m_pointer; // last known pointer position over the control
};
