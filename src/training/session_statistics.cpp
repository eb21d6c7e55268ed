#include "training/session_statistics.h"

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

int errorKindIndex(ErrorKind kind)
{
    return int(errorKinds().indexOf(kind));
}

void SessionStatistics::startProblem(TrainerKind trainer, const QString &problem)
{
    ProblemErrors &current = m_trainers[int(trainer)].current;
    current = ProblemErrors();
    current.problem = problem;
    current.serial = ++m_serial;
}

void SessionStatistics::rightDigit(TrainerKind trainer)
{
    ++m_trainers[int(trainer)].rightDigits;
}

void SessionStatistics::wrongDigit(TrainerKind trainer, std::optional<ErrorKind> kind)
{
    Trainer &t = m_trainers[int(trainer)];
    ++t.errors;
    ++t.current.errors;
    if (kind) {
        ++t.byKind[std::size_t(errorKindIndex(*kind))];
        ++t.current.byKind[std::size_t(errorKindIndex(*kind))];
    }
    // The problem on screen takes its place among the worst ones as it goes.
    auto at = std::find_if(t.worst.begin(), t.worst.end(),
                           [&](const ProblemErrors &p) { return p.serial == t.current.serial; });
    if (at != t.worst.end())
        *at = t.current;
    else
        t.worst.append(t.current);
    std::stable_sort(t.worst.begin(), t.worst.end(),
                     [](const ProblemErrors &a, const ProblemErrors &b) { return a.errors > b.errors; });
    while (t.worst.size() > worstKept)
        t.worst.removeLast();
}

void SessionStatistics::rightEstimateDigit(TrainerKind trainer)
{
    ++m_trainers[int(trainer)].estimateRightDigits;
}

void SessionStatistics::wrongEstimateDigit(TrainerKind trainer)
{
    ++m_trainers[int(trainer)].estimateErrors;
}

void SessionStatistics::solved(TrainerKind trainer, bool gap)
{
    Trainer &t = m_trainers[int(trainer)];
    ++(gap ? t.gapSolved : t.singleSolved);
}
