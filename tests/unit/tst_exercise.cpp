// The rules of an exercise and of the training session, without any window: what a cell
// shows, what a drop does, when a problem is solved, when a gap problem is fair, and what
// the score offers.
#include "training/exercise.h"
#include "training/training_session.h"
#include "written_fixture.h"

#include <QtTest>

namespace {

WrittenMultiplication parsed(const char *text)
{
    const std::optional<WrittenMultiplication> w = parseProblem(QString::fromUtf8(text));
    if (!w)
        qFatal("no problem: %s", text);
    return *w;
}

QList<Cell> cells(const QString &texts)
{
    QList<Cell> list;
    for (const QString &text : texts.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const std::optional<Cell> cell = parseCell(text);
        if (!cell)
            qFatal("no cell: %s", qPrintable(text));
        list << *cell;
    }
    return list;
}

// What a pupil writes of a problem, in written order: each partial product from its ones
// leftwards with the carries of a one-digit multiplier between its digits, then the sum
// with the carries of the addition between its digits.
QList<Cell> writtenFields(const WrittenMultiplication &w)
{
    QList<Cell> fields;
    const auto withCarries = [&](const QList<Cell> &digits, const Cell &carryOfFirst, bool carries) {
        for (const Cell &digit : digits) {
            fields << digit;
            const Cell carry{carryOfFirst.part, carryOfFirst.row, digit.place + 1};
            if (carries && w.contains(carry))
                fields << carry;
        }
    };
    for (int row = 0; row < w.rowCount(); ++row) {
        fields += w.cells(Part::Zero, row);
        withCarries(w.cells(Part::PartialProduct, row), {Part::Carry, row, 0}, w.rowCount() == 1);
    }
    withCarries(w.cells(Part::Sum), {Part::SumCarry, 0, 0}, true);
    return fields;
}

Exercise exercise(const char *text, const QString &blanks, WrittenDisplay display = WrittenDisplay::Flush)
{
    const WrittenMultiplication w = parsed(text);
    QList<Cell> fields = writtenFields(w);
    if (blanks.isEmpty())
        return Exercise::single(w, fields, display);
    fields = w.cells(Part::Multiplicand) + fields;
    return Exercise::gap(w, fields, cells(blanks), display);
}

// Every shown field but `except` gets its digit, in written order.
void fillAllBut(Exercise &ex, const std::optional<Cell> &except = std::nullopt)
{
    for (const Cell &field : ex.fields()) {
        if (field != except && ex.isShown(field) && !ex.shownDigit(field))
            QCOMPARE(ex.drop(field, ex.expectedDigit(field)), Exercise::Verdict::Right);
    }
}

} // namespace

class TestExercise : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shownDigits_data();
    void shownDigits();
    void drop_data();
    void drop();
    void carryBoxTakesTheTrueCarry_data();
    void carryBoxTakesTheTrueCarry();
    void solved_data();
    void solved();
    void gapSolutions_data();
    void gapSolutions();
    void sessionDrops();
    void sessionRewards();
    void staircaseSwitchSolves();
};

void TestExercise::shownDigits_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("blanks");
    QTest::addColumn<bool>("staircase");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("single: the operands only") << "5123 · 47" << "" << false
        << QStringList{"5123 · 47", "carry    ______", "carry    ______", "row      ______",
                       "row      ______", "sumcarry ______", "sum      ______"};
    // A gap problem gives everything but its blanks; carries stand as written.
    QTest::newRow("gap of a tens multiplier") << "4321 · 70"
        << "Multiplicand 0 @ 3,PartialProduct 0 @ 1,PartialProduct 0 @ 3" << false
        << QStringList{"_321 · 70", "carry    _210__", "row      30_4_0"};
    QTest::newRow("gap, staircase leaves the zero out") << "5012 · 39"
        << "PartialProduct 0 @ 2,Sum 0 @ 4" << true
        << QStringList{"5012 · 39", "carry    _000__", "carry    __011_", "row      150_6_",
                       "row      _45108", "sumcarry 00000_", "sum      1_5468"};
}

void TestExercise::shownDigits()
{
    QFETCH(QString, problem);
    QFETCH(QString, blanks);
    QFETCH(bool, staircase);
    QFETCH(QStringList, shown);
    const Exercise ex = exercise(problem.toUtf8().constData(), blanks,
                                 staircase ? WrittenDisplay::Staircase : WrittenDisplay::Flush);
    QCOMPARE(renderShown(ex), shown);
}

void TestExercise::drop_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("blanks");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QList<int>>("drops"); // -1: a drop of anything but a digit key
    QTest::addColumn<QString>("verdicts");  // R right, W wrong, one per drop
    QTest::addColumn<int>("standing");      // -1: the field is empty at the end

    // 4321 · 7 = 30247
    const char *ones = "PartialProduct 0 @ 0";
    QTest::newRow("right digit stays") << "4321 · 7" << "" << ones << QList<int>{7} << "R" << 7;
    QTest::newRow("right again earns again") << "4321 · 7" << "" << ones << QList<int>{7, 7} << "RR" << 7;
    QTest::newRow("wrong digit leaves it empty") << "4321 · 7" << "" << ones << QList<int>{3} << "W" << -1;
    QTest::newRow("wrong digit clears a right one") << "4321 · 7" << "" << ones << QList<int>{7, 3} << "RW" << -1;
    QTest::newRow("no digit on an empty field") << "4321 · 7" << "" << ones << QList<int>{-1} << "W" << -1;
    QTest::newRow("no digit on a right field") << "4321 · 7" << "" << ones << QList<int>{7, -1} << "RR" << 7;
    QTest::newRow("zero of a tens multiplier takes only 0") << "4321 · 70" << "" << "Zero 0 @ 0"
        << QList<int>{7, 0} << "WR" << 0;
    // A given digit of a gap problem takes its own digit and is knocked out by another.
    QTest::newRow("given digit again") << "4321 · 7" << "PartialProduct 0 @ 1" << "Multiplicand 0 @ 2"
        << QList<int>{3} << "R" << 3;
    QTest::newRow("given digit knocked out") << "4321 · 7" << "PartialProduct 0 @ 1" << "Multiplicand 0 @ 2"
        << QList<int>{5} << "W" << -1;
    QTest::newRow("knocked out and written again") << "4321 · 7" << "PartialProduct 0 @ 1"
        << "PartialProduct 0 @ 4" << QList<int>{2, 3} << "WR" << 3;
}

void TestExercise::drop()
{
    QFETCH(QString, problem);
    QFETCH(QString, blanks);
    QFETCH(QString, cell);
    QFETCH(QList<int>, drops);
    QFETCH(QString, verdicts);
    QFETCH(int, standing);
    Exercise ex = exercise(problem.toUtf8().constData(), blanks);
    const Cell field = cells(cell).value(0);
    QVERIFY(ex.isField(field));
    QString seen;
    for (int digit : drops) {
        const Exercise::Verdict verdict = ex.drop(field, digit < 0 ? std::nullopt : std::optional<int>(digit));
        seen += verdict == Exercise::Verdict::Right ? QLatin1Char('R') : QLatin1Char('W');
    }
    QCOMPARE(seen, verdicts);
    QCOMPARE(ex.shownDigit(field).value_or(-1), standing);
}

void TestExercise::carryBoxTakesTheTrueCarry_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("filled"); // carry boxes written right before the drop
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("digit");
    QTest::addColumn<bool>("right");

    // 8337 · 3 = 25011: ones 21 -> 2, tens 9 + 2 = 11 -> 1, hundreds 9 + 1 = 10 -> 1.
    QTest::newRow("tens before ones") << "8337 · 3" << "" << "Carry 0 @ 2" << 1 << true;
    QTest::newRow("tens before ones: the carry without the ones' carry")
        << "8337 · 3" << "" << "Carry 0 @ 2" << 0 << false;
    QTest::newRow("tens after ones") << "8337 · 3" << "Carry 0 @ 1" << "Carry 0 @ 2" << 1 << true;
    QTest::newRow("tens after ones: wrong") << "8337 · 3" << "Carry 0 @ 1" << "Carry 0 @ 2" << 2 << false;
    QTest::newRow("hundreds first") << "8337 · 3" << "" << "Carry 0 @ 3" << 1 << true;
    QTest::newRow("hundreds first: 9 alone") << "8337 · 3" << "" << "Carry 0 @ 3" << 0 << false;
    QTest::newRow("hundreds after ones, tens empty") << "8337 · 3" << "Carry 0 @ 1" << "Carry 0 @ 3" << 1 << true;
    // 5635 · 2 = 11270: ones 10 -> 1, tens 6 + 1 = 7 -> 0.
    QTest::newRow("carry 0 below ten") << "5635 · 2" << "" << "Carry 0 @ 2" << 0 << true;
    QTest::newRow("carry 0 below ten, ones filled") << "5635 · 2" << "Carry 0 @ 1" << "Carry 0 @ 2" << 0 << true;
    QTest::newRow("the column's digit is no carry") << "5635 · 2" << "Carry 0 @ 1" << "Carry 0 @ 2" << 7 << false;
    // 1251 · 900: the columns of 1251 · 9 shifted by two; hundreds 18 + 4 -> 2.
    QTest::newRow("hundreds multiplier, tens empty") << "1251 · 900" << "Carry 0 @ 3" << "Carry 0 @ 5" << 2 << true;
    QTest::newRow("hundreds multiplier, 18 alone") << "1251 · 900" << "Carry 0 @ 3" << "Carry 0 @ 5" << 1 << false;
    // 5123 · 47: 204920 + 35861; 9 + 8 = 17 -> 1, 4 + 5 + 1 = 10 -> 1, 0 + 3 + 1 = 4 -> 0.
    QTest::newRow("addition, boxes to the right empty") << "5123 · 47" << "" << "SumCarry 0 @ 4" << 1 << true;
    QTest::newRow("addition, 4 + 5 alone") << "5123 · 47" << "" << "SumCarry 0 @ 4" << 0 << false;
    QTest::newRow("addition, carry 0") << "5123 · 47" << "SumCarry 0 @ 3,SumCarry 0 @ 4" << "SumCarry 0 @ 5"
                                       << 0 << true;
    QTest::newRow("addition, carry 0: wrong") << "5123 · 47" << "" << "SumCarry 0 @ 5" << 1 << false;
}

void TestExercise::carryBoxTakesTheTrueCarry()
{
    QFETCH(QString, problem);
    QFETCH(QString, filled);
    QFETCH(QString, box);
    QFETCH(int, digit);
    QFETCH(bool, right);
    Exercise ex = exercise(problem.toUtf8().constData(), QString());
    for (const Cell &carry : cells(filled))
        QCOMPARE(ex.drop(carry, ex.written().digit(carry)), Exercise::Verdict::Right);
    const Cell target = cells(box).value(0);
    QVERIFY(ex.isField(target));
    QCOMPARE(ex.drop(target, digit), right ? Exercise::Verdict::Right : Exercise::Verdict::Wrong);
    QCOMPARE(ex.shownDigit(target), right ? std::optional<int>(digit) : std::nullopt);
    QCOMPARE(ex.expectedDigit(target) == digit, right);
}

void TestExercise::solved_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("blanks");
    // "Bündig" or "Treppe" throughout, or filled in "Bündig" and then switched to "Treppe".
    QTest::addColumn<QString>("display");
    // The field left empty; with `knockedOut` it was filled (or given) and then emptied
    // by a wrong drop.
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("knockedOut");
    QTest::addColumn<bool>("solved");

    QTest::newRow("single, all written") << "1502 · 5" << "" << "Bündig" << "" << false << true;
    QTest::newRow("single, a digit left") << "1502 · 5" << "" << "Bündig" << "PartialProduct 0 @ 0" << false << false;
    QTest::newRow("single, a digit knocked out") << "1502 · 5" << "" << "Bündig" << "PartialProduct 0 @ 2" << true << false;
    QTest::newRow("single, carries optional") << "1502 · 5" << "" << "Bündig" << "Carry 0 @ 1" << false << true;
    QTest::newRow("carries of the addition optional") << "5012 · 39" << "" << "Bündig" << "SumCarry 0 @ 3" << false << true;
    QTest::newRow("tens multiplier, zero left") << "1502 · 50" << "" << "Bündig" << "Zero 0 @ 0" << false << false;
    QTest::newRow("hundreds multiplier, zero knocked out") << "1502 · 500" << "" << "Bündig" << "Zero 0 @ 1" << true << false;
    QTest::newRow("gap, all written") << "4321 · 7" << "Multiplicand 0 @ 3,PartialProduct 0 @ 0" << "Bündig" << "" << false << true;
    QTest::newRow("gap, a blank left") << "4321 · 7" << "Multiplicand 0 @ 3,PartialProduct 0 @ 0" << "Bündig" << "PartialProduct 0 @ 0" << false << false;
    QTest::newRow("gap, a given digit knocked out") << "4321 · 7" << "Multiplicand 0 @ 3" << "Bündig" << "Multiplicand 0 @ 1" << true << false;
    QTest::newRow("gap, a given zero knocked out") << "4321 · 70" << "Multiplicand 0 @ 3" << "Bündig" << "Zero 0 @ 0" << true << false;
    // The staircase takes the zeros it hides as written.
    QTest::newRow("two rows, zero left") << "5012 · 39" << "" << "Bündig" << "Zero 0 @ 0" << false << false;
    QTest::newRow("two rows, staircase") << "5012 · 39" << "" << "Treppe" << "Zero 0 @ 0" << false << true;
    QTest::newRow("two rows, switched") << "5012 · 39" << "" << "Bündig→Treppe" << "Zero 0 @ 0" << false << true;
    QTest::newRow("two rows, staircase, sum left") << "5012 · 39" << "" << "Treppe" << "Sum 0 @ 5" << false << false;
    QTest::newRow("three rows, switched, zero knocked out") << "5012 · 793" << "" << "Bündig→Treppe" << "Zero 0 @ 1" << true << true;
    QTest::newRow("three rows, switched, digit knocked out") << "5012 · 793" << "" << "Bündig→Treppe" << "PartialProduct 1 @ 1" << true << false;
    QTest::newRow("three rows gap, staircase") << "5012 · 793" << "Zero 0 @ 1,Sum 0 @ 2" << "Treppe" << "" << false << true;
    QTest::newRow("three rows gap, staircase, blank left") << "5012 · 793" << "Zero 0 @ 1,Sum 0 @ 2" << "Treppe" << "Sum 0 @ 2" << false << false;
}

void TestExercise::solved()
{
    QFETCH(QString, problem);
    QFETCH(QString, blanks);
    QFETCH(QString, display);
    QFETCH(QString, field);
    QFETCH(bool, knockedOut);
    QFETCH(bool, solved);
    Exercise ex = exercise(problem.toUtf8().constData(), blanks,
                           display == QLatin1String("Treppe") ? WrittenDisplay::Staircase
                                                               : WrittenDisplay::Flush);
    QVERIFY(!ex.isSolved());
    const std::optional<Cell> left = field.isEmpty() ? std::nullopt : parseCell(field);
    fillAllBut(ex, knockedOut ? std::nullopt : left);
    if (knockedOut) {
        const int right = ex.expectedDigit(*left);
        QCOMPARE(ex.shownDigit(*left), std::optional<int>(right));
        QCOMPARE(ex.drop(*left, (right + 1) % 10), Exercise::Verdict::Wrong);
    }
    if (display.contains(QStringLiteral("→")))
        ex.setDisplay(WrittenDisplay::Staircase);
    QCOMPARE(ex.isSolved(), solved);

    // Writing the missing digit completes the problem.
    if (left && ex.isShown(*left)) {
        QCOMPARE(ex.drop(*left, ex.expectedDigit(*left)), Exercise::Verdict::Right);
        QVERIFY(ex.isSolved());
    }
}

void TestExercise::gapSolutions_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("blanks");
    QTest::addColumn<int>("count");
    QTest::newRow("one filling") << "4321 · 7"
        << "Multiplicand 0 @ 3,PartialProduct 0 @ 0,PartialProduct 0 @ 2" << 1;
    // 8111 · 5 = 40555 with the ones digit, the tens and the thousands of the product
    // blank: 8110, 8111, 8113, ... all fit.
    QTest::newRow("several fillings") << "8111 · 5"
        << "Multiplicand 0 @ 0,PartialProduct 0 @ 1,PartialProduct 0 @ 3" << 5;
    // 3334 · 3 = 10002 with the thousands and the two leading product digits blank: 3334
    // to 9334 fit, 1334 and 2334 give a product one digit shorter.
    QTest::newRow("length kept") << "3334 · 3"
        << "Multiplicand 0 @ 3,PartialProduct 0 @ 3,PartialProduct 0 @ 4" << 7;
    QTest::newRow("blanks under the rule only") << "5012 · 39" << "PartialProduct 0 @ 2,Sum 0 @ 4" << 1;
}

void TestExercise::gapSolutions()
{
    QFETCH(QString, problem);
    QFETCH(QString, blanks);
    QFETCH(int, count);
    QCOMPARE(gapSolutionCount(parsed(problem.toUtf8().constData()), cells(blanks)), count);
}

void TestExercise::sessionDrops()
{
    Training training;
    TrainingSession session(training, TrainerKind::OneRow);
    const Cell ones{Part::PartialProduct, 0, 0};
    QCOMPARE(session.drop(ones, 7).verdict, DropOutcome::Verdict::Refused); // nothing dealt yet
    session.start(exercise("4321 · 7", QString()));

    DropOutcome outcome = session.drop(ones, 3);
    QCOMPARE(outcome.verdict, DropOutcome::Verdict::Wrong);
    QVERIFY(!outcome.solved);
    QCOMPARE(session.score().errors(), 1);
    QCOMPARE(session.exercise().shownDigit(ones), std::nullopt);
    // An operand is no field: refused, and counted neither way.
    QCOMPARE(session.drop({Part::Multiplicand, 0, 0}, 1).verdict, DropOutcome::Verdict::Refused);
    QCOMPARE(session.score().points() + session.score().errors(), 1);

    // The result row solves the problem; the carries are not needed.
    const QList<Cell> row = session.exercise().written().cells(Part::PartialProduct);
    for (const Cell &digit : row) {
        outcome = session.drop(digit, session.exercise().expectedDigit(digit));
        QCOMPARE(outcome.verdict, DropOutcome::Verdict::Right);
        QCOMPARE(outcome.solved, digit == row.last());
    }
    QCOMPARE(session.score().points(), 5);
    QCOMPARE(session.score().solvedSinceMemory(), 1);
    // A solved problem takes no more drops until the next is dealt.
    QCOMPARE(session.drop(ones, 7).verdict, DropOutcome::Verdict::Refused);
    QCOMPARE(session.score().points(), 5);
}

void TestExercise::sessionRewards()
{
    // Zahlfange with every 50th point, Memory from the 18th solved problem until taken.
    Training training;
    TrainingSession session(training, TrainerKind::OneRow);
    int catching = 0;
    int memory = 0;
    int firstMemory = 0;
    for (int problem = 1; problem <= 20; ++problem) {
        session.start(exercise("1111 · 3", QString())); // 3333: four right digits each
        for (const Cell &digit : session.exercise().written().cells(Part::PartialProduct)) {
            const DropOutcome outcome = session.drop(digit, 3);
            catching += outcome.catchingDue ? 1 : 0;
            if (outcome.catchingDue)
                QCOMPARE(session.score().points() % Score::pointsPerCatching, 0);
            if (outcome.memoryDue && ++memory == 1)
                firstMemory = problem;
        }
    }
    QCOMPARE(session.score().points(), 80);
    QCOMPARE(catching, 1);
    QCOMPARE(firstMemory, 18);
    QCOMPARE(memory, 3); // the 18th, 19th and 20th: the offer stands until it is taken
    session.takeMemory();
    QCOMPARE(session.score().solvedSinceMemory(), 0);
    QCOMPARE(session.score().points(), 80); // points are never reset
}

void TestExercise::staircaseSwitchSolves()
{
    Training training;
    TrainingSession session(training, TrainerKind::OneRow);
    session.start(exercise("5012 · 39", QString()));
    Exercise filled = session.exercise();
    for (const Cell &field : filled.fields()) {
        if (field.part != Part::Zero)
            session.drop(field, filled.expectedDigit(field));
    }
    QVERIFY(!session.setDisplay(WrittenDisplay::Flush).solved);
    const DropOutcome outcome = session.setDisplay(WrittenDisplay::Staircase);
    QVERIFY(outcome.solved);
    QCOMPARE(session.score().solvedSinceMemory(), 1);
    // Counted once: switching back and forth does not solve it again.
    session.setDisplay(WrittenDisplay::Flush);
    QVERIFY(!session.setDisplay(WrittenDisplay::Staircase).solved);
    QCOMPARE(session.score().solvedSinceMemory(), 1);
}

QTEST_GUILESS_MAIN(TestExercise)
#include "tst_exercise.moc"
