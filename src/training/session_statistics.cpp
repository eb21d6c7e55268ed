#include "training/session_statistics.h"

#include "training/exercise.h"

#include <algorithm>

QString trainerKindName(TrainerKind trainer)
{
    switch (trainer) {
    case TrainerKind::OneRow: return QStringLiteral("Einreihige Multiplikation");
    case TrainerKind::TwoRow: return QStringLiteral("Zweireihige Multiplikation");
    case TrainerKind::ThreeRow: return QStringLiteral("Dreireihige Multiplikation");
    }
    return QString();
}

const QList<TrainerKind> &trainerKinds()
{
    static const QList<TrainerKind> kinds{TrainerKind::OneRow, TrainerKind::TwoRow, TrainerKind::ThreeRow};
    return kinds;
}

void SessionStatistics::startProblem(TrainerKind trainer, const QString &problem)
{
    Trainer &t = at(trainer);
    t.current = ProblemErrors();
    t.current.problem = problem;
    t.current.serial = ++m_serial;
    t.tried.reset();
    t.wrongAtFirst.reset();
    t.evidence.startProblem(problem);
}

KindSet SessionStatistics::recordDrop(TrainerKind trainer, const Exercise &exercise, const Cell &field,
                                      std::optional<int> digit, bool right)
{
    Trainer &t = at(trainer);
    // Gap problems give most of the computation: they name no kind and show no skill.
    const bool single = !exercise.isGap() && exercise.written().contains(field);
    // Only the first try at a field says what the child can do; after a wrong digit the
    // hint has helped. A drop of anything but a digit key says nothing.
    bool first = false;
    if (const qsizetype place = exercise.fields().indexOf(field);
        single && digit && place >= 0 && std::size_t(place) < t.tried.size()) {
        first = !t.tried.test(std::size_t(place));
        t.tried.set(std::size_t(place));
        if (first && !right)
            t.wrongAtFirst.set(std::size_t(place));
    }
    if (first && !isEstimate(field)) {
        const Computation step = exercise.written().computation(field);
        const bool product = step.rule == Computation::Rule::ProductDigit || step.rule == Computation::Rule::ProductCarry;
        const int fact = product && step.m >= 2 ? Skill::fact(step.x, step.m).index() : -1;
        std::array<quint16, errorKindCount> predicted = kindDigits(exercise, field);
        // A product row without carry boxes: after a wrong digit to the right the carry in
        // the child's head is unknown, and a fact cannot be judged by this digit.
        const Cell before{field.part, field.row, field.place - 1};
        const Cell box{Part::Carry, field.row, field.place};
        if (product && field.part == Part::PartialProduct && !exercise.isField(box)) {
            const qsizetype at = exercise.fields().indexOf(before);
            if (at >= 0 && std::size_t(at) < t.wrongAtFirst.size() && t.wrongAtFirst.test(std::size_t(at)))
                predicted[std::size_t(errorKindIndex(ErrorKind::TimesTable))] = 0;
        }
        t.evidence.firstTry(predicted, *digit, exercise.expectedDigit(field), fact);
    }
    KindSet kinds;
    if (isEstimate(field)) {
        ++(right ? t.estimateRightDigits : t.estimateErrors);
    } else if (right) {
        rightDigit(trainer, first ? possibleKinds(exercise, field) : KindSet());
    } else {
        if (single && digit)
            kinds = fittingKinds(exercise, field, *digit);
        wrongDigit(trainer, kinds);
    }
    if (first) {
        // A wrong digit blames what the kind its hint asks about implicates, not every kind
        // it happens to fit.
        const std::optional<ErrorKind> kind = t.evidence.favoured(kinds);
        const SkillEvidence evidence = right ? SkillEvidence{{}, skillsOfStep(exercise, field)}
                                             : skillEvidence(exercise, field, kind ? KindSet::of(*kind) : KindSet());
        for (Skill skill : evidence.right)
            observe(t, skill, true);
        for (Skill skill : evidence.wrong)
            observe(t, skill, false);
    }
    return kinds;
}

void SessionStatistics::observe(Trainer &t, Skill skill, bool right)
{
    m_skills.observe(skill, right);
    t.skillsShown.set(std::size_t(skill.index()));
}

void SessionStatistics::rightDigit(TrainerKind trainer, KindSet possible)
{
    Trainer &t = at(trainer);
    ++t.rightDigits;
    t.evidence.rightDigit(possible);
}

void SessionStatistics::wrongDigit(TrainerKind trainer, KindSet kinds)
{
    Trainer &t = at(trainer);
    ++t.errors;
    ++t.current.errors;
    if (kinds.isEmpty())
        ++t.current.unexplained;
    t.evidence.wrongDigit(kinds);
    if (const std::optional<ErrorKind> kind = t.evidence.favoured(kinds)) {
        ++t.current.byKind[std::size_t(errorKindIndex(*kind))];
        ++t.byKind[std::size_t(errorKindIndex(*kind))];
    }
    // The problem on screen takes its place among the worst ones as it goes.
    auto found = std::find_if(t.worst.begin(), t.worst.end(),
                              [&](const ProblemErrors &p) { return p.serial == t.current.serial; });
    if (found != t.worst.end())
        *found = t.current;
    else
        t.worst.append(t.current);
    std::stable_sort(t.worst.begin(), t.worst.end(),
                     [](const ProblemErrors &a, const ProblemErrors &b) { return a.errors > b.errors; });
    while (t.worst.size() > worstKept)
        t.worst.removeLast();
}

void SessionStatistics::solved(TrainerKind trainer, bool gap)
{
    Trainer &t = at(trainer);
    ++(gap ? t.gapSolved : t.singleSolved);
}

std::optional<ErrorKind> SessionStatistics::favouredKind(TrainerKind trainer, KindSet kinds) const
{
    return this->trainer(trainer).evidence.favoured(kinds);
}

void Training::startNewChild()
{
    statistics = SessionStatistics();
    scores = {};
}
