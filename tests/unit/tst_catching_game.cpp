#include "games/catching/catching_game.h"
#include "scripted_random.h"

#include <QtTest>

using Direction = CatchingGame::Direction;
using State = CatchingGame::State;
Q_DECLARE_METATYPE(Direction)

namespace {

void pushCell(ScriptedRandom &random, QPoint cell)
{
    random.pushInt(cell.x(), 24, 1);
    random.pushInt(cell.y(), 14, 3);
}

// Walks the cursor one step at a time to `cell`, columns first; true if a step caught the
// last digit.
bool walkTo(CatchingGame &game, QPoint cell)
{
    bool last = false;
    while (game.catcher().x() != cell.x())
        last = game.move(game.catcher().x() < cell.x() ? Direction::Right : Direction::Left) || last;
    while (game.catcher().y() != cell.y())
        last = game.move(game.catcher().y() < cell.y() ? Direction::Down : Direction::Up) || last;
    return last;
}

} // namespace

class TestCatchingGame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyGameStartsAfresh();
    void tickFollowsTheDraws_data();
    void tickFollowsTheDraws();
    void everyTickKeepsColumnsAndRowsApart();
    void movesClampAndStillCatch_data();
    void movesClampAndStillCatch();
    void catchesOnlyTheNextDigit();
    void tickCatchesOnlyTheNextDigit();
    void lastCatchEndsTheGameOnce();
};

// A game starts from the same cells whatever the game before it left behind.
void TestCatchingGame::everyGameStartsAfresh()
{
    ScriptedRandom random;
    CatchingGame game(random);
    State played;
    played.catcherColumn = 1;
    played.digitColumns[1] = 20;
    played.digitsLeft = QStringLiteral("89");
    game.start(played);
    QCOMPARE(game.catcher(), QPoint(1, 9));

    game.start();
    QCOMPARE(game.catcher(), QPoint(14, 9));
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(game.digitCell(i), QPoint(i + 3, i + 3));
    QCOMPARE(game.digitsLeft(), QStringLiteral("0123456789"));
    QCOMPARE(game.nextDigit(), QStringLiteral("0"));
    QVERIFY(!game.isOver());
}

void TestCatchingGame::tickFollowsTheDraws_data()
{
    QTest::addColumn<QString>("digitsLeft");
    QTest::addColumn<QList<QPoint>>("draws");
    QTest::addColumn<QList<QPoint>>("cells");

    QTest::newRow("one digit left draws once")
        << QStringLiteral("9") << QList<QPoint>{{24, 16}} << QList<QPoint>{{24, 16}};
    QTest::newRow("grid corners") << QStringLiteral("78")
                                  << QList<QPoint>{{1, 3}, {24, 16}}
                                  << QList<QPoint>{{1, 3}, {24, 16}};
    // Digit 2 first clashes by column, then by row; digit 3 clashes with digit 2, then
    // with digit 1 by row.
    QTest::newRow("clashes are drawn again")
        << QStringLiteral("789")
        << QList<QPoint>{{5, 7}, {5, 10}, {6, 7}, {8, 9}, {8, 12}, {9, 7}, {1, 16}}
        << QList<QPoint>{{5, 7}, {8, 9}, {1, 16}};
    QTest::newRow("same cell is drawn again")
        << QStringLiteral("01") << QList<QPoint>{{2, 4}, {2, 4}, {3, 5}}
        << QList<QPoint>{{2, 4}, {3, 5}};
}

void TestCatchingGame::tickFollowsTheDraws()
{
    QFETCH(QString, digitsLeft);
    QFETCH(QList<QPoint>, draws);
    QFETCH(QList<QPoint>, cells);

    State values = CatchingGame::startState();
    values.digitsLeft = digitsLeft;
    ScriptedRandom random;
    CatchingGame game(random);
    game.start(values);
    for (QPoint cell : draws)
        pushCell(random, cell);
    QVERIFY(!game.tick());
    QCOMPARE(random.remaining(), 0);
    for (int i = 1; i <= cells.size(); ++i)
        QCOMPARE(game.digitCell(i), cells.at(i - 1));
    QCOMPARE(game.digitsLeft(), digitsLeft);
}

void TestCatchingGame::everyTickKeepsColumnsAndRowsApart()
{
    ScriptedRandom random;
    CatchingGame game(random);
    game.start();
    for (int t = 0; t < 500 && !game.isOver(); ++t) {
        game.tick();
        const int left = int(game.digitsLeft().size());
        for (int i = 1; i <= left; ++i) {
            const QPoint a = game.digitCell(i);
            QVERIFY(a.x() >= 1 && a.x() <= 24);
            QVERIFY(a.y() >= 3 && a.y() <= 16);
            for (int j = 1; j < i; ++j) {
                QVERIFY2(game.digitCell(j).x() != a.x(), qPrintable(QString::number(t)));
                QVERIFY2(game.digitCell(j).y() != a.y(), qPrintable(QString::number(t)));
            }
        }
        // Catch now and then, so fewer digits jump too.
        if (t % 25 == 24)
            walkTo(game, game.digitCell(1));
    }
    QVERIFY(game.digitsLeft().size() < 10);
}

void TestCatchingGame::movesClampAndStillCatch_data()
{
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<Direction>("direction");
    QTest::addColumn<QPoint>("to");

    QTest::newRow("left") << QPoint(10, 8) << Direction::Left << QPoint(9, 8);
    QTest::newRow("right") << QPoint(10, 8) << Direction::Right << QPoint(11, 8);
    QTest::newRow("up") << QPoint(10, 8) << Direction::Up << QPoint(10, 7);
    QTest::newRow("down") << QPoint(10, 8) << Direction::Down << QPoint(10, 9);
    QTest::newRow("left border") << QPoint(1, 8) << Direction::Left << QPoint(1, 8);
    QTest::newRow("right border") << QPoint(24, 8) << Direction::Right << QPoint(24, 8);
    QTest::newRow("top border") << QPoint(10, 3) << Direction::Up << QPoint(10, 3);
    QTest::newRow("bottom border") << QPoint(10, 16) << Direction::Down << QPoint(10, 16);
    QTest::newRow("corner") << QPoint(24, 16) << Direction::Right << QPoint(24, 16);
}

void TestCatchingGame::movesClampAndStillCatch()
{
    QFETCH(QPoint, from);
    QFETCH(Direction, direction);
    QFETCH(QPoint, to);

    // The next digit waits where the move ends.
    State values = CatchingGame::startState();
    values.catcherColumn = from.x();
    values.catcherRow = from.y();
    values.digitColumns[1] = to.x();
    values.digitRows[1] = to.y();
    ScriptedRandom random;
    CatchingGame game(random);
    game.start(values);
    QVERIFY(!game.move(direction));
    QCOMPARE(game.catcher(), to);
    QCOMPARE(game.digitsLeft(), QStringLiteral("123456789"));
    QCOMPARE(game.nextDigit(), QStringLiteral("1"));
}

void TestCatchingGame::catchesOnlyTheNextDigit()
{
    ScriptedRandom random;
    CatchingGame game(random);
    game.start();

    // Digit 1 sits at (5, 5), but 0 has not been caught yet.
    walkTo(game, {5, 5});
    QCOMPARE(game.digitsLeft(), QStringLiteral("0123456789"));
    QCOMPARE(game.nextDigit(), QStringLiteral("0"));

    game.move(Direction::Left);
    game.move(Direction::Up);
    QCOMPARE(game.catcher(), QPoint(4, 4));
    QCOMPARE(game.nextDigit(), QStringLiteral("1"));
    // The tables moved down with the text: entry 1 now belongs to "1".
    QCOMPARE(game.digitCell(1), QPoint(5, 5));
    QCOMPARE(game.digitCell(9), QPoint(13, 13));

    game.move(Direction::Right);
    QCOMPARE(game.nextDigit(), QStringLiteral("1"));
    game.move(Direction::Down);
    QCOMPARE(game.nextDigit(), QStringLiteral("2"));
    QCOMPARE(game.digitsLeft(), QStringLiteral("23456789"));
}

void TestCatchingGame::tickCatchesOnlyTheNextDigit()
{
    ScriptedRandom random;
    CatchingGame game(random);
    State values = CatchingGame::startState();
    values.digitsLeft = QStringLiteral("345");
    game.start(values);

    // "4" jumps onto the cursor at (14, 9): nothing happens.
    pushCell(random, {2, 4});
    pushCell(random, {14, 9});
    pushCell(random, {20, 15});
    QVERIFY(!game.tick());
    QCOMPARE(game.digitsLeft(), QStringLiteral("345"));

    // "3" jumps onto the cursor: caught.
    pushCell(random, {14, 9});
    pushCell(random, {2, 4});
    pushCell(random, {20, 15});
    QVERIFY(!game.tick());
    QCOMPARE(game.digitsLeft(), QStringLiteral("45"));
    QCOMPARE(game.digitCell(1), QPoint(2, 4));
    QCOMPARE(game.digitCell(2), QPoint(20, 15));
}

void TestCatchingGame::lastCatchEndsTheGameOnce()
{
    ScriptedRandom random;
    CatchingGame game(random);
    game.start();
    for (int digit = 0; digit < 9; ++digit) {
        QVERIFY(!walkTo(game, game.digitCell(1)));
        QCOMPARE(game.nextDigit(), QString::number(digit + 1));
    }
    QVERIFY(walkTo(game, game.digitCell(1)));
    QVERIFY(game.isOver());
    QCOMPARE(game.nextDigit(), QString());

    // An ended game neither moves, jumps nor ends again.
    const QPoint at = game.catcher();
    QVERIFY(!game.move(Direction::Left));
    QVERIFY(!game.tick());
    QCOMPARE(game.catcher(), at);
}

QTEST_GUILESS_MAIN(TestCatchingGame)
#include "tst_catching_game.moc"
