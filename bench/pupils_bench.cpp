// Simulated pupils the tutor does not share. Unlike the children of children_bench.cpp, who
// write the digits the diagnosis formulas predict and learn as the knowledge tracing assumes,
// these work out each box with a schoolbook procedure of their own, read only the screen
// (the operands and the digits standing in the boxes) and write in the written order:
//
//   - a bug is a changed step of that procedure, used at 90 % of its chances; what it leaves
//     in the child's head (a wrong carry) goes on into the next column, where the tutor's
//     formulas, which assume every other digit right, do not look;
//   - times-table facts live in a memory with practice and forgetting (a half-life that grows
//     with each spaced recall); a failed recall gives a neighbouring product (7 · 8: 48, 54,
//     49, 63, 64), a guessing child any digit;
//   - some children mend a bug the moment a hint asks about it;
//   - every child slips on 3-5 % of its digits: half of them by one, half to any digit.
//
// The tutor sees only the dropped digits, through a TrainingSession (deal, drop) as a trainer
// window drives it.
// Printed, per trainer and kind: named (share, median problem), another kind named, "sicher"
// for a skill the child has not mastered, a weak fact's return after an error, problems to
// the child's own mastery, first tries right, with "passend zum Kind" off and on; the cost
// of a choice and of a drop.
//
//   malrechnen_pupils_bench [scale]   (scale 1: the full run; smaller for a smoke run)
#include "seams/random_source.h"
#include "trainers/common/rows_table.h"
#include "trainers/one_row/one_row_table.h"
#include "trainers/three_row/three_row_table.h"
#include "trainers/two_row/two_row_table.h"
#include "training/report.h"
#include "training/session_statistics.h"
#include "training/training_session.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <vector>

#include "seeded_random.h"

namespace {

using Generator = SeededRandom;

// The bugs a pupil's procedure can have. Deliberately not the tutor's ErrorKind: the pupil's
// procedure is described by what it does, and the table below says which kind a teacher
// would call it.
enum class Bug {
    NoCarry,        // multiplies and writes, never adds the carry
    CarryFirst,     // adds the carry to the multiplicand digit, then multiplies
    SwapDigits,     // writes the tens, carries the ones
    OnesCarried,    // writes the ones right, but carries (or writes in the carry box) the ones, a ten or not
    SkipsZeros,     // starts a shifted partial product at once, without its zeros
    NoSumCarry,     // adds each column of the sum without the carry
};

struct BugInfo
{
    Bug bug;
    ErrorKind kind; // what the tutor should call it
    const char *name;
};

const BugInfo bugTable[] = {
    {Bug::NoCarry, ErrorKind::CarryForgotten, "vergisst den Übertrag"},
    {Bug::CarryFirst, ErrorKind::CarryAddedTooEarly, "addiert den Übertrag vor dem Malnehmen"},
    {Bug::SwapDigits, ErrorKind::TensForOnes, "schreibt Zehner, merkt Einer"},
    {Bug::OnesCarried, ErrorKind::OnesAsCarry, "merkt die Einer als Übertrag"},
    {Bug::SkipsZeros, ErrorKind::ZeroForgotten, "lässt die Nullen weg"},
    {Bug::NoSumCarry, ErrorKind::AdditionCarryForgotten, "addiert ohne Übertrag"},
};

ErrorKind kindOf(Bug bug)
{
    for (const BugInfo &info : bugTable) {
        if (info.bug == bug)
            return info.kind;
    }
    fail("a bug without a kind");
}

// A times-table fact in the pupil's memory: recalled with probability 2^(-elapsed/halfLife),
// elapsed in problems since it was last practised. A recall spaced at least a problem apart
// doubles the half-life, one within the same problem adds little, a failed recall that the
// tutor then corrects lengthens it a bit.
struct Memory
{
    double halfLife = 1e9;
    double last = 0;

    double recall(double now) const { return std::exp2(-(now - last) / halfLife); }
    bool mastered() const { return halfLife >= 30; }
    void practised(double now, bool recalled)
    {
        const bool spaced = now - last >= 1;
        halfLife *= recalled ? (spaced ? 2.0 : 1.1) : 1.3;
        last = now;
    }
};

struct PupilKind
{
    std::vector<Bug> bugs;
    int weakFacts = 0;
    bool mends = false;   // drops a bug once a hint asks about its kind
    bool guesses = false; // a failed recall gives any digit
    double slip = 0.04;
};

// One pupil: what it knows, and the procedure it writes with.
class Pupil
{
public:
    Pupil(const PupilKind &kind, Generator &random) : m_random(random), m_bugs(kind.bugs.begin(), kind.bugs.end())
    {
        m_guesses = kind.guesses;
        m_slip = kind.slip;
        while (int(m_weak.size()) < kind.weakFacts) {
            const int x = 2 + random.below(8), m = 2 + random.below(8);
            Memory weak;
            weak.halfLife = 1.5;
            weak.last = -2 * random.uniform();
            m_weak[{x, m}] = weak;
        }
        m_mends = kind.mends;
    }

    bool has(Bug bug) const { return m_bugs.count(bug) > 0; }
    void mend(ErrorKind kind)
    {
        for (auto it = m_bugs.begin(); it != m_bugs.end();) {
            it = kindOf(*it) == kind && m_mends ? m_bugs.erase(it) : std::next(it);
        }
    }
    bool knowsFact(int x, int m) const
    {
        const auto found = m_weak.find({x, m});
        return found == m_weak.end() || found->second.mastered();
    }
    // The skills of the tutor's list this pupil has not mastered.
    bool masters(Skill skill) const
    {
        if (skill.isFact())
            return knowsFact(skill.x(), skill.m());
        const auto carries = has(Bug::NoCarry) || has(Bug::CarryFirst) || has(Bug::SwapDigits)
                             || has(Bug::OnesCarried);
        switch (skill.methodSkill()) {
        case MethodSkill::Carrying:
        case MethodSkill::CarryIntoZero: return !carries;
        case MethodSkill::PartialPlace: return !has(Bug::SkipsZeros);
        case MethodSkill::Addition: return !has(Bug::NoSumCarry);
        case MethodSkill::AdditionCarries: return !has(Bug::NoSumCarry) && !has(Bug::OnesCarried);
        case MethodSkill::Estimate: return true;
        }
        return true;
    }
    bool mastersEverything() const
    {
        return m_bugs.empty()
               && std::all_of(m_weak.begin(), m_weak.end(), [](const auto &f) { return f.second.mastered(); });
    }
    const std::map<std::pair<int, int>, Memory> &weakFacts() const { return m_weak; }

    // A new problem on screen: the pupil reads its operands.
    void read(const Exercise &exercise)
    {
        m_exercise = &exercise;
        m_x.clear();
        for (int place = 0; exercise.written().contains({Part::Multiplicand, 0, place}); ++place)
            m_x.push_back(*exercise.shownDigit({Part::Multiplicand, 0, place}));
        m_rows.clear();
        for (int row = 0; exercise.written().contains({Part::PartialProduct, row, 0})
                          || exercise.written().contains({Part::Zero, row, 0});
             ++row) {
            Row r;
            while (exercise.written().contains({Part::Zero, row, r.shift}))
                ++r.shift;
            r.m = *exercise.shownDigit({Part::Multiplier, 0, r.shift});
            r.skipsZeros = has(Bug::SkipsZeros) && r.shift > 0 && m_random.chance(0.9);
            m_rows.push_back(r);
        }
        m_sumCarry = 0;
        m_recalled.clear();
        ++m_now;
    }

    // The digit the pupil writes first in a box, with what it has in its head.
    int write(const Cell &cell)
    {
        int digit = intended(cell);
        if (m_random.chance(m_slip))
            digit = m_random.chance(0.5) ? (digit + (m_random.chance(0.5) ? 1 : 9)) % 10
                                         : (digit + 1 + m_random.below(9)) % 10;
        return digit;
    }

    // The facts it recalled (or failed to) in the box last written: {x, m, recalled}.
    const std::vector<std::tuple<int, int, bool>> &recalled() const { return m_recalled; }
    // The tutor put the right digit there (after a wrong one): a failed recall is corrected.
    void corrected()
    {
        for (auto &[x, m, ok] : m_recalled) {
            if (!ok)
                practise(x, m, false);
        }
    }
    void boxDone()
    {
        for (auto &[x, m, ok] : m_recalled) {
            if (ok)
                practise(x, m, true);
        }
        m_recalled.clear();
    }

private:
    struct Row
    {
        int shift = 0;
        int m = 0;
        int carry = 0; // in the head, from the pupil's own last column
        bool skipsZeros = false;
    };

    void practise(int x, int m, bool recalled)
    {
        auto found = m_weak.find({x, m});
        if (found != m_weak.end())
            found->second.practised(m_now, recalled);
    }

    // x · m from memory.
    int product(int x, int m)
    {
        if (x > 9)
            return x * m; // a sum the carry made, worked out by adding
        const auto found = m_weak.find({x, m});
        if (found == m_weak.end())
            return x * m;
        const bool ok = m_random.chance(found->second.recall(m_now));
        m_recalled.emplace_back(x, m, ok);
        if (ok)
            return x * m;
        if (m_guesses)
            return m_random.below(10) + 10 * (x * m / 10);
        static const int around[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (;;) {
            const int i = m_random.below(5);
            if (i == 4) {
                // The product of the table nearest in value, another fact's.
                int best = -1;
                for (int a = 2; a <= 9; ++a) {
                    for (int b = 2; b <= 9; ++b) {
                        if (a * b != x * m && (best < 0 || std::abs(a * b - x * m) < std::abs(best - x * m)))
                            best = a * b;
                    }
                }
                return best;
            }
            const int a = x + around[i][0], b = m + around[i][1];
            if (a >= 0 && a <= 9 && b >= 1 && b <= 9)
                return a * b;
        }
    }

    bool uses(Bug bug) { return has(bug) && m_random.chance(0.9); }

    // The carry the pupil works with in column `column` of row `row`: the carry box on screen
    // where the trainer has one (it holds the right digit once the pupil has written it),
    // else the one in its head.
    int carryIn(int row, int column)
    {
        const Cell box{Part::Carry, row, m_rows[std::size_t(row)].shift + column};
        if (column > 0 && m_exercise->isField(box) && m_exercise->isShown(box))
            return m_exercise->shownDigit(box).value_or(m_rows[std::size_t(row)].carry);
        return column == 0 ? 0 : m_rows[std::size_t(row)].carry;
    }

    // One column of a partial product: the digit written, and the carry kept.
    std::pair<int, int> column(int row, int column)
    {
        Row &r = m_rows[std::size_t(row)];
        const int x = m_x[std::size_t(column)];
        const int c = carryIn(row, column);
        int s;
        if (c > 0 && uses(Bug::NoCarry))
            s = product(x, r.m);
        else if (c > 0 && uses(Bug::CarryFirst))
            s = product(x + c, r.m);
        else
            s = product(x, r.m) + c;
        if (s >= 10 && uses(Bug::SwapDigits))
            return {s / 10, s % 10};
        // It keeps the digit it wrote, a ten or not.
        if (uses(Bug::OnesCarried))
            return {s % 10, s % 10};
        return {s % 10, s / 10};
    }

    int intended(const Cell &cell)
    {
        switch (cell.part) {
        case Part::Zero: {
            Row &r = m_rows[std::size_t(cell.row)];
            if (!r.skipsZeros)
                return 0;
            // It writes its first column where the zero belongs; the tutor puts the zero
            // there, and the digit is still to be written.
            return column(cell.row, 0).first;
        }
        case Part::PartialProduct: {
            Row &r = m_rows[std::size_t(cell.row)];
            const int col = cell.place - r.shift;
            if (col >= int(m_x.size())) {
                return carryIn(cell.row, col);
            }
            const auto [digit, carry] = column(cell.row, col);
            r.carry = carry;
            return digit;
        }
        case Part::Carry: return m_rows[std::size_t(cell.row)].carry;
        case Part::Sum: {
            int total = 0;
            for (std::size_t row = 0; row < m_rows.size(); ++row) {
                const Cell pp{Part::PartialProduct, int(row), cell.place};
                const Cell zero{Part::Zero, int(row), cell.place};
                if (m_exercise->written().contains(pp))
                    total += m_exercise->shownDigit(pp).value_or(0);
                else if (m_exercise->written().contains(zero))
                    total += 0;
            }
            const Cell box{Part::SumCarry, 0, cell.place};
            int c = m_sumCarry;
            if (m_exercise->isField(box) && m_exercise->isShown(box))
                c = m_exercise->shownDigit(box).value_or(c);
            if (cell.place == 0)
                c = 0;
            if (c > 0 && uses(Bug::NoSumCarry))
                c = 0;
            total += c;
            m_sumCarry = uses(Bug::OnesCarried) ? total % 10 : total / 10;
            return total % 10;
        }
        case Part::SumCarry: return m_sumCarry;
        default: fail("the pupil is asked for a box it does not know");
        }
    }

    Generator &m_random;
    std::set<Bug> m_bugs;
    std::map<std::pair<int, int>, Memory> m_weak;
    bool m_guesses = false;
    bool m_mends = false;
    double m_slip = 0.04;
    const Exercise *m_exercise = nullptr;
    std::vector<int> m_x;
    std::vector<Row> m_rows;
    int m_sumCarry = 0;
    double m_now = 0;
    std::vector<std::tuple<int, int, bool>> m_recalled;
};

// ---- The trainers --------------------------------------------------------------------------

struct TrainerUnderTest
{
    TrainerKind kind;
    const RowsTables *tables; // none for the one-row trainer
    const char *name;
};

const TrainerUnderTest trainers[] = {{TrainerKind::OneRow, nullptr, "Einreihige"},
                                     {TrainerKind::TwoRow, &twoRowTables(), "Zweireihige"},
                                     {TrainerKind::ThreeRow, &threeRowTables(), "Dreireihige"}};

// The one-row trainer takes mal E, Z and H in turn; the others deal flush.
Exercise deal(const TrainerUnderTest &trainer, int problem, RandomSource &random, const SessionStatistics *child)
{
    if (!trainer.tables) {
        const OneRowMode mode = problem % 3 == 0 ? OneRowMode::E : problem % 3 == 1 ? OneRowMode::Z : OneRowMode::H;
        return dealOneRow(random, mode, child);
    }
    return dealRows(random, *trainer.tables, false, WrittenDisplay::Flush, child);
}

struct Counts
{
    int digits = 0, rightAtFirst = 0;
    std::vector<double> dropMs;
};

// The facts (x, m) a problem asks for in its partial products.
std::set<std::pair<int, int>> factsOf(const Exercise &exercise)
{
    std::set<std::pair<int, int>> facts;
    std::vector<int> x;
    for (int place = 0; exercise.written().contains({Part::Multiplicand, 0, place}); ++place)
        x.push_back(*exercise.shownDigit({Part::Multiplicand, 0, place}));
    for (int place = 0; exercise.written().contains({Part::Multiplier, 0, place}); ++place) {
        const int m = *exercise.shownDigit({Part::Multiplier, 0, place});
        if (m >= 2) {
            for (int d : x)
                facts.insert({d, m});
        }
    }
    return facts;
}

// What a trainer window does, without the window: a session that deals as the trainer
// draws (for the child while the switch is on) and takes every digit the pupil drops.
class Window
{
public:
    Window(const TrainerUnderTest &trainer, Generator &random, bool fitted) : m_session(m_training, trainer.kind)
    {
        m_training.fitToChild = fitted;
        m_session.setDealer([this, &trainer, &random](const SessionStatistics *child) {
            return ::deal(trainer, m_problem, random, child);
        });
    }

    const SessionStatistics &statistics() const { return m_training.statistics; }
    TrainerKind trainer() const { return m_session.trainer(); }
    // Deals the next problem: the milliseconds it took.
    double deal()
    {
        const auto start = std::chrono::steady_clock::now();
        m_session.deal();
        ++m_problem;
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    const Exercise &exercise() const { return m_session.exercise(); }

    // The problem on screen, every shown field in written order: the pupil's digit; where
    // wrong, the hint asks about a kind, and the pupil then writes the right digit. Returns
    // the facts whose recall failed on a first try.
    std::set<std::pair<int, int>> solve(Pupil &pupil, Counts &counts, bool timed)
    {
        std::set<std::pair<int, int>> failed;
        pupil.read(exercise());
        const auto drop = [&](const Cell &field, int digit) {
            const auto start = std::chrono::steady_clock::now();
            const DropOutcome outcome = m_session.drop(field, digit);
            if (timed)
                counts.dropMs.push_back(
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
            return outcome;
        };
        bool solved = false;
        const QList<Cell> fields = exercise().fields();
        for (const Cell &field : fields) {
            if (!exercise().isShown(field))
                continue;
            const int digit = pupil.write(field);
            const int right = exercise().expectedDigit(field);
            ++counts.digits;
            counts.rightAtFirst += digit == right;
            if (digit != right) {
                const DropOutcome outcome = drop(field, digit);
                if (outcome.verdict != DropOutcome::Verdict::Wrong)
                    fail("a wrong digit was taken as right");
                if (outcome.favouredKind)
                    pupil.mend(*outcome.favouredKind);
                for (const auto &[x, m, ok] : pupil.recalled()) {
                    if (!ok)
                        failed.insert({x, m});
                }
                pupil.corrected();
            }
            const DropOutcome outcome = drop(field, right);
            if (outcome.verdict != DropOutcome::Verdict::Right)
                fail("the right digit was refused");
            solved |= outcome.solved;
            pupil.boxDone();
        }
        if (!solved)
            fail("a problem was left unsolved");
        return failed;
    }

private:
    Training m_training;
    TrainingSession m_session;
    int m_problem = 0;
};

template<typename T>
T median(std::vector<T> values)
{
    if (values.empty())
        return T();
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile(std::vector<double> values, double q)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::size_t(q * double(values.size() - 1))];
}

QByteArray padded(const QString &text, int width)
{
    return text.leftJustified(width).toUtf8();
}

// What the report says about the kinds: named alone, or among others.
struct Naming
{
    bool named = false;
    QList<ErrorKind> kinds; // with those named "oder"
    QList<ErrorKind> alone;
};

Naming naming(const SessionStatistics &statistics, TrainerKind trainer)
{
    Naming n;
    for (const ErrorEvidence::Pattern &pattern : statistics.trainer(trainer).evidence.patterns()) {
        n.named = true;
        n.kinds += pattern.kinds;
        if (pattern.kinds.size() == 1)
            n.alone << pattern.kinds.first();
    }
    return n;
}

// The ratings "sicher" the report gives for skills the pupil has not mastered.
struct Ratings
{
    int sure = 0, sureWrongly = 0;
    int allSure = 0, allSureWrongly = 0; // children rated sure in everything, and of them with a gap
};

void rate(const SessionStatistics &statistics, TrainerKind trainer, const Pupil &pupil, Ratings &ratings)
{
    bool all = true, gap = false;
    int shown = 0;
    for (int i = 0; i < skillCount; ++i) {
        const Skill skill = Skill::fromIndex(i);
        const SkillState state = skillStateIn(statistics, trainer, skill);
        if (state == SkillState::NotSeen)
            continue;
        ++shown;
        const bool sure = state == SkillState::Mastered;
        all &= sure;
        ratings.sure += sure;
        ratings.sureWrongly += sure && !pupil.masters(skill);
        gap |= !pupil.masters(skill);
    }
    if (all && shown > 0) {
        ++ratings.allSure;
        ratings.allSureWrongly += gap;
    }
}

// ---- 1. Bugs: one, mended, two --------------------------------------------------------------

struct BugRun
{
    int children = 0, named = 0, namedWrongly = 0, wronglyAtEnd = 0;
    std::vector<int> until;
    Ratings ratings;
};

// Named: the report names every kind of the pupil's bugs (a kind named with "oder" counts
// only while the other is the pupil's too); wrongly: it names a kind the pupil does not have.
BugRun runBugs(const TrainerUnderTest &trainer, const PupilKind &kind, int children, int problems, unsigned seed,
               bool fitted)
{
    BugRun run;
    std::set<ErrorKind> kinds;
    for (Bug bug : kind.bugs)
        kinds.insert(kindOf(bug));
    for (int c = 0; c < children; ++c) {
        Generator random(seed + unsigned(c));
        Pupil pupil(kind, random);
        Window window(trainer, random, fitted);
        const SessionStatistics &statistics = window.statistics();
        Counts counts;
        std::optional<int> first;
        bool wrongly = false;
        for (int p = 0; p < problems; ++p) {
            window.deal();
            window.solve(pupil, counts, false);
            const Naming n = naming(statistics, trainer.kind);
            bool all = n.named && !kinds.empty();
            for (ErrorKind k : kinds)
                all &= n.alone.contains(k);
            for (ErrorKind k : n.alone)
                wrongly |= !kinds.count(k);
            if (!first && all)
                first = p + 1;
        }
        ++run.children;
        const QList<ErrorKind> atEnd = naming(statistics, trainer.kind).alone;
        run.wronglyAtEnd += std::any_of(atEnd.begin(), atEnd.end(), [&](ErrorKind k) { return !kinds.count(k); });
        run.named += first.has_value();
        run.namedWrongly += wrongly;
        run.until.push_back(first.value_or(problems + 1));
        rate(statistics, trainer.kind, pupil, run.ratings);
    }
    return run;
}

// Where a pupil's procedure meets the bug at all in a trainer.
bool occurs(Bug bug, const TrainerUnderTest &trainer)
{
    switch (bug) {
    case Bug::SkipsZeros: return true; // mal Z, H; the shifted rows
    case Bug::NoSumCarry: return trainer.tables != nullptr;
    default: return true;
    }
}

bool bugs(int children, int problems)
{
    std::printf("1. Fehler im Verfahren, bei 90 %% ihrer Gelegenheiten, dazu 4 %% Versehen; je %d Kinder,\n"
                "   %d Aufgaben wie der Trainer sie zieht. Genannt: \u201eAuffällig:\u201c nennt die Art (bei zwei\n"
                "   Fehlern beide); Median: Aufgaben bis dahin (nie genannt: %d); falsch: eine andere Art\n"
                "   allein genannt, irgendwann (am Ende); sicher*: Einstufungen \u201esicher\u201c für\n"
                "   Nichtbeherrschtes.\n"
                "   Ziel: genannt \u2265 95 %%, Median \u2264 3, falsch \u2264 2 %%, sicher* \u2264 5 %%.\n\n",
                children, problems, problems + 1);
    std::printf("   %s %s %8s %6s %12s %8s  %s\n", padded(QStringLiteral("Kind"), 52).constData(),
                padded(QStringLiteral("Trainer"), 12).constData(), "genannt", "Median", "falsch", "sicher*", "hält");
    bool all = true;
    unsigned seed = 1000;
    const auto line = [&](const QString &name, const TrainerUnderTest &trainer, const BugRun &run, int namedTarget) {
        const int m = median(run.until);
        const double sureWrong = 100.0 * run.ratings.sureWrongly / std::max(1, run.ratings.sure);
        const bool holds = run.named * 100 >= namedTarget * run.children && (namedTarget < 95 || m <= 3)
                           && run.namedWrongly * 100 <= 2 * run.children;
        all &= holds;
        std::printf("   %s %s %4d/%-3d %6d %3d (%3d)/%-3d %7.1f%%  %s\n", padded(name, 52).constData(),
                    padded(QString::fromUtf8(trainer.name), 12).constData(), run.named, run.children, m,
                    run.namedWrongly, run.wronglyAtEnd, run.children, sureWrong, holds ? "ja" : "NEIN");
        std::fflush(stdout);
    };
    for (const BugInfo &info : bugTable) {
        for (const TrainerUnderTest &trainer : trainers) {
            if (!occurs(info.bug, trainer))
                continue;
            PupilKind kind;
            kind.bugs = {info.bug};
            line(QString::fromUtf8(info.name), trainer, runBugs(trainer, kind, children, problems, seed += 1000, false),
                 95);
        }
    }
    // Two bugs at once.
    const std::pair<Bug, Bug> pairs[] = {{Bug::NoCarry, Bug::SkipsZeros},
                                         {Bug::OnesCarried, Bug::NoSumCarry},
                                         {Bug::CarryFirst, Bug::SkipsZeros}};
    for (const auto &[a, b] : pairs) {
        for (const TrainerUnderTest &trainer : trainers) {
            if (!occurs(a, trainer) || !occurs(b, trainer))
                continue;
            PupilKind kind;
            kind.bugs = {a, b};
            line(QStringLiteral("zwei: %1 + %2").arg(errorKindName(kindOf(a)), errorKindName(kindOf(b))), trainer,
                 runBugs(trainer, kind, children, problems, seed += 1000, false), 80);
        }
    }
    std::printf("\n");
    return all;
}

// Weak facts have no bug of the procedure: "Einmaleins" named, counted apart.
bool weakFactsNamed(int children, int problems)
{
    std::printf("   Einmaleins: 4 unsichere Aufgaben (Gedächtnis mit Übung und Vergessen, sonst\n"
                "   Nachbarprodukt), %d Aufgaben: \u201eEinmaleins\u201c genannt\n",
                problems);
    unsigned seed = 700000;
    for (const TrainerUnderTest &trainer : trainers) {
        int named = 0;
        for (int c = 0; c < children; ++c) {
            Generator random(seed + unsigned(c));
            PupilKind kind;
            kind.weakFacts = 4;
            Pupil pupil(kind, random);
            Window window(trainer, random, false);
            const SessionStatistics &statistics = window.statistics();
            Counts counts;
            for (int p = 0; p < problems; ++p) {
                window.deal();
                window.solve(pupil, counts, false);
            }
            named += naming(statistics, trainer.kind).kinds.contains(ErrorKind::TimesTable);
        }
        seed += 10000;
        std::printf("   %s %4d/%d\n", padded(QString::fromUtf8(trainer.name), 12).constData(), named, children);
    }
    std::printf("\n");
    return true;
}

// ---- 2. Mending -----------------------------------------------------------------------------

bool mending(int children, int problems)
{
    std::printf("2. Kinder, die einen Fehler ablegen, sobald ein Hinweis nach seiner Art fragt: danach noch\n"
                "   als \u201eAuffällig\u201c genannt (soll als behoben gelten), je %d Kinder, %d Aufgaben.\n\n",
                children, problems);
    unsigned seed = 300000;
    for (const BugInfo &info : bugTable) {
        const TrainerUnderTest &trainer = info.bug == Bug::NoSumCarry ? trainers[1] : trainers[0];
        int mended = 0, stillNamed = 0;
        for (int c = 0; c < children; ++c) {
            Generator random(seed + unsigned(c));
            PupilKind kind;
            kind.bugs = {info.bug};
            kind.mends = true;
            Pupil pupil(kind, random);
            Window window(trainer, random, false);
            const SessionStatistics &statistics = window.statistics();
            Counts counts;
            for (int p = 0; p < problems; ++p) {
                window.deal();
                window.solve(pupil, counts, false);
            }
            if (!pupil.has(info.bug)) {
                ++mended;
                stillNamed += naming(statistics, trainer.kind).kinds.contains(info.kind);
            }
        }
        seed += 10000;
        std::printf("   %s %s abgelegt %3d/%d, danach noch genannt %3d\n",
                    padded(QString::fromUtf8(info.name), 40).constData(),
                    padded(QString::fromUtf8(trainer.name), 12).constData(), mended, children, stillNamed);
    }
    std::printf("\n");
    return true;
}

// ---- 3. Slips only ---------------------------------------------------------------------------

bool slips(int children, int problems)
{
    std::printf("3. Nur Versehen (3 und 5 %% der Ziffern, halb \u00b11, halb beliebig), %d Aufgaben; dazu Kinder,\n"
                "   die alles können und raten, wo sie eine Aufgabe nicht wissen (4 unsichere Aufgaben).\n"
                "   Ziel: ein Muster genannt \u2264 2 von 100; eine Einmaleinsaufgabe \u201eübt noch\u201c, die das Kind kann.\n\n",
                problems);
    bool all = true;
    unsigned seed = 500000;
    for (double slip : {0.03, 0.05}) {
        for (const TrainerUnderTest &trainer : trainers) {
            int named = 0, redFacts = 0;
            Ratings ratings;
            for (int c = 0; c < children; ++c) {
                Generator random(seed + unsigned(c));
                PupilKind kind;
                kind.slip = slip;
                Pupil pupil(kind, random);
                Window window(trainer, random, false);
                const SessionStatistics &statistics = window.statistics();
                Counts counts;
                for (int p = 0; p < problems; ++p) {
                    window.deal();
                    window.solve(pupil, counts, false);
                }
                named += naming(statistics, trainer.kind).named;
                for (int i = 0; i < Skill::factCount; ++i)
                    redFacts += skillStateIn(statistics, trainer.kind, Skill::fromIndex(i)) == SkillState::Practising;
                rate(statistics, trainer.kind, pupil, ratings);
            }
            seed += 10000;
            const bool holds = named * 100 <= 2 * children;
            all &= holds;
            std::printf("   %2.0f %% %s Muster genannt %3d/%d, \u201eübt noch\u201c je Kind %.2f Aufgaben  %s\n",
                        100 * slip, padded(QString::fromUtf8(trainer.name), 12).constData(), named, children,
                        double(redFacts) / children, holds ? "ja" : "NEIN");
        }
    }
    for (const TrainerUnderTest &trainer : trainers) {
        int named = 0;
        for (int c = 0; c < children; ++c) {
            Generator random(seed + unsigned(c));
            PupilKind kind;
            kind.weakFacts = 4;
            kind.guesses = true;
            Pupil pupil(kind, random);
            Window window(trainer, random, false);
            const SessionStatistics &statistics = window.statistics();
            Counts counts;
            for (int p = 0; p < problems; ++p) {
                window.deal();
                window.solve(pupil, counts, false);
            }
            const Naming n = naming(statistics, trainer.kind);
            named += n.named && !n.kinds.contains(ErrorKind::TimesTable);
        }
        seed += 10000;
        std::printf("   raten  %s anderes Muster als Einmaleins genannt %3d/%d\n",
                    padded(QString::fromUtf8(trainer.name), 12).constData(), named, children);
    }
    std::printf("\n");
    return all;
}

// ---- 4. Learning: "passend zum Kind" off and on -------------------------------------------

struct LearningRun
{
    std::vector<int> problems;  // to the pupil's own mastery (the cap if never)
    int never = 0;
    double returns = 0;         // a failed fact's problems among the next ten, summed
    int returnedInThree = 0;
    int failures = 0;
    Ratings ratings;
    Counts counts;
    std::vector<double> chooseMs;
};

LearningRun learning(const TrainerUnderTest &trainer, bool fitted, int children, int cap)
{
    LearningRun run;
    for (int c = 0; c < children; ++c) {
        Generator random(900000 + unsigned(c));
        PupilKind kind;
        kind.weakFacts = 4 + random.below(5);
        Pupil pupil(kind, random);
        Window window(trainer, random, fitted);
        const SessionStatistics &statistics = window.statistics();
        std::vector<std::set<std::pair<int, int>>> asked, failedAt;
        int p = 0;
        for (; p < cap && !pupil.mastersEverything(); ++p) {
            const double ms = window.deal();
            if (fitted)
                run.chooseMs.push_back(ms);
            asked.push_back(factsOf(window.exercise()));
            failedAt.push_back(window.solve(pupil, run.counts, fitted));
        }
        run.problems.push_back(p);
        run.never += !pupil.mastersEverything();
        // A fact failed in problem i: in how many of the next ten it comes back (only where
        // ten followed).
        for (std::size_t i = 0; i + 10 < asked.size(); ++i) {
            for (const auto &fact : failedAt[i]) {
                ++run.failures;
                int back = 0;
                bool inThree = false;
                for (std::size_t j = i + 1; j <= i + 10; ++j) {
                    if (asked[j].count(fact)) {
                        ++back;
                        inThree |= j <= i + 3;
                    }
                }
                run.returns += back;
                run.returnedInThree += inThree;
            }
        }
        if (p > 0)
            rate(statistics, trainer.kind, pupil, run.ratings);
    }
    return run;
}

bool learningAndCost(int children, int cap)
{
    std::printf("4. Lernen: je %d Kinder mit 4-8 unsicheren Einmaleinsaufgaben (Gedächtnis: Halbwertszeit in\n"
                "   Aufgaben, verdoppelt bei verteiltem Abruf), 4 %% Versehen; Aufgaben, bis das Kind selbst\n"
                "   alles kann (Halbwertszeit \u2265 30 Aufgaben, höchstens %d).\n"
                "   Ziel (an): eine falsche Aufgabe kommt \u2265 3-mal so oft wieder wie aus; eigene Beherrschung\n"
                "   schneller als aus; sicher* \u2264 5 %% der Einstufungen, \u2264 5 von 100 bei \u201ealles sicher\u201c.\n\n",
                children, cap);
    std::printf("   %s %s %7s %9s %8s %8s %8s %9s %8s\n", padded(QStringLiteral("Trainer"), 12).constData(),
                padded(QStringLiteral("Auswahl"), 8).constData(), "Median", "nie", "zurück", "in 3", "erste",
                "sicher*", "alles*");
    bool all = true;
    std::vector<double> choose, drop;
    for (const TrainerUnderTest &trainer : trainers) {
        LearningRun off = learning(trainer, false, children, cap);
        LearningRun on = learning(trainer, true, children, cap);
        const auto row = [&](const char *name, const LearningRun &run) {
            std::printf("   %s %s %7d %5d/%-3d %8.2f %7.0f%% %7.1f%% %8.1f%% %4d/%-3d\n",
                        padded(QString::fromUtf8(trainer.name), 12).constData(),
                        padded(QString::fromUtf8(name), 8).constData(), median(run.problems), run.never, children,
                        run.returns / std::max(1, run.failures), 100.0 * run.returnedInThree / std::max(1, run.failures),
                        100.0 * run.counts.rightAtFirst / std::max(1, run.counts.digits),
                        100.0 * run.ratings.sureWrongly / std::max(1, run.ratings.sure), run.ratings.allSureWrongly,
                        run.ratings.allSure);
        };
        row("aus", off);
        row("an", on);
        const double ratio = (on.returns / std::max(1, on.failures)) / std::max(1e-9, off.returns / std::max(1, off.failures));
        const bool holds = ratio >= 3 && median(on.problems) < median(off.problems)
                           && on.ratings.sureWrongly * 20 <= on.ratings.sure
                           && off.ratings.sureWrongly * 20 <= off.ratings.sure;
        all &= holds;
        std::printf("   %s an/aus: Rückkehr %.1f-mal; hält: %s\n", padded(QString(), 12).constData(), ratio,
                    holds ? "ja" : "NEIN");
        choose.insert(choose.end(), on.chooseMs.begin(), on.chooseMs.end());
        drop.insert(drop.end(), on.counts.dropMs.begin(), on.counts.dropMs.end());
    }
    const double choose99 = percentile(choose, 0.99), drop99 = percentile(drop, 0.99);
    const bool quick = choose99 < 5 && drop99 < 1;
    all &= quick;
    std::printf("\n   Kosten (an): nächste Aufgabe Median %.2f ms, 99. Perzentil %.2f ms (%zu); ein Ablegen\n"
                "   Median %.3f ms, 99. Perzentil %.3f ms (%zu). Ziel < 5 ms und < 1 ms: %s\n\n",
                percentile(choose, 0.5), choose99, choose.size(), percentile(drop, 0.5), drop99, drop.size(),
                quick ? "ja" : "NEIN");
    return all;
}

} // namespace

int main(int argc, char **argv)
{
    const double scale = argc > 1 ? std::max(0.01, std::atof(argv[1])) : 1.0;
    const auto scaled = [&](int n) { return std::max(2, int(n * scale)); };
    bool all = true;
    all &= bugs(scaled(100), 20);
    all &= weakFactsNamed(scaled(200), 30);
    all &= mending(scaled(100), 20);
    all &= slips(scaled(100), 30);
    all &= learningAndCost(scaled(100), scale < 1 ? 60 : 400);
    std::printf("Jedes Ziel hält: %s\n", all ? "ja" : "NEIN");
    return 0;
}
