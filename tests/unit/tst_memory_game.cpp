#include "games/memory/memory_game.h"
#include "scripted_random.h"

#include <QtTest>
#include <algorithm>

using Outcome = MemoryGame::Outcome;
Q_DECLARE_METATYPE(Outcome)

namespace {

const QString pairs = QStringLiteral("112233445566778899");
// Field k and field k + 9 hold the same digit.
const QString testBoard = QStringLiteral("123456789123456789");

// Scripts the draws that deal `board`. With `retries`, every placement after the first
// first hits a field already taken, which the deal must draw again.
void scriptDeal(ScriptedRandom &random, const QString &board, bool retries = false)
{
    QList<bool> used(board.size(), false);
    int lastPlaced = 0;
    for (QChar digit : pairs) {
        int field = 0;
        while (used[field] || board.at(field) != digit)
            ++field;
        used[field] = true;
        if (retries && lastPlaced > 0)
            random.pushInt(lastPlaced, MemoryGame::fieldCount, 1);
        random.pushInt(field + 1, MemoryGame::fieldCount, 1);
        lastPlaced = field + 1;
    }
}

// The board as the pupil sees it: '.' covered, 'u' uncovered, 'M' a marked pair.
QString view(const MemoryGame &game)
{
    QString text;
    for (int k = 1; k <= MemoryGame::fieldCount; ++k) {
        if (game.isMarked(k))
            text += QLatin1Char('M');
        else
            text += game.caption(k).isEmpty() ? QLatin1Char('.') : QLatin1Char('u');
    }
    return text;
}

QString sorted(QString text)
{
    std::sort(text.begin(), text.end());
    return text;
}

} // namespace

class TestMemoryGame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dealsEveryDigitTwice_data();
    void dealsEveryDigitTwice();
    void dealFollowsTheDraws();
    void pairText_data();
    void pairText();
    void clicks_data();
    void clicks();
    void winningPairWinsOnceAndResetResets();
};

void TestMemoryGame::dealsEveryDigitTwice_data()
{
    QTest::addColumn<int>("skippedDraws");
    for (int skip : {0, 1, 7, 100})
        QTest::addRow("after %d draws", skip) << skip;
}

void TestMemoryGame::dealsEveryDigitTwice()
{
    QFETCH(int, skippedDraws);
    ScriptedRandom random;
    for (int i = 0; i < skippedDraws; ++i)
        random.uniform();
    MemoryGame game(random);
    QVERIFY(!game.isDealt());
    game.HandleFieldClick(5);
    QVERIFY(game.isDealt());
    QCOMPARE(sorted(game.board()), pairs);
    QCOMPARE(game.openState(), QString(18, QLatin1Char('1')));
    QCOMPARE(view(game), QStringLiteral("....u............."));
}

void TestMemoryGame::dealFollowsTheDraws()
{
    ScriptedRandom random;
    const QString board = QStringLiteral("987654321198765432");
    scriptDeal(random, board, true);
    const int scripted = random.remaining();
    MemoryGame game(random);
    game.HandleFieldClick(1);
    QCOMPARE(game.board(), board);
    QCOMPARE(random.remaining(), 0);
    QCOMPARE(scripted, 18 + 17);
}

void TestMemoryGame::pairText_data()
{
    QTest::addColumn<int>("digit");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << QStringLiteral("1 * 9");
    QTest::newRow("3") << 3 << QStringLiteral("3 * 7");
    QTest::newRow("5") << 5 << QStringLiteral("5 * 5");
    QTest::newRow("9") << 9 << QStringLiteral("9 * 1");
}

void TestMemoryGame::pairText()
{
    QFETCH(int, digit);
    QFETCH(QString, text);
    QCOMPARE(MemoryGame::pairText(digit), text);

    // A field shows the pair text of the digit it hides.
    ScriptedRandom random;
    scriptDeal(random, testBoard);
    MemoryGame game(random);
    game.HandleFieldClick(digit);
    QCOMPARE(game.caption(digit), text);
}

void TestMemoryGame::clicks_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<Outcome>("lastOutcome");
    QTest::addColumn<QString>("seen");
    QTest::addColumn<QString>("open");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");

    const QString allOpen(18, QLatin1Char('1'));
    QTest::newRow("one field") << QList<int>{4} << Outcome::Uncovered
                               << "...u.............." << allOpen << 4 << 0;
    QTest::newRow("match") << QList<int>{1, 10} << Outcome::Matched << "M........M........"
                           << "011111111011111111" << 0 << 0;
    QTest::newRow("mismatch stays uncovered")
        << QList<int>{1, 2} << Outcome::Uncovered << "uu................" << allOpen << 1 << 2;
    QTest::newRow("next click covers the mismatch first")
        << QList<int>{1, 2, 3} << Outcome::Uncovered << "..u..............." << allOpen << 3 << 0;
    QTest::newRow("next click on a mismatched field")
        << QList<int>{1, 2, 2} << Outcome::Uncovered << ".u................" << allOpen << 2 << 0;
    QTest::newRow("after a mismatch the pair can be found")
        << QList<int>{1, 2, 11, 2} << Outcome::Matched << ".M........M......."
        << "101111111101111111" << 0 << 0;
    QTest::newRow("same field twice") << QList<int>{1, 1} << Outcome::Ignored
                                      << "u................." << allOpen << 1 << 0;
    QTest::newRow("same field twice, then its partner")
        << QList<int>{1, 1, 10} << Outcome::Matched << "M........M........"
        << "011111111011111111" << 0 << 0;
    QTest::newRow("matched field is ignored")
        << QList<int>{1, 10, 1} << Outcome::Ignored << "M........M........"
        << "011111111011111111" << 0 << 0;
    QTest::newRow("matched field leaves a mismatch showing")
        << QList<int>{1, 10, 2, 3, 10} << Outcome::Ignored << "Muu......M........"
        << "011111111011111111" << 2 << 3;
    QTest::newRow("matched field as second does not count")
        << QList<int>{1, 10, 2, 10, 11} << Outcome::Matched << "MM.......MM......."
        << "001111111001111111" << 0 << 0;
}

void TestMemoryGame::clicks()
{
    QFETCH(QList<int>, clicks);
    QFETCH(Outcome, lastOutcome);
    QFETCH(QString, seen);
    QFETCH(QString, open);
    QFETCH(int, first);
    QFETCH(int, second);

    ScriptedRandom random;
    scriptDeal(random, testBoard);
    MemoryGame game(random);
    Outcome outcome = Outcome::Ignored;
    for (int k : clicks)
        outcome = game.HandleFieldClick(k);

    QCOMPARE(game.board(), testBoard);
    QCOMPARE(view(game), seen);
    QCOMPARE(game.openState(), open);
    QCOMPARE(game.first(), first);
    QCOMPARE(game.second(), second);
    QCOMPARE(game.lastClicked(), clicks.last());
    QCOMPARE(outcome, lastOutcome);
}

void TestMemoryGame::winningPairWinsOnceAndResetResets()
{
    ScriptedRandom random;
    scriptDeal(random, testBoard);
    MemoryGame game(random);
    int wins = 0;
    // A mismatch on the way, then every pair.
    for (int k : {1, 2, 1, 10, 2, 11, 3, 12, 4, 13, 5, 14, 6, 15, 7, 16, 8, 17, 9, 18})
        wins += game.HandleFieldClick(k) == Outcome::Won ? 1 : 0;
    QCOMPARE(wins, 1);
    QCOMPARE(game.openState(), QString(18, QLatin1Char('0')));
    QCOMPARE(view(game), QString(18, QLatin1Char('M')));
    QCOMPARE(game.caption(18), QStringLiteral("9 * 1"));
    // Clicks after the win change nothing until the board is reset.
    QCOMPARE(game.HandleFieldClick(3), Outcome::Ignored);

    game.ResetBoard();
    QVERIFY(!game.isDealt());
    QCOMPARE(view(game), QString(18, QLatin1Char('.')));

    // The next game deals a new board.
    const QString next = QStringLiteral("998877665544332211");
    scriptDeal(random, next);
    QCOMPARE(game.HandleFieldClick(18), Outcome::Uncovered);
    QCOMPARE(game.board(), next);
    QCOMPARE(game.openState(), QString(18, QLatin1Char('1')));
    QCOMPARE(view(game), QStringLiteral(".................u"));
}

QTEST_GUILESS_MAIN(TestMemoryGame)
#include "tst_memory_game.moc"
