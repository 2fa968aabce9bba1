#pragma once

#include "reversi/ReversiEngine.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;
class TOtello;
class UiServices;

// The Reversi window "Othello": one board, the choice of playing strength,
// "Nouvelle partie", "Passer" (let the computer begin), "Fermer", and a
// status line; it tells the user the course of the game in French.
//
// While the computer thinks, a zero-interval timer gives the search a slice
// of a few milliseconds on every turn of the event loop, so the window keeps
// repainting and reacting. The timer runs only while a search is in progress
// and the window is open; closing the window stops it, and the search with it.
class TOthello : public QDialog
{
    Q_OBJECT

public:
    explicit TOthello(UiServices &ui, QWidget *parent = nullptr);
    ~TOthello() override;

    // Time the search may take on one turn of the event loop.
    static constexpr std::chrono::milliseconds ThinkSlice{4};

    // The strength that "Nouvelle partie" sets for an item of "Niveau de
    // jeu". The third item is the deepest search, the fourth the second
    // deepest.
    static TSkill skillForItem(int item);

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void newGameClicked();
    void passClicked();
    void closeClicked();
    void think();
    void stopThinking();
    void setStatus(const QString &text);

    UiServices &m_ui;
    TOtello *m_board = nullptr;
    QToolButton *m_newGame = nullptr;
    QToolButton *m_pass = nullptr;
    QPushButton *m_close = nullptr;
    QButtonGroup *m_skills = nullptr;
    QStatusBar *m_status = nullptr;
    QLabel *m_statusText = nullptr;
    QTimer *m_idle = nullptr;
    bool m_inSlice = false;
    bool m_centred = false;
};
