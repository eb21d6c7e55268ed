// The skills a digit shows, what a wrong digit says about them, and the estimates of
// knowledge tracing.
#include "trainers/one_row/one_row_table.h"
#include "training/exercise.h"
#include "training/knowledge_tracing.h"
#include "training/session_statistics.h"
#include "training/skills.h"
#include "written_fixture.h"

#include <QTest>

Q_DECLARE_METATYPE(Cell)

namespace {

// Every digit of "5123 · 47" or "5123 · 47 Treppe" standing: the display as the pupil sees it.
// "4728 · 3 Überschlag": the single problem begun with its Überschlag.
Exercise standing(const QString &text)
{
    const bool staircase = text.endsWith(QLatin1String(" Treppe"));
    const bool estimate = text.endsWith(QStringLiteral(" Überschlag"));
    const WrittenMultiplication w =
        *parseProblem(QString(text).remove(QStringLiteral(" Treppe")).remove(QStringLiteral(" Überschlag")));
    if (estimate)
        return Exercise::single(w, w.cells()).withEstimate();
    return Exercise::gap(w, w.cells(), {}, staircase ? WrittenDisplay::Staircase : WrittenDisplay::Flush);
}

QString namesOf(const SkillList &skills)
{
    QStringList names;
    for (Skill skill : skills)
        names << skillName(skill);
    return names.join(QStringLiteral("; "));
}

Cell pp(int row, int place) { return {Part::PartialProduct, row, place}; }
Cell carry(int row, int place) { return {Part::Carry, row, place}; }
Cell zero(int row, int place) { return {Part::Zero, row, place}; }
Cell sum(int place) { return {Part::Sum, 0, place}; }

const QString carrying = QStringLiteral("Übertrag beim Malnehmen");
const QString intoZero = QStringLiteral("Null in der ersten Zahl");
const QString place = QStringLiteral("Nullen und Stellen der Teilprodukte");
const QString addition = QStringLiteral("Addieren mit Übertrag");

} // namespace

class TestSkills : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stepSkills_data();
    void stepSkills();
    void wrongDigit_data();
    void wrongDigit();
    void tracing_data();
    void tracing();
    void onlyTheFirstTryCounts();
};

void TestSkills::stepSkills_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("skills");

    // 4728 · 3 = 14184: ones 8·3 = 24, tens 2·3 + 2 = 8, hundreds 7·3 = 21, thousands 4·3 + 2.
    QTest::newRow("first column: the fact alone") << "4728 · 3" << pp(0, 0) << "8 · 3";
    QTest::newRow("a carry came in") << "4728 · 3" << pp(0, 1) << "2 · 3; " + carrying;
    QTest::newRow("carry box without a carry in") << "4728 · 3" << carry(0, 1) << "";
    QTest::newRow("carry box the carry in does not change") << "4728 · 3" << carry(0, 2) << "";
    QTest::newRow("leading digit the carry in does not change") << "4728 · 3" << pp(0, 4) << "";
    // 2596 · 7: the hundreds column 5·7 + 6 = 41 carries 4, not the 3 of 35.
    QTest::newRow("carry box the carry in changes") << "2596 · 7" << carry(0, 3) << carrying;
    // 4305 · 7 = 30135: the thousands column 4·7 + 2 = 30.
    QTest::newRow("leading digit the carry in changes") << "4305 · 7" << pp(0, 4) << carrying;
    // 5012 · 793, row 1 = 451080: the thousands column 0·9 + 1.
    QTest::newRow("a carry into a zero of the multiplicand")
        << "5012 · 793" << pp(1, 3) << "0 · 9; " + intoZero + "; " + place;
    QTest::newRow("the zero of a tens number") << "4728 · 30" << zero(0, 0) << place;
    QTest::newRow("a zero with a zero on its left") << "4728 · 300" << zero(0, 0) << "";
    QTest::newRow("no zero under the staircase") << "5123 · 47 Treppe" << zero(0, 0) << "";
    // 5123 · 47: row 0 = 204920.
    QTest::newRow("a digit of a shifted row") << "5123 · 47" << pp(0, 2) << "2 · 4; " + carrying + "; " + place;
    QTest::newRow("the last row is not shifted") << "5123 · 47" << pp(1, 1) << "2 · 7; " + carrying;
    // 5555 · 20 = 111100: the tens digit 0 stands beside the zero 0.
    QTest::newRow("a shifted digit like its neighbour") << "5555 · 20" << pp(0, 1) << "5 · 2";
    QTest::newRow("sum with a carry in") << "5123 · 47" << sum(3) << addition;
    QTest::newRow("sum without a carry in") << "5123 · 47" << sum(2) << "";
    QTest::newRow("a carry of the addition") << "5123 · 47" << Cell{Part::SumCarry, 0, 3}
                                             << "Überträge beim Addieren aufschreiben";
    QTest::newRow("an operand digit") << "5123 · 47" << Cell{Part::Multiplicand, 0, 1} << "";
    QTest::newRow("a digit of the Überschlag") << "4728 · 3 Überschlag" << Cell{Part::Estimate, 0, 4}
                                               << "Überschlag";
}

void TestSkills::stepSkills()
{
    QFETCH(QString, problem);
    QFETCH(Cell, cell);
    QFETCH(QString, skills);
    const Exercise ex = standing(problem);
    QVERIFY(ex.written().contains(cell));
    QCOMPARE(namesOf(skillsOfStep(ex, cell)), skills);
}

// The kinds a wrong digit is blamed on: "CF+PS", "-" for none.
static KindSet kindsNamed(const QString &text)
{
    static const QList<std::pair<QString, ErrorKind>> names{
        {"CF", ErrorKind::CarryForgotten}, {"CE", ErrorKind::CarryAddedTooEarly},
        {"TO", ErrorKind::TensForOnes},    {"OC", ErrorKind::OnesAsCarry},
        {"TT", ErrorKind::TimesTable},     {"ZF", ErrorKind::ZeroForgotten},
        {"PS", ErrorKind::PlaceShifted},   {"AC", ErrorKind::AdditionCarryForgotten}};
    KindSet kinds;
    for (const QString &name : text.split(u'+', Qt::SkipEmptyParts)) {
        for (const auto &[shortName, kind] : names) {
            if (name == shortName)
                kinds.insert(kind);
        }
    }
    return kinds;
}

void TestSkills::wrongDigit_data()
{
    QTest::addColumn<QString>("problem");
    QTest::addColumn<Cell>("cell");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<QString>("right");

    // 4728 · 3, tens: 2·3 + 2 = 8.
    QTest::newRow("carry forgotten: the fact was right") << "4728 · 3" << pp(0, 1) << "CF" << carrying << "2 · 3";
    QTest::newRow("carry added too early: another fact") << "4728 · 3" << pp(0, 1) << "CE" << carrying << "";
    QTest::newRow("times table: the carry was added") << "4728 · 3" << pp(0, 1) << "TT" << "2 · 3" << "";
    QTest::newRow("no kind: every skill of the step") << "4728 · 3" << pp(0, 1) << "-" << "2 · 3; " + carrying << "";
    // 5123 · 47, row 1 tens: 2·7 + 2 = 16, beside 1 and 8.
    QTest::newRow("two kinds: both their skills") << "5123 · 47" << pp(1, 1) << "TO+PS" << carrying + "; " + place
                                                  << "";
    // 4305 · 9 = 38745: the tens column 0·9 + 4.
    QTest::newRow("carry forgotten at a zero") << "4305 · 9" << pp(0, 1) << "CF" << intoZero << "0 · 9";
    // 5012 · 793, row 1 = 451080: 0·9 + 1.
    QTest::newRow("three kinds: all their skills")
        << "5012 · 793" << pp(1, 3) << "CF+TT+PS" << intoZero + "; 0 · 9; " + place << "";
    QTest::newRow("zero forgotten") << "4728 · 30" << zero(0, 0) << "ZF" << place << "";
    QTest::newRow("addition carry forgotten") << "5123 · 47" << sum(3) << "AC" << addition << "";
    QTest::newRow("sum shifted") << "5123 · 47" << sum(3) << "PS" << addition << "";
    QTest::newRow("a carry of the addition: its own skill")
        << "5123 · 47" << Cell{Part::SumCarry, 0, 3} << "OC" << "Überträge beim Addieren aufschreiben" << "";
}

void TestSkills::wrongDigit()
{
    QFETCH(QString, problem);
    QFETCH(Cell, cell);
    QFETCH(QString, kinds);
    QFETCH(QString, wrong);
    QFETCH(QString, right);
    const Exercise ex = standing(problem);
    const SkillEvidence evidence = skillEvidence(ex, cell, kindsNamed(kinds));
    QCOMPARE(namesOf(evidence.wrong), wrong);
    QCOMPARE(namesOf(evidence.right), right);
}

void TestSkills::tracing_data()
{
    QTest::addColumn<QString>("digits"); // R right, W wrong
    QTest::addColumn<double>("known");
    QTest::addColumn<int>("state");

    // Prior 0.3, learn 0.1, guess 0.1, slip 0.1, worked out by hand:
    // right: 0.3·0.9 / (0.27 + 0.7·0.1) = 0.794118, learnt: 0.794118 + 0.205882·0.1 = 0.814706.
    QTest::newRow("not seen") << "" << 0.3 << int(SkillState::NotSeen);
    QTest::newRow("one right") << "R" << 0.814706 << int(SkillState::Improving);
    // 0.814706·0.9 / (0.733235 + 0.185294·0.1) = 0.975352, learnt: 0.977817; two tries are
    // not enough for "sicher".
    QTest::newRow("two right: not yet sure") << "RR" << 0.977817 << int(SkillState::Improving);
    QTest::newRow("four right: mastered") << "RRRR" << 0.999773 << int(SkillState::Mastered);
    // 0.3·0.1 / (0.03 + 0.7·0.9) = 0.045455, learnt: 0.140909; one wrong digit is no proof.
    QTest::newRow("one wrong") << "W" << 0.140909 << int(SkillState::Improving);
    QTest::newRow("two wrong") << "WW" << 0.116109 << int(SkillState::Practising);
    QTest::newRow("a slip after mastery") << "RRRRW" << 0.998167 << int(SkillState::Improving);
    QTest::newRow("wrong, then right") << "WR" << 0.636538 << int(SkillState::Improving);
    // Right on half of its tries: the estimate climbs high, the last tries keep it from "sicher".
    QTest::newRow("right on half, ending right") << "RWRWRWRWRR" << 0.994192 << int(SkillState::Improving);
    QTest::newRow("right on half") << "RWRWRWRWRW" << 0.689749 << int(SkillState::Practising);
}

void TestSkills::tracing()
{
    QFETCH(QString, digits);
    QFETCH(double, known);
    QFETCH(int, state);
    SkillEstimates estimates;
    const Skill fact = Skill::fact(7, 8);
    for (QChar digit : digits)
        estimates.observe(fact, digit == u'R');
    QVERIFY2(qAbs(estimates.known(fact) - known) < 1e-5, qPrintable(QString::number(estimates.known(fact))));
    QCOMPARE(int(estimates.state(fact)), state);
    QCOMPARE(estimates.observations(fact), int(digits.size()));
    // Every other skill stays untouched.
    QCOMPARE(estimates.known(Skill::fact(8, 7)), defaultTracing.prior);
}

// A wrong digit, then the right one on the same field after the hint: the skills hear of
// the first try only. A drop of anything but a digit key is no try.
void TestSkills::onlyTheFirstTryCounts()
{
    SessionStatistics statistics;
    const Exercise ex = oneRowSingle(oneRowProblem(4728, 3, OneRowMode::E));
    const auto drop = [&](const Cell &cell, std::optional<int> digit) {
        const bool right = digit == ex.written().digit(cell);
        statistics.recordDrop(TrainerKind::OneRow, ex, cell, digit, right);
    };
    statistics.startProblem(TrainerKind::OneRow, ex.problemText());
    drop(pp(0, 1), std::nullopt);
    drop(pp(0, 1), 5); // 1·3 + 2: the times table
    drop(pp(0, 1), 8);
    drop(pp(0, 1), 8);
    drop(pp(0, 0), 4);
    const SkillEstimates &skills = statistics.skills();
    QCOMPARE(skills.observations(Skill::fact(2, 3)), 1);
    QVERIFY(qAbs(skills.known(Skill::fact(2, 3)) - 0.140909) < 1e-6);
    QCOMPARE(skills.observations(Skill::method(MethodSkill::Carrying)), 0);
    QVERIFY(qAbs(skills.known(Skill::fact(8, 3)) - 0.814706) < 1e-6);
    const SessionStatistics::Trainer &t = statistics.trainer(TrainerKind::OneRow);
    QCOMPARE(t.errors, 2);
    QCOMPARE(t.rightDigits, 3);
    QVERIFY(t.skillsShown.test(std::size_t(Skill::fact(2, 3).index())));
    QVERIFY(!t.skillsShown.test(std::size_t(Skill::method(MethodSkill::Carrying).index())));

    // The next problem tries its fields afresh.
    statistics.startProblem(TrainerKind::OneRow, ex.problemText());
    drop(pp(0, 1), 8);
    QCOMPARE(skills.observations(Skill::fact(2, 3)), 2);
    QCOMPARE(skills.observations(Skill::method(MethodSkill::Carrying)), 1);
}

QTEST_APPLESS_MAIN(TestSkills)
#include "tst_skills.moc"
