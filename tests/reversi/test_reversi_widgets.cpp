#include "BoardText.h"
#include "ScriptedUiServices.h"
#include "reversi/TOtello.h"
#include "reversi/TOthello.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

// The board control and the game window, driven the way the user drives
// them: clicks on squares and buttons, pointer moves, the level choice.
class TestReversiWidgets : public QObject
{
    Q_OBJECT

private slots:
    // The control on its own
    void crossExactlyOverTheOpeningMoves();
    void busyPointerWhileThinking();
    void tinyControlIgnoresTheMouse_data();
    void tinyControlIgnoresTheMouse();
    void englishMessagesWithoutHandlers_data();
    void englishMessagesWithoutHandlers();
    void boundHandlersReplaceTheMessages();

    // The window
    void skillMapping_data();
    void skillMapping();
    void passBeforeAnyMove();
    void passRefusedAfterHumanMove();
    void badMoveMessage();
    void resultMessages_data();
    void resultMessages();
    void newGameKeepsTheStatusLine();
    void wholeGameInTheWindow();
    void closingStopsTheSearch_data();
    void closingStopsTheSearch();
};

namespace {

constexpr quint8 H = ReversiBoard::HumanDisc;
constexpr quint8 C = ReversiBoard::ComputerDisc;

QPoint centreOf(const TOtello &board, int column, int row)
{
    return board.cellRect(column, row).center();
}

void moveMouse(TOtello &board, QPoint pos)
{
    QMouseEvent ev(QEvent::MouseMove, pos, board.mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&board, &ev);
}

void clickSquare(TOtello &board, int column, int row)
{
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, centreOf(board, column, row));
}

void finishSearch(TOtello &board)
{
    while (board.ThinkStep()) {
    }
}

template <typename T>
T *child(QWidget &parent, const char *name)
{
    T *w = parent.findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

// On the radio's indicator: the middle of a wide radio button may lie past
// its text, where a click does nothing.
void clickItem(TOthello &window, int item)
{
    auto *radio = window.findChild<QRadioButton *>(QStringLiteral("RadioGroup1_%1").arg(item));
    QVERIFY(radio);
    QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(6, radio->height() / 2));
    QVERIFY(radio->isChecked());
}

QString statusText(TOthello &window)
{
    return child<QStatusBar>(window, "StatusBar1")->findChild<QLabel *>()->text();
}

} // namespace

void TestReversiWidgets::crossExactlyOverTheOpeningMoves()
{
    ScriptedUiServices ui;
    TOtello board(ui);
    board.resize(273, 249);
    QList<QPoint> crosses;
    for (int c = 1; c <= 8; ++c) {
        for (int r = 1; r <= 8; ++r) {
            moveMouse(board, centreOf(board, c, r));
            if (board.cursor().shape() == Qt::CrossCursor)
                crosses << QPoint(c, r);
            else
                QCOMPARE(board.cursor().shape(), Qt::ArrowCursor);
        }
    }
    QCOMPARE(crosses, (QList<QPoint>{{3, 5}, {4, 6}, {5, 3}, {6, 4}}));
}

void TestReversiWidgets::busyPointerWhileThinking()
{
    ScriptedUiServices ui;
    TOtello board(ui);
    board.resize(273, 249);
    board.setSkill(skMaster);
    moveMouse(board, centreOf(board, 6, 4));
    clickSquare(board, 6, 4);
    QVERIFY(board.Thinking());
    QCOMPARE(board.cursor().shape(), Qt::BusyCursor);
    moveMouse(board, centreOf(board, 3, 3));
    QCOMPARE(board.cursor().shape(), Qt::BusyCursor);

    // Clicks while thinking are ignored, without a message.
    clickSquare(board, 1, 1);
    QVERIFY(board.Thinking());
    QVERIFY(ui.messages().isEmpty());

    finishSearch(board);
    // The pointer follows the square it rests on again: (3,3) is no move.
    QCOMPARE(board.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(board.engine().board().at(6, 3), C);
}

void TestReversiWidgets::tinyControlIgnoresTheMouse_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("7 pixels wide") << QSize(7, 200);
    QTest::newRow("7 pixels high") << QSize(200, 7);
    QTest::newRow("nothing at all") << QSize(0, 0);
}

void TestReversiWidgets::tinyControlIgnoresTheMouse()
{
    QFETCH(QSize, size);
    ScriptedUiServices ui;
    TOtello board(ui);
    board.resize(size);
    board.setColor(QColor(0, 255, 0));
    // Nothing is drawn, not even the background, and painting divides by no
    // zero cell size.
    const QImage img = board.grab().toImage();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            QVERIFY(img.pixelColor(x, y) != QColor(0, 255, 0));
    for (const QPoint p : {QPoint(0, 0), QPoint(3, 3), QPoint(size.width() / 2, size.height() / 2)}) {
        QVERIFY(!board.squareAt(p));
        QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, p);
    }
    QVERIFY(ui.messages().isEmpty());
    QCOMPARE(board.engine().board(), ReversiBoard::starting());
}

void TestReversiWidgets::englishMessagesWithoutHandlers_data()
{
    QTest::addColumn<ReversiBoard>("position");
    QTest::addColumn<QPoint>("square");
    QTest::addColumn<QString>("message");
    const QString empty(8, u'.');
    QTest::newRow("bad move") << ReversiBoard::starting() << QPoint(1, 1)
                              << QStringLiteral("You may only move to space where the cursor is a cross");
    QTest::newRow("win, empty squares counted")
        << BoardText::parse({"HC......", empty, empty, empty, empty, empty, empty, empty}) << QPoint(3, 1)
        << QStringLiteral("You win by 64");
    QTest::newRow("draw") << BoardText::lastMoveBoard(30) << QPoint(1, 1) << QStringLiteral("You win by 0");
    QTest::newRow("lost by 10") << BoardText::lastMoveBoard(25) << QPoint(1, 1)
                                << QStringLiteral("You lost by : -10");
}

void TestReversiWidgets::englishMessagesWithoutHandlers()
{
    QFETCH(ReversiBoard, position);
    QFETCH(QPoint, square);
    QFETCH(QString, message);
    ScriptedUiServices ui;
    TOtello board(ui);
    board.resize(273, 249);
    board.setBoard(position);
    clickSquare(board, square.x(), square.y());
    QCOMPARE(ui.messages(), QStringList{message});
    QCOMPARE(ui.shown().constFirst().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestReversiWidgets::boundHandlersReplaceTheMessages()
{
    ScriptedUiServices ui;
    TOtello board(ui);
    board.resize(273, 249);
    QString events;
    connect(&board, &TOtello::OnBadMove, &board, [&] { events += u'B'; });
    connect(&board, &TOtello::OnWin, &board, [&] { events += u'W'; });
    clickSquare(board, 1, 1);
    board.setBoard(BoardText::lastMoveBoard(35));
    clickSquare(board, 1, 1);
    QCOMPARE(events, QStringLiteral("BW"));
    QCOMPARE(board.Score(), 10);
    QVERIFY(ui.messages().isEmpty());
    // The whole board shown: every square filled.
    QCOMPARE(board.engine().board().count(ReversiBoard::Empty), 0);
}

void TestReversiWidgets::skillMapping_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("skill");
    QTest::addColumn<int>("depth");
    QTest::newRow("Débutant") << 0 << int(skBeginner) << 1;
    QTest::newRow("Novice") << 1 << int(skNovice) << 2;
    QTest::newRow("Expérimenté searches deepest") << 2 << int(skMaster) << 6;
    QTest::newRow("Maître searches to 4") << 3 << int(skExpert) << 4;
}

void TestReversiWidgets::skillMapping()
{
    QFETCH(int, item);
    QFETCH(int, skill);
    QFETCH(int, depth);
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = child<TOtello>(w, "Otello1");
    clickItem(w, item);
    // The choice waits for "Nouvelle partie".
    QCOMPARE(board->Skill(), skBeginner);
    clickSquare(*board, 6, 4);
    QTRY_VERIFY(!board->Thinking());
    QVERIFY(board->Placements() > 0);

    QTest::mouseClick(child<QToolButton>(w, "SpeedButton1"), Qt::LeftButton);
    QCOMPARE(int(board->Skill()), skill);
    QCOMPARE(board->Depth(), depth);
    QCOMPARE(board->engine().board(), ReversiBoard::starting());
    QCOMPARE(board->Placements(), 0);
}

void TestReversiWidgets::passBeforeAnyMove()
{
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = child<TOtello>(w, "Otello1");
    auto *pass = child<QToolButton>(w, "SpeedButton2");
    QTest::mouseClick(pass, Qt::LeftButton);
    QVERIFY(board->Thinking());
    QCOMPARE(statusText(w), QStringLiteral("je réfléchis..."));
    // Driven by the window's event loop, not by the test.
    QTRY_VERIFY(!board->Thinking());
    QCOMPARE(statusText(w), QStringLiteral("A vous de jouer"));
    QCOMPARE(board->engine().board().at(3, 4), C);
    QVERIFY(ui.messages().isEmpty());

    QTest::mouseClick(pass, Qt::LeftButton);
    QCOMPARE(ui.messages(), QStringList{QStringLiteral("Vous ne pouvez pas passer. le curseurr doit être une croix")});
    QVERIFY(!board->Thinking());
}

void TestReversiWidgets::passRefusedAfterHumanMove()
{
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = child<TOtello>(w, "Otello1");
    clickSquare(*board, 6, 4);
    QTRY_VERIFY(!board->Thinking());
    const ReversiBoard before = board->engine().board();
    QTest::mouseClick(child<QToolButton>(w, "SpeedButton2"), Qt::LeftButton);
    QCOMPARE(ui.lastMessage(), QStringLiteral("Vous ne pouvez pas passer. le curseurr doit être une croix"));
    QCOMPARE(board->engine().board(), before);
}

void TestReversiWidgets::badMoveMessage()
{
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = child<TOtello>(w, "Otello1");
    clickSquare(*board, 1, 1);
    QCOMPARE(ui.messages(), QStringList{QStringLiteral("Vous ne pouvez jouer que là où la souris est une croix")});
    QCOMPARE(board->engine().board(), ReversiBoard::starting());
    QCOMPARE(board->Placements(), 0);
}

void TestReversiWidgets::resultMessages_data()
{
    QTest::addColumn<int>("humanDiscs");
    QTest::addColumn<QString>("message");
    QTest::newRow("won by 10") << 35 << QStringLiteral("Vous gagnez de 10 points");
    QTest::newRow("lost by 10") << 25 << QStringLiteral("Vous perdez de 10 points");
    QTest::newRow("draw") << 30 << QStringLiteral("Vous gagnez de 0 points");
}

void TestReversiWidgets::resultMessages()
{
    QFETCH(int, humanDiscs);
    QFETCH(QString, message);
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = child<TOtello>(w, "Otello1");
    board->setBoard(BoardText::lastMoveBoard(humanDiscs));
    clickSquare(*board, 1, 1);
    QCOMPARE(ui.messages(), QStringList{message});
}

void TestReversiWidgets::newGameKeepsTheStatusLine()
{
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = child<TOtello>(w, "Otello1");
    clickSquare(*board, 6, 4);
    QTRY_COMPARE(statusText(w), QStringLiteral("A vous de jouer"));
    QTest::mouseClick(child<QToolButton>(w, "SpeedButton1"), Qt::LeftButton);
    QCOMPARE(statusText(w), QStringLiteral("A vous de jouer"));
    QCOMPARE(board->engine().board(), ReversiBoard::starting());
}

// A scripted human at the deepest level, clicking its first legal square
// column by column; the window's idle drive runs every search.
void TestReversiWidgets::wholeGameInTheWindow()
{
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = child<TOtello>(w, "Otello1");
    clickItem(w, 2);
    QTest::mouseClick(child<QToolButton>(w, "SpeedButton1"), Qt::LeftButton);
    QCOMPARE(board->Depth(), 6);

    for (int turn = 0; ui.messages().isEmpty(); ++turn) {
        QVERIFY2(turn < 64, "the game does not end");
        QTRY_VERIFY_WITH_TIMEOUT(!board->Thinking(), 20000);
        if (!ui.messages().isEmpty())
            break;
        if (turn > 0)
            QCOMPARE(statusText(w), QStringLiteral("A vous de jouer"));
        std::optional<QPoint> move;
        for (int c = 1; c <= 8 && !move; ++c)
            for (int r = 1; r <= 8 && !move; ++r)
                if (board->engine().isHumanMove(c, r))
                    move = QPoint(c, r);
        QVERIFY(move);
        clickSquare(*board, move->x(), move->y());
    }
    const ReversiBoard &b = board->engine().board();
    QCOMPARE(b.count(ReversiBoard::Empty), 0);
    const int margin = b.count(H) - b.count(C);
    QCOMPARE(board->Score(), margin);
    QCOMPARE(ui.messages(), QStringList{margin >= 0 ? QStringLiteral("Vous gagnez de %1 points").arg(margin)
                                                    : QStringLiteral("Vous perdez de %1 points").arg(-margin)});
}

void TestReversiWidgets::closingStopsTheSearch_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Fermer") << QStringLiteral("button");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("title bar") << QStringLiteral("close");
}

void TestReversiWidgets::closingStopsTheSearch()
{
    QFETCH(QString, how);
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = child<TOtello>(w, "Otello1");
    clickItem(w, 2);
    QTest::mouseClick(child<QToolButton>(w, "SpeedButton1"), Qt::LeftButton);
    QTest::mouseClick(child<QToolButton>(w, "SpeedButton2"), Qt::LeftButton);
    QVERIFY(board->Thinking());

    if (how == u"button")
        QTest::mouseClick(child<QPushButton>(w, "Button1"), Qt::LeftButton);
    else if (how == u"escape")
        QTest::keyClick(&w, Qt::Key_Escape);
    else
        w.close();
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QVERIFY(!board->Thinking());
    QVERIFY(!board->ThinkStep());
    // Nothing steps the board any more once the window is closed.
    const std::uint64_t steps = board->engine().steps();
    QTest::qWait(20);
    QCOMPARE(board->engine().steps(), steps);
    QCOMPARE(board->engine().board(), ReversiBoard::starting());
}

QTEST_MAIN(TestReversiWidgets)
#include "test_reversi_widgets.moc"
