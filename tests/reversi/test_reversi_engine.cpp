#include "BoardText.h"
#include "reversi/ReversiEngine.h"

#include <QtTest>

// The game as the host sees it: turns, the computer's replies, passes, the
// end of the game and its score.
class TestReversiEngine : public QObject
{
    Q_OBJECT
private slots:
    void openingReplyAndPass_data();
    void openingReplyAndPass();
    void wholeGame_data() { openingReplyAndPass_data(); }
    void wholeGame();
    void gameEnd_data();
    void gameEnd();
    void newGameDuringSearchAndTimeSlices();
};

namespace {
constexpr quint8 H = ReversiBoard::HumanDisc, C = ReversiBoard::ComputerDisc;

// The engine's events as letters (T think, P play, W win, L lost, U unable to
// move) and the squares set on the displayed position as "cr" pairs.
struct Recorder
{
    QString events;
    QStringList placed;
    explicit Recorder(ReversiEngine &e)
    {
        e.OnThink = [this] { events += u'T'; };
        e.OnPlay = [this] { events += u'P'; };
        e.OnWin = [this] { events += u'W'; };
        e.OnLost = [this] { events += u'L'; };
        e.OnUnableToMove = [this] { events += u'U'; };
        e.OnSquarePlaced = [this](int c, int r) { placed << QStringLiteral("%1%2").arg(c).arg(r); };
    }
    QString take() { return std::exchange(placed, {}).join(u' '); }
};

// Runs the search in progress to its end; the number of ThinkStep calls.
int runSearch(ReversiEngine &e)
{
    int steps = 1;
    while (e.ThinkStep() && steps < 10'000'000)
        ++steps;
    return steps;
}

// The human's legal squares over the board and its border, column by column.
QStringList humanMoves(const ReversiEngine &e, int from = 1, int to = 8)
{
    QStringList out;
    for (int c = from; c <= to; ++c)
        for (int r = from; r <= to; ++r)
            if (e.isHumanMove(c, r))
                out << QStringLiteral("%1%2").arg(c).arg(r);
    return out;
}
} // namespace

void TestReversiEngine::openingReplyAndPass_data()
{
    QTest::addColumn<int>("skill");
    QTest::newRow("skBeginner") << int(skBeginner);
    QTest::newRow("skNovice") << int(skNovice);
    QTest::newRow("skExpert") << int(skExpert);
    QTest::newRow("skMaster") << int(skMaster);
}

void TestReversiEngine::openingReplyAndPass()
{
    QFETCH(int, skill);
    ReversiEngine e;
    e.setSkill(TSkill(skill));
    Recorder rec(e);
    QCOMPARE(humanMoves(e, -1, 10), QStringList({"35", "46", "53", "64"}));
    // Illegal: empty square turning nothing, occupied, next to the discs, border, outside.
    for (const QPoint p : {QPoint(1, 1), QPoint(4, 4), QPoint(3, 3), QPoint(0, 4), QPoint(12, -3)})
        QVERIFY(!e.humanMove(p.x(), p.y()));
    QCOMPARE(e.board(), ReversiBoard::starting());
    QCOMPARE(rec.events + rec.take(), QString());
    QVERIFY(!e.Thinking());

    QVERIFY(e.humanMove(6, 4));
    QVERIFY(e.Thinking());
    QCOMPARE(rec.events + ' ' + rec.take(), QStringLiteral("T 64 54"));
    runSearch(e);
    // (6,3) turns (5,4) back.
    QCOMPARE(rec.events + ' ' + rec.take(), QStringLiteral("TP 63 54"));
    QCOMPARE(BoardText::format(e.board()), BoardText::format(BoardText::parse({"", "", ".....C..", "...HCH..", "...CH..."})));
    QVERIFY(e.Placements() > 0);
    e.NewGame(); // reports nothing, keeps the strength
    QVERIFY(!e.Thinking());
    QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(e.Placements()).arg(e.Score()).arg(e.Skill()).arg(rec.events),
             QStringLiteral("0 0 %1 TP").arg(skill));
    QCOMPARE(e.board(), ReversiBoard::starting());
    QCOMPARE(e.Depth(), ReversiEngine::depthOf(TSkill(skill)));

    // The computer starts; the search counts no placement until it plays.
    rec.events.clear();
    e.ComputerPlay();
    QCOMPARE(e.Placements(), 0);
    runSearch(e);
    QCOMPARE(QStringLiteral("%1 %2 %3").arg(rec.events, rec.take()).arg(e.Placements()), QStringLiteral("TP 34 44 2"));

    // After the human's (4,1) the computer's only move is (3,1), after which
    // the human has discs but no legal square: the computer searches again
    // at once, without OnPlay in between, and plays a second disc.
    e.setBoard(BoardText::parse({"CH......", "...C....", "...H...."}));
    rec.events.clear();
    QVERIFY(e.humanMove(4, 1));
    rec.take();
    while (e.ThinkStep() && rec.events == u"T") {
    }
    QCOMPARE(rec.events + ' ' + rec.take(), QStringLiteral("TT 31 21"));
    QVERIFY(e.Thinking() && !e.board().hasMove(H, C) && e.board().count(H) > 0);
    const int computerDiscs = e.board().count(C);
    runSearch(e);
    QVERIFY(e.board().count(C) > computerDiscs);
}

// A scripted human plays its first legal square column by column until
// neither side can move.
void TestReversiEngine::wholeGame()
{
    QFETCH(int, skill);
    ReversiEngine e;
    e.setSkill(TSkill(skill));
    Recorder rec(e);
    for (int turns = 0; !rec.events.endsWith(u'W') && !rec.events.endsWith(u'L'); ++turns) {
        QVERIFY2(turns <= 200, "the game does not end");
        const QStringList moves = e.Thinking() ? QStringList{} : humanMoves(e);
        QVERIFY2(e.Thinking() || !moves.isEmpty(), "the human has no move and the game is not over");
        QVERIFY(e.Thinking() ? runSearch(e) > 0 : e.humanMove(moves[0].at(0).digitValue(), moves[0].at(1).digitValue()));
    }
    const ReversiBoard &b = e.board();
    QVERIFY(!e.Thinking() && b.count(ReversiBoard::Empty) == 0 && !b.hasMove(H, C) && !b.hasMove(C, H));
    const int margin = b.count(H) - b.count(C);
    QCOMPARE(e.Score(), margin);
    QCOMPARE(rec.events.count(u'W') + rec.events.count(u'L'), 1);
    QCOMPARE(rec.events.back(), margin >= 0 ? QChar(u'W') : QChar(u'L'));
    QVERIFY(!rec.events.contains(u'U'));
    QVERIFY(rec.events.count(u'T') >= rec.events.count(u'P')); // every OnPlay closes a search
}

void TestReversiEngine::gameEnd_data()
{
    QTest::addColumn<ReversiBoard>("board");
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("events");
    // The 61 empty squares go to the human, who wins by all 64.
    QTest::newRow("human takes the last computer disc") << BoardText::parse({"HC......"}) << QPoint(3, 1) << 64 << "W";
    // The computer's only move (1,1) takes the human's last discs, yet the 59
    // empty squares go to the human, who wins by 59 - 5.
    QTest::newRow("computer takes the last human discs") << BoardText::parse({".HC.C..."}) << QPoint(4, 1) << 54 << "TW";
    for (const auto &[name, humans, score, ev] : QList<std::tuple<const char *, int, int, const char *>>{
             {"drawn game counts as not lost", 30, 0, "W"}, {"won by 10", 35, 10, "W"}, {"lost by 10", 25, -10, "L"},
             {"won by 2", 31, 2, "W"}, {"lost by 2", 29, -2, "L"}})
        QTest::newRow(name) << BoardText::lastMoveBoard(humans) << QPoint(1, 1) << score << QString::fromLatin1(ev);
}

void TestReversiEngine::gameEnd()
{
    QFETCH(ReversiBoard, board);
    QFETCH(QPoint, move);
    QFETCH(int, score);
    QFETCH(QString, events);
    ReversiEngine e;
    e.setSkill(skMaster);
    Recorder rec(e);
    e.setBoard(board);
    QVERIFY(e.humanMove(move.x(), move.y()));
    if (e.Thinking())
        runSearch(e);
    QCOMPARE(rec.events, events);
    QCOMPARE(e.Score(), score);
    QCOMPARE(e.board().count(ReversiBoard::Empty), 0);
    QCOMPARE(e.board().count(H) - e.board().count(C), score);
}

void TestReversiEngine::newGameDuringSearchAndTimeSlices()
{
    ReversiEngine e;
    e.setSkill(skMaster);
    Recorder rec(e);
    QVERIFY(e.humanMove(6, 4));
    for (int i = 0; i < 500; ++i) // several levels down
        QVERIFY(e.ThinkStep());
    e.NewGame();
    QVERIFY(!e.Thinking() && !e.ThinkStep());
    QCOMPARE(e.board(), ReversiBoard::starting());
    QCOMPARE(e.Placements(), 0);
    // The next search starts from the position on screen, not from where the
    // stopped one had got to; thinkFor runs it to its end in slices.
    QVERIFY(e.humanMove(6, 4));
    for (int slices = 0; e.thinkFor(std::chrono::milliseconds(1));)
        QVERIFY(++slices < 100'000);
    QCOMPARE(rec.events, QStringLiteral("TTP"));
    QCOMPARE(e.board().at(6, 3), C);
    QVERIFY(!e.thinkFor(std::chrono::milliseconds(1)));
}

QTEST_GUILESS_MAIN(TestReversiEngine)
#include "test_reversi_engine.moc"
