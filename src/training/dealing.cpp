#include "training/dealing.h"

#include <cmath>

namespace {

// Candidates per choice: drawn as the trainer draws, and aimed at a skill.
constexpr int drawnCandidates = 16;
constexpr int aimedCandidates = 32;
// The expected share of right digits aimed at, give or take a tolerance, and how much a
// candidate loses per digit for every point it is further off.
constexpr double targetSuccess = 0.75;
constexpr double successTolerance = 0.1;
constexpr double offTargetWeight = 3.0;
// Each occasion of the pattern in the child's errors, and a problem that tells two kinds
// apart that explain the same errors.
constexpr double occasionWeight = 0.3;
constexpr double separationWeight = 20.0;
// One problem in this many is the trainer's own draw.
constexpr int ownDrawEvery = 6;

struct Aim
{
    enum class Kind { Fact, Carries, CarryIntoZero, Plain };
    Kind kind = Kind::Plain;
    int x = 0, m = 0;
};

DigitRange upperHalf(DigitRange range)
{
    return {std::max(range.low, std::min(range.high, 5)), range.high};
}

// A problem aimed at a skill: its fact at some places, many carries, or a zero that a carry
// comes into; the other digits drawn as the trainer draws them.
WrittenMultiplication aimedProblem(const UniformDraw &draw, const ProblemRanges &ranges, const Aim &aim)
{
    std::array<int, 4> digits{};
    QList<int> multiplier;
    const bool high = aim.kind == Aim::Kind::Carries || aim.kind == Aim::Kind::CarryIntoZero;
    for (std::size_t i = 0; i < 4; ++i)
        digits[i] = drawDigit(draw, high ? upperHalf(ranges.multiplicand[i]) : ranges.multiplicand[i]);
    for (int r = 0; r < ranges.multiplierDigits; ++r)
        multiplier << drawDigit(draw, high ? upperHalf(ranges.multiplierDigit) : ranges.multiplierDigit);
    switch (aim.kind) {
    case Aim::Kind::Fact: {
        // The fact at about half the places that allow it, and at least at one.
        QList<std::size_t> places;
        for (std::size_t i = 0; i < 4; ++i) {
            if (ranges.multiplicand[i].contains(aim.x))
                places << i;
        }
        for (std::size_t i : places) {
            if (draw() < 0.5)
                digits[i] = aim.x;
        }
        if (!places.isEmpty())
            digits[places.at(drawDigit(draw, {0, int(places.size()) - 1}))] = aim.x;
        for (int &m : multiplier) {
            if (draw() < 0.5)
                m = aim.m;
        }
        multiplier[drawDigit(draw, {0, ranges.multiplierDigits - 1})] = aim.m;
        break;
    }
    case Aim::Kind::CarryIntoZero: {
        // The hundreds or the tens.
        const std::size_t i = std::size_t(drawDigit(draw, {1, 2}));
        if (ranges.multiplicand[i].contains(0))
            digits[i] = 0;
        break;
    }
    case Aim::Kind::Carries:
    case Aim::Kind::Plain:
        break;
    }
    const qint64 multiplicand = 1000 * digits[0] + 100 * digits[1] + 10 * digits[2] + digits[3];
    return WrittenMultiplication(multiplicand, multiplier, ranges.zeros);
}

// What a skill needs: how unsure knowledge tracing is that the child knows it.
double need(const SkillEstimates &skills, Skill skill)
{
    return 1.0 - skills.known(skill);
}

// A skill to aim at, drawn by its need (squared, so the most needed come first).
Aim drawAim(const UniformDraw &draw, const ProblemRanges &ranges, const SkillEstimates &skills,
            std::optional<ErrorKind> pattern)
{
    struct Weighted
    {
        Aim aim;
        double weight;
    };
    QVarLengthArray<Weighted, Skill::factCount + 4> aims;
    for (int x = 0; x <= 9; ++x) {
        bool placed = false;
        for (const DigitRange &range : ranges.multiplicand)
            placed |= range.contains(x);
        for (int m = ranges.multiplierDigit.low; placed && m <= ranges.multiplierDigit.high; ++m) {
            const double n = need(skills, Skill::fact(x, m));
            aims.append({{Aim::Kind::Fact, x, m}, n * n});
        }
    }
    const double carrying = need(skills, Skill::method(MethodSkill::Carrying));
    const double intoZero = need(skills, Skill::method(MethodSkill::CarryIntoZero));
    const bool carryPattern = pattern && *pattern != ErrorKind::TimesTable && *pattern != ErrorKind::ZeroForgotten
                              && *pattern != ErrorKind::PlaceShifted;
    // Carries want several problems' worth of practice: they weigh like several facts.
    aims.append({{Aim::Kind::Carries}, 8 * carrying * carrying + (carryPattern ? 8.0 : 0.0)});
    aims.append({{Aim::Kind::CarryIntoZero}, 8 * intoZero * intoZero});
    double total = 0;
    for (const Weighted &w : aims)
        total += w.weight;
    double r = draw() * total;
    for (const Weighted &w : aims) {
        r -= w.weight;
        if (r < 0)
            return w.aim;
    }
    return {};
}

// The pattern in the trainer's errors the next problem works on: the kind the evidence
// favours once it explains two wrong digits, and the kinds it cannot tell from it yet.
struct Focus
{
    std::optional<ErrorKind> kind;
    QList<ErrorKind> tied;
};

Focus focusOf(const ErrorEvidence &evidence)
{
    Focus focus;
    const std::optional<ErrorEvidence::Pattern> pattern = evidence.pattern();
    if (!pattern || pattern->explained < 2)
        return focus;
    KindSet kinds;
    for (ErrorKind kind : pattern->kinds)
        kinds.insert(kind);
    focus.kind = evidence.favoured(kinds);
    if (pattern->kinds.size() > 1)
        focus.tied = pattern->kinds;
    return focus;
}

double scoreOf(const Exercise &ex, const SkillEstimates &skills, const Focus &focus)
{
    double practice = 0, success = 0;
    int steps = 0, occasions = 0;
    bool separates = focus.tied.isEmpty();
    for (const Cell &cell : ex.fields()) {
        if (!ex.isShown(cell))
            continue;
        ++steps;
        double known = 1;
        const SkillList used = skillsOfStep(ex, cell);
        for (Skill skill : used) {
            known *= skills.known(skill);
            practice += need(skills, skill);
        }
        success += skills.expectedRight(used.isEmpty() ? 1.0 : known);
        if (focus.kind || !separates) {
            const std::array<quint16, errorKindCount> digits = kindDigits(ex, cell);
            if (focus.kind && digits[std::size_t(errorKindIndex(*focus.kind))] != 0)
                ++occasions;
            for (int i = 1; i < focus.tied.size() && !separates; ++i)
                separates = digits[std::size_t(errorKindIndex(focus.tied.at(0)))]
                            != digits[std::size_t(errorKindIndex(focus.tied.at(i)))];
        }
    }
    if (steps == 0)
        return 0;
    success /= steps;
    return practice + occasionWeight * occasions + (separates ? separationWeight : 0.0)
           - offTargetWeight * steps * std::max(0.0, std::abs(success - targetSuccess) - successTolerance);
}

} // namespace

int drawDigit(const UniformDraw &draw, DigitRange range)
{
    return int(std::floor(draw() * range.count())) + range.low;
}

WrittenMultiplication drawProblem(const UniformDraw &draw, const ProblemRanges &ranges)
{
    qint64 multiplicand = 0;
    for (const DigitRange &range : ranges.multiplicand)
        multiplicand = 10 * multiplicand + drawDigit(draw, range);
    QList<int> multiplier;
    for (int r = 0; r < ranges.multiplierDigits; ++r)
        multiplier << drawDigit(draw, ranges.multiplierDigit);
    return WrittenMultiplication(multiplicand, multiplier, ranges.zeros);
}

WrittenMultiplication chooseProblem(const UniformDraw &draw, const ProblemRanges &ranges,
                                    const SessionStatistics &statistics, TrainerKind trainer,
                                    const ExerciseOf &exerciseOf)
{
    const SkillEstimates &skills = statistics.skills();
    const Focus focus = focusOf(statistics.trainer(trainer).evidence);
    // Two kinds to tell apart come first.
    if (focus.tied.isEmpty() && drawDigit(draw, {0, ownDrawEvery - 1}) == 0)
        return drawProblem(draw, ranges);
    std::optional<WrittenMultiplication> best;
    double bestScore = 0;
    for (int i = 0; i < drawnCandidates + aimedCandidates; ++i) {
        const WrittenMultiplication candidate =
            i < drawnCandidates ? drawProblem(draw, ranges)
                                : aimedProblem(draw, ranges, drawAim(draw, ranges, skills, focus.kind));
        const double score = scoreOf(exerciseOf(candidate), skills, focus);
        if (!best || score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return *best;
}
