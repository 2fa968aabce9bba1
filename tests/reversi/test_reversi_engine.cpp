#include "BoardText.h"
#include "reversi/ReversiEngine.h"

#include <QtTest>

// The game as the host sees it: turns, the computer's replies, passes, the
// end of the game and its score.
class TestReversiEngine : public QObject
{
    Q_OBJECT

private slots:
    void newGameState();
    void humanOpeningSquares();
    void replyToOpening_data();
    void replyToOpening();
    void computerStarts_data();
    void computerStarts();
    void illegalHumanMoveChangesNothing_data();
    void illegalHumanMoveChangesNothing();
    void wholeGame_data();
    void wholeGame();
    void endOfGameFill_data();
    void endOfGameFill();
    void finalScore_data();
    void finalScore();
    void newGameDuringSearch();
    void computerMovesAgainWhenHumanMustPass_data();
    void computerMovesAgainWhenHumanMustPass();
    void thinkForStopsAtTheEndOfTheSearch();
};

namespace {

constexpr quint8 H = ReversiBoard::HumanDisc;
constexpr quint8 C = ReversiBoard::ComputerDisc;

// Records the engine's events as letters: T think, P play, W win, L lost,
// U unable to move; and the squares set on the displayed position.
struct Recorder
{
    QString events;
    QList<QPoint> placed;

    explicit Recorder(ReversiEngine &e)
    {
        e.OnThink = [this] { events += u'T'; };
        e.OnPlay = [this] { events += u'P'; };
        e.OnWin = [this] { events += u'W'; };
        e.OnLost = [this] { events += u'L'; };
        e.OnUnableToMove = [this] { events += u'U'; };
        e.OnSquarePlaced = [this](int c, int r) { placed << QPoint(c, r); };
    }
};

// Runs the search in progress to its end; returns the number of steps.
int runSearch(ReversiEngine &e)
{
    int steps = 0;
    while (e.ThinkStep()) {
        ++steps;
        if (steps > 10'000'000)
            return -1;
    }
    return steps + 1;
}

void addSkillRows()
{
    QTest::addColumn<int>("skill");
    QTest::newRow("skBeginner") << int(skBeginner);
    QTest::newRow("skNovice") << int(skNovice);
    QTest::newRow("skExpert") << int(skExpert);
    QTest::newRow("skMaster") << int(skMaster);
}

// The human's first legal square column by column, or nothing.
std::optional<QPoint> firstHumanMove(const ReversiEngine &e)
{
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            if (e.isHumanMove(c, r))
                return QPoint(c, r);
    return std::nullopt;
}

} // namespace

void TestReversiEngine::newGameState()
{
    ReversiEngine e;
    e.setSkill(skExpert);
    Recorder rec(e);
    QVERIFY(e.humanMove(6, 4));
    runSearch(e);
    QVERIFY(e.Placements() > 0);
    rec.events.clear();
    e.NewGame();
    QCOMPARE(e.board(), ReversiBoard::starting());
    QCOMPARE(e.Placements(), 0);
    QCOMPARE(e.Score(), 0);
    QVERIFY(!e.Thinking());
    QCOMPARE(e.Skill(), skExpert); // the strength stays
    QCOMPARE(e.Depth(), 4);
    QCOMPARE(rec.events, QString()); // NewGame reports nothing
}

void TestReversiEngine::humanOpeningSquares()
{
    ReversiEngine e;
    QList<QPoint> legal;
    for (int c = -1; c <= 10; ++c)
        for (int r = -1; r <= 10; ++r)
            if (e.isHumanMove(c, r))
                legal << QPoint(c, r);
    QCOMPARE(legal, (QList<QPoint>{{3, 5}, {4, 6}, {5, 3}, {6, 4}}));
}

void TestReversiEngine::replyToOpening_data()
{
    addSkillRows();
}

void TestReversiEngine::replyToOpening()
{
    QFETCH(int, skill);
    ReversiEngine e;
    e.setSkill(TSkill(skill));
    Recorder rec(e);
    QVERIFY(e.humanMove(6, 4));
    QCOMPARE(rec.events, QStringLiteral("T"));
    QVERIFY(e.Thinking());
    QCOMPARE(rec.placed, (QList<QPoint>{{6, 4}, {5, 4}}));
    rec.placed.clear();

    QVERIFY(runSearch(e) > 0);
    QCOMPARE(rec.events, QStringLiteral("TP"));
    // (6,3) turns (5,4) back.
    QCOMPARE(rec.placed, (QList<QPoint>{{6, 3}, {5, 4}}));
    QCOMPARE(BoardText::format(e.board()), QStringLiteral("........\n........\n.....C..\n...HCH..\n"
                                                          "...CH...\n........\n........\n........\n"));
}

void TestReversiEngine::computerStarts_data()
{
    addSkillRows();
}

void TestReversiEngine::computerStarts()
{
    QFETCH(int, skill);
    ReversiEngine e;
    e.setSkill(TSkill(skill));
    Recorder rec(e);
    QCOMPARE(e.Placements(), 0);
    e.ComputerPlay();
    QCOMPARE(rec.events, QStringLiteral("T"));
    QCOMPARE(e.Placements(), 0); // still no move: the search counts nothing
    runSearch(e);
    QCOMPARE(rec.events, QStringLiteral("TP"));
    QCOMPARE(rec.placed, (QList<QPoint>{{3, 4}, {4, 4}}));
    QCOMPARE(e.Placements(), 2);
}

void TestReversiEngine::illegalHumanMoveChangesNothing_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("empty square turning nothing") << 1 << 1;
    QTest::newRow("occupied square") << 4 << 4;
    QTest::newRow("next to the discs, nothing closed") << 3 << 3;
    QTest::newRow("border column") << 0 << 4;
    QTest::newRow("outside the board") << 12 << -3;
}

void TestReversiEngine::illegalHumanMoveChangesNothing()
{
    QFETCH(int, column);
    QFETCH(int, row);
    ReversiEngine e;
    Recorder rec(e);
    QVERIFY(!e.humanMove(column, row));
    QCOMPARE(e.board(), ReversiBoard::starting());
    QCOMPARE(rec.events, QString());
    QVERIFY(!e.Thinking());
}

void TestReversiEngine::wholeGame_data()
{
    addSkillRows();
}

// A scripted human plays its first legal square column by column until
// neither side can move.
void TestReversiEngine::wholeGame()
{
    QFETCH(int, skill);
    ReversiEngine e;
    e.setSkill(TSkill(skill));
    Recorder rec(e);
    int turns = 0;
    while (!rec.events.endsWith(u'W') && !rec.events.endsWith(u'L')) {
        QVERIFY2(++turns <= 200, "the game does not end");
        if (e.Thinking()) {
            QVERIFY(runSearch(e) > 0);
            continue;
        }
        const std::optional<QPoint> move = firstHumanMove(e);
        QVERIFY2(move, "the human is left without a move and the game is not over");
        QVERIFY(e.humanMove(move->x(), move->y()));
    }
    QVERIFY(!e.Thinking());
    const ReversiBoard &b = e.board();
    QCOMPARE(b.count(ReversiBoard::Empty), 0);
    QVERIFY(!b.hasMove(H, C));
    QVERIFY(!b.hasMove(C, H));
    const int margin = b.count(H) - b.count(C);
    QCOMPARE(e.Score(), margin);
    QCOMPARE(rec.events.back(), margin >= 0 ? QChar(u'W') : QChar(u'L'));
    QCOMPARE(rec.events.count(u'W') + rec.events.count(u'L'), 1);
    QVERIFY(!rec.events.contains(u'U'));
    // Every search began with OnThink; every OnPlay closed one.
    QVERIFY(rec.events.count(u'T') >= rec.events.count(u'P'));
}

void TestReversiEngine::endOfGameFill_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QPoint>("humanMove");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("events");

    const QString empty(8, u'.');
    // The human takes the computer's last disc: 61 empty squares go to the
    // human, who wins by all 64.
    QTest::newRow("human takes the last computer disc")
        << QStringList{"HC......", empty, empty, empty, empty, empty, empty, empty} << QPoint(3, 1) << 64
        << QStringLiteral("W");
    // The computer takes the human's last discs (its only move, (1,1)), yet
    // the 59 empty squares go to the human, who wins by 59 - 5.
    QTest::newRow("computer takes the last human discs")
        << QStringList{".HC.C...", empty, empty, empty, empty, empty, empty, empty} << QPoint(4, 1) << 54
        << QStringLiteral("TW");
}

void TestReversiEngine::endOfGameFill()
{
    QFETCH(QStringList, rows);
    QFETCH(QPoint, humanMove);
    QFETCH(int, score);
    QFETCH(QString, events);
    ReversiEngine e;
    e.setSkill(skMaster);
    Recorder rec(e);
    e.setBoard(BoardText::parse(rows));
    QVERIFY(e.humanMove(humanMove.x(), humanMove.y()));
    if (e.Thinking())
        runSearch(e);
    QCOMPARE(rec.events, events);
    QCOMPARE(e.Score(), score);
    QCOMPARE(e.board().count(ReversiBoard::Empty), 0);
    QCOMPARE(e.board().count(H) - e.board().count(C), score);
}

void TestReversiEngine::finalScore_data()
{
    QTest::addColumn<int>("humanDiscs"); // before the human's last move
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("events");
    // After the move the human has humanDiscs + 2, the computer 62 - humanDiscs.
    QTest::newRow("drawn game counts as not lost") << 30 << 0 << QStringLiteral("W");
    QTest::newRow("won by 10") << 35 << 10 << QStringLiteral("W");
    QTest::newRow("lost by 10") << 25 << -10 << QStringLiteral("L");
    QTest::newRow("won by 2") << 31 << 2 << QStringLiteral("W");
    QTest::newRow("lost by 2") << 29 << -2 << QStringLiteral("L");
}

void TestReversiEngine::finalScore()
{
    QFETCH(int, humanDiscs);
    QFETCH(int, score);
    QFETCH(QString, events);
    ReversiEngine e;
    Recorder rec(e);
    e.setBoard(BoardText::lastMoveBoard(humanDiscs));
    QCOMPARE(e.board().count(H), humanDiscs);
    QVERIFY(e.humanMove(1, 1));
    QCOMPARE(rec.events, events);
    QCOMPARE(e.Score(), score);
    QVERIFY(!e.Thinking());
}

void TestReversiEngine::newGameDuringSearch()
{
    ReversiEngine e;
    e.setSkill(skMaster);
    Recorder rec(e);
    QVERIFY(e.humanMove(6, 4));
    // Deep into the search: several levels down.
    for (int i = 0; i < 500; ++i)
        QVERIFY(e.ThinkStep());
    e.NewGame();
    QVERIFY(!e.Thinking());
    QVERIFY(!e.ThinkStep());
    QCOMPARE(e.board(), ReversiBoard::starting());
    QCOMPARE(e.Placements(), 0);
    QCOMPARE(rec.events, QStringLiteral("T"));

    // The next game's search starts from the position on screen, not from
    // where the stopped search had got to.
    QVERIFY(e.humanMove(6, 4));
    runSearch(e);
    QCOMPARE(rec.events, QStringLiteral("TTP"));
    QCOMPARE(e.board().at(6, 3), C);
}

void TestReversiEngine::computerMovesAgainWhenHumanMustPass_data()
{
    addSkillRows();
}

// After the human's (4,1) the computer's only move is (3,1), after which the
// human still has discs but no legal square: the computer searches again at
// once, without OnPlay in between.
void TestReversiEngine::computerMovesAgainWhenHumanMustPass()
{
    QFETCH(int, skill);
    const QString empty(8, u'.');
    ReversiEngine e;
    e.setSkill(TSkill(skill));
    Recorder rec(e);
    e.setBoard(BoardText::parse({"CH......", "...C....", "...H....", empty, empty, empty, empty, empty}));
    QVERIFY(e.humanMove(4, 1));
    QCOMPARE(rec.events, QStringLiteral("T"));
    rec.placed.clear();
    while (e.ThinkStep() && rec.events == QStringLiteral("T")) {
    }
    QCOMPARE(rec.events, QStringLiteral("TT"));
    QCOMPARE(rec.placed, (QList<QPoint>{{3, 1}, {2, 1}}));
    QVERIFY(e.Thinking());
    QVERIFY(!e.board().hasMove(H, C));
    QVERIFY(e.board().count(H) > 0);

    // The second search plays a second computer disc, the human having moved
    // only once.
    const int computerDiscs = e.board().count(C);
    runSearch(e);
    QVERIFY(e.board().count(C) > computerDiscs);
}

void TestReversiEngine::thinkForStopsAtTheEndOfTheSearch()
{
    ReversiEngine e;
    e.setSkill(skMaster);
    Recorder rec(e);
    QVERIFY(e.humanMove(6, 4));
    int slices = 0;
    while (e.thinkFor(std::chrono::milliseconds(1)))
        QVERIFY(++slices < 100'000);
    QCOMPARE(rec.events, QStringLiteral("TP"));
    QVERIFY(!e.thinkFor(std::chrono::milliseconds(1)));
}

QTEST_GUILESS_MAIN(TestReversiEngine)
#include "test_reversi_engine.moc"
