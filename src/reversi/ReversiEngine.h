#pragma once

#include "reversi/ReversiBoard.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>

// Playing strength; each level searches to its own depth (see depthOf).
enum TSkill
{
    skBeginner = 0,
    skNovice = 1,
    skExpert = 2,
    skMaster = 3
};

// The Reversi game between the human (discs coded 1, moves with the mouse)
// and the computer (discs coded 2), apart from drawing and input.
//
// The computer's search is an alpha-beta search in negamax form whose stack
// lives in fixed per-level bookkeeping, so that it can stop after any step and
// go on later: the host calls ThinkStep from its event loop until it returns
// false, and the window keeps repainting and reacting in between. Nothing in
// here waits, allocates during the search, or shows anything; the course of
// the game is reported through the callbacks below.
class ReversiEngine
{
public:
    static constexpr int MaxLevel = 6; // the deepest search (skMaster)
    static constexpr int NoMove = ReversiBoard::Squares;

    ReversiEngine();

    static constexpr int depthOf(TSkill skill)
    {
        constexpr int depths[] = {1, 2, 4, 6};
        return depths[skill];
    }

    TSkill Skill() const { return m_skill; }
    // Also sets the search depth.
    void setSkill(TSkill skill);
    int Depth() const { return m_depth; }

    // The disc margin at the end of the game from the human's side: 0 or more
    // when the human did not lose, negative when the human lost.
    int Score() const { return m_score; }
    // Squares set by the place routine since NewGame; 0 exactly until the
    // first move of the game, which is what the host asks it for.
    int Placements() const { return m_placements; }
    bool Thinking() const { return m_thinking; }

    // The position on screen (layer 0).
    const ReversiBoard &board() const { return m_layers[0]; }

    // Back to the starting position. Stops a search in progress at once; does
    // not change the skill and reports nothing.
    void NewGame();

    // Replaces the position on screen, stopping any search. For setting up a
    // position by hand (tests, benchmarks); counts no placement.
    void setBoard(const ReversiBoard &board);

    // The computer's turn: starts a search when the computer has a legal
    // square (OnThink), ends the game when neither side has one, and does
    // nothing otherwise (the human moves again; no event reports the pass).
    void ComputerPlay();

    // One step of the search in progress: one descent, one leaf evaluation
    // with its back-up, or one exhausted level with its back-up. Returns
    // whether a search is still in progress after the step.
    bool ThinkStep();

    // Calls ThinkStep until the search ends or `budget` has passed, whichever
    // comes first; returns ThinkStep's last answer. The host's time slice.
    bool thinkFor(std::chrono::nanoseconds budget);

    // Whether the human may put a disc on (column, row) now; false for any
    // square outside the 8 x 8 grid.
    bool isHumanMove(int column, int row) const;

    // The human's move: when the square is legal (and no search runs), plays
    // it and hands the turn to the computer; answers false and changes
    // nothing otherwise, leaving the bad-move report to the caller.
    bool humanMove(int column, int row);

    // Search steps performed since the engine was created.
    std::uint64_t steps() const { return m_steps; }

    // The five notifications of the game. OnUnableToMove reports a search
    // that ended without a move to play; OnSquarePlaced reports every square
    // set on the displayed position, so that the control repaints it.
    std::function<void()> OnThink;
    std::function<void()> OnPlay;
    std::function<void()> OnWin;
    std::function<void()> OnLost;
    std::function<void()> OnUnableToMove;
    std::function<void(int column, int row)> OnSquarePlaced;

private:
    static quint8 sideToMove(int level)
    {
        return level % 2 == 0 ? ReversiBoard::ComputerDisc : ReversiBoard::HumanDisc;
    }

    void place(int level, int square, quint8 mover);
    void playOnScreen(int square, quint8 mover, quint8 opponent);
    int finalCount(int level, quint8 a, quint8 b);
    void descend(int square, quint8 mover, quint8 opponent);
    void backUp(int value);
    void finish();
    void endGame();
    static void fire(const std::function<void()> &event);

    // Layer 0 is the position shown; layers 1-6 are the search's scratch
    // copies, one per level.
    std::array<ReversiBoard, MaxLevel + 1> m_layers;

    // Per level: where the level's scan of the square order list stands
    // while a deeper level is searched, the best move found (level 0's only
    // matters), and the alpha-beta window.
    std::array<int, MaxLevel + 1> m_saved{};
    std::array<int, MaxLevel + 1> m_best{};
    std::array<int, MaxLevel + 1> m_alpha{};
    std::array<int, MaxLevel + 1> m_beta{};

    int m_level = 0;  // the level being searched
    int m_cursor = 0; // position in the square order list at that level
    bool m_thinking = false;

    TSkill m_skill = skBeginner;
    int m_depth = 1;
    int m_score = 0;
    int m_placements = 0;
    std::uint64_t m_steps = 0;
};
