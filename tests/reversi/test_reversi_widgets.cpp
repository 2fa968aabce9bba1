#include "BoardText.h"
#include "ScriptedUiServices.h"
#include "reversi/TOtello.h"
#include "reversi/TOthello.h"

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
    void controlPointer();
    void tinyControlIgnoresTheMouse();
    void controlMessages_data();
    void controlMessages();
    void windowMessages_data() { controlMessages_data(); }
    void windowMessages() { controlMessages(); }
    void windowWholeGame();
};

namespace {
constexpr quint8 H = ReversiBoard::HumanDisc, C = ReversiBoard::ComputerDisc;

Qt::CursorShape pointerOver(TOtello &board, int column, int row)
{
    const QPoint pos = board.cellRect(column, row).center();
    QMouseEvent ev(QEvent::MouseMove, pos, board.mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&board, &ev);
    return board.cursor().shape();
}

void clickSquare(TOtello &board, int column, int row)
{
    QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, board.cellRect(column, row).center());
}

QString statusText(TOthello &w)
{
    return w.findChild<QStatusBar *>("StatusBar1")->findChild<QLabel *>()->text();
}
} // namespace

void TestReversiWidgets::controlPointer()
{
    ScriptedUiServices ui;
    TOtello board(ui);
    board.resize(273, 249);
    QStringList crosses;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            if (const Qt::CursorShape s = pointerOver(board, c, r); s != Qt::ArrowCursor)
                crosses << QStringLiteral("%1%2%3").arg(c).arg(r).arg(s == Qt::CrossCursor ? "" : "?");
    QCOMPARE(crosses, QStringList({"35", "46", "53", "64"}));

    board.setSkill(skMaster);
    clickSquare(board, 6, 4);
    QVERIFY(board.Thinking() && pointerOver(board, 3, 3) == Qt::BusyCursor);
    clickSquare(board, 1, 1); // ignored while thinking, without a message
    QVERIFY(board.Thinking() && ui.messages().isEmpty());
    while (board.ThinkStep()) {
    }
    // The pointer follows the square it rests on again: (3,3) is no move.
    QCOMPARE(board.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(board.engine().board().at(6, 3), C);
}

void TestReversiWidgets::tinyControlIgnoresTheMouse()
{
    for (const QSize size : {QSize(7, 200), QSize(200, 7), QSize(0, 0)}) {
        ScriptedUiServices ui;
        TOtello board(ui);
        board.resize(size);
        board.setColor(QColor(0, 255, 0));
        // Nothing drawn, not even the background; no division by a zero cell.
        const QImage img = board.grab().toImage();
        for (int i = 0; i < img.width() * img.height(); ++i)
            QVERIFY(img.pixelColor(i % img.width(), i / img.width()) != QColor(0, 255, 0));
        for (const QPoint p : {QPoint(0, 0), QPoint(3, 3), QPoint(size.width() / 2, size.height() / 2)}) {
            QVERIFY(!board.squareAt(p));
            QTest::mouseClick(&board, Qt::LeftButton, Qt::NoModifier, p);
        }
        QVERIFY(ui.messages().isEmpty() && board.engine().board() == ReversiBoard::starting());
    }
}

// The control on its own speaks English; the window binds its handlers,
// which replace the English message by a French one.
void TestReversiWidgets::controlMessages_data()
{
    QTest::addColumn<ReversiBoard>("position");
    QTest::addColumn<QPoint>("square");
    QTest::addColumn<QString>("message");
    const bool fr = QByteArray(QTest::currentTestFunction()).startsWith("window");
    const auto row = [](const char *name, const ReversiBoard &b, QPoint p, const char *m) {
        QTest::newRow(name) << b << p << QString::fromUtf8(m);
    };
    row("bad move", ReversiBoard::starting(), {1, 1},
        fr ? "Vous ne pouvez jouer que là où la souris est une croix"
           : "You may only move to space where the cursor is a cross");
    row("win, empty squares counted", BoardText::parse({"HC......"}), {3, 1},
        fr ? "Vous gagnez de 64 points" : "You win by 64");
    row("draw", BoardText::lastMoveBoard(30), {1, 1}, fr ? "Vous gagnez de 0 points" : "You win by 0");
    row("lost by 10", BoardText::lastMoveBoard(25), {1, 1}, fr ? "Vous perdez de 10 points" : "You lost by : -10");
}

void TestReversiWidgets::controlMessages()
{
    QFETCH(ReversiBoard, position);
    QFETCH(QPoint, square);
    QFETCH(QString, message);
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    TOtello bare(ui);
    TOtello *board =
        QByteArray(QTest::currentTestFunction()).startsWith("window") ? w.findChild<TOtello *>("Otello1") : &bare;
    board->resize(273, 249);
    board->setBoard(position);
    clickSquare(*board, square.x(), square.y());
    QCOMPARE(ui.messages(), QStringList{message});
    QCOMPARE(ui.shown().constFirst().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(board->engine().board().count(ReversiBoard::Empty),
             square == QPoint(1, 1) && position == ReversiBoard::starting() ? 60 : 0);
}

// A scripted human clicks its first legal square column by column; the
// window's idle drive runs every search.
void TestReversiWidgets::windowWholeGame()
{
    ScriptedUiServices ui;
    TOthello w(ui);
    w.show();
    auto *board = w.findChild<TOtello *>("Otello1");
    const auto button = [&w](const char *name) { QTest::mouseClick(w.findChild<QToolButton *>(name), Qt::LeftButton); };
    // The level choice waits for "Nouvelle partie"; Expérimenté (2) searches
    // deepest, Maître (3) to 4.
    QStringList levels;
    for (const int item : {0, 1, 3, 2}) {
        auto *radio = w.findChild<QRadioButton *>(QStringLiteral("RadioGroup1_%1").arg(item));
        QTest::mouseClick(radio, Qt::LeftButton, Qt::NoModifier, QPoint(6, radio->height() / 2)); // on the indicator
        QVERIFY(radio->isChecked());
        const int before = board->Skill();
        clickSquare(*board, 6, 4);
        QTRY_VERIFY(!board->Thinking() && board->Placements() > 0);
        button("SpeedButton1");
        QVERIFY(board->engine().board() == ReversiBoard::starting() && board->Placements() == 0);
        levels << QStringLiteral("%1>%2:%3").arg(before).arg(board->Skill()).arg(board->Depth());
    }
    QCOMPARE(levels, QStringList({QStringLiteral("%1>%1:1").arg(skBeginner),
                                  QStringLiteral("%1>%2:2").arg(skBeginner).arg(skNovice),
                                  QStringLiteral("%1>%2:4").arg(skNovice).arg(skExpert),
                                  QStringLiteral("%1>%2:6").arg(skExpert).arg(skMaster)}));
    // Passing before any move lets the computer start; after that, with a
    // move at hand, the pass is refused.
    button("SpeedButton2");
    QVERIFY(board->Thinking());
    QCOMPARE(statusText(w), QStringLiteral("je réfléchis..."));
    QTRY_VERIFY(!board->Thinking());
    QCOMPARE(statusText(w), QStringLiteral("A vous de jouer"));
    QCOMPARE(board->engine().board().at(3, 4), C);
    const ReversiBoard before = board->engine().board();
    button("SpeedButton2");
    QVERIFY(board->engine().board() == before && !board->Thinking());
    const QString refused = QStringLiteral("Vous ne pouvez pas passer. le curseurr doit être une croix");
    QCOMPARE(ui.messages(), QStringList{refused});

    for (int turn = 0; ui.messages().size() == 1; ++turn) {
        QVERIFY2(turn < 64, "the game does not end");
        QTRY_VERIFY_WITH_TIMEOUT(!board->Thinking(), 20000);
        if (ui.messages().size() > 1)
            break;
        QCOMPARE(statusText(w), QStringLiteral("A vous de jouer"));
        int i = 0;
        while (i < 64 && !board->engine().isHumanMove(i / 8 + 1, i % 8 + 1))
            ++i;
        QVERIFY(i < 64);
        clickSquare(*board, i / 8 + 1, i % 8 + 1);
    }
    const ReversiBoard &b = board->engine().board();
    const int margin = b.count(H) - b.count(C);
    QVERIFY(b.count(ReversiBoard::Empty) == 0 && board->Score() == margin);
    QCOMPARE(ui.messages(),
             QStringList({refused, margin >= 0 ? QStringLiteral("Vous gagnez de %1 points").arg(margin)
                                               : QStringLiteral("Vous perdez de %1 points").arg(-margin)}));
    const QString status = statusText(w);
    button("SpeedButton1"); // a new game keeps the status line
    QCOMPARE(statusText(w), status);
    // "Fermer" during a search stops it: nothing steps the board any more.
    button("SpeedButton2");
    QVERIFY(board->Thinking());
    QTest::mouseClick(w.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    QVERIFY(!w.isVisible() && !board->Thinking() && !board->ThinkStep() && w.result() == QDialog::Rejected);
    const std::uint64_t steps = board->engine().steps();
    QTest::qWait(20);
    QCOMPARE(board->engine().steps(), steps);
    QCOMPARE(board->engine().board(), ReversiBoard::starting());
}

QTEST_MAIN(TestReversiWidgets)
#include "test_reversi_widgets.moc"
