// Simulated children through the trainers' single problems, on the path a trainer window
// uses (the trainer's deal, the exercise, the run's statistics with their evidence and
// skills, the report), without the windows. The children are the benchmark's own: they
// read the two numbers on screen and work out their digits with the benchmark's own
// arithmetic, right or with their mistakes; the program sees only the digits they drop.
//
//   1. Consistent errors: for every kind of error and every trainer where it can occur,
//      children who make it wherever it applies and slip on 5 % of their other digits. The
//      report must name the kind for at least 95 of 100, after a median of at most 3 problems.
//   2. Slips only: children who write a random wrong digit on one digit in ten (then the
//      right one). After 30 problems a pattern may be named for at most 5 of 100.
//   3. Learning: children who do not know 4-8 times-table facts and one or two steps of the
//      method. An unknown skill is learnt with probability 0.1 each time a digit needs it, a
//      known one slips with 0.05. Problems until the program rates every skill the trainer
//      shows as mastered, dealt as the trainer draws and chosen for the child: the median
//      with the choice at most half the other; skills rated mastered that the child does not
//      know at most 5 %.
//   4. Cost: choosing a problem (p99 under 5 ms), memory over 2000 problems of one run.
//
//   malrechnen_children_bench [scale]   (scale 1: the full run; smaller for a smoke run)
#include "resident_memory.h"
#include "seams/random_source.h"
#include "trainers/common/rows_table.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/report.h"
#include "training/session_statistics.h"


#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <set>
#include <time.h>
#include <vector>

#include "seeded_random.h"

namespace {

using Generator = SeededRandom;

// ---- The child's own written multiplication ------------------------------------------

qint64 tenTo(int n)
{
    qint64 v = 1;
    while (n-- > 0)
        v *= 10;
    return v;
}

// The digit of `value` at `place`, or nothing left of its first digit.
std::optional<int> digitOf(qint64 value, int place)
{
    if (place < 0 || (place > 0 && value < tenTo(place)))
        return std::nullopt;
    return int(value / tenTo(place) % 10);
}

// The two numbers as the child reads them off the screen, and the multiplication it works
// out on paper: the partial products (the one of the highest multiplier digit first), each
// shifted under its digit, and their sum.
struct Paper
{
    QList<int> x;  // the multiplicand's digits, ones first
    QList<int> m;  // the multiplier's digits, highest first (zeros after one digit apart)
    int zeros = 0; // of a tens or hundreds number

    static Paper read(const Exercise &ex)
    {
        Paper paper;
        for (int place = 0; ex.written().contains({Part::Multiplicand, 0, place}); ++place)
            paper.x << *ex.shownDigit({Part::Multiplicand, 0, place});
        QList<int> multiplier; // ones first
        for (int place = 0; ex.written().contains({Part::Multiplier, 0, place}); ++place)
            multiplier << *ex.shownDigit({Part::Multiplier, 0, place});
        while (multiplier.size() > 1 && multiplier.first() == 0) {
            multiplier.removeFirst();
            ++paper.zeros;
        }
        std::reverse(multiplier.begin(), multiplier.end());
        paper.m = multiplier;
        return paper;
    }

    int rows() const { return int(m.size()); }
    int shift(int row) const { return zeros + rows() - 1 - row; }
    qint64 multiplicand() const
    {
        qint64 v = 0;
        for (int i = int(x.size()) - 1; i >= 0; --i)
            v = 10 * v + x.at(i);
        return v;
    }
    qint64 row(int r) const { return multiplicand() * m.at(r) * tenTo(shift(r)); }
    qint64 sum() const
    {
        qint64 total = 0;
        for (int r = 0; r < rows(); ++r)
            total += row(r);
        return total;
    }
    // The carry that comes into column `column` (of the multiplicand) of row `r`.
    int carry(int r, int column) const
    {
        int c = 0;
        for (int i = 0; i < column; ++i)
            c = (x.at(i) * m.at(r) + c) / 10;
        return c;
    }
    int columnSum(int place) const
    {
        int total = 0;
        for (int r = 0; r < rows(); ++r)
            total += digitOf(row(r), place).value_or(0);
        return total;
    }
    int sumCarry(int place) const
    {
        int c = 0;
        for (int p = 0; p < place; ++p)
            c = (columnSum(p) + c) / 10;
        return c;
    }
};

// One box the child writes, seen as the child sees it: which line and place, and the step
// of the multiplication behind it.
struct Box
{
    Part part;
    int row = 0, place = 0;
    // A step of a partial product: the multiplicand digit, the multiplier digit, the carry
    // that came in, and whether the digit is its tens (a carry box, the leading digit).
    bool product = false;
    bool tens = false;
    int x = 0, m = 0, c = 0;
    int right = 0;
};

Box boxOf(const Paper &paper, const Cell &cell)
{
    Box box{cell.part, cell.row, cell.place};
    switch (cell.part) {
    case Part::Carry:
    case Part::PartialProduct: {
        const int column = cell.place - paper.shift(cell.row) - (cell.part == Part::Carry ? 1 : 0);
        box.product = true;
        box.tens = cell.part == Part::Carry || column >= paper.x.size();
        const int worked = box.tens ? column - (cell.part == Part::Carry ? 0 : 1) : column;
        box.x = paper.x.at(worked);
        box.m = paper.m.at(cell.row);
        box.c = paper.carry(cell.row, worked);
        const int s = box.x * box.m + box.c;
        box.right = box.tens ? s / 10 : s % 10;
        break;
    }
    case Part::Zero: box.right = 0; break;
    case Part::Sum: box.right = *digitOf(paper.sum(), cell.place); break;
    case Part::SumCarry: box.right = paper.sumCarry(cell.place); break;
    case Part::Multiplicand:
    case Part::Multiplier: fail("an operand is no box to fill");
    case Part::RoundedMultiplicand:
    case Part::RoundedMultiplier:
    case Part::Estimate: fail("these children make no Überschlag");
    }
    return box;
}

// The digit written one place to the right of the box in its line, as the display writes
// it: what a child writes who is one place off.
std::optional<int> digitBeside(const Paper &paper, const Box &box, int offset, bool staircase)
{
    const int place = box.place + offset;
    if (box.part == Part::Sum)
        return digitOf(paper.sum(), place);
    if (staircase && place < paper.shift(box.row))
        return std::nullopt;
    return digitOf(paper.row(box.row), place);
}

// ---- The children ----------------------------------------------------------------------

// The digit a child writes first in a box: nothing where it writes the right one.
using Child = std::function<std::optional<int>(const Paper &, const Box &, bool staircase)>;

// The mistake of a kind where it applies, worked out as the child makes it.
std::optional<int> mistake(ErrorKind kind, const Paper &paper, const Box &box, bool staircase)
{
    const int s = box.x * box.m + box.c;
    std::optional<int> digit;
    switch (kind) {
    case ErrorKind::CarryForgotten:
        if (box.product && box.c > 0)
            digit = box.tens ? box.x * box.m / 10 : box.x * box.m % 10;
        break;
    case ErrorKind::CarryAddedTooEarly:
        if (box.product && !box.tens && box.c > 0)
            digit = (box.x + box.c) * box.m % 10;
        break;
    case ErrorKind::TensForOnes:
        if (box.product && !box.tens && s >= 10)
            digit = s / 10;
        break;
    case ErrorKind::OnesAsCarry:
        // The ones as the carry, in a product row and in the carry line of the addition.
        if (box.product && box.tens)
            digit = s % 10;
        else if (box.part == Part::SumCarry)
            digit = (paper.columnSum(box.place - 1) + paper.sumCarry(box.place - 1)) % 10;
        break;
    case ErrorKind::TimesTable:
        if (box.product && !box.tens)
            digit = (s + box.m) % 10; // the row of the next digit
        break;
    case ErrorKind::ZeroForgotten:
        if (box.part == Part::Zero)
            digit = digitBeside(paper, box, 1, staircase);
        break;
    case ErrorKind::PlaceShifted:
        if (box.part == Part::PartialProduct || box.part == Part::Sum)
            digit = digitBeside(paper, box, -1, staircase);
        break;
    case ErrorKind::AdditionCarryForgotten:
        // Each column added up without the carry that came in: its ones, and its tens as
        // the carry it leaves.
        if (box.part == Part::Sum)
            digit = paper.columnSum(box.place) % 10;
        else if (box.part == Part::SumCarry)
            digit = paper.columnSum(box.place - 1) / 10;
        break;
    }
    if (digit == box.right)
        return std::nullopt;
    return digit;
}

int randomWrong(Generator &random, int right)
{
    return (right + 1 + random.below(9)) % 10;
}

Child consistent(ErrorKind kind, Generator &random)
{
    return [kind, &random](const Paper &paper, const Box &box, bool staircase) -> std::optional<int> {
        if (const std::optional<int> digit = mistake(kind, paper, box, staircase))
            return digit;
        if (random.chance(0.05))
            return randomWrong(random, box.right);
        return std::nullopt;
    };
}

Child slipping(Generator &random)
{
    return [&random](const Paper &, const Box &box, bool) -> std::optional<int> {
        if (random.chance(0.1))
            return randomWrong(random, box.right);
        return std::nullopt;
    };
}

// A child who is learning: what it does not know yet it gets wrong, in the way that skill
// goes wrong; each digit that needs it teaches it with probability 0.1. What it knows it
// slips on with probability 0.05.
class Learner
{
public:
    // The steps of the method the learner may not know yet.
    enum Step { Carrying, CarryIntoZero, Place, Addition, StepCount };

    Learner(Generator &random, int unknownFacts, int unknownSteps) : m_random(random)
    {
        while (int(m_facts.size()) < unknownFacts) {
            const int x = random.below(10), m = 2 + random.below(8);
            m_facts.insert({x, m});
        }
        while (int(m_steps.size()) < unknownSteps)
            m_steps.insert(Step(random.below(StepCount)));
    }

    bool knowsFact(int x, int m) const { return !m_facts.count({x, m}); }
    bool knows(Step step) const { return !m_steps.count(step); }
    // Skills the program follows that the learner does not know.
    bool knows(Skill skill) const
    {
        if (skill.isFact())
            return knowsFact(skill.x(), skill.m());
        switch (skill.methodSkill()) {
        case MethodSkill::Carrying: return knows(Carrying);
        case MethodSkill::CarryIntoZero: return knows(CarryIntoZero);
        case MethodSkill::PartialPlace: return knows(Place);
        case MethodSkill::Addition: return knows(Addition);
        case MethodSkill::AdditionCarries: return true;
        case MethodSkill::Estimate: return true;
        }
        return true;
    }
    bool knowsEverything() const { return m_facts.empty() && m_steps.empty(); }

    std::optional<int> write(const Paper &paper, const Box &box, bool staircase)
    {
        std::optional<int> digit;
        bool needsUnknown = false;
        const auto needs = [&](bool unknown, std::optional<int> wrong) {
            if (unknown && !needsUnknown) {
                needsUnknown = true;
                digit = wrong;
            }
        };
        const bool shifted = paper.shift(box.row) > 0;
        if (box.product) {
            // The fact worked with the row beside it: (x + 1) · m.
            const int wrongValue = (box.x + 1) * box.m + box.c;
            needs(!knowsFact(box.x, box.m), box.tens ? wrongValue / 10 : wrongValue % 10);
            if (box.c > 0) {
                const Step carry = box.x == 0 ? CarryIntoZero : Carrying;
                needs(!knows(carry), box.tens ? box.x * box.m / 10 : box.x * box.m % 10);
            }
            if (box.part == Part::PartialProduct && shifted)
                needs(!knows(Place), digitBeside(paper, box, 1, staircase).value_or(0));
        } else if (box.part == Part::Zero) {
            needs(!knows(Place), digitBeside(paper, box, 1, staircase));
        } else if (box.part == Part::Sum && paper.sumCarry(box.place) > 0) {
            needs(!knows(Addition), paper.columnSum(box.place) % 10);
        }
        // Practice teaches.
        if (box.product) {
            if (!knowsFact(box.x, box.m) && m_random.chance(0.1))
                m_facts.erase({box.x, box.m});
            const Step carry = box.x == 0 ? CarryIntoZero : Carrying;
            if (box.c > 0 && !knows(carry) && m_random.chance(0.1))
                m_steps.erase(carry);
        }
        if (((box.part == Part::PartialProduct && shifted) || box.part == Part::Zero) && !knows(Place)
            && m_random.chance(0.1))
            m_steps.erase(Place);
        if (box.part == Part::Sum && paper.sumCarry(box.place) > 0 && !knows(Addition) && m_random.chance(0.1))
            m_steps.erase(Addition);
        if (needsUnknown)
            return digit == box.right ? std::nullopt : digit;
        if (m_random.chance(0.05))
            return randomWrong(m_random, box.right);
        return std::nullopt;
    }

private:
    Generator &m_random;
    std::set<std::pair<int, int>> m_facts;
    std::set<Step> m_steps;
};

// ---- The trainers --------------------------------------------------------------------

struct TrainerUnderTest
{
    TrainerKind kind;
    const RowsTables *tables; // none for the one-row trainer
};

const TrainerUnderTest trainers[] = {
    {TrainerKind::OneRow, nullptr}, {TrainerKind::TwoRow, &twoRowTables()}, {TrainerKind::ThreeRow, &threeRowTables()}};

// The next single problem, as the trainer window deals it: the one-row trainer takes its
// modes E, Z and H in turn (only Z and H for a child whose mistake needs zeros); the others
// show their partial products flush.
Exercise deal(const TrainerUnderTest &trainer, int problem, RandomSource &random, const SessionStatistics *child,
              bool zeros = false)
{
    if (!trainer.tables) {
        const OneRowMode mode = zeros              ? (problem % 2 == 0 ? OneRowMode::Z : OneRowMode::H)
                                : problem % 3 == 0 ? OneRowMode::E
                                : problem % 3 == 1 ? OneRowMode::Z
                                                   : OneRowMode::H;
        return dealOneRow(random, mode, child);
    }
    return dealRows(random, *trainer.tables, false, WrittenDisplay::Flush, child);
}

// One problem, every shown field in written order: the child's digit first where it has a
// wrong one, then the right one. The program checks each against its own and records it.
template<typename Write>
void solve(SessionStatistics &statistics, TrainerKind trainer, Exercise exercise, Write &&write)
{
    const Paper paper = Paper::read(exercise);
    const bool staircase = exercise.display() == WrittenDisplay::Staircase;
    statistics.startProblem(trainer, exercise.problemText());
    for (const Cell &field : exercise.fields()) {
        if (!exercise.isShown(field))
            continue;
        const Box box = boxOf(paper, field);
        if (const std::optional<int> wrong = write(paper, box, staircase)) {
            if (exercise.drop(field, *wrong) != Exercise::Verdict::Wrong)
                fail("a wrong digit of the child was taken as right");
            statistics.recordDrop(trainer, exercise, field, *wrong, false);
        }
        if (exercise.drop(field, box.right) != Exercise::Verdict::Right)
            fail("the child's right digit was refused: its arithmetic and the program's differ");
        statistics.recordDrop(trainer, exercise, field, box.right, true);
    }
    if (!exercise.isSolved())
        fail("a problem was left unsolved");
    statistics.solved(trainer, false);
}

// The kinds the report's "Auffällig:" line names, as it writes them.
bool reportNames(const SessionStatistics &statistics, TrainerKind trainer, ErrorKind kind, bool alone)
{
    const QStringList lines = reportLines(statistics);
    const QString title = trainerKindName(trainer);
    bool inTrainer = false;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1Char(' ')))
            inTrainer = line == title;
        if (inTrainer && line.startsWith(QStringLiteral("  Auffällig:"))) {
            const bool named = line.contains(QStringLiteral("\u201e%1\u201c").arg(errorKindName(kind)));
            return named && (!alone || !line.contains(QStringLiteral("\u201c oder \u201e")));
        }
    }
    return false;
}

bool anyPattern(const SessionStatistics &statistics, TrainerKind trainer)
{
    return namedPattern(statistics.trainer(trainer)).has_value();
}

template<typename T>
T median(std::vector<T> values)
{
    if (values.empty())
        return T();
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QByteArray padded(const QString &text, int width)
{
    return text.leftJustified(width).toUtf8();
}

const char *yesNo(bool holds)
{
    return holds ? "ja" : "NEIN";
}

// ---- 1. Consistent errors ------------------------------------------------------------------

bool consistentErrors(int children, int problems)
{
    std::printf("1. Fehler, die ein Kind immer macht: je %d Kinder, sonst 5 %% Versehen, bis zu %d Aufgaben\n"
                "   wie die Trainer sie ziehen (Einreihige: mal E, Z, H im Wechsel; für \u201eNull vergessen\u201c\n"
                "   Z und H). Genannt: die Zeile \u201eAuffällig:\u201c nennt die Art allein (\u201eoder\u201c zählt\n"
                "   nicht); Median: Aufgaben bis dahin; am Ende: nach der letzten Aufgabe. Ziel: genannt für\n"
                "   mindestens 95 von 100, nach einem Median von höchstens 3 Aufgaben.\n\n",
                children, problems);
    std::printf("   %s %s %9s %7s %9s  %s\n", padded(QStringLiteral("Fehlerart"), 34).constData(),
                padded(QStringLiteral("Trainer"), 26).constData(), "genannt", "Median", "am Ende", "hält");
    bool all = true;
    unsigned seed = 100;
    for (ErrorKind kind : errorKinds()) {
        for (const TrainerUnderTest &trainer : trainers) {
            int atTheEnd = 0, withErrors = 0;
            std::vector<int> firstNamed;
            for (int c = 0; c < children; ++c) {
                Generator random(++seed);
                SessionStatistics statistics;
                const Child child = consistent(kind, random);
                std::optional<int> first;
                for (int p = 0; p < problems; ++p) {
                    solve(statistics, trainer.kind,
                          deal(trainer, p, random, nullptr, kind == ErrorKind::ZeroForgotten), child);
                    if (!first && reportNames(statistics, trainer.kind, kind, true))
                        first = p + 1;
                }
                // The mistake never applied: not this trainer's.
                if (statistics.trainer(trainer.kind).evidence.explained(kind) == 0)
                    continue;
                ++withErrors;
                atTheEnd += reportNames(statistics, trainer.kind, kind, true);
                if (first)
                    firstNamed.push_back(*first);
            }
            if (withErrors < children / 2)
                continue; // the kind cannot occur in this trainer
            const int named = int(firstNamed.size());
            // Children never named count as named after the last problem and beyond.
            std::vector<int> until = firstNamed;
            until.resize(std::size_t(withErrors), problems + 1);
            const int m = median(until);
            const bool holds = named * 100 >= 95 * withErrors && m <= 3;
            all &= holds;
            std::printf("   %s %s %5d/%-3d %7d %5d/%-3d  %s\n", padded(errorKindName(kind), 34).constData(),
                        padded(trainerKindName(trainer.kind), 26).constData(), named, withErrors, m, atTheEnd,
                        withErrors, yesNo(holds));
            std::fflush(stdout);
        }
    }
    std::printf("   Jede Zeile hält: %s\n\n", yesNo(all));
    return all;
}

// ---- 2. Slips only -------------------------------------------------------------------------

bool slipsOnly(int children, int problems)
{
    std::printf("2. Nur zufällige Versehen: je %d Kinder, jede zehnte Ziffer zufällig falsch, %d Aufgaben.\n"
                "   Ziel: ein Muster genannt für höchstens 5 von 100.\n\n",
                children, problems);
    bool all = true;
    unsigned seed = 9000;
    for (const TrainerUnderTest &trainer : trainers) {
        int named = 0;
        for (int c = 0; c < children; ++c) {
            Generator random(++seed);
            SessionStatistics statistics;
            const Child child = slipping(random);
            for (int p = 0; p < problems; ++p)
                solve(statistics, trainer.kind, deal(trainer, p, random, nullptr), child);
            named += anyPattern(statistics, trainer.kind);
        }
        const bool holds = named * 100 <= 5 * children;
        all &= holds;
        std::printf("   %s Muster genannt: %3d/%d  %s\n", padded(trainerKindName(trainer.kind), 26).constData(), named,
                    children, yesNo(holds));
    }
    std::printf("\n");
    return all;
}

// ---- 3. Learning and 4. cost ---------------------------------------------------------------

// The skills a trainer's single problems can show in its ranges and display: every fact
// and every step the program saw in many of its problems.
std::vector<Skill> skillsShown(const TrainerUnderTest &trainer)
{
    Generator random(7);
    SessionStatistics statistics;
    const auto right = [](const Paper &, const Box &, bool) -> std::optional<int> { return std::nullopt; };
    for (int p = 0; p < 3000; ++p)
        solve(statistics, trainer.kind, deal(trainer, p, random, nullptr), right);
    std::vector<Skill> skills;
    for (int i = 0; i < skillCount; ++i) {
        if (statistics.trainer(trainer.kind).skillsShown.test(std::size_t(i)))
            skills.push_back(Skill::fromIndex(i));
    }
    return skills;
}

struct LearningRun
{
    std::vector<int> problems;  // until every skill was rated mastered (the cap if never)
    int neverMastered = 0;      // children who reached the cap
    int falselyMastered = 0;    // skills rated mastered the child did not know, at that point
    int skillsRated = 0;
    int digits = 0, rightAtFirst = 0; // the children's first tries
    std::vector<double> choices;    // milliseconds per choice
    std::vector<double> choicesCpu; // the same in CPU time of the thread
};

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

LearningRun learning(const TrainerUnderTest &trainer, const std::vector<Skill> &skills, bool fitted,
                     int children, int cap)
{
    LearningRun run;
    using Clock = std::chrono::steady_clock;
    for (int c = 0; c < children; ++c) {
        // The same children in both runs.
        Generator random(50000 + unsigned(c));
        Learner learner(random, 4 + random.below(5), 1 + random.below(2));
        SessionStatistics statistics;
        int p = 0;
        bool mastered = false;
        while (p < cap && !mastered) {
            const auto start = Clock::now();
            const double startCpu = threadCpuMs();
            Exercise exercise = deal(trainer, p, random, fitted ? &statistics : nullptr);
            if (fitted) {
                run.choicesCpu.push_back(threadCpuMs() - startCpu);
                run.choices.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            }
            solve(statistics, trainer.kind, std::move(exercise), [&](const Paper &paper, const Box &box, bool staircase) {
                const std::optional<int> wrong = learner.write(paper, box, staircase);
                ++run.digits;
                run.rightAtFirst += !wrong;
                return wrong;
            });
            ++p;
            mastered = std::all_of(skills.begin(), skills.end(), [&](Skill skill) {
                return statistics.skills().state(skill) == SkillState::Mastered;
            });
        }
        run.problems.push_back(p);
        run.neverMastered += !mastered;
        for (Skill skill : skills) {
            ++run.skillsRated;
            run.falselyMastered += statistics.skills().state(skill) == SkillState::Mastered && !learner.knows(skill);
        }
    }
    return run;
}

bool learningAndCost(int children, int cap, int longRun)
{
    const TrainerUnderTest &trainer = trainers[1];
    const std::vector<Skill> skills = skillsShown(trainer);
    std::printf("3. Lernen: %d Kinder in der Zweireihigen Multiplikation (%zu Fertigkeiten: %zu Einmaleinsaufgaben\n"
                "   und die Schritte des Verfahrens). Jedes kann 4 bis 8 Einmaleinsaufgaben und ein oder zwei\n"
                "   Schritte noch nicht; was es nicht kann, lernt es mit 0,1 bei jeder Ziffer, die es braucht,\n"
                "   und was es kann, verschreibt es mit 0,05. Aufgaben, bis das Programm jede Fertigkeit als\n"
                "   sicher einstuft (höchstens %d).\n\n",
                children, skills.size(),
                std::size_t(std::count_if(skills.begin(), skills.end(), [](Skill s) { return s.isFact(); })), cap);
    const LearningRun drawn = learning(trainer, skills, false, children, cap);
    const LearningRun fitted = learning(trainer, skills, true, children, cap);
    const auto row = [&](const char *name, const LearningRun &run) {
        std::printf("   %s Median %4d Aufgaben, nie alles sicher: %3d, falsch als sicher: %.1f %%,\n"
                    "   %s richtige Ziffern beim ersten Versuch: %.0f %%\n",
                    padded(QString::fromUtf8(name), 24).constData(), median(run.problems), run.neverMastered,
                    100.0 * run.falselyMastered / std::max(1, run.skillsRated), padded(QString(), 24).constData(),
                    100.0 * run.rightAtFirst / std::max(1, run.digits));
    };
    row("wie bisher gezogen", drawn);
    row("passend zum Kind", fitted);
    const bool faster = 2 * median(fitted.problems) <= median(drawn.problems);
    const bool honest = 100 * fitted.falselyMastered <= 5 * fitted.skillsRated
                        && 100 * drawn.falselyMastered <= 5 * drawn.skillsRated;
    std::printf("   Median passend zum Kind höchstens die Hälfte: %s; falsch als sicher höchstens 5 %%: %s\n\n",
                yesNo(faster), yesNo(honest));

    const auto percentiles = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        const auto at = [&](double q) { return values.empty() ? 0.0 : values[std::size_t(q * double(values.size() - 1))]; };
        return std::array<double, 3>{at(0.5), at(0.99), values.empty() ? 0.0 : values.back()};
    };
    const std::array<double, 3> wall = percentiles(fitted.choices), cpu = percentiles(fitted.choicesCpu);
    const bool quick = cpu[1] < 5.0;
    std::printf("4. Kosten\n   Aufgabe passend zum Kind auswählen (%zu Auswahlen, die Zweireihige aus Studie 3):\n"
                "   Median %.2f ms, 99. Perzentil %.2f ms, längste %.2f ms; CPU-Zeit: %.2f, %.2f, %.2f ms.\n"
                "   Ziel: 99. Perzentil der CPU-Zeit unter 5 ms: %s\n",
                fitted.choices.size(), wall[0], wall[1], wall[2], cpu[0], cpu[1], cpu[2], yesNo(quick));

    // One long run: a child on the three-row trainer, the choice on.
    Generator random(77);
    Learner learner(random, 8, 2);
    SessionStatistics statistics;
    double after200 = 0;
    for (int p = 0; p < longRun; ++p) {
        solve(statistics, trainers[2].kind, deal(trainers[2], p, random, &statistics),
              [&](const Paper &paper, const Box &box, bool staircase) { return learner.write(paper, box, staircase); });
        if (p == 199)
            after200 = residentMiB();
    }
    const double after2000 = residentMiB();
    const bool flat = after2000 - after200 < 0.5;
    std::printf("   Speicher (VmRSS) nach 200 und %d Aufgaben eines Laufs: %.2f und %.2f MiB, Zuwachs %.2f MiB.\n"
                "   Ziel: flach (unter 0,5 MiB): %s; die Statistik des Laufs belegt fest %zu Bytes.\n\n",
                longRun, after200, after2000, after2000 - after200, yesNo(flat), sizeof(SessionStatistics));
    return faster && honest && quick && flat;
}

} // namespace

int main(int argc, char **argv)
{
    // scale 1: the full run; a smoke run takes a few children and problems.
    const double scale = argc > 1 ? std::max(0.01, std::atof(argv[1])) : 1.0;
    const auto scaled = [&](int n) { return std::max(2, int(n * scale)); };
    bool all = true;
    all &= consistentErrors(scaled(100), 20);
    all &= slipsOnly(scaled(100), 30);
    all &= learningAndCost(scaled(200), 1500, std::max(200, scaled(2000)));
    std::printf("Jedes Ziel hält: %s\n", yesNo(all));
    return 0;
}
