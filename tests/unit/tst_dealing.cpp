// Problems chosen for the child: inside each trainer's ranges, more of what the child gets
// wrong, and problems that tell apart two kinds that explain the same errors.
#include "scripted_random.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/dealing.h"
#include "training/exercise.h"

#include <QTest>

namespace {

enum class Trainer { OneRowE, OneRowZ, OneRowH, TwoRow, TwoRowStaircase, ThreeRow };

TrainerKind kindOf(Trainer trainer)
{
    return trainer == Trainer::TwoRow || trainer == Trainer::TwoRowStaircase ? TrainerKind::TwoRow
           : trainer == Trainer::ThreeRow                                  ? TrainerKind::ThreeRow
                                                                           : TrainerKind::OneRow;
}

// The next single problem of the trainer, for the child or (no child) as the trainer draws.
Exercise deal(Trainer trainer, RandomSource &random, const SessionStatistics *child)
{
    switch (trainer) {
    case Trainer::OneRowE: return dealOneRow(random, OneRowMode::E, child);
    case Trainer::OneRowZ: return dealOneRow(random, OneRowMode::Z, child);
    case Trainer::OneRowH: return dealOneRow(random, OneRowMode::H, child);
    case Trainer::TwoRow: return dealRows(random, twoRowTables(), false, WrittenDisplay::Flush, child);
    case Trainer::TwoRowStaircase: return dealRows(random, twoRowTables(), false, WrittenDisplay::Staircase, child);
    case Trainer::ThreeRow: break;
    }
    return dealRows(random, threeRowTables(), false, WrittenDisplay::Flush, child);
}

QList<int> digitsOf(qint64 value)
{
    QList<int> digits; // ones first
    for (; value > 0; value /= 10)
        digits << int(value % 10);
    return digits;
}

// The carry that comes into each column of multiplicand · m, from the ones up, worked out
// as on paper.
QList<int> carriesOf(qint64 multiplicand, int m)
{
    QList<int> carries{0};
    for (int x : digitsOf(multiplicand))
        carries << (x * m + carries.last()) / 10;
    return carries;
}

// Columns of the partial products that a carry comes into.
int carriesIn(const WrittenMultiplication &w)
{
    int n = 0;
    for (int m : w.multiplierDigits()) {
        const QList<int> carries = carriesOf(w.multiplicand(), m);
        for (int column = 1; column < 4; ++column)
            n += carries.at(column) > 0;
    }
    return n;
}

// A child who forgets every carry of the partial products (and otherwise writes right
// digits) solves a problem: the program sees its digits.
void forgetCarries(SessionStatistics &statistics, TrainerKind trainer, const Exercise &ex)
{
    const WrittenMultiplication &w = ex.written();
    statistics.startProblem(trainer, ex.problemText());
    const QList<int> x = digitsOf(w.multiplicand());
    for (const Cell &field : ex.fields()) {
        if (!ex.isShown(field))
            continue;
        if (field.part == Part::PartialProduct) {
            const int m = w.multiplierDigits().at(field.row);
            const int column = field.place - (w.multiplierZeros() + w.rowCount() - 1 - field.row);
            if (column >= 1 && column < x.size() && carriesOf(w.multiplicand(), m).at(column) > 0)
                statistics.recordDrop(trainer, ex, field, x.at(column) * m % 10, false);
        }
        statistics.recordDrop(trainer, ex, field, w.digit(field), true);
    }
    statistics.solved(trainer, false);
}

} // namespace

Q_DECLARE_METATYPE(Trainer)

class TestDealing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void staysInTheTrainersRanges_data();
    void staysInTheTrainersRanges();
    void aForgottenCarryBringsMoreCarries_data();
    void aForgottenCarryBringsMoreCarries();
    void factsNotYetSureComeBack();
    void tellsApartKindsThatExplainTheSameDigits();
};

void TestDealing::staysInTheTrainersRanges_data()
{
    QTest::addColumn<Trainer>("trainer");
    QTest::addColumn<QString>("multiplicand"); // lowest and highest digit, thousands first
    QTest::addColumn<int>("multiplierDigits");
    QTest::addColumn<int>("zeros");
    QTest::newRow("one-row, mal E") << Trainer::OneRowE << "19 09 09 19" << 1 << 0;
    QTest::newRow("one-row, mal Z") << Trainer::OneRowZ << "19 09 09 19" << 1 << 1;
    QTest::newRow("one-row, mal H") << Trainer::OneRowH << "19 09 09 19" << 1 << 2;
    QTest::newRow("two-row") << Trainer::TwoRow << "59 09 09 14" << 2 << 0;
    QTest::newRow("two-row, staircase") << Trainer::TwoRowStaircase << "59 09 09 14" << 2 << 0;
    QTest::newRow("three-row") << Trainer::ThreeRow << "59 09 09 14" << 3 << 0;
}

// Whatever the child does, each problem keeps its trainer's digits, layout and display.
void TestDealing::staysInTheTrainersRanges()
{
    QFETCH(Trainer, trainer);
    QFETCH(QString, multiplicand);
    QFETCH(int, multiplierDigits);
    QFETCH(int, zeros);
    ScriptedRandom random;
    SessionStatistics child;
    for (int i = 0; i < 150; ++i) {
        const Exercise ex = deal(trainer, random, &child);
        const WrittenMultiplication &w = ex.written();
        const QStringList ranges = multiplicand.split(u' ');
        const QList<int> digits = digitsOf(w.multiplicand());
        QCOMPARE(digits.size(), 4);
        for (int place = 0; place < 4; ++place) {
            const QString range = ranges.at(3 - place);
            QVERIFY(digits.at(place) >= range.at(0).digitValue() && digits.at(place) <= range.at(1).digitValue());
        }
        QCOMPARE(w.rowCount(), multiplierDigits);
        QCOMPARE(w.multiplierZeros(), zeros);
        for (int m : w.multiplierDigits())
            QVERIFY(m >= 2 && m <= 9);
        // Laid out as the trainer lays out its own draws.
        ScriptedRandom own;
        const Exercise drawn = deal(trainer, own, nullptr);
        QCOMPARE(ex.fields().size() - drawn.fields().size(),
                 qsizetype(digitCount(w.product()) - digitCount(drawn.written().product())));
        QCOMPARE(ex.display(), drawn.display());
        if (i % 3 == 0)
            forgetCarries(child, kindOf(trainer), ex);
    }
}

void TestDealing::aForgottenCarryBringsMoreCarries_data()
{
    QTest::addColumn<Trainer>("trainer");
    QTest::newRow("one-row") << Trainer::OneRowE;
    QTest::newRow("two-row") << Trainer::TwoRow;
    QTest::newRow("three-row") << Trainer::ThreeRow;
}

// After three problems with forgotten carries, the problems chosen carry in more columns than
// the trainer's own draws.
void TestDealing::aForgottenCarryBringsMoreCarries()
{
    QFETCH(Trainer, trainer);
    ScriptedRandom random;
    SessionStatistics child;
    for (int i = 0; i < 3; ++i)
        forgetCarries(child, kindOf(trainer), deal(trainer, random, nullptr));
    int chosen = 0, drawn = 0;
    for (int i = 0; i < 60; ++i) {
        chosen += carriesIn(deal(trainer, random, &child).written());
        drawn += carriesIn(deal(trainer, random, nullptr).written());
    }
    const int columns = 60 * 3 * (kindOf(trainer) == TrainerKind::OneRow ? 1 : int(kindOf(trainer)) + 1);
    QVERIFY2(chosen >= drawn + columns / 10, qPrintable(QStringLiteral("%1 against %2 of %3").arg(chosen).arg(drawn).arg(columns)));
}

// A child who knows every fact but 7 · 8 and 6 · 9: most problems chosen practise them,
// few of the trainer's own draws do.
void TestDealing::factsNotYetSureComeBack()
{
    ScriptedRandom random;
    SessionStatistics child;
    // The program sees every fact right twice, the two wrong three times.
    for (int x = 0; x <= 9; ++x) {
        for (int m = 2; m <= 9; ++m) {
            const bool weak = (x == 7 && m == 8) || (x == 6 && m == 9);
            // One problem per fact: x in every place it may stand, the carry in the ones.
            const Exercise ex = oneRowSingle(oneRowProblem(x == 0 ? 1001 : 1111 * x, m, OneRowMode::E));
            for (int pass = 0; pass < (weak ? 3 : 2); ++pass) {
                child.startProblem(TrainerKind::OneRow, ex.problemText());
                for (const Cell &field : ex.fields()) {
                    const int right = ex.written().digit(field);
                    // The times-table row beside it: (x + 1) · m.
                    if (weak && field.part == Part::PartialProduct && field.place < 4)
                        child.recordDrop(TrainerKind::OneRow, ex, field, (right + m) % 10, false);
                    child.recordDrop(TrainerKind::OneRow, ex, field, right, true);
                }
            }
        }
    }
    QCOMPARE(child.skills().state(Skill::fact(7, 8)), SkillState::Practising);
    QCOMPARE(child.skills().state(Skill::fact(5, 8)), SkillState::Mastered);
    const auto practises = [](const WrittenMultiplication &w) {
        const QList<int> x = digitsOf(w.multiplicand());
        const int m = w.multiplierDigits().first();
        return (m == 8 && x.contains(7)) || (m == 9 && x.contains(6));
    };
    int chosen = 0, drawn = 0;
    for (int i = 0; i < 60; ++i) {
        chosen += practises(deal(Trainer::OneRowE, random, &child).written());
        drawn += practises(deal(Trainer::OneRowE, random, nullptr).written());
    }
    QVERIFY2(chosen >= 40 && drawn <= 20, qPrintable(QStringLiteral("%1 against %2").arg(chosen).arg(drawn)));
}

// Two kinds that explained exactly the same wrong digits so far: every problem chosen has a
// digit where they would give different wrong digits. One in twenty of the trainer's own
// draws has none.
void TestDealing::tellsApartKindsThatExplainTheSameDigits()
{
    SessionStatistics child;
    const KindSet both = KindSet::of(ErrorKind::CarryForgotten) | KindSet::of(ErrorKind::CarryAddedTooEarly);
    for (const char *problem : {"5123 · 7", "6301 · 8"}) {
        child.startProblem(TrainerKind::OneRow, QString::fromUtf8(problem));
        child.wrongDigit(TrainerKind::OneRow, both);
        child.wrongDigit(TrainerKind::OneRow, both);
    }
    const auto apart = [](const Exercise &ex) {
        for (const Cell &field : ex.fields()) {
            const auto digits = kindDigits(ex, field);
            if (digits[std::size_t(errorKindIndex(ErrorKind::CarryForgotten))]
                != digits[std::size_t(errorKindIndex(ErrorKind::CarryAddedTooEarly))])
                return true;
        }
        return false;
    };
    ScriptedRandom random;
    int drawnTogether = 0;
    for (int i = 0; i < 100; ++i) {
        const Exercise ex = deal(Trainer::OneRowE, random, &child);
        QVERIFY2(apart(ex), qPrintable(ex.problemText()));
        drawnTogether += !apart(deal(Trainer::OneRowE, random, nullptr));
    }
    QVERIFY(drawnTogether > 0);
}

QTEST_APPLESS_MAIN(TestDealing)
#include "tst_dealing.moc"
